// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_search.hpp"

#include <gtest/gtest.h>

#include <random>

#include "hotel/hotel_fixture.hpp"

namespace quorvel {
namespace {

using namespace quorvel::test;

HotelSearchState searching(int kind, const std::string& key) {
    HotelSearchState s;
    s.search_kind = kind;
    s.search_key_text = key;
    return s;
}

TEST(CheckText1, AcceptsByKindAndConvertsToFullWidth) {
    auto d = load_source(small_source());
    HotelSearchState s;
    std::string t = " 東京 ";
    EXPECT_TRUE(check_search_key(*d, s, kind_pref, t));  // alias, blanks around
    EXPECT_EQ(t, "東京都");
    EXPECT_EQ(s.search_key_text, "東京都");
    t = "東京／成田 ";
    EXPECT_TRUE(check_search_key(*d, s, kind_airport, t));
    EXPECT_EQ(t, "東京／成田 ");  // left as typed
    EXPECT_EQ(s.search_key_text, "東京／成田　");
    t = "東京/羽田";  // half-width slash: not the airport's name
    EXPECT_FALSE(check_search_key(*d, s, kind_airport, t));
    EXPECT_EQ(s.search_kind, kind_airport);
    EXPECT_EQ(s.search_key_text, "東京／成田　");  // unchanged on refusal
    t = "  ";
    EXPECT_TRUE(check_search_key(*d, s, kind_name, t));
    EXPECT_EQ(s.search_key_text, "　　");
    t = "ｲﾝ";
    EXPECT_TRUE(check_search_key(*d, s, kind_name, t));
    EXPECT_EQ(s.search_key_text, "イン");
    t = "";
    EXPECT_FALSE(check_search_key(*d, s, kind_free, t));
    auto empty = std::make_unique<HotelData>();  // hotel data not loaded
    t = "東京都";
    EXPECT_FALSE(check_search_key(*empty, s, kind_pref, t));
}

TEST(SetStart, HistoryMovesTheKeyToTheTopAndDropsTheOldest) {
    HotelSearchState s;
    KeyHistory prefs, airports;
    const auto remember = [&](int kind, const char* key) {
        remember_search_key(s, prefs, airports, kind, key);
    };
    for (const char* k : {"a", "b", "c", "d", "e"}) remember(kind_pref, k);
    EXPECT_EQ(prefs[1], "e");
    EXPECT_EQ(prefs[5], "a");
    remember(kind_pref, "f");  // a sixth key pushes out the oldest
    EXPECT_EQ(prefs[1], "f");
    EXPECT_EQ(prefs[5], "b");
    remember(kind_pref, " c");  // found trimmed at row 4: moves to the top as typed
    EXPECT_EQ(prefs[1], " c");
    EXPECT_EQ(prefs[2], "f");
    EXPECT_EQ(prefs[5], "b");
    remember(kind_pref, "c");  // at row 1 already: not rewritten
    EXPECT_EQ(prefs[1], " c");
    remember(kind_name, "x");
    EXPECT_EQ(s.picked_text, "x");
    EXPECT_EQ(prefs[1], " c");
    remember(kind_airport, "東京／羽田");
    EXPECT_EQ(airports[1], "東京／羽田");
}

TEST(SelData, AirportSearchFoldsNaritaAndKansaiAndTrimsWideBlanks) {
    auto d = load_source(small_source());
    EXPECT_EQ(search_hotels(*d, searching(kind_airport, "東京／成田"), 500).hotel_hit_list,
              (std::vector<int>{2}));
    EXPECT_EQ(search_hotels(*d, searching(kind_airport, "東京／羽田"), 500).hotel_hit_list,
              (std::vector<int>{2}));
    EXPECT_EQ(search_hotels(*d, searching(kind_airport, "大阪／関西"), 500).hotel_hit_list,
              (std::vector<int>{4}));
    EXPECT_EQ(search_hotels(*d, searching(kind_airport, "　東京／羽田　"), 500).hotel_hit_count(), 1);
    EXPECT_EQ(search_hotels(*d, searching(kind_pref, "大阪府"), 500).hotel_hit_list,
              (std::vector<int>{4, 5}));
    EXPECT_EQ(search_hotels(*d, searching(kind_station, "駅徒歩"), 500).hotel_hit_list,
              (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(search_hotels(*d, searching(kind_district, "な"), 500).hotel_hit_list, (std::vector<int>{5}));
    // The free keyword also looks at the remark.
    EXPECT_EQ(search_hotels(*d, searching(kind_free, "△"), 500).hotel_hit_list, (std::vector<int>{4}));
    EXPECT_EQ(search_hotels(*d, searching(kind_free, "千葉"), 500).hotel_hit_list, (std::vector<int>{3}));
}

TEST(SelData, MaxKensuuCutAndDistrictsSeenUpToIt) {
    HotelSource s = small_source();
    s.hotels.clear();
    for (int i = 0; i < 800; ++i) {
        HotelSourceHotel h;
        h.pref = 2, h.airport = 2, h.district = 1 + i % 5;
        h.name = "H" + std::to_string(i);
        s.hotels.push_back(h);
    }
    auto d = load_source(s);
    auto hits = search_hotels(*d, searching(kind_pref, "東京都"), 500);
    ASSERT_EQ(hits.hotel_hit_count(), 500);
    EXPECT_EQ(hits.hotel_hit_list.back(), 500);
    EXPECT_EQ(hits.result_district_count(), 5);
    // The hit that reaches the limit is listed but its district is not collected.
    hits = search_hotels(*d, searching(kind_pref, "東京都"), 3);
    EXPECT_EQ(hits.hotel_hit_list, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(hits.result_district, (std::vector<std::string>{"すすきの", "新宿"}));
    EXPECT_EQ(search_hotels(*d, searching(kind_pref, "東京都"), 0).hotel_hit_count(),
              500);  // below 1 reads as 500
    // Refinement: only the chosen districts are hits, but every matching hotel's district is collected.
    HotelSearchState st = searching(kind_pref, "東京都");
    st.district_filter = 1;
    st.filter_district = {"", " 梅田 "};
    hits = search_hotels(*d, st, 9999);
    EXPECT_EQ(hits.hotel_hit_count(), 160);
    EXPECT_EQ(hits.hotel_hit_list.front(), 4);
    EXPECT_EQ(hits.result_district_count(), 5);
}

TEST(SelData, UnmatchedUserHotelsNeverMatchEvenWithA99thAirportRow) {
    HotelSource s = small_source();
    while (s.airports.size() < 99) s.airports.emplace_back("空港" + std::to_string(s.airports.size() + 1), 1);
    auto d = load_source(s);
    const std::string csv =
        "\"無い県\",\"無い空港\",\"x\",\"迷子ホテル\"\r\n\"東京都\",\"空港99\",\"y\",\"正しい99\"\r\n";
    load_user_hotel(as_bytes(utf8_to_sjis(csv).value()), *d);
    copy_user_hotel(*d);
    EXPECT_EQ(d->hotel_airport[6], 99);
    EXPECT_EQ(d->hotel_airport[7], 99);
    EXPECT_EQ(search_hotels(*d, searching(kind_airport, "空港99"), 500).hotel_hit_list,
              (std::vector<int>{7}));
    EXPECT_EQ(search_hotels(*d, searching(kind_free, "空港99"), 500).hotel_hit_list, (std::vector<int>{7}));
    EXPECT_EQ(search_hotels(*d, searching(kind_name, "迷子"), 500).hotel_hit_list, (std::vector<int>{6}));
    EXPECT_EQ(search_hotels(*d, searching(kind_pref, "東京都"), 500).hotel_hit_list,
              (std::vector<int>{2, 7}));
}

TEST(SelData, MoreThan500DistrictsAreCutAndFlagged) {
    HotelSource s = small_source();
    s.districts.clear();
    s.hotels.clear();
    for (int i = 1; i <= 700; ++i) {
        s.districts.push_back("地区" + std::to_string(i));
        HotelSourceHotel h;
        h.pref = 1, h.airport = 1, h.district = i, h.name = "H";
        s.hotels.push_back(h);
    }
    auto d = load_source(s);
    const auto hits = search_hotels(*d, searching(kind_name, "H"), 9999);
    EXPECT_EQ(hits.hotel_hit_count(), 700);
    EXPECT_EQ(hits.result_district_count(), 500);
    EXPECT_TRUE(hits.result_district_truncated);
}

// The list's exchange sort step by step on the text keys, with its literal exchanges: the oracle
// of sort_hotel.
void exchange_sort_literal(const HotelData& d, std::vector<int>& list, const std::string& key) {
    std::vector<std::string> key1(static_cast<std::size_t>(hotel_bounds::hotels) + 1), key2(key1.size());
    for (int h : list) std::tie(key1[h], key2[h]) = hotel_sort_keys(d, h, key);
    const std::size_t count = list.size();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        int cur = list[i];
        for (std::size_t j = i + 1; j < count; ++j) {
            const int h = list[j];
            const auto c = static_cast<std::size_t>(cur), hh = static_cast<std::size_t>(h);
            if (key1[c] > key1[hh] || (key1[c] == key1[hh] && key2[c] > key2[hh])) {
                std::swap(list[i], list[j]);
                cur = list[i];
            }
        }
    }
}

TEST(SortHotel, SameOrderAsTheExchangeSortForEveryKeyOnRandomTies) {
    std::mt19937 rng(20040107);
    const char* keys[] = {"ホテル都道府県", "ホテル空港",   "ホテル詳細", "ホテル名",
                          "ホテル電話",     "ホテル部屋数", "ホテル料金"};
    HotelSource s = small_source();
    s.districts.clear();
    for (int i = 1; i <= 30; ++i) s.districts.push_back("D" + std::to_string(i));
    for (int round = 0; round < 6; ++round) {
        s.hotels.clear();
        const int n = round < 3 ? 40 : 600;
        for (int i = 0; i < n; ++i) {
            HotelSourceHotel h;
            h.pref = 1 + static_cast<int>(rng() % 4), h.airport = 1 + static_cast<int>(rng() % 5);
            h.district = 1 + static_cast<int>(rng() % (round % 3 == 0 ? 2 : 30));
            h.name = "N" + std::to_string(rng() % 7);  // many equal names
            h.tel = rng() % 3 == 0 ? "" : "0" + std::to_string(rng() % 5);
            h.rooms = rng() % 4 == 0 ? "" : std::to_string(rng() % 30);
            h.price = rng() % 4 == 0 ? "" : "\\" + std::to_string(1000 * (rng() % 6));
            s.hotels.push_back(h);
        }
        auto d = load_source(s);
        for (const char* key : keys) {
            std::vector<int> start(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i) start[i] = i + 1;
            std::shuffle(start.begin(), start.end(), rng);
            if (round == 5) std::reverse(start.begin(), start.end());
            std::vector<int> fast = start, oracle = start;
            sort_hotel(*d, fast, key);
            exchange_sort_literal(*d, oracle, key);
            EXPECT_EQ(fast, oracle) << key << " round " << round;
        }
    }
}

TEST(SortHotel, ReversedRanksTakeTheExactPathToo) {
    // Input close to reversed exhausts the fast path's exchange budget; the order must not change.
    std::vector<int> items, ranks;
    for (int i = 0; i < 300; ++i) items.push_back(i), ranks.push_back((300 - i) / 3);
    std::vector<int> oracle = items, oracle_ranks = ranks;
    for (std::size_t i = 0; i + 1 < oracle.size(); ++i)
        for (std::size_t j = i + 1; j < oracle.size(); ++j)
            if (oracle_ranks[j] < oracle_ranks[i])
                std::swap(oracle[i], oracle[j]), std::swap(oracle_ranks[i], oracle_ranks[j]);
    exchange_sort_by_rank(items, ranks);
    EXPECT_EQ(items, oracle);
}

TEST(SortHotel, KeysPutMissingValuesLast) {
    auto d = load_source(small_source());
    EXPECT_EQ(hotel_sort_keys(*d, 3, "ホテル電話").first, "9999999999999");
    EXPECT_EQ(hotel_sort_keys(*d, 3, "ホテル部屋数").first, "99999");
    EXPECT_EQ(hotel_sort_keys(*d, 2, "ホテル部屋数").first, "00300");
    EXPECT_EQ(hotel_sort_keys(*d, 5, "ホテル料金").first, "999999");
    EXPECT_EQ(hotel_sort_keys(*d, 1, "ホテル料金").first, "006800");
    EXPECT_EQ(hotel_sort_keys(*d, 4, "ホテル都道府県").first, "00000808004");  // (4*100+4)*2000+4
    EXPECT_EQ(hotel_sort_keys(*d, 4, "ホテル空港").first, "00000408004");      // (4*50+4)*2000+4
    EXPECT_EQ(hotel_sort_keys(*d, 4, "ホテル詳細").first, "00000020404");      // (4*50+4)*100+4
    std::vector<int> hits{1, 2, 3, 4, 5};
    sort_hotel(*d, hits, "ホテル料金");
    EXPECT_EQ(hits, (std::vector<int>{1, 2, 4, 3, 5}));
}

TEST(HotelGrid, CellsColoursHeightsAndTitle) {
    auto d = load_source(small_source());
    const auto cells = hotel_cell_texts(*d, 2);
    EXPECT_EQ(cells[0], "新宿");
    EXPECT_EQ(cells[3], "300");
    EXPECT_EQ(format_rooms(" 0120 "), "120");
    EXPECT_EQ(format_rooms("0"), "");
    EXPECT_EQ(format_rooms("約100"), "約100");
    EXPECT_EQ(format_rooms(""), "");
    EXPECT_EQ(hotel_row_colour(*d, 1), link_colour);   // site code
    EXPECT_EQ(hotel_row_colour(*d, 2), link_colour);   // reservation query
    EXPECT_EQ(hotel_row_colour(*d, 3), plain_colour);  // nothing
    EXPECT_EQ(grid_headings("ホテル料金")[5], "▼ 料金(ｼﾝｸﾞﾙ)");
    EXPECT_EQ(grid_headings("ホテル都道府県")[0], "地区");
    // 30 wide characters in 1080 twips (6 per line) need five lines.
    std::array<std::string, 7> row{};
    row[6] = std::string();
    for (int i = 0; i < 30; ++i) row[6] += "あ";
    std::array<int, 7> widths{900, 1800, 1170, 700, 1600, 900, 1080};
    EXPECT_EQ(hotel_row_height(row, widths), 945);
    row[6] = "あいうえおかき";
    EXPECT_EQ(hotel_row_height(row, widths), 405);
    row[6].clear();
    EXPECT_EQ(hotel_row_height(row, widths), 225);
    widths[1] = 100;  // narrower than one character
    row[1] = "ab";
    EXPECT_EQ(hotel_row_height(row, widths), 405);
    EXPECT_EQ(hotel_title_line(kind_pref, "東京都", 12), "都道府県別検索：東京都 地区 (12件)");
    EXPECT_EQ(hotel_title_line(kind_airport, "東京／羽田"), "空港別検索：東京／羽田 空港");
    EXPECT_EQ(hotel_title_line(kind_free, "駅", 1), "フリーキーワード検索：駅 (1件)");
}

TEST(HotelPages, AddressesAndButtons) {
    auto d = load_source(small_source());
    const HotelHosts hosts{"info.example", "https://rsv.example/", "best.example"};
    auto a = hotel_page_addresses(*d, 1, HotelPage::info, hosts);
    EXPECT_EQ(a[0], "http://info.example/HOTEL/101/101.html");
    EXPECT_EQ(a[1], "");
    EXPECT_EQ(a[2], "http://a.example/");
    a = hotel_page_addresses(*d, 1, HotelPage::reserve, hosts);
    EXPECT_EQ(a[0], "https://rsv.example/my/ry_kensaku.k1?f_no=101");
    a = hotel_page_addresses(*d, 2, HotelPage::reserve, hosts);
    EXPECT_EQ(a[1], "http://best.example/best/s?hid=12");
    EXPECT_EQ(hotel_page_buttons(*d, 1), std::make_pair(true, true));
    EXPECT_EQ(hotel_page_buttons(*d, 2), std::make_pair(true, true));
    EXPECT_EQ(hotel_page_buttons(*d, 3), std::make_pair(false, false));
    // A home page equal to the "ベストリザーブ" address is opened once.
    HotelSource s = small_source();
    s.hotels[4].reservation_query = "q";
    s.hotels[4].remark = "http://best.example/best/s?q";
    auto e = load_source(s);
    a = hotel_page_addresses(*e, 5, HotelPage::info, hosts);
    EXPECT_EQ(a[1], "");
    EXPECT_EQ(a[2], "http://best.example/best/s?q");
    EXPECT_EQ(hotel_page_buttons(*e, 5), std::make_pair(true, false));
    EXPECT_TRUE(reservation_notice_due(2));
    EXPECT_FALSE(reservation_notice_due(3));
    // Hosts the deployment has not configured open nothing; the home page still opens.
    a = hotel_page_addresses(*d, 1, HotelPage::info, HotelHosts{});
    EXPECT_EQ(a[0], "");
    EXPECT_EQ(a[2], "http://a.example/");
    EXPECT_EQ(hotel_page_addresses(*d, 2, HotelPage::reserve, HotelHosts{})[1], "");
    // What the file calls a home page goes to the browser only as a web address.
    s.hotels[4].remark = "評判||httpd --load-extension=x";
    auto f = load_source(s);
    EXPECT_EQ(hotel_page_addresses(*f, 5, HotelPage::info, hosts)[2], "");
}

}  // namespace
}  // namespace quorvel
