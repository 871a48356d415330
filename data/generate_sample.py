#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the readable sources of the sample timetable into data/sample/.

The output depends on nothing but this file (no clock, no randomness without a fixed seed), so
running it again gives the same files. Compile them with
    quorvel-cli data build data/sample OUT_DIR
(the build does that for you). The columns are described in data/README.md.
"""

import math
import os
import random
import sys
from datetime import date

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample")

# ---- Airports ------------------------------------------------------------------------------------
# (name, region, IATA code or "", latitude, longitude). The order is the airport table's order,
# roughly north to south; the route search depends on positions, not on names.
AIRPORTS = [
    ("稚内", 1, "WKJ", 45.40, 141.80),
    ("紋別", 1, "MBE", 44.30, 143.40),
    ("女満別", 1, "MMB", 43.88, 144.16),
    ("中標津", 1, "SHB", 43.58, 144.96),
    ("旭川", 1, "AKJ", 43.67, 142.45),
    ("釧路", 1, "KUH", 43.04, 144.19),
    ("帯広", 1, "OBO", 42.73, 143.22),
    ("札幌", 1, "CTS", 42.78, 141.69),
    ("函館", 1, "HKD", 41.77, 140.82),
    ("奥尻", 1, "OIR", 42.07, 139.43),
    ("青森", 2, "AOJ", 40.73, 140.69),
    ("三沢", 2, "MSJ", 40.70, 141.37),
    ("大館能代", 2, "ONJ", 40.19, 140.37),
    ("秋田", 2, "AXT", 39.62, 140.22),
    ("花巻", 2, "HNA", 39.43, 141.14),
    ("山形", 2, "GAJ", 38.41, 140.37),
    ("庄内", 2, "SYO", 38.81, 139.79),
    ("仙台", 2, "SDJ", 38.14, 140.92),
    ("福島", 2, "FKS", 37.23, 140.43),
    ("新潟", 3, "KIJ", 37.96, 139.12),
    ("佐渡", 3, "SDS", 38.06, 138.41),
    ("富山", 3, "TOY", 36.65, 137.19),
    ("小松", 3, "KMQ", 36.39, 136.41),
    ("松本", 3, "MMJ", 36.17, 137.92),
    ("名古屋", 3, "NGO", 35.26, 136.92),
    ("東京／成田", 4, "NRT", 35.77, 140.39),
    ("東京／羽田", 4, "HND", 35.55, 139.78),
    ("調布", 4, "", 35.67, 139.53),
    ("大島", 4, "OIM", 34.78, 139.36),
    ("新島", 4, "", 34.37, 139.27),
    ("神津島", 4, "", 34.19, 139.13),
    ("三宅島", 4, "MYE", 34.07, 139.56),
    ("八丈島", 4, "HAC", 33.12, 139.79),
    ("青ヶ島", 4, "", 32.46, 139.77),
    ("大阪／伊丹", 5, "ITM", 34.79, 135.44),
    ("大阪／関西", 5, "KIX", 34.43, 135.24),
    ("南紀白浜", 5, "SHM", 33.66, 135.36),
    ("但馬", 5, "TJH", 35.51, 134.79),
    ("鳥取", 6, "TTJ", 35.53, 134.17),
    ("米子", 6, "YGJ", 35.49, 133.24),
    ("出雲", 6, "IZO", 35.41, 132.89),
    ("隠岐", 6, "OKI", 36.18, 133.32),
    ("岡山", 6, "OKJ", 34.76, 133.86),
    ("広島", 6, "HIJ", 34.44, 132.92),
    ("石見", 6, "IWJ", 34.68, 131.79),
    ("山口宇部", 6, "UBJ", 33.93, 131.28),
    ("高松", 7, "TAK", 34.21, 134.02),
    ("徳島", 7, "TKS", 34.13, 134.61),
    ("松山", 7, "MYJ", 33.83, 132.70),
    ("高知", 7, "KCZ", 33.55, 133.67),
    ("北九州", 8, "KKJ", 33.85, 131.03),
    ("福岡", 8, "FUK", 33.59, 130.45),
    ("佐賀", 8, "HSG", 33.15, 130.30),
    ("対馬", 8, "TSJ", 34.28, 129.33),
    ("壱岐", 8, "IKI", 33.75, 129.79),
    ("五島福江", 8, "FUJ", 32.67, 128.83),
    ("長崎", 8, "NGS", 32.92, 129.91),
    ("大分", 8, "OIT", 33.48, 131.74),
    ("熊本", 8, "KMJ", 32.84, 130.86),
    ("宮崎", 8, "KMI", 31.88, 131.45),
    ("鹿児島", 8, "KOJ", 31.80, 130.72),
    ("種子島", 8, "TNE", 30.61, 130.99),
    ("屋久島", 8, "KUM", 30.39, 130.66),
    ("奄美大島", 8, "ASJ", 28.43, 129.71),
    ("喜界島", 8, "KKX", 28.32, 129.93),
    ("徳之島", 8, "TKN", 27.84, 128.88),
    ("沖永良部", 8, "OKE", 27.43, 128.71),
    ("与論", 8, "RNJ", 27.04, 128.40),
    ("沖縄", 9, "OKA", 26.20, 127.65),
    ("久米島", 9, "UEO", 26.36, 126.71),
    ("南大東", 9, "MMD", 25.85, 131.26),
    ("北大東", 9, "KTD", 25.94, 131.33),
    ("宮古", 9, "MMY", 24.78, 125.30),
    ("石垣", 9, "ISG", 24.34, 124.19),
    ("与那国", 9, "OGN", 24.47, 123.01),
]
# City-wide fare entries: no flight uses them; region 0 lists them only under "全国".
CITY_ENTRIES = ["東京", "大阪"]

# ---- Companies, in the order of the fare engine's company table ----------------------------------
COMPANIES = [
    ("JAL", "日本航空"),
    ("ANA", "全日空"),
    ("JAS", "日本エアシステム"),
    ("ANK", "エアーニッポン"),
    ("JTA", "日本トランスオーシャン航空"),
    ("NCA", "新中央航空"),
    ("JAC", "日本エアコミューター"),
    ("J-", "ジェイエア"),
    ("ORC", "オリエンタルエアブリッジ"),
    ("RAC", "琉球エアーコミューター"),
    ("ADK", "エアーニッポンネットワーク"),
    ("NAL", "中日本エアライン"),
    ("KOK", "旭伸航空"),
    ("TOH", "東邦航空"),
    ("HAC", "北海道エアシステム"),
    ("JEX", "ＪＡＬエクスプレス"),
    ("SKY", "スカイマークエアラインズ"),
    ("ADO", "北海道国際航空"),
]

# Aircraft by company: (types for long or busy routes, types for short or thin ones), and whether
# the fleet is propeller (slower).
FLEET = {
    "JAL": (["B747", "B777", "B767"], ["B767", "B737"], False),
    "ANA": (["B747", "B777", "B767"], ["A320", "A321", "B767"], False),
    "JAS": (["A300", "B777"], ["MD81", "MD87", "MD90"], False),
    "ANK": (["A320", "B737"], ["B737", "DHC8"], False),
    "JTA": (["B767", "B737"], ["B737"], False),
    "NCA": (["DO228"], ["DO228"], True),
    "JAC": (["SAAB", "DHC8"], ["SAAB", "YS11"], True),
    "J-": (["CRJ"], ["CRJ"], False),
    "ORC": (["DHC8"], ["DHC8"], True),
    "RAC": (["DHC8"], ["DHC6"], True),
    "ADK": (["DHC8"], ["DHC8"], True),
    "NAL": (["F50"], ["F50"], True),
    "KOK": (["BN2"], ["BN2"], True),
    "TOH": (["S76"], ["S76"], True),
    "HAC": (["SAAB"], ["SAAB"], True),
    "JEX": (["B737"], ["B737"], False),
    "SKY": (["B767"], ["B767"], False),
    "ADO": (["B767"], ["B767"], False),
}
AIRCRAFT = ["B747", "B777", "B767", "B737", "A300", "A320", "A321", "MD81", "MD87", "MD90", "DHC8",
            "DHC6", "SAAB", "YS11", "CRJ", "DO228", "F50", "BN2", "S76"]

# ---- Routes --------------------------------------------------------------------------------------
# (airport A, airport B, {company: departures per day in each direction}).
R = [
    ("東京／羽田", "札幌", {"JAL": 12, "ANA": 12, "JAS": 7, "ADO": 6, "SKY": 3}),
    ("東京／羽田", "大阪／伊丹", {"JAL": 12, "ANA": 12, "JAS": 5, "SKY": 3}),
    ("東京／羽田", "大阪／関西", {"JAL": 5, "ANA": 5, "JAS": 3}),
    ("東京／羽田", "福岡", {"JAL": 12, "ANA": 12, "JAS": 7, "SKY": 5}),
    ("東京／羽田", "沖縄", {"JAL": 8, "ANA": 8, "JTA": 4}),
    ("東京／羽田", "鹿児島", {"JAL": 5, "ANA": 5, "JAS": 4, "SKY": 2}),
    ("東京／羽田", "広島", {"ANA": 8, "JAS": 6}),
    ("東京／羽田", "熊本", {"JAL": 5, "ANA": 6, "JAS": 3}),
    ("東京／羽田", "長崎", {"JAL": 4, "ANA": 5}),
    ("東京／羽田", "宮崎", {"ANA": 6, "JAS": 5}),
    ("東京／羽田", "大分", {"ANA": 5, "JAS": 4}),
    ("東京／羽田", "佐賀", {"ANA": 5}),
    ("東京／羽田", "北九州", {"ANA": 4}),
    ("東京／羽田", "山口宇部", {"ANA": 5, "JAS": 3}),
    ("東京／羽田", "岡山", {"ANA": 5, "JAL": 4}),
    ("東京／羽田", "出雲", {"JAS": 4}),
    ("東京／羽田", "米子", {"ANA": 5}),
    ("東京／羽田", "鳥取", {"ANA": 4}),
    ("東京／羽田", "石見", {"ANA": 1}),
    ("東京／羽田", "高松", {"JAL": 5, "ANA": 5, "JAS": 3}),
    ("東京／羽田", "松山", {"JAL": 4, "ANA": 6}),
    ("東京／羽田", "高知", {"JAL": 4, "ANA": 5}),
    ("東京／羽田", "徳島", {"JAL": 4, "ANA": 3}),
    ("東京／羽田", "小松", {"JAL": 4, "ANA": 6}),
    ("東京／羽田", "富山", {"ANA": 6}),
    ("東京／羽田", "南紀白浜", {"JAS": 3}),
    ("東京／羽田", "函館", {"JAL": 4, "ANA": 4, "JAS": 3}),
    ("東京／羽田", "旭川", {"JAL": 3, "ANA": 2, "ADO": 2}),
    ("東京／羽田", "釧路", {"JAL": 3, "ANA": 3, "JAS": 1}),
    ("東京／羽田", "帯広", {"JAS": 4}),
    ("東京／羽田", "女満別", {"JAL": 3, "JAS": 2}),
    ("東京／羽田", "稚内", {"ANK": 1}),
    ("東京／羽田", "中標津", {"ANK": 1}),
    ("東京／羽田", "紋別", {"ANK": 1}),
    ("東京／羽田", "青森", {"JAL": 4, "JAS": 2}),
    ("東京／羽田", "三沢", {"JAS": 3}),
    ("東京／羽田", "秋田", {"JAL": 4, "ANA": 4}),
    ("東京／羽田", "山形", {"ANA": 1, "JAS": 1}),
    ("東京／羽田", "庄内", {"ANA": 4}),
    ("東京／羽田", "大館能代", {"ANA": 2}),
    ("東京／羽田", "八丈島", {"ANA": 3}),
    ("東京／羽田", "大島", {"ANK": 1}),
    ("東京／羽田", "三宅島", {"ANK": 1}),
    ("東京／羽田", "石垣", {"ANA": 1, "JTA": 1}),
    ("東京／羽田", "宮古", {"JTA": 1}),
    ("東京／羽田", "奄美大島", {"JAS": 1}),
    ("東京／成田", "大阪／伊丹", {"JAL": 2, "ANA": 2}),
    ("東京／成田", "名古屋", {"ANA": 1}),
    ("東京／成田", "札幌", {"JAL": 1, "ANA": 1}),
    ("東京／成田", "福岡", {"ANA": 1}),
    ("大阪／伊丹", "札幌", {"JAL": 5, "ANA": 5, "JAS": 3}),
    ("大阪／伊丹", "福岡", {"JAL": 5, "ANA": 5}),
    ("大阪／伊丹", "鹿児島", {"JAL": 3, "ANA": 4, "JAS": 3, "JEX": 2}),
    ("大阪／伊丹", "沖縄", {"JAL": 3, "ANA": 3}),
    ("大阪／伊丹", "熊本", {"ANA": 3, "JAS": 3}),
    ("大阪／伊丹", "長崎", {"ANA": 3, "JAL": 3}),
    ("大阪／伊丹", "宮崎", {"ANA": 4, "JAS": 2, "JEX": 3}),
    ("大阪／伊丹", "大分", {"ANA": 3, "JAS": 3}),
    ("大阪／伊丹", "佐賀", {"ANA": 2}),
    ("大阪／伊丹", "松山", {"ANK": 5, "JAC": 3}),
    ("大阪／伊丹", "高知", {"ANK": 5}),
    ("大阪／伊丹", "但馬", {"JAC": 2}),
    ("大阪／伊丹", "出雲", {"JAC": 5}),
    ("大阪／伊丹", "米子", {"JAC": 3}),
    ("大阪／伊丹", "隠岐", {"JAC": 1}),
    ("大阪／伊丹", "仙台", {"JAL": 4, "ANA": 4, "JAS": 2}),
    ("大阪／伊丹", "青森", {"JAL": 2, "JAS": 1}),
    ("大阪／伊丹", "秋田", {"ANA": 2, "JAL": 1}),
    ("大阪／伊丹", "花巻", {"JAL": 3}),
    ("大阪／伊丹", "山形", {"JAL": 2}),
    ("大阪／伊丹", "福島", {"ANK": 2}),
    ("大阪／伊丹", "新潟", {"JAL": 3, "ANA": 3}),
    ("大阪／伊丹", "松本", {"JAS": 1}),
    ("大阪／伊丹", "函館", {"ANA": 2, "JAL": 1}),
    ("大阪／伊丹", "女満別", {"JAS": 1}),
    ("大阪／伊丹", "釧路", {"ANA": 1}),
    ("大阪／伊丹", "奄美大島", {"JAL": 1, "JAS": 1}),
    ("大阪／関西", "札幌", {"JAL": 3, "ANA": 3, "JAS": 2}),
    ("大阪／関西", "福岡", {"ANA": 2, "JAL": 1}),
    ("大阪／関西", "沖縄", {"JAL": 3, "ANA": 3, "JTA": 2}),
    ("大阪／関西", "鹿児島", {"JAS": 2}),
    ("大阪／関西", "石垣", {"JTA": 1}),
    ("大阪／関西", "宮古", {"JTA": 1}),
    ("大阪／関西", "宮崎", {"JAS": 1, "JEX": 1}),
    ("大阪／関西", "仙台", {"J-": 2}),
    ("大阪／関西", "花巻", {"J-": 1}),
    ("大阪／関西", "函館", {"ANA": 1}),
    ("名古屋", "札幌", {"JAL": 4, "ANA": 4}),
    ("名古屋", "福岡", {"JAL": 5, "ANA": 5}),
    ("名古屋", "沖縄", {"JAL": 3, "ANA": 3, "JTA": 1}),
    ("名古屋", "鹿児島", {"JAS": 3, "ANA": 2}),
    ("名古屋", "宮崎", {"ANA": 2}),
    ("名古屋", "熊本", {"J-": 3}),
    ("名古屋", "長崎", {"ANA": 2}),
    ("名古屋", "大分", {"ANA": 2}),
    ("名古屋", "佐賀", {"ANA": 2}),
    ("名古屋", "松山", {"J-": 3}),
    ("名古屋", "高知", {"ANK": 3}),
    ("名古屋", "仙台", {"JAL": 3, "ANA": 3}),
    ("名古屋", "秋田", {"ANA": 2}),
    ("名古屋", "青森", {"J-": 2}),
    ("名古屋", "花巻", {"JAL": 2}),
    ("名古屋", "山形", {"J-": 2}),
    ("名古屋", "新潟", {"ANA": 3}),
    ("名古屋", "函館", {"ANA": 2, "JAS": 1}),
    ("名古屋", "旭川", {"ANA": 1}),
    ("名古屋", "釧路", {"ANA": 1}),
    ("名古屋", "女満別", {"ANA": 1}),
    ("名古屋", "石垣", {"JTA": 1}),
    ("名古屋", "宮古", {"JTA": 1}),
    ("名古屋", "南紀白浜", {"NAL": 2}),
    ("名古屋", "富山", {"NAL": 1}),
    ("札幌", "福岡", {"JAL": 3, "ANA": 3, "JAS": 2}),
    ("札幌", "沖縄", {"ANA": 1, "JTA": 1}),
    ("札幌", "広島", {"ANA": 2}),
    ("札幌", "岡山", {"JAS": 1}),
    ("札幌", "小松", {"ANA": 1}),
    ("札幌", "富山", {"ANA": 1}),
    ("札幌", "新潟", {"ANA": 2}),
    ("札幌", "仙台", {"JAL": 2, "ANA": 3}),
    ("札幌", "青森", {"JAS": 2}),
    ("札幌", "秋田", {"ANA": 2, "JAS": 1}),
    ("札幌", "花巻", {"JAL": 2}),
    ("札幌", "福島", {"ANA": 2}),
    ("札幌", "松本", {"JAS": 1}),
    ("札幌", "釧路", {"ANK": 2, "HAC": 3, "JAS": 1}),
    ("札幌", "稚内", {"ANK": 1, "ADK": 1, "HAC": 1}),
    ("札幌", "紋別", {"ANK": 1}),
    ("札幌", "女満別", {"ANK": 1, "ADK": 2, "JAS": 2}),
    ("札幌", "中標津", {"ANK": 2}),
    ("札幌", "函館", {"ANK": 2, "HAC": 4}),
    ("函館", "奥尻", {"HAC": 1}),
    ("函館", "旭川", {"HAC": 1}),
    ("福岡", "沖縄", {"JAL": 3, "ANA": 4, "JTA": 3}),
    ("福岡", "宮崎", {"JAC": 5}),
    ("福岡", "鹿児島", {"JAC": 3}),
    ("福岡", "五島福江", {"ORC": 4}),
    ("福岡", "対馬", {"ORC": 2, "ANK": 3}),
    ("福岡", "壱岐", {"ORC": 2}),
    ("福岡", "奄美大島", {"JAC": 1}),
    ("福岡", "屋久島", {"JAC": 1}),
    ("福岡", "石垣", {"JTA": 1}),
    ("福岡", "宮古", {"JTA": 1}),
    ("福岡", "仙台", {"ANA": 2, "JAL": 1}),
    ("福岡", "新潟", {"ANA": 1, "JAL": 1}),
    ("福岡", "花巻", {"J-": 1}),
    ("福岡", "青森", {"ANK": 1}),
    ("福岡", "小松", {"ANA": 2}),
    ("福岡", "富山", {"ANA": 1}),
    ("福岡", "松本", {"JAS": 1}),
    ("福岡", "高知", {"J-": 2}),
    ("福岡", "松山", {"JAC": 2}),
    ("福岡", "徳島", {"ANK": 1}),
    ("福岡", "出雲", {"JAC": 1}),
    ("長崎", "五島福江", {"ORC": 2, "ANK": 2}),
    ("長崎", "対馬", {"ANK": 2, "ORC": 1}),
    ("長崎", "壱岐", {"ORC": 2}),
    ("長崎", "沖縄", {"ANA": 1}),
    ("鹿児島", "奄美大島", {"JAC": 4, "JAS": 1}),
    ("鹿児島", "徳之島", {"JAC": 2, "JAS": 1}),
    ("鹿児島", "沖永良部", {"JAC": 2}),
    ("鹿児島", "与論", {"JAC": 1}),
    ("鹿児島", "喜界島", {"JAC": 2}),
    ("鹿児島", "種子島", {"JAC": 4}),
    ("鹿児島", "屋久島", {"JAC": 5}),
    ("鹿児島", "沖縄", {"JTA": 2, "JAC": 1}),
    ("鹿児島", "松山", {"JAC": 1}),
    ("鹿児島", "高知", {"JAC": 1}),
    ("鹿児島", "仙台", {"JAS": 1}),
    ("奄美大島", "喜界島", {"JAC": 2}),
    ("奄美大島", "徳之島", {"JAC": 1}),
    ("奄美大島", "沖永良部", {"JAC": 1}),
    ("奄美大島", "沖縄", {"RAC": 1}),
    ("与論", "沖縄", {"RAC": 1}),
    ("沖縄", "久米島", {"JTA": 4, "RAC": 2}),
    ("沖縄", "南大東", {"RAC": 2}),
    ("沖縄", "北大東", {"RAC": 1}),
    ("南大東", "北大東", {"RAC": 1}),
    ("沖縄", "宮古", {"JTA": 8}),
    ("沖縄", "石垣", {"JTA": 8, "ANA": 2}),
    ("沖縄", "与那国", {"RAC": 1}),
    ("石垣", "与那国", {"RAC": 2}),
    ("宮古", "石垣", {"RAC": 2}),
    ("沖縄", "広島", {"ANA": 1}),
    ("沖縄", "岡山", {"JAL": 1}),
    ("沖縄", "高松", {"ANA": 1}),
    ("沖縄", "松山", {"ANK": 1}),
    ("沖縄", "熊本", {"ANA": 1}),
    ("沖縄", "宮崎", {"ANA": 1}),
    ("沖縄", "小松", {"JTA": 1}),
    ("沖縄", "仙台", {"ANA": 1}),
    ("仙台", "小松", {"ANA": 1}),
    ("仙台", "広島", {"JAS": 1}),
    ("新潟", "佐渡", {"KOK": 3}),
    ("調布", "大島", {"NCA": 3}),
    ("調布", "新島", {"NCA": 3}),
    ("調布", "神津島", {"NCA": 2}),
    ("大島", "新島", {"NCA": 1}),
    ("八丈島", "青ヶ島", {"TOH": 1}),
]

# Routes flown only in some editions (seasonal or new), and frequency changes per edition.
SUMMER_ONLY = {("名古屋", "女満別"), ("大阪／伊丹", "女満別"), ("札幌", "紋別")}
FREQ_CHANGE = {
    2: {("東京／羽田", "札幌", "JAL"): -1, ("東京／羽田", "沖縄", "ANA"): -1, ("福岡", "沖縄", "JTA"): -1},
    3: {("東京／羽田", "福岡", "SKY"): 1, ("東京／羽田", "札幌", "ADO"): 1, ("大阪／伊丹", "沖縄", "JAL"): 1,
        ("名古屋", "札幌", "ANA"): -1},
}

EDITIONS = [
    # (valid to, name, minute offset applied to every timetable of the edition)
    (date(2026, 10, 24), "2026 summer", 0),
    (date(2027, 3, 27), "2026 winter", 5),
    (date(2099, 12, 31), "2027 summer", -5),
]
DATA_VALID_TO = date(2099, 12, 31)
FARE_VALID_FROM = [date(2026, 4, 1), date(2027, 4, 1)]

DAY0 = date(1899, 12, 30)


def day_number(d):
    return (d - DAY0).days


def fmt_date(d):
    return d.strftime("%Y/%m/%d")


# ---- Geometry and times --------------------------------------------------------------------------

POS = {a[0]: a for a in AIRPORTS}


def distance_km(a, b):
    _, _, _, la1, lo1 = POS[a]
    _, _, _, la2, lo2 = POS[b]
    p1, p2 = math.radians(la1), math.radians(la2)
    dp, dl = p2 - p1, math.radians(lo2 - lo1)
    h = math.sin(dp / 2) ** 2 + math.cos(p1) * math.cos(p2) * math.sin(dl / 2) ** 2
    return 2 * 6371 * math.asin(math.sqrt(h))


def block_minutes(a, b, company):
    km = distance_km(a, b)
    prop = FLEET[company][2]
    speed = 430 if prop else 720
    minutes = 18 + km / speed * 60
    if POS[b][4] < POS[a][4]:
        minutes *= 1.06  # westbound against the jet stream
    return max(25, int(round(minutes / 5.0)) * 5)


def hhmm(minutes):
    return (minutes // 60) * 100 + minutes % 60


# ---- Generation ----------------------------------------------------------------------------------


def fleet_type(company, km, freq, k):
    big, small, _ = FLEET[company]
    types = big if (km > 700 or freq >= 5) else small
    return types[k % len(types)]


def departures(n, duration, phase):
    """n departure times (minutes after midnight) spread over the day."""
    first = 7 * 60
    last = min(20 * 60 + 30, 22 * 60 - duration)
    if last < first:
        last = first
    if n == 1:
        return [first + int((last - first) * phase)]
    out = []
    step = (last - first) / n
    for i in range(n):
        out.append(int(first + step * (i + phase)))
    return out


class Numbers:
    """Flight numbers per company: a block per route, odd from A, even from B; 999 is never used,
    since the discount table reserves it for every flight of a route."""

    def __init__(self):
        self.next = {c: (100 if c in ("JAL", "ANA", "JAS") else 300 if c == "ANK" else 10) for c, _ in COMPANIES}
        self.blocks = {}

    def block(self, route, company, n):
        key = (route, company)
        if key not in self.blocks:
            size = max(10, ((2 * n + 9) // 10) * 10 + 10)
            start = self.next[company]
            if start <= 999 < start + size:
                start = 1000
            self.blocks[key] = start
            self.next[company] = start + size
        return self.blocks[key]


def remark_for(rng, company, route_idx, flight_idx):
    """Operating-day texts covering every form of the remark language."""
    forms = [
        "99:12/29-31;",                         # year-end days without service (range)
        "99:1/1-3",                             # ended by the end of the text
        "0:7/18-31,8/1-31;",                    # inclusion list: summer only
        "0:8/1-31&0000011;",                    # Fridays and Saturdays of August only
        "0:8/1-31&11;",                         # the same mask without its leading zeros
        "0:3/1-31&1000001,4/1-30&1000001;",     # weekends of March and April, mask then list
        "10:4/29,5/3-5;",                       # ten minutes later on holidays
        "-10:12/24,12/25;",                     # a negative shift
        "99:12/31;15:1/2,1/3;",                 # two groups: no service, then a shift
        "99:1/1;0:12/31,1/2;",                  # code 0 in an exception list cancels a weekday shift
        "99:12/30,12/31,1/1;",                  # single days over the year end
        "20:8/13-16;",                          # Obon shift
        "99:2/1-14,2/20;",                      # a range followed by a day
        "  99:5/6;  ",                          # blanks around the text are trimmed by the reader
    ]
    return forms[(route_idx * 7 + flight_idx * 3 + len(company)) % len(forms)]


def adjustments(rng, company, km, dep_minutes):
    """Weekday adjustments (1 = Sunday .. 7 = Saturday): 99 = no service, else minutes of shift."""
    adj = [0] * 8
    r = rng.random()
    if r < 0.03:
        adj[1] = adj[7] = 99           # business flight: not at the weekend
    elif r < 0.06:
        adj[7] = 99                    # not on Saturdays
    elif r < 0.08:
        adj[1] = 10                    # Sundays ten minutes later
    elif r < 0.10:
        adj[7] = -15                   # Saturdays a quarter of an hour earlier
    elif r < 0.11 and FLEET[company][2]:
        adj[3] = adj[5] = 99           # thin island service: not on Tuesdays and Thursdays
    elif r < 0.12:
        adj[2] = 5
        adj[6] = -5
    return adj


def generate_edition(k):
    valid_to, _, offset = EDITIONS[k - 1]
    rng = random.Random(1000 + k)
    numbers = Numbers()
    flights = []
    for ri, (a, b, carriers) in enumerate(R):
        if k == 2 and (a, b) in SUMMER_ONLY:
            continue
        km = distance_km(a, b)
        for ci, (company, n) in enumerate(carriers.items()):
            base = numbers.block((a, b), company, n)
            n = max(0, n + FREQ_CHANGE.get(k, {}).get((a, b, company), 0))
            if n == 0:
                continue
            for direction, (x, y) in enumerate(((a, b), (b, a))):
                duration = block_minutes(x, y, company)
                phase = ((ri * 0.618 + ci * 0.37 + direction * 0.29) % 1.0) * 0.8 + 0.1
                for i, dep in enumerate(departures(n, duration, phase)):
                    dep = max(6 * 60 + 30, dep + offset + rng.choice((-5, 0, 0, 5)))
                    dep = (dep // 5) * 5
                    arr = dep + duration
                    number = base + 2 * i + 1 + direction
                    adj = adjustments(rng, company, km, dep)
                    remark = ""
                    if rng.random() < 0.09:
                        remark = remark_for(rng, company, ri, i + direction)
                    flights.append({
                        "from": x, "to": y, "company": company, "number": number,
                        "dep": hhmm(dep), "arr": hhmm(arr),
                        "aircraft": fleet_type(company, km, n, i + ri),
                        "adjust": adj, "remark": remark, "order": (ri, direction, dep, ci),
                    })
    flights.sort(key=lambda f: f["order"])
    return flights


# ---- Fares ---------------------------------------------------------------------------------------

def fold(name):
    if name.startswith("東京"):
        return "東京"
    if name.startswith("大阪"):
        return "大阪"
    return name


def round_to(v, unit):
    return int(round(v / unit)) * unit


def base_fare(km):
    fare = 8000 + 21 * min(km, 900) + 14 * max(0, km - 900)
    return round_to(fare, 100)


SMALL = {"NCA", "ORC", "RAC", "ADK", "NAL", "KOK", "TOH", "HAC", "SKY", "ADO"}
ISLAND_KIND15 = {"奄美大島", "徳之島", "沖永良部", "与論", "喜界島"}
ISLAND_KIND10 = {"種子島", "屋久島", "隠岐"}


def fare_records(table):
    """One record per company and city pair flown; ANK routes also get ANA's record (the fare
    engine prices ANK flights from ANA's fares)."""
    rise = 1.0 if table == 1 else 1.03
    seen = {}
    for a, b, carriers in R:
        fa, fb = fold(a), fold(b)
        km = distance_km(a, b)
        for company in carriers:
            companies = [company] + (["ANA"] if company == "ANK" else [])
            for c in companies:
                key = (c, frozenset((fa, fb)))
                if key not in seen:
                    seen[key] = (fa, fb, c, km)
    records = []
    for (c, _), (fa, fb, _, km) in seen.items():
        if c in ("SKY", "ADO"):
            one_way = round_to(base_fare(km) * 0.7 * rise, 100)
        else:
            one_way = round_to(base_fare(km) * rise, 100)
        busy = round_to(one_way * 1.1, 100)
        off = round_to(one_way * 0.92, 100)
        kind = 0
        if c == "JAC" and (fa in ISLAND_KIND15 or fb in ISLAND_KIND15):
            kind = 15
        elif c == "JAC" and (fa in ISLAND_KIND10 or fb in ISLAND_KIND10):
            kind = 10
        if c in SMALL:
            amount2 = round_to(one_way * 1.8, 100)      # round trip, shown in row 14
            amount3 = round_to(one_way * 0.85, 10) if c == "RAC" else 0
            if c in ("ADK", "HAC", "SKY", "ADO"):
                amount2 = 0
        else:
            amount2, amount3 = busy, off
        if c == "J-":
            amount3 = round_to(one_way * 0.85, 100)     # 4-coupon book, per flight

        def g(p):
            return int(round(one_way * p / 10.0))
        grid = [g(0.55), g(0.6), g(0.6), g(0.65), g(0.65), g(0.7), g(0.7), g(0.75)]
        extra = g(0.8) if c in ("ANK", "J-") else 0
        records.append([fa, fb, c, kind, one_way, amount2, amount3] + grid + [extra, g(0.75), g(0.8)])
    # Group by company in the fare engine's order, then by route, so the file reads like a tariff.
    order = {c: i for i, (c, _) in enumerate(COMPANIES)}
    records.sort(key=lambda r: order[r[2]])
    return records


DISCOUNT_COMPANIES = ["JAL", "ANA", "JAS", "ANK", "JTA", "JAC", "JEX"]
DISCOUNT_YEARS = [2026, 2027, 2028]


def discount_records(edition_flights):
    rng = random.Random(77)
    out = []
    seen = set()
    for a, b, carriers in R:
        km = distance_km(a, b)
        for c in carriers:
            if c not in DISCOUNT_COMPANIES:
                continue
            one_way = base_fare(km)
            for x, y in ((a, b), (b, a)):
                for year in DISCOUNT_YEARS:
                    if (x, y, c, year) in seen:
                        continue
                    seen.add((x, y, c, year))
                    start, end = date(year, 4, 1), date(year + 1, 3, 31)
                    cal = round_to(one_way * (0.72 if year == 2026 else 0.74), 100)
                    cal2 = round_to(one_way * 1.7, 100) if km < 700 else 0
                    out.append([x, y, c, 999, 1, 0, 1, cal, cal2, fmt_date(start), fmt_date(end)])
    # Some flights of their own: the first and last flights of busy routes are cheaper still.
    busy = [f for f in edition_flights if f["company"] in DISCOUNT_COMPANIES]
    by_route = {}
    for f in busy:
        by_route.setdefault((f["from"], f["to"], f["company"]), []).append(f)
    codes = [(1, 1, 1), (2, 1, 1), (3, 2, 1), (1, 3, 0), (2, 0, 1)]
    for i, ((x, y, c), fl) in enumerate(sorted(by_route.items())):
        if len(fl) < 4:
            continue
        fl = sorted(fl, key=lambda f: f["dep"])
        km = distance_km(x, y)
        for f in (fl[0], fl[-1]):
            sel_c, sel_b, sel_a = codes[(i + f["number"]) % len(codes)]
            cal = round_to(base_fare(km) * 0.6, 100)
            for year in (2026, 2027):
                out.append([x, y, c, f["number"], sel_c, sel_b, sel_a, cal, 0,
                            fmt_date(date(year, 4, 1)), fmt_date(date(year + 1, 3, 31))])
    return out


# ---- Access, periods, help topics ----------------------------------------------------------------

CITY = {
    "札幌": ("札幌駅", 1040, 36, "JR快速エアポート"), "東京／羽田": ("浜松町駅", 490, 18, "東京モノレール"),
    "東京／成田": ("東京駅", 2940, 55, "JR成田エクスプレス"), "大阪／伊丹": ("梅田", 620, 30, None),
    "大阪／関西": ("天王寺駅", 1060, 35, "JR関空快速"), "名古屋": ("名古屋駅", 870, 40, None),
    "福岡": ("博多駅", 250, 5, "福岡市営地下鉄"), "沖縄": ("那覇市内", 0, 15, None),
    "鹿児島": ("鹿児島中央駅", 1250, 40, None), "仙台": ("仙台駅", 910, 40, None),
    "広島": ("広島バスセンター", 1300, 50, None), "新潟": ("新潟駅", 400, 25, None),
}


def access_records():
    out = []
    for name, region, iata, _, _ in AIRPORTS:
        place, bus_fare, minutes, rail = CITY.get(name, ("市街地", 0, 0, None))
        if bus_fare == 0:
            bus_fare = 300 + (len(name) * 170 + region * 90) % 900
            minutes = 15 + (len(name) * 7 + region * 3) % 30
        bus_fare = round_to(bus_fare, 10)
        out.append([name, 1, bus_fare // 10, "BS", f"リムジンバス　{place}まで約{minutes}分"])
        if rail:
            out.append([name, 2, round_to(bus_fare * 0.8, 10) // 10, "RL", f"{rail}　{place}まで約{max(5, minutes - 8)}分"])
        if iata and region in (1, 4, 5, 8, 9):
            taxi = round_to(minutes * 250 + 660, 10)
            out.append([name, 3, min(4095, taxi // 10), "TX", f"タクシー　{place}まで約{minutes}分"])
    return out


PERIODS = [
    (date(2026, 12, 26), date(2027, 1, 5), 2),
    (date(2027, 1, 12), date(2027, 2, 28), 3),
    (date(2027, 3, 20), date(2027, 4, 5), 2),
    (date(2027, 4, 28), date(2027, 5, 6), 2),
    (date(2027, 5, 10), date(2027, 6, 30), 3),
    (date(2027, 7, 17), date(2027, 8, 31), 2),
    (date(2027, 9, 1), date(2027, 9, 30), 1),
    (date(2027, 11, 24), date(2027, 12, 17), 3),
    (date(2027, 12, 25), date(2028, 1, 5), 2),
    (date(2028, 1, 11), date(2028, 2, 29), 3),
]

# Fare rows each company's procedure can fill (company index in table order -> rows).
HELP_ROWS = {
    1: [1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14], 2: [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14],
    3: [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14], 4: [1, 2, 3, 4, 5, 6, 7, 9, 10, 14],
    5: [1, 3, 4, 5, 6, 9, 10, 14], 6: [1, 14], 7: [1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 13, 14],
    8: [1, 3, 6, 7], 9: [1, 14], 10: [1, 6, 14], 11: [1], 12: [1, 14], 13: [1, 14], 14: [1, 14],
    15: [1], 16: [1, 3, 4, 5, 6, 7, 9, 10, 11, 14], 17: [1], 18: [1],
}
# Rows whose fares differ by company have topics of their own; the others share one per row.
COMPANY_SPECIFIC_ROWS = {8, 11, 12, 13}


def help_topic(company, row):
    if row in COMPANY_SPECIFIC_ROWS:
        return 400 + company * 20 + row
    return 300 + row


# ---- Output --------------------------------------------------------------------------------------

def write_tsv(name, header, rows):
    path = os.path.join(OUT, name)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("# " + "\t".join(header) + "\n")
        for row in rows:
            f.write("\t".join(str(v) for v in row) + "\n")


def codes_for(name, editions):
    """Seat-enquiry form codes: an airline's code where the airline or a partner flies."""
    groups = {1: {"JAL", "JTA", "JEX", "J-", "RAC"}, 2: {"ANA", "ANK"}, 3: {"JAS", "JAC"}}
    served = {1: False, 2: False, 3: False}
    for flights in editions:
        for f in flights:
            if name in (f["from"], f["to"]):
                for g, members in groups.items():
                    if f["company"] in members:
                        served[g] = True
    iata = POS[name][2]
    out = [iata if served[g] and iata else "" for g in (1, 2, 3)]
    out.append(iata if any(out) else "*")
    return out


def main():
    os.makedirs(OUT, exist_ok=True)
    editions = [generate_edition(k) for k in range(1, len(EDITIONS) + 1)]

    airports = []
    for name, region, _, _, _ in AIRPORTS:
        airports.append([name, region, 0] + codes_for(name, editions))
    for name in CITY_ENTRIES:
        airports.append([name, 0, 1, "", "", "", "*"])
    write_tsv("airports.tsv", ["name", "group", "flag", "code1", "code2", "code3", "code4"], airports)
    write_tsv("aircraft.tsv", ["name"], [[a] for a in AIRCRAFT])
    write_tsv("companies.tsv", ["code", "name"], COMPANIES)

    control = [["tt_valid_to_%d" % (k + 1), fmt_date(e[0])] for k, e in enumerate(EDITIONS)]
    control += [["tt_valid_to_%d" % k, 0] for k in range(len(EDITIONS) + 1, 5)]
    control.append(["tt_data_valid_to", fmt_date(DATA_VALID_TO)])
    control += [["fare_valid_from_%d" % (t + 1), fmt_date(d)] for t, d in enumerate(FARE_VALID_FROM)]
    write_tsv("control.tsv", ["key", "value"], control)

    help_rows = [[c, r, help_topic(c, r)] for c in sorted(HELP_ROWS) for r in HELP_ROWS[c]]
    write_tsv("help.tsv", ["company", "row", "topic"], help_rows)

    flight_header = ["from", "to", "company", "number", "dep", "arr", "aircraft", "sun", "mon", "tue", "wed",
                     "thu", "fri", "sat", "remark"]
    for k, flights in enumerate(editions, start=1):
        rows = []
        for f in flights:
            rows.append([f["from"], f["to"], f["company"], f["number"], "%04d" % f["dep"], "%04d" % f["arr"],
                         f["aircraft"]] + f["adjust"][1:8] + [f["remark"]])
        write_tsv("flights%d.tsv" % k, flight_header, rows)

    fare_header = ["from", "to", "company", "kind", "amount1", "amount2", "amount3", "g1_ord", "g1_peak",
                   "g2_ord", "g2_peak", "g3_ord", "g3_peak", "g4_ord", "g4_peak", "extra", "g5", "g6"]
    for t in (1, 2):
        write_tsv("fares%d.tsv" % t, fare_header, fare_records(t))

    write_tsv("discounts.tsv", ["from", "to", "company", "flight", "sel_c", "sel_b", "sel_a", "cal", "cal2",
                                "valid_from", "valid_to"], discount_records(editions[-1]))
    write_tsv("access.tsv", ["airport", "kind", "value", "code", "text"], access_records())
    write_tsv("periods.tsv", ["from", "to", "season"], [[fmt_date(a), fmt_date(b), s] for a, b, s in PERIODS])

    for k, flights in enumerate(editions, start=1):
        print("edition %d: %d flights" % (k, len(flights)), file=sys.stderr)


if __name__ == "__main__":
    main()
