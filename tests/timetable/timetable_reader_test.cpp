// SPDX-License-Identifier: GPL-3.0-or-later
#include "timetable/timetable_reader.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "timetable/timetable_fixture.hpp"

namespace quorvel {
namespace {

using namespace quorvel::testing;

TEST(CnvData, DecodesOnlyMagnitudesFromOneTo2Pow24) {
    EXPECT_EQ(decode_float_int(0x3F800000), 1.0);
    EXPECT_EQ(decode_float_int(0x4B000000), 8388608.0);
    EXPECT_EQ(decode_float_int(0x3F000000), 0.0);
    EXPECT_EQ(decode_float_int(static_cast<std::int32_t>(0xC0000000u)), -2.0);
    EXPECT_EQ(decode_float_int(0x4B800000), 0.0);  // 2^24
    EXPECT_EQ(decode_float_int(0x4B7FFFFF), 16777215.0);
    EXPECT_EQ(decode_float_int(0x7F800000), 0.0);  // infinity
    EXPECT_EQ(decode_float_int(0x7FC00000), 0.0);  // NaN
    EXPECT_EQ(decode_float_int(0x44BB8000), 1500.0);
    EXPECT_EQ(decode_float_int(0x3FC00000), 1.5);  // fractions above 1 survive; the fare reader rounds them
    EXPECT_EQ(decode_float_int(static_cast<std::int32_t>(0xBF000000u)), 0.0);  // -0.5
    EXPECT_EQ(decode_float_int(static_cast<std::int32_t>(0xCB7FFFFFu)), -16777215.0);
    EXPECT_EQ(decode_float_int(static_cast<std::int32_t>(0x80000000u)), 0.0);  // -0
}

std::unique_ptr<Timetable> load_or_fail(const std::vector<std::byte>& bytes) {
    auto tt = load_timetable(bytes);
    EXPECT_TRUE(tt.ok()) << (tt.ok() ? "" : tt.error().message);
    return tt.ok() ? std::move(tt).value() : std::make_unique<Timetable>();
}

// Loading must refuse the file, say why in a message naming `section`, and never crash.
void expect_damaged(const std::vector<std::byte>& bytes, const std::string& section,
                    const std::string& why = "") {
    auto tt = load_timetable(bytes);
    ASSERT_FALSE(tt.ok()) << "loaded a file that should be refused (" << section << ")";
    EXPECT_EQ(tt.error().code, ErrorCode::damaged);
    EXPECT_NE(tt.error().message.find(section), std::string::npos) << tt.error().message;
    EXPECT_NE(tt.error().message.find(why), std::string::npos) << tt.error().message;
}

// The worked example of the flight record: airports 12 and 3, aircraft 5, company 2, times 0730 and
// 0855, flight 315 with a Saturday adjustment of one minute.
TEST(TimetableReader, DecodesFlightRecordFields) {
    const auto bytes = build_or_fail(small_source());
    const std::size_t at = section_at(bytes, 5);
    EXPECT_EQ(get_i32(bytes, at), 12 * 128 * 128 * 128 + 3 * 128 * 128 + 5 * 128 + 2);
    EXPECT_EQ(get_i32(bytes, at + 4), 101 * 12800 + 315);
    EXPECT_EQ(get_i32(bytes, at + 8), 855 * 4096 + 730);
    EXPECT_EQ(get_i32(bytes, at + 12), 100 | 100 << 8 | 100 << 16);

    auto tt = load_or_fail(bytes);
    EXPECT_EQ(tt->flight_from[1][1], 12);
    EXPECT_EQ(tt->flight_to[1][1], 3);
    EXPECT_EQ(tt->flight_aircraft[1][1], "MD81");
    EXPECT_EQ(tt->flight_company[1][1], "2");
    EXPECT_EQ(tt->flight_number[1][1], 315);
    EXPECT_EQ(tt->flight_departure[1][1], 730);
    EXPECT_EQ(tt->flight_arrival[1][1], 855);
    EXPECT_EQ(tt->flight_weekday_rule[7 * 5 + 1][1], 1);
    // A flight without an aircraft type has index 0 and an empty name.
    EXPECT_EQ(tt->flight_aircraft[2][3], "");
}

// Weekday adjustments live at flight_weekday_rule(w * 5 + k, i): byte 199 is 99 (no service), 100 no
// change, 85 a quarter of an hour earlier.
TEST(TimetableReader, WeekdayAdjustmentsAndRemarks) {
    auto src = small_source();
    src.editions[2]->flights[0].adjust = {0, 99, 0, -15, 5, 0, -100, 155};
    auto bytes = build_or_fail(src);
    const std::size_t at = section_at(bytes, 6);
    EXPECT_EQ(get_i32(bytes, at + 12), 199 | 100 << 8 | 85 << 16);
    EXPECT_EQ(get_i32(bytes, at + 16), 105 | 100 << 8 | 0 << 16);

    auto tt = load_or_fail(bytes);
    const int expected[8] = {0, 99, 0, -15, 5, 0, -100, 155};
    for (int w = 1; w <= 7; ++w) EXPECT_EQ(tt->flight_weekday_rule[w * 5 + 2][1], expected[w]) << w;
    // Edition 1's columns are separate from edition 2's.
    EXPECT_EQ(tt->flight_weekday_rule[1 * 5 + 1][3], 99);
    EXPECT_EQ(tt->flight_weekday_rule[7 * 5 + 1][3], -15);
    // " " is no remark; blanks around a remark are trimmed.
    EXPECT_EQ(tt->flight_remark[1][2], "");
    EXPECT_EQ(tt->flight_remark[1][3], "99:12/29-31;");
    EXPECT_EQ(tt->flight_remark[1][1], "");  // an empty source remark is stored as one blank
}

TEST(TimetableReader, AirportsCodesAndGroups) {
    auto tt = load_or_fail(build_or_fail(small_source()));
    ASSERT_EQ(tt->airport_count, 40);
    EXPECT_EQ(tt->airport_name[1], "東京／羽田");
    EXPECT_EQ(tt->airport_name[40], "空港40");
    EXPECT_EQ(tt->airport_region[13], 3);
    EXPECT_EQ(tt->airport_flag[13], 1);
    EXPECT_EQ(tt->airport_flag[14], 0);
    EXPECT_EQ(tt->airport_code1[1], "A1 ");  // held blank-padded to 3
    EXPECT_EQ(tt->airport_code1[3], "   ");
    EXPECT_EQ(tt->airport_code2[5], "B  ");
    EXPECT_EQ(tt->airport_code4[4], "   ");  // "*" stands for no code
    EXPECT_EQ(tt->airport_code4[5], "C5 ");
    EXPECT_EQ(tt->aircraft_count, 6);
    EXPECT_EQ(tt->company_count, 3);
    EXPECT_EQ(tt->company_name[3], "日本エアシステム");
    EXPECT_EQ(tt->airport_index("札幌"), 3);
    EXPECT_EQ(tt->airport_index("札"), 0);
}

// A name ending in 東京 or 大阪 is a city-wide fare entry; one that merely contains it is not.
TEST(TimetableReader, FareRecordsFoldCityNamesAndScaleGrid) {
    auto tt = load_or_fail(build_or_fail(small_source()));
    ASSERT_EQ(tt->fare_count[1], 1);
    EXPECT_EQ(tt->fare_from[1][1], "東京");
    EXPECT_EQ(tt->fare_to[1][1], "大阪");
    EXPECT_EQ(tt->fare_company[1][1], "JAL");
    EXPECT_EQ(tt->fare_amount1[1][1], 18300);
    EXPECT_EQ(tt->fare_amount2[1][1], 20100);
    EXPECT_EQ(tt->fare_amount3[1][1], 16800);
    EXPECT_EQ(tt->fare_grid[1][1][1][1], 10000);
    EXPECT_EQ(tt->fare_grid[1][1][2][1], 11000);
    EXPECT_EQ(tt->fare_grid[1][4][2][1], 14000);
    EXPECT_EQ(tt->fare_grid[1][2][1][1], 0);
    EXPECT_EQ(tt->fare_extra[1][1], 15000);
    EXPECT_EQ(tt->fare_grid[1][5][1][1], 16000);
    EXPECT_EQ(tt->fare_grid[1][6][1][1], 17000);
    ASSERT_EQ(tt->fare_count[2], 1);
    EXPECT_EQ(tt->fare_from[2][1], "東京");    // 新東京 ends in 東京
    EXPECT_EQ(tt->fare_to[2][1], "東京都心");  // contains 東京 elsewhere: kept
    EXPECT_EQ(tt->fare_kind[2][1], 15);
    EXPECT_EQ(tt->fare_valid_from[2], day_number(2026, 4, 1));
}

TEST(TimetableReader, DiscountsAccessPeriodsAndControl) {
    auto tt = load_or_fail(build_or_fail(small_source()));
    ASSERT_EQ(tt->discount_count, 1);
    EXPECT_EQ(tt->discount_from[1], "東京／羽田");
    EXPECT_EQ(tt->discount_to[1], "札幌");
    EXPECT_EQ(tt->discount_company[1], "ANA");
    EXPECT_EQ(tt->discount_flight[1], 999);
    EXPECT_EQ(tt->discount_rule_a[1], 1);
    EXPECT_EQ(tt->discount_rule_b[1], 2);
    EXPECT_EQ(tt->discount_rule_c[1], 3);
    EXPECT_EQ(tt->discount_fare[1], 12000);
    EXPECT_EQ(tt->discount_fare2[1], 23000);
    EXPECT_EQ(tt->discount_valid_from[1], day_number(2026, 4, 1));
    EXPECT_EQ(tt->discount_valid_to[1], day_number(2027, 3, 31));
    ASSERT_EQ(tt->access_count, 1);
    EXPECT_EQ(tt->access_airport[1], "札幌");
    EXPECT_EQ(tt->access_kind[1], 2);
    EXPECT_EQ(tt->access_value[1], 1040);
    EXPECT_EQ(tt->access_code[1], "RL");
    EXPECT_EQ(tt->access_text[1], "JR快速エアポート");
    ASSERT_EQ(tt->period_count, 2);
    EXPECT_EQ(tt->period_from[2], day_number(2027, 1, 12));
    EXPECT_EQ(tt->period_to[2], day_number(2027, 2, 28));
    EXPECT_EQ(tt->period_value[2], 3);
    EXPECT_EQ(tt->edition_valid_to[2], day_number(2099, 12, 31));
    EXPECT_EQ(tt->data_valid_to, day_number(2099, 12, 31));
    EXPECT_EQ(tt->fare_help_topic[2][14], 314);
    EXPECT_EQ(tt->fare_help_topic[21][20], 999);
    EXPECT_EQ(tt->fare_help_topic[1][2], 0);
}

// A flight from airport 3 to airport 7 of 40 runs in direction 1 at positions 3 and 7; the return
// flight runs in direction 2 at positions 34 and 38.
TEST(TimetableReader, RouteIndexPositionsInBothDirections) {
    auto tt = load_or_fail(build_or_fail(small_source()));
    // Edition 2 after grouping: 1 = 札幌->空港12, 2 = 札幌->東京都心 (3 -> 7), 3 = 東京都心->札幌.
    ASSERT_EQ(tt->flight_from[2][2], 3);
    ASSERT_EQ(tt->flight_to[2][2], 7);
    EXPECT_EQ(tt->route_count(2, 1), 2);
    EXPECT_EQ(tt->route_count(2, 2), 1);
    EXPECT_EQ(tt->route_index(2, 1, 3, 2), 2);
    EXPECT_EQ(tt->route_index(2, 1, 7, 2), 2);
    EXPECT_EQ(tt->route_index(2, 2, 34, 1), 3);
    EXPECT_EQ(tt->route_index(2, 2, 38, 1), 3);
    int marked = 0;
    for (int pos = 0; pos <= 100; ++pos) marked += tt->route_index(2, 1, pos, 2) != 0;
    EXPECT_EQ(marked, 2) << "an entry is marked at exactly its two airports";
    // Counts are held at 5 * dir + k.
    EXPECT_EQ(tt->route_count_table[5 * 1 + 2], 2);
    EXPECT_EQ(tt->route_count_table[5 * 2 + 2], 1);
    // Edition 1: two flights 12 -> 3 (direction 2), one 3 -> 12.
    EXPECT_EQ(tt->route_count(1, 1), 1);
    EXPECT_EQ(tt->route_count(1, 2), 2);
    EXPECT_EQ(tt->route_index(1, 2, 40 - 12 + 1, 1), 1);
    EXPECT_EQ(tt->route_index(1, 2, 40 - 3 + 1, 2), 2);
}

// Edition 2 absent while 3 and 4 are present: only edition 1 counts, for the tables and the index.
TEST(TimetableReader, EditionWithBlockZeroEndsTheEditions) {
    auto src = small_source();
    src.editions[3] = src.editions[2];
    src.editions[4] = src.editions[1];
    src.editions[2].reset();
    auto bytes = build_or_fail(src);
    EXPECT_EQ(get_i16(bytes, block_field(bytes, 6)), 0);
    EXPECT_NE(get_i16(bytes, block_field(bytes, 7)), 0);
    auto tt = load_or_fail(bytes);
    EXPECT_EQ(tt->edition_flight_count[1], 3);
    EXPECT_EQ(tt->edition_flight_count[2], 0);
    EXPECT_EQ(tt->edition_flight_count[3], 0);
    EXPECT_EQ(tt->edition_flight_count[4], 0);
    EXPECT_EQ(tt->flight_from[3][1], 0);
    EXPECT_EQ(tt->route_count(3, 1) + tt->route_count(3, 2) + tt->route_count(4, 1), 0);
    EXPECT_EQ(tt->route_count(1, 1) + tt->route_count(1, 2), 3);
}

TEST(TimetableReader, FareTableWithBlockZeroIsSkipped) {
    auto src = small_source();
    src.fare_tables[1].reset();
    auto tt = load_or_fail(build_or_fail(src));
    EXPECT_EQ(tt->fare_count[1], 0);
    EXPECT_EQ(tt->fare_from[1][1], "");
    EXPECT_EQ(tt->fare_count[2], 1);
    EXPECT_EQ(tt->fare_from[2][1], "東京");
}

// The control record is the last 1024 bytes whatever the length; the block count is its floor.
TEST(TimetableReader, LengthNotAMultipleOfTheBlock) {
    auto bytes = build_or_fail(small_source());
    const std::size_t blocks = bytes.size() / block_size;
    bytes.insert(bytes.end() - control_record_size, 700, std::byte{0x55});
    auto tt = load_or_fail(bytes);
    EXPECT_EQ(tt->data_block_count, static_cast<int>(blocks));
    EXPECT_EQ(tt->edition_flight_count[2], 3);
}

TEST(TimetableReader, ProgressGoesSectionBySection) {
    struct Recorder : Progress {
        void set_range(int lo, int hi) override { range = {lo, hi}; }
        void set_value(int v) override { values.push_back(v); }
        void yield() override { ++yields; }
        std::pair<int, int> range;
        std::vector<int> values;
        int yields = 0;
    } progress;
    const auto bytes = build_or_fail(small_source());
    ASSERT_TRUE(load_timetable(bytes, &progress).ok());
    EXPECT_EQ(progress.range, std::make_pair(0, static_cast<int>(bytes.size() / block_size)));
    // Airports, segments, aircraft, companies, two editions, two fare tables, discounts, access, periods.
    EXPECT_EQ(progress.values.size(), 11u);
    EXPECT_EQ(progress.yields, 11);
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
}

TEST(TimetableReader, MissingOrEmptyFile) {
    EXPECT_EQ(load_timetable({}).error().code, ErrorCode::missing);
    EXPECT_EQ(load_timetable_file("/nonexistent/timedata.dat").error().code, ErrorCode::missing);
    expect_damaged(std::vector<std::byte>(1023), "control record", "shorter");
}

// Counts above the table bounds are refused before anything is written.
TEST(TimetableReader, CountsAboveBoundsAreRefused) {
    const struct {
        int section;
        int count;
        const char* name;
    } cases[] = {{1, 101, "airports"},
                 {2, 701, "segments"},
                 {3, 51, "aircraft"},
                 {4, 31, "companies"},
                 {5, 2201, "timetable edition 1"},
                 {6, 2201, "timetable edition 2"},
                 {9, 501, "fare table 1"},
                 {10, 501, "fare table 2"},
                 {11, 3001, "discount fares"},
                 {12, 401, "airport access"},
                 {13, 11, "calendar periods"},
                 {1, -1, "airports"}};
    const auto good = build_or_fail(small_source());
    for (const auto& c : cases) {
        auto bytes = good;
        put_i16(bytes, count_field(bytes, c.section), c.count);
        SCOPED_TRACE(c.name);
        expect_damaged(bytes, c.name, "records");
    }
}

TEST(TimetableReader, SectionsOutsideTheFileAndTruncatedRecords) {
    const auto good = build_or_fail(small_source());
    auto bytes = good;
    put_i16(bytes, block_field(bytes, 11), 30000);
    expect_damaged(bytes, "discount fares", "outside the file");
    bytes = good;
    put_i16(bytes, block_field(bytes, 12), -3);
    expect_damaged(bytes, "airport access", "outside the file");

    // A section that runs into the control record and past the end of the file.
    bytes = good;
    put_i16(bytes, block_field(bytes, 13), static_cast<int>(bytes.size() / block_size - 1));
    put_i16(bytes, count_field(bytes, 13), 10);
    put_i16(bytes, block_field(bytes, 12), static_cast<int>(bytes.size() / block_size - 1));
    put_i16(bytes, count_field(bytes, 12), 400);
    auto tt = load_timetable(bytes);
    ASSERT_FALSE(tt.ok());
    EXPECT_NE(tt.error().message.find("airport access"), std::string::npos) << tt.error().message;

    // More records than the section holds: the reader meets the padding, which is no text.
    bytes = good;
    put_i16(bytes, count_field(bytes, 3), 7);
    expect_damaged(bytes, "aircraft", "type 0");
}

TEST(TimetableReader, IndicesOutsideTheTablesAreRefused) {
    const auto good = build_or_fail(small_source());
    auto bytes = good;
    const std::size_t flight = section_at(bytes, 5);
    put_i32(bytes, flight, 41 * 128 * 128 * 128 + 3 * 128 * 128 + 2);
    expect_damaged(bytes, "timetable edition 1", "airport index 41");
    bytes = good;
    put_i32(bytes, flight, 12 * 128 * 128 * 128 + 0 * 128 * 128 + 2);
    expect_damaged(bytes, "timetable edition 1", "airport index 0");
    bytes = good;
    put_i32(bytes, flight, 12 * 128 * 128 * 128 + 3 * 128 * 128 + 7 * 128 + 2);
    expect_damaged(bytes, "timetable edition 1", "aircraft index 7");
    bytes = good;
    put_i32(bytes, flight, 12 * 128 * 128 * 128 + 3 * 128 * 128 + 4);
    expect_damaged(bytes, "timetable edition 1", "company index 4");
    bytes = good;
    put_i32(bytes, flight, -1);
    expect_damaged(bytes, "timetable edition 1", "negative");
    bytes = good;
    put_i32(bytes, flight + 8, 40000 * 4096 + 700);
    expect_damaged(bytes, "timetable edition 1", "time");

    bytes = good;
    put_i32(bytes, section_at(bytes, 2), float_code(41 * 256 + 3));
    expect_damaged(bytes, "segments", "airport index 41");
    bytes = good;
    put_i32(bytes, section_at(bytes, 2) + 4, 2200 * 4096 + 1);
    expect_damaged(bytes, "segments", "flight 2201");

    bytes = good;
    put_i32(bytes, section_at(bytes, 9), 0 + 16 * 31 + 4096 * 8 + 1048576 * 9);
    expect_damaged(bytes, "fare table 1", "company index 31");
    bytes = good;
    put_i32(bytes, section_at(bytes, 10), 0 + 16 * 1 + 4096 * 8 + 1048576 * 101);
    expect_damaged(bytes, "fare table 2", "airport index 101");

    bytes = good;
    put_i32(bytes, section_at(bytes, 11), 2 + 256 * 3 + 65536 * 0);
    expect_damaged(bytes, "discount fares", "airport index 0");
    bytes = good;
    put_i32(bytes, section_at(bytes, 12), (77 * 256 + 2) * 4096 + 104);
    expect_damaged(bytes, "airport access", "airport index 77");
}

TEST(TimetableReader, DamagedTextsAreRefused) {
    const auto good = build_or_fail(small_source());
    auto bytes = good;
    put_i16(bytes, section_at(bytes, 3), 7);  // the type tag of the first aircraft name
    expect_damaged(bytes, "aircraft", "type 7");
    bytes = good;
    put_i16(bytes, section_at(bytes, 3) + 2, -2);
    expect_damaged(bytes, "aircraft", "negative length");
    bytes = good;
    // Company name 1 is 日本航空; a lone lead byte at its end is not Shift-JIS.
    const std::size_t name = section_at(bytes, 4) + 4 + 3 + 4;
    bytes.at(name + 7) = std::byte{0x81};
    bytes.at(name + 6) = std::byte{0xFF};
    expect_damaged(bytes, "companies", "Shift-JIS");
}

// The route index holds 1200 entries per edition and direction; a denser edition is refused
// rather than cut short.
TEST(TimetableReader, MoreThan1200FlightsInOneDirectionAreRefused) {
    auto src = small_source();
    src.editions[2]->flights.clear();
    for (int i = 0; i < 1200; ++i)
        src.editions[2]->flights.push_back(flight("札幌", "空港12", "JAL", i, 700, 800));
    src.editions[2]->flights.push_back(flight("空港12", "札幌", "JAL", 2000, 700, 800));
    auto bytes = build_or_fail(src);
    ASSERT_TRUE(load_timetable(bytes).ok());
    // Turn the last (down) flight into a 1201st up flight.
    const std::size_t last = section_at(bytes, 6) + 1200 * 25;  // 20 bytes and the text " "
    put_i32(bytes, last, 3 * 128 * 128 * 128 + 12 * 128 * 128 + 2 * 128 + 1);
    expect_damaged(bytes, "timetable edition 2", "more than 1200");
}

// A file cut short loses its control record: short prefixes are refused, longer ones are read from
// whatever their last block holds, and none may crash or read past its end (the sanitizer build
// checks that) or pass for the whole timetable.
TEST(TimetableReader, TruncatedFilesNeverCrash) {
    const auto good = build_or_fail(small_source());
    for (std::size_t n = 0; n < good.size(); n += 61) {
        std::vector<std::byte> prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        auto tt = load_timetable(prefix);
        if (n < static_cast<std::size_t>(control_record_size)) {
            EXPECT_FALSE(tt.ok()) << n;
        } else if (tt.ok()) {
            EXPECT_NE((*tt)->airport_count, 40) << n;
        }
    }
}

}  // namespace
}  // namespace quorvel
