// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_reader.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "common/progress.hpp"
#include "hotel/hotel_fixture.hpp"

namespace quorvel {
namespace {

using namespace quorvel::test;

struct RecordingProgress : Progress {
    std::vector<int> values;
    int maximum = -1;
    void set_range(int, int max) override { maximum = max; }
    void set_value(int v) override { values.push_back(v); }
};

TEST(CnvRecordNo, DecodesWholeAndRefusesOutOfRange) {
    EXPECT_EQ(decode_record_number(0x3F800000), 1.0);
    EXPECT_EQ(decode_record_number(0x466A6000), 15000.0);
    EXPECT_EQ(decode_record_number(0x47C34F80), 99999.0);
    EXPECT_EQ(decode_record_number(0x3F000000), 0.0);                              // 0.5
    EXPECT_EQ(decode_record_number(static_cast<std::int32_t>(0xBF800000u)), 0.0);  // -1
    EXPECT_EQ(decode_record_number(0x4B800000), 0.0);                              // 2^24
    for (int n : {1, 2, 3, 1000, 15000, 99999}) EXPECT_EQ(decode_record_number(record_no_pattern(n)), n);
}

TEST(HotelReader, LoadsEveryTableOfAWrittenFile) {
    RecordingProgress progress;
    auto data = std::make_unique<HotelData>();
    const std::string bytes = write_hotel_file(small_source()).value();
    const auto report = load_hotel_data(as_bytes(bytes), *data, &progress);
    ASSERT_TRUE(report.clean()) << report.faults.front().message;
    const HotelData& d = *data;
    EXPECT_EQ(d.hotel_loaded, 1);
    EXPECT_EQ(d.pref_count, 4);
    EXPECT_EQ(d.pref_alias[2], "東京");
    EXPECT_EQ(d.area_count, 3);
    EXPECT_EQ(d.area_name[0], "全国");
    EXPECT_EQ(d.area_name[2], "関東");
    EXPECT_EQ(d.area_caption[9], "沖縄エリア");
    EXPECT_EQ(d.airport_count, 5);
    EXPECT_EQ(d.airport_area[5], 5);
    EXPECT_EQ(d.district_count, 5);
    EXPECT_EQ(d.hotel_count, 5);
    EXPECT_EQ(d.hotel_base_count, 5);
    EXPECT_EQ(d.hotel_site_code[1], 101);
    EXPECT_EQ(d.hotel_pref[4], 4);
    EXPECT_EQ(d.hotel_airport[5], 5);
    EXPECT_EQ(d.hotel_district[2], "新宿");
    EXPECT_EQ(d.hotel_name[3], "成田エアポートイン");
    EXPECT_EQ(d.pref_hotel_count[4], 2);
    EXPECT_EQ(d.airport_hotel_count[1], 1);
    EXPECT_EQ(d.hotel_tel[3], "");
    EXPECT_EQ(d.hotel_reservation_query[2], "hid=12");
    EXPECT_EQ(d.inquiry_count, 1);
    EXPECT_EQ(d.inquiry_url[1], "http://inq.example/hokkaido");
    // Remarks: note only with "||", home page from "http".
    EXPECT_EQ(d.hotel_note[1], "○");
    EXPECT_EQ(d.hotel_url[1], "http://a.example/");
    EXPECT_EQ(d.hotel_note[2], "");  // "◎" without "||"
    EXPECT_EQ(d.hotel_note[4], "△");
    EXPECT_EQ(d.hotel_url[4], "");
    EXPECT_EQ(d.hotel_url[5], "http://nanba.example/");
    // Prices: currency with yen sign, leading digits without, a yen sign alone is 0.
    EXPECT_EQ(d.hotel_price_value[1], 6800);
    EXPECT_EQ(d.hotel_price_value[2], 8000);
    EXPECT_EQ(d.hotel_price_value[4], 12000);
    EXPECT_EQ(d.hotel_price_value[5], 0);
    // The bar runs over the blocks and moves before sections 2, 3, 4 and 11-18 only.
    EXPECT_EQ(progress.maximum, static_cast<int>(bytes.size() / 1024));
    EXPECT_EQ(progress.values.size(), 11u);
    EXPECT_EQ(progress.values.front(), d.section_block[2]);
    EXPECT_EQ(progress.values.back(), d.section_block[18]);
}

TEST(HotelReader, AreasAreNumberedInOrderOfFirstAppearanceRunByRun) {
    HotelSource s = small_source();
    s.prefs = {{"A", "p1", ""}, {"B", "p2", ""}, {"A", "p3", ""}, {"A", "p4", ""}};
    auto d = load_source(s);
    EXPECT_EQ(d->area_count, 3);
    EXPECT_EQ(d->area_name[1], "A");
    EXPECT_EQ(d->area_name[2], "B");
    EXPECT_EQ(d->area_name[3], "A");
}

RawHotelFile two_hotels() {
    RawHotelFile f;
    f.sections[1] = i32(1) + text("関東") + text("東京都") + text("東京");
    f.sections[2] = i32(0);
    f.sections[3] = i32(1) + text("東京／羽田") + "04";
    f.sections[4] = i32(1) + text("新宿");
    f.sections[11] =
        i32(2) + i32(0) + i32((1 * 100 + 1) * 3000 + 1) + i32(7 * 3000 + 5) + i32((1 * 100 + 1) * 3000 + 1);
    f.sections[12] = rec(2) + text("二番") + rec(1) + text("一番");
    for (int s = 13; s <= 18; ++s) f.sections[s] = end_mark();
    f.sections[19] = i32(0);
    f.sections[20] = end_mark();
    return f;
}

TEST(HotelReader, KeyedSectionsInAnyOrderLastEntryWins) {
    RawHotelFile f = two_hotels();
    f.sections[13] = rec(2) + text("tel2") + rec(1) + text("old") + rec(1) + text("tel1") + end_mark();
    f.sections[16] = rec(2) + text("\\5,000") + rec(2) + text("7000円") + end_mark();
    f.sections[17] = rec(1) + text("http駅前||http://x.example/") + end_mark();
    auto d = std::make_unique<HotelData>();
    const std::string bytes = f.build();
    const auto report = load_hotel_data(as_bytes(bytes), *d);
    ASSERT_TRUE(report.clean()) << report.faults.front().message;
    EXPECT_EQ(d->hotel_name[1], "一番");
    EXPECT_EQ(d->hotel_site_code[2], 7);
    EXPECT_EQ(d->hotel_tel[1], "tel1");
    EXPECT_EQ(d->hotel_tel[2], "tel2");
    EXPECT_EQ(d->hotel_price[2], "7000円");
    EXPECT_EQ(d->hotel_price_value[2], 7000);
    EXPECT_EQ(d->hotel_price_value[1], 0);
    // "http" in the remark part already starts the home page.
    EXPECT_EQ(d->hotel_note[1], "http駅前");
    EXPECT_EQ(d->hotel_url[1], "http駅前||http://x.example/");
    EXPECT_EQ(d->hotel_rooms[1], "");
}

TEST(HotelReader, EntriesMeantForNoHotelAreSkippedAndReadingGoesOn) {
    // 0, a fraction (1.5) and a row within the table but beyond the index name no hotel of the file.
    const std::string for_no_hotel = i32(0) + text("x") + i32(0x3FC00000) + text("y") + rec(3) + text("z");
    RawHotelFile f = two_hotels();
    f.sections[12] = for_no_hotel.substr(0, 4) + text("x") + rec(2) + text("二番");
    for (int s = 13; s <= 18; ++s)
        f.sections[s] =
            rec(1) + text("a") + for_no_hotel + rec(2) + text("b" + std::to_string(s)) + end_mark();
    // Each remark entry sets the note and the home page it has; one without them leaves them.
    f.sections[17] =
        rec(1) + text("駅前||http://a.example/") + for_no_hotel + rec(1) + text("改装中") + end_mark();
    f.sections[20] = for_no_hotel + rec(2) + text("q=2") + end_mark();
    const std::string bytes = f.build();
    auto d = std::make_unique<HotelData>();
    const auto report = load_hotel_data(as_bytes(bytes), *d);
    EXPECT_TRUE(report.clean()) << report.faults.front().message;
    EXPECT_EQ(d->hotel_name[2], "二番");
    EXPECT_EQ(d->hotel_name[1], "");
    EXPECT_EQ(d->hotel_tel[2], "b13");
    EXPECT_EQ(d->hotel_address[2], "b18");
    EXPECT_EQ(d->hotel_reservation_query[2], "q=2");
    EXPECT_EQ(d->hotel_reservation_query[3], "");  // the row after the index stays empty for a user hotel
    EXPECT_EQ(d->hotel_remark[1], "改装中");
    EXPECT_EQ(d->hotel_note[1], "駅前");
    EXPECT_EQ(d->hotel_url[1], "http://a.example/");
}

TEST(HotelReader, DamageEndsOnlyTheStepThatMeetsIt) {
    {  // a keyed section without its end marker runs into the end of the file and stops there
        RawHotelFile f = two_hotels();
        f.sections[20] = rec(1) + text("q=1") + rec(2);
        const std::string bytes = f.build();
        auto d = std::make_unique<HotelData>();
        const auto report = load_hotel_data(as_bytes(bytes), *d);
        EXPECT_EQ(d->hotel_reservation_query[1], "q=1");
        EXPECT_EQ(d->hotel_count, 2);
        ASSERT_EQ(report.faults.size(), 1u);
        EXPECT_NE(report.faults[0].message.find("reservation"), std::string::npos);
    }
    {  // a record number beyond the hotel table ends that section; later sections still load
        RawHotelFile f = two_hotels();
        f.sections[13] = rec(1) + text("t1") + rec(hotel_bounds::hotels + 1) + text("x") + rec(2) +
                         text("t2") + end_mark();
        f.sections[14] = rec(2) + text("50") + end_mark();
        const std::string bytes = f.build();
        auto d = std::make_unique<HotelData>();
        const auto report = load_hotel_data(as_bytes(bytes), *d);
        ASSERT_EQ(report.faults.size(), 1u) << report.faults.back().message;
        EXPECT_NE(report.faults[0].message.find("telephone"), std::string::npos);
        EXPECT_EQ(d->hotel_tel[1], "t1");
        EXPECT_EQ(d->hotel_tel[2], "");
        EXPECT_EQ(d->hotel_rooms[2], "50");
    }
    {  // counts beyond a bound read nothing of that table
        RawHotelFile f = two_hotels();
        f.sections[1] = i32(51);
        f.sections[4] = i32(3001);
        f.sections[11] = i32(15001);
        const std::string bytes = f.build();
        auto d = std::make_unique<HotelData>();
        const auto report = load_hotel_data(as_bytes(bytes), *d);
        EXPECT_EQ(report.faults.size(), 3u);
        EXPECT_EQ(d->pref_count, 0);
        EXPECT_EQ(d->district_count, 0);
        EXPECT_EQ(d->hotel_count, 0);
        EXPECT_EQ(d->airport_count, 1);
    }
    {  // a prefecture row beyond the table in a location value
        RawHotelFile f = two_hotels();
        f.sections[11] = i32(2) + i32(0) + i32(3000) + i32(0) + i32((51 * 100) * 3000);
        const std::string bytes = f.build();
        auto d = std::make_unique<HotelData>();
        EXPECT_FALSE(load_hotel_data(as_bytes(bytes), *d).clean());
        EXPECT_EQ(d->hotel_base_count, 1);
    }
    {  // a section that starts beyond the end of the file
        RawHotelFile f = two_hotels();
        std::string bytes = f.build();
        const std::string far = i32(100000);
        bytes.replace(bytes.size() - 1024 + 2 * 4, 4, far);  // section 3
        auto d = std::make_unique<HotelData>();
        EXPECT_EQ(load_hotel_data(as_bytes(bytes), *d).faults.size(), 1u);
        EXPECT_EQ(d->airport_count, 0);
        EXPECT_EQ(d->pref_count, 1);
        EXPECT_EQ(d->hotel_count, 2);
    }
}

TEST(HotelReader, EveryTruncationAndByteFlipEndsCleanly) {
    // One table set for all rounds: loading over earlier contents must be as safe as loading fresh.
    const std::string bytes = write_hotel_file(small_source()).value();
    auto d = std::make_unique<HotelData>();
    for (std::size_t n = 0; n < bytes.size(); n += 97) {
        const auto report = load_hotel_data(as_bytes(std::string_view(bytes).substr(0, n)), *d);
        EXPECT_FALSE(report.clean()) << n;
        EXPECT_EQ(d->hotel_loaded, 1);
    }
    for (std::size_t n = 0; n < bytes.size(); n += 13) {
        std::string damaged = bytes;
        damaged[n] = static_cast<char>(damaged[n] ^ 0xA5);
        load_hotel_data(as_bytes(damaged), *d);
        EXPECT_LE(d->hotel_count, hotel_bounds::file_hotels);
        EXPECT_LE(d->pref_count, hotel_bounds::prefs);
    }
}

TEST(UserHotelFile, FieldsQuotesAndMissingOnes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(split_user_hotel_line(R"("a","b,c","")"), (V{"a", "b,c", ""}));
    EXPECT_EQ(split_user_hotel_line(R"(  plain  ,"x""y",3)"), (V{"plain", "x\"y", "3"}));
    EXPECT_EQ(split_user_hotel_line(R"("a",)"), (V{"a", ""}));
    EXPECT_EQ(split_user_hotel_line(R"("open)"), (V{"open"}));
    EXPECT_EQ(split_user_hotel_line("1,2,3,4,5,6,7,8,9,10,11,12").size(), 10u);
}

TEST(UserHotelFile, LoadsRowsAndResolvesThemOr99) {
    auto d = load_source(small_source());
    const std::string csv =
        "\"東京都\",\"東京／羽田\",\"新宿\",\"ホテルA\",\"03\",\"10\",\"駅前\",\"\\8,000\",\"良\"\r\n"
        "\r\n"
        "\"東京\",\"羽田\",\"どこか\",\"ホテルB\",\"04\",\"\",\"\",\"8000\"\r\n"
        "\"大阪府\",\"大阪／関西\",\"なんば\",\"ホテルC\",\"05\",\"5\",\"\",\"\\\",\"x\",\"tenth\"\r\n";
    const auto sjis = utf8_to_sjis(csv).value();
    const auto report = load_user_hotel(as_bytes(sjis), *d);
    EXPECT_TRUE(report.message().empty());
    ASSERT_EQ(d->user_hotel_count, 3);
    EXPECT_EQ(d->user_pref[1], 2);
    EXPECT_EQ(d->user_airport[1], 2);
    EXPECT_EQ(d->user_district[1], 2);
    EXPECT_EQ(d->user_price_value[1], 8000);
    EXPECT_EQ(d->user_pref[2], user_no_pref);  // an alias is not the prefecture's name
    EXPECT_EQ(d->user_airport[2], user_no_airport);
    EXPECT_EQ(d->user_district[2], user_no_district);
    EXPECT_EQ(d->user_note[2], "");
    EXPECT_EQ(d->user_price_value[2], 0);  // no yen sign: 0 even for a number
    EXPECT_EQ(d->user_price_value[3], 0);  // a yen sign alone
    EXPECT_EQ(d->user_note[3], "x");
}

TEST(UserHotelFile, KeepsTheFirst500LinesAndSaysSo) {
    auto d = load_source(small_source());
    std::string csv;
    for (int i = 1; i <= 503; ++i) csv += "\"東京都\",\"東京／羽田\",\"\",\"H" + std::to_string(i) + "\"\r\n";
    const auto sjis = utf8_to_sjis(csv).value();
    const auto report = load_user_hotel(as_bytes(sjis), *d);
    EXPECT_EQ(d->user_hotel_count, 500);
    EXPECT_EQ(d->user_hotel_name[500], "H500");
    EXPECT_EQ(report.dropped_lines, 3);
    EXPECT_NE(report.message().find("3 lines"), std::string::npos);
}

TEST(CopyUserHotel, AppendsAfterTheFileHotelsAndReplacesOnRerun) {
    HotelSource s = small_source();
    s.hotels.resize(1200, s.hotels[0]);
    auto d = load_source(s);
    const std::string csv =
        "\"東京都\",\"東京／羽田\",\"新宿\",\"U1\"\r\n\"x\",\"y\",\"z\",\"U2\"\r\n\"千葉県\",\"\",\"\","
        "\"U3\"\r\n";
    load_user_hotel(as_bytes(utf8_to_sjis(csv).value()), *d);
    copy_user_hotel(*d);
    EXPECT_EQ(d->hotel_count, 1203);
    EXPECT_EQ(d->user_hotel_merged, 1);
    EXPECT_EQ(d->hotel_name[1201], "U1");
    EXPECT_EQ(d->hotel_site_code[1201], 0);
    EXPECT_EQ(d->hotel_url[1201], "");
    EXPECT_EQ(d->hotel_pref[1202], user_no_pref);
    EXPECT_EQ(d->hotel_district_no[1202], user_no_district);
    EXPECT_EQ(d->hotel_district[1202], "z");
    EXPECT_EQ(d->pref_hotel_count[2], 1);  // counts stay those of the data file
    const std::string one = "\"x\",\"y\",\"z\",\"only\"\r\n";
    load_user_hotel(as_bytes(one), *d);
    copy_user_hotel(*d);
    EXPECT_EQ(d->hotel_count, 1201);
    EXPECT_EQ(d->hotel_name[1201], "only");
}

}  // namespace
}  // namespace quorvel
