#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the readable sources of the sample hotel directory into data/sample/hotel/, and the
sample user hotel file data/sample/hotelusr.csv.

The output depends on nothing but this file and the airport names of the sample timetable
(data/sample/airports.tsv); the random choices use a fixed seed, so running it again gives the
same files. The build compiles them into infhotel.dat with
    quorvel-cli data build data/sample OUT_DIR
The columns are described in data/README.md.
"""

import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, "sample")
OUT = os.path.join(SAMPLE, "hotel")

# Areas in file order: the area picker numbers them as they first appear.
# (area, prefecture, alias, [(airport, [districts])]). The airport of a district is the one a
# traveller flies to; Narita's hotels are stored under Haneda and Kansai's under Itami, because the
# airport search reads those pairs as one airport.
PREFS = [
    ("北海道", "北海道", "道", [
        ("札幌", ["すすきの", "札幌駅前", "大通", "千歳", "小樽", "定山渓"]),
        ("函館", ["函館駅前", "湯の川", "五稜郭"]),
        ("旭川", ["旭川駅前", "富良野", "層雲峡"]),
        ("釧路", ["釧路駅前", "阿寒湖"]),
        ("帯広", ["帯広駅前", "十勝川温泉"]),
        ("女満別", ["網走", "北見"]),
        ("稚内", ["稚内"]),
        ("紋別", ["紋別"]),
        ("中標津", ["中標津", "根室"]),
        ("奥尻", ["奥尻"]),
    ]),
    ("東北", "青森県", "青森", [("青森", ["青森駅前", "弘前", "浅虫温泉"]), ("三沢", ["三沢", "八戸"])]),
    ("東北", "岩手県", "岩手", [("花巻", ["盛岡", "花巻温泉", "北上", "一関"])]),
    ("東北", "宮城県", "宮城", [("仙台", ["仙台駅前", "国分町", "松島", "名取", "秋保温泉"])]),
    ("東北", "秋田県", "秋田", [("秋田", ["秋田駅前", "角館", "田沢湖"]), ("大館能代", ["大館", "能代"])]),
    ("東北", "山形県", "山形", [("山形", ["山形駅前", "天童", "蔵王温泉", "米沢"]), ("庄内", ["鶴岡", "酒田"])]),
    ("東北", "福島県", "福島", [("福島", ["郡山", "福島駅前", "会津若松", "いわき"])]),
    ("関東", "茨城県", "茨城", [("東京／羽田", ["水戸", "つくば", "日立"])]),
    ("関東", "栃木県", "栃木", [("東京／羽田", ["宇都宮", "日光", "鬼怒川温泉"])]),
    ("関東", "群馬県", "群馬", [("東京／羽田", ["高崎", "前橋", "草津温泉"])]),
    ("関東", "埼玉県", "埼玉", [("東京／羽田", ["大宮", "川越", "浦和", "所沢"])]),
    ("関東", "千葉県", "千葉", [("東京／羽田", ["成田空港", "成田", "千葉駅前", "幕張", "舞浜", "船橋"])]),
    ("関東", "東京都", "東京", [
        ("東京／羽田", ["新宿", "渋谷", "池袋", "銀座", "東京駅周辺", "上野", "浅草", "品川", "蒲田",
                       "羽田空港", "六本木", "赤坂", "お台場", "八王子", "立川"]),
        ("大島", ["大島"]), ("八丈島", ["八丈島"]), ("三宅島", ["三宅島"]), ("新島", ["新島"]),
        ("神津島", ["神津島"]),
    ]),
    ("関東", "神奈川県", "神奈川", [("東京／羽田", ["横浜駅周辺", "みなとみらい", "川崎", "箱根", "鎌倉", "小田原"])]),
    ("北陸・中部", "新潟県", "新潟", [("新潟", ["新潟駅前", "長岡", "湯沢"]), ("佐渡", ["佐渡"])]),
    ("北陸・中部", "富山県", "富山", [("富山", ["富山駅前", "高岡", "宇奈月温泉"])]),
    ("北陸・中部", "石川県", "石川", [("小松", ["金沢駅前", "香林坊", "小松", "加賀温泉", "和倉温泉"])]),
    ("北陸・中部", "福井県", "福井", [("小松", ["福井駅前", "芦原温泉", "敦賀"])]),
    ("北陸・中部", "山梨県", "山梨", [("東京／羽田", ["甲府", "河口湖", "石和温泉"])]),
    ("北陸・中部", "長野県", "長野", [("松本", ["松本駅前", "長野駅前", "軽井沢", "上高地", "諏訪"])]),
    ("北陸・中部", "岐阜県", "岐阜", [("名古屋", ["岐阜駅前", "高山", "下呂温泉", "大垣"])]),
    ("北陸・中部", "静岡県", "静岡", [("名古屋", ["静岡駅前", "浜松", "熱海", "伊東", "沼津"])]),
    ("北陸・中部", "愛知県", "愛知", [("名古屋", ["名古屋駅前", "栄", "金山", "豊橋", "岡崎", "常滑"])]),
    ("近畿", "三重県", "三重", [("名古屋", ["津", "四日市", "伊勢", "鳥羽"])]),
    ("近畿", "滋賀県", "滋賀", [("大阪／伊丹", ["大津", "彦根", "草津"])]),
    ("近畿", "京都府", "京都", [("大阪／伊丹", ["京都駅前", "四条河原町", "嵐山", "祇園", "福知山"])]),
    ("近畿", "大阪府", "大阪", [("大阪／伊丹", ["梅田", "難波", "心斎橋", "天王寺", "新大阪", "本町",
                                        "伊丹空港周辺", "関西空港周辺", "堺", "りんくう"])]),
    ("近畿", "兵庫県", "兵庫", [("大阪／伊丹", ["三宮", "神戸港", "姫路", "有馬温泉", "尼崎"]),
                              ("但馬", ["豊岡", "城崎温泉"])]),
    ("近畿", "奈良県", "奈良", [("大阪／伊丹", ["奈良駅前", "橿原", "吉野"])]),
    ("近畿", "和歌山県", "和歌山", [("南紀白浜", ["白浜", "勝浦", "田辺"]), ("大阪／伊丹", ["和歌山駅前"])]),
    ("中国", "鳥取県", "鳥取", [("鳥取", ["鳥取駅前", "倉吉"]), ("米子", ["米子駅前", "皆生温泉"])]),
    ("中国", "島根県", "島根", [("出雲", ["松江", "出雲", "玉造温泉"]), ("石見", ["益田", "浜田"]),
                              ("隠岐", ["隠岐"])]),
    ("中国", "岡山県", "岡山", [("岡山", ["岡山駅前", "倉敷", "津山"])]),
    ("中国", "広島県", "広島", [("広島", ["広島駅前", "紙屋町", "宮島", "福山", "呉", "東広島"])]),
    ("中国", "山口県", "山口", [("山口宇部", ["宇部", "山口", "下関", "湯田温泉", "周南"])]),
    ("四国", "徳島県", "徳島", [("徳島", ["徳島駅前", "鳴門"])]),
    ("四国", "香川県", "香川", [("高松", ["高松駅前", "丸亀", "琴平"])]),
    ("四国", "愛媛県", "愛媛", [("松山", ["松山駅前", "道後温泉", "今治", "新居浜"])]),
    ("四国", "高知県", "高知", [("高知", ["高知駅前", "はりまや橋", "四万十"])]),
    ("九州", "福岡県", "福岡", [("福岡", ["博多駅前", "天神", "中洲", "福岡空港周辺", "久留米"]),
                              ("北九州", ["小倉", "門司港", "八幡"])]),
    ("九州", "佐賀県", "佐賀", [("佐賀", ["佐賀駅前", "嬉野温泉", "唐津"])]),
    ("九州", "長崎県", "長崎", [("長崎", ["長崎駅前", "思案橋", "佐世保", "雲仙", "大村"]), ("対馬", ["対馬"]),
                              ("壱岐", ["壱岐"]), ("五島福江", ["五島"])]),
    ("九州", "熊本県", "熊本", [("熊本", ["熊本駅前", "上通", "阿蘇", "八代"])]),
    ("九州", "大分県", "大分", [("大分", ["大分駅前", "別府", "湯布院", "中津"])]),
    ("九州", "宮崎県", "宮崎", [("宮崎", ["宮崎駅前", "青島", "日南", "延岡"])]),
    ("九州", "鹿児島県", "鹿児島", [("鹿児島", ["天文館", "鹿児島中央駅前", "霧島", "指宿"]),
                                ("種子島", ["種子島"]), ("屋久島", ["屋久島"]), ("奄美大島", ["奄美"]),
                                ("徳之島", ["徳之島"]), ("沖永良部", ["沖永良部"]), ("与論", ["与論"]),
                                ("喜界島", ["喜界島"])]),
    ("沖縄", "沖縄県", "沖縄", [("沖縄", ["那覇", "国際通り", "恩納", "名護", "北谷"]),
                              ("宮古", ["宮古島"]), ("石垣", ["石垣島"]), ("久米島", ["久米島"]),
                              ("与那国", ["与那国"]), ("南大東", ["南大東島"]), ("北大東", ["北大東島"])]),
]

AREA_OF_AIRPORT_GROUP = {g: g for g in range(1, 10)}

NAME_PATTERNS = [
    "{c}ホテル", "ホテル{c}", "{c}グランドホテル", "{c}ステーションホテル", "ビジネスホテル{c}",
    "{c}シティホテル", "{c}イン", "{c}プラザホテル", "ホテルニュー{c}", "{c}ロイヤルホテル",
    "{c}セントラルホテル", "{c}ターミナルホテル", "{c}パークホテル", "{c}第一ホテル", "ホテル{c}アネックス",
    "{c}ビューホテル", "{c}サンホテル", "{c}ガーデンホテル", "旅館{k}", "{c}温泉{k}荘", "{c}{k}荘", "{c}リバーサイドホテル",
    "{c}ヒルズイン", "{c}エアポートホテル", "ﾋﾞｼﾞﾈｽﾎﾃﾙ{c}", "{c}観光ホテル", "{c}クラウンホテル",
]
INN_NAMES = ["松風", "竹の家", "梅香", "鶴屋", "亀屋", "花月", "山水", "清流", "月見", "白樺", "若葉", "朝日"]
REMARKS = ["○", "◎", "△", "朝食付", "大浴場あり", "駐車場無料", "禁煙室あり", "○ 駅から近い", "◎ 眺望良し",
           "△ 古いが清潔", "ｼﾝｸﾞﾙ広め", "女性専用フロアあり", "", ""]
ACCESS = ["{s}駅徒歩{m}分", "JR{s}駅徒歩{m}分", "{s}駅からバス{b}分", "{s}駅東口徒歩{m}分", "{s}駅よりタクシー{b}分",
          "空港からバス{a}分、{s}駅徒歩{m}分", "地下鉄{s}駅徒歩{m}分"]


def station_of(district):
    for suffix in ("駅前", "駅周辺", "温泉", "空港周辺", "中央駅前"):
        if district.endswith(suffix) and len(district) > len(suffix):
            return district[: -len(suffix)]
    return district


def read_airports():
    names = []
    with open(os.path.join(SAMPLE, "airports.tsv"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            cells = line.rstrip("\n").split("\t")
            group = int(cells[1] or 0)
            if 1 <= group <= 9:  # group 0 rows are city groups, not airports
                names.append((cells[0], group))
    return names


def price_text(rng, yen):
    style = rng.random()
    if style < 0.08:
        return ""
    if style < 0.55:
        return "\\{:,}".format(yen)
    if style < 0.9:
        return "{}円".format(yen)
    if style < 0.95:
        return "\\{:,}～".format(yen)
    return "{}円～{}円".format(yen, yen + 2000)


# Area codes of the prefectures' main cities, in the order of PREFS.
AREA_CODES = ["011", "017", "019", "022", "018", "023", "024", "029", "028", "027", "048", "043", "03", "045",
              "025", "076", "076", "0776", "055", "026", "058", "054", "052", "059", "077", "075", "06", "078",
              "0742", "073", "0857", "0852", "086", "082", "083", "088", "087", "089", "088", "092", "0952", "095",
              "096", "097", "0985", "099", "098"]


def telephone(rng, pref_row):
    code = AREA_CODES[pref_row - 1]
    exchange = 6 - len(code)  # ten digits in all, the last four the line
    return "{}-{}-{:04d}".format(code, rng.randint(10 ** (exchange - 1) * 2, 10 ** exchange - 1), rng.randint(0, 9999))


def make_hotels(rng, district_rows, airport_index):
    hotels = []
    used_names = set()
    site_codes = rng.sample(range(10000, 99999), 4000)
    for d, (pref_row, pref_name, airport, district) in enumerate(district_rows, start=1):
        a = airport_index[airport]
        big = any(district.startswith(x) for x in ("新宿", "梅田", "博多", "すすきの", "那覇", "名古屋", "池袋", "品川"))
        for n in range(rng.randint(10, 14) + (10 if big else 0)):
            base = district.replace("駅前", "").replace("駅周辺", "").replace("空港周辺", "空港")
            for attempt in range(20):
                pattern = rng.choice(NAME_PATTERNS)
                if "温泉" in pattern and "温泉" not in district:
                    pattern = "{c}ホテル{k}"
                name = pattern.format(c=base.replace("温泉", ""), k=rng.choice(INN_NAMES))
                if attempt > 5:
                    name += rng.choice(["本館", "新館", "駅前店", "東館", "西館", "第2"])
                if name not in used_names:
                    break
            used_names.add(name)
            yen = rng.choice([4800, 5500, 5800, 6000, 6300, 6800, 7000, 7500, 8000, 8500, 9000, 9800, 10000, 12000,
                              15000])
            station = station_of(district)
            access = rng.choice(ACCESS).format(s=station, m=rng.randint(1, 15), b=rng.randint(5, 30),
                                               a=rng.randint(20, 70))
            rooms = "" if rng.random() < 0.05 else str(rng.randint(18, 480))
            if rng.random() < 0.02:
                rooms = "0" + rooms if rooms else "不明"
            remark = rng.choice(REMARKS)
            site = site_codes.pop() if rng.random() < 0.4 else 0
            has_home = rng.random() < 0.35
            slug = "h{:05d}".format(len(hotels) + 1)
            if has_home:
                remark = remark + "||https://www.{}.example.jp/".format(slug)
            rsv = "hid={}".format(rng.randint(100000, 999999)) if rng.random() < 0.2 else ""
            tel = "" if rng.random() < 0.02 else telephone(rng, pref_row)
            address = "{}{}{}-{}-{}".format(pref_name, base, rng.randint(1, 9), rng.randint(1, 30), rng.randint(1, 20))
            hotels.append([site, pref_row, a, d, name, tel, rooms, access, price_text(rng, yen), remark, address, rsv])
    return hotels


def write_tsv(name, header, rows):
    with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\n") as f:
        f.write(header + "\n")
        for row in rows:
            f.write("\t".join(str(c) for c in row) + "\n")


def main():
    rng = random.Random(20040107)
    os.makedirs(OUT, exist_ok=True)
    airports = read_airports()  # named as the timetable names them ("東京／羽田")
    airport_index = {name: i + 1 for i, (name, _) in enumerate(airports)}
    assert len(AREA_CODES) == len(PREFS)
    for _, _, _, places in PREFS:
        for airport, _ in places:
            assert airport in airport_index, airport

    pref_rows = [(area, name, alias) for area, name, alias, _ in PREFS]
    district_rows = []
    for p, (_, name, _, places) in enumerate(PREFS, start=1):
        for airport, districts in places:
            for d in districts:
                district_rows.append((p, name, airport, d))
    assert len(district_rows) < 2000  # the location sort key holds districts below 2000
    hotels = make_hotels(rng, district_rows, airport_index)
    assert len(hotels) >= 3000, len(hotels)

    areas = sorted({area for area, _, _, _ in PREFS}, key=[a for a, _, _, _ in PREFS].index)
    inquiries = []
    for i, area in enumerate(areas, start=1):
        inquiries.append((area + "の空室照会", "地域を指定して空室を探せます", "https://vacancy.example.com/area/{:02d}".format(i)))
    for p, (_, name, _, _) in enumerate(PREFS, start=1):
        if p % 4 == 1:
            inquiries.append((name + "の宿", "当日予約可", "https://vacancy.example.com/pref/{:02d}".format(p)))

    write_tsv("prefectures.tsv", "# area\tname\talias", pref_rows)
    write_tsv("extra.tsv", "# four texts no window reads", [])
    write_tsv("airports.tsv", "# name\tarea (1 北海道 .. 9 沖縄)", [(n, AREA_OF_AIRPORT_GROUP[g]) for n, g in airports])
    write_tsv("districts.tsv", "# district name (row numbers count from 1)", [(d,) for _, _, _, d in district_rows])
    write_tsv("hotels.tsv", "# site_code\tpref\tairport\tdistrict\tname\ttel\trooms\taccess\tprice\tremark||home page\t"
              "address\trsv_query", hotels)
    write_tsv("inquiries.tsv", "# name\tnote\tpage address", inquiries)

    users = [
        ("東京都", "東京／羽田", "蒲田", "ホテル蒲田やすらぎ", "03-3732-0000", "45", "JR蒲田駅東口徒歩3分", "\\7,800", "○ 羽田に近い"),
        ("大阪府", "大阪／伊丹", "梅田", "梅田ステイ \"北\"館", "06-6345-0000", "120", "梅田駅徒歩5分", "\\9,500", "朝食付, 大浴場"),
        ("福岡県", "福岡", "博多駅前", "博多ゲストハウス", "092-400-0000", "12", "博多駅徒歩8分", "\\4,500", ""),
        ("北海道", "札幌", "狸小路", "狸小路イン", "011-200-0000", "30", "大通駅徒歩6分", "\\5,800", "地区は表に無い"),
    ]
    lines = []
    for u in users:
        lines.append(",".join('"' + f.replace('"', '""') + '"' for f in u) + "\r\n")
    with open(os.path.join(SAMPLE, "hotelusr.csv"), "wb") as f:
        f.write("".join(lines).encode("cp932"))
    print("{} prefectures, {} airports, {} districts, {} hotels, {} enquiry pages".format(
        len(pref_rows), len(airports), len(district_rows), len(hotels), len(inquiries)))


if __name__ == "__main__":
    main()
