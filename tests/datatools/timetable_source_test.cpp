// SPDX-License-Identifier: GPL-3.0-or-later
#include "datatools/timetable_source.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "timetable/timetable_fixture.hpp"

namespace quorvel {
namespace {

using namespace quorvel::testing;

TEST(TimetableSource, ParsesTheReadableTables) {
    SourceFiles files;
    files["control.tsv"] = "# key\tvalue\r\ntt_valid_to_1\t2027/03/27\r\nfare_valid_from_2\t46000\r\n";
    files["airports.tsv"] = "# name\n札幌\t1\t0\tCTS\tCTS\n\n東京\t0\t1\t\t\t\t*\n";
    files["flights1.tsv"] =
        "札幌\t東京\tJAL\t0501\t0730\t0855\tB747\t0\t99\t0\t0\t0\t-15\t0\t  99:12/29-31;  \n"
        "東京\t札幌\tJAL\t502\t0930\t1055\t\t0\t0\t0\t0\t0\t0\t0\n";
    files["fares2.tsv"] = "東京\t札幌\tJAL\t15\t25000\t27500\t23000\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\n";
    files["discounts.tsv"] = "東京／羽田\t札幌\tANA\t999\t1\t2\t3\t12000\t0\t2026/04/01\t2027/03/31\n";
    files["periods.tsv"] = "2026/12/26\t2027/01/05\t2\n";
    auto r = parse_timetable_source(files);
    ASSERT_TRUE(r.ok()) << r.error().message;
    const TimetableSource& s = *r;
    EXPECT_EQ(s.control.edition_valid_to[1], day_number(2027, 3, 27));
    EXPECT_EQ(s.control.fare_valid_from[2], 46000);
    EXPECT_EQ(s.control.edition_valid_to[2], 0);
    ASSERT_EQ(s.airports.size(), 2u);
    EXPECT_EQ(s.airports[0].code3, "");  // missing trailing columns are empty
    EXPECT_EQ(s.airports[1].code4, "*");
    EXPECT_EQ(s.airports[1].line, 4);
    ASSERT_TRUE(s.editions[1].has_value());
    EXPECT_FALSE(s.editions[2].has_value());
    EXPECT_FALSE(s.fare_tables[1].has_value());
    const SourceFlight& f = s.editions[1]->flights[0];
    EXPECT_EQ(f.number, 501);
    EXPECT_EQ(f.dep_time, 730);
    EXPECT_EQ(f.adjust[2], 99);
    EXPECT_EQ(f.adjust[6], -15);
    EXPECT_EQ(f.remark, "  99:12/29-31;  ");  // kept as written
    EXPECT_EQ(s.editions[1]->flights[1].aircraft, "");
    EXPECT_EQ(s.editions[1]->flights[1].remark, "");
    const SourceFare& fare = s.fare_tables[2]->fares[0];
    EXPECT_EQ(fare.kind, 15);
    EXPECT_EQ(fare.grid[1][1], 1);
    EXPECT_EQ(fare.grid[4][2], 8);
    EXPECT_EQ(fare.extra, 9);
    EXPECT_EQ(fare.grid6, 11);
    EXPECT_EQ(s.discounts[0].sel_c, 1);
    EXPECT_EQ(s.discounts[0].sel_a, 3);
    EXPECT_EQ(s.periods[0].to, day_number(2027, 1, 5));
}

TEST(TimetableSource, RefusesMalformedLinesWithFileLineAndColumn) {
    const struct {
        const char* file;
        const char* text;
        const char* message;
    } cases[] = {
        {"flights2.tsv", "# h\n札幌\t東京\tJAL\t1\t7:30\t0855\n",
         "flights2.tsv line 2, column dep: \"7:30\" is not a whole number"},
        {"periods.tsv", "2026/02/30\t2026/03/01\t1\n",
         "periods.tsv line 1, column from: \"2026/02/30\" is not a date"},
        {"control.tsv", "tt_valid_to_5\t0\n", "control.tsv line 1, column key: unknown key"},
        {"airports.tsv", "札幌\t1\t0\ta\tb\tc\td\te\n", "airports.tsv line 1: 8 columns"},
        {"help.tsv", "1\t2\t99999999999\n", "help.tsv line 1, column topic"},
        {"discounts.tsv", "a\tb\tc\t999\t1\t1\t1\t100\t0\t2026/04/01\n", "column valid_to"},
        {"fares1.tsv", "a\tb\tc\t\n", "fares1.tsv line 1, column kind: \"\" is not a whole number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto r = parse_timetable_source({{c.file, c.text}});
        ASSERT_FALSE(r.ok());
        EXPECT_NE(r.error().message.find(c.message), std::string::npos) << r.error().message;
    }
}

// Whatever a text holds, the files carry it back: tabs, line breaks, backslashes, a leading '#'
// and an empty single-column line.
TEST(TimetableSource, EscapesSurviveTheRoundTrip) {
    auto src = small_source();
    src.editions[1]->flights[0].remark = "a\tb\\c\nd\re";
    src.airports[39].name = "#空港";
    src.aircraft.push_back({"", 0});
    src.companies[2].name = "\\e";
    src.control.edition_valid_to[4] = -5;
    const SourceFiles files = format_timetable_source(src);
    auto r = parse_timetable_source(files);
    ASSERT_TRUE(r.ok()) << r.error().message;
    EXPECT_EQ(r->editions[1]->flights[0].remark, "a\tb\\c\nd\re");
    EXPECT_EQ(r->airports[39].name, "#空港");
    ASSERT_EQ(r->aircraft.size(), 7u);
    EXPECT_EQ(r->aircraft[6].name, "");
    EXPECT_EQ(r->companies[2].name, "\\e");
    EXPECT_EQ(r->control.edition_valid_to[4], -5);
    EXPECT_EQ(r->control.edition_valid_to[2], day_number(2099, 12, 31));
    EXPECT_EQ(files.at("control.tsv").find("2099/12/31") != std::string::npos, true);
    EXPECT_EQ(files.count("flights3.tsv"), 0u);
    EXPECT_EQ(build_or_fail(*r), build_or_fail(src));
}

TEST(TimetableSource, DirectoryRoundTrip) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("quorvel_source_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    auto src = small_source();
    ASSERT_TRUE(write_timetable_source(src, dir).ok());
    // A stale edition file from an earlier dump must not come back.
    src.editions[2].reset();
    ASSERT_TRUE(write_timetable_source(src, dir).ok());
    EXPECT_FALSE(std::filesystem::exists(dir / "flights2.tsv"));
    auto r = read_timetable_source(dir);
    ASSERT_TRUE(r.ok()) << r.error().message;
    EXPECT_EQ(build_or_fail(*r), build_or_fail(src));
    EXPECT_EQ(r->airports[2].line, 4);  // the header is line 1
    std::filesystem::remove_all(dir);
    EXPECT_EQ(read_timetable_source(dir).error().code, ErrorCode::missing);
}

}  // namespace
}  // namespace quorvel
