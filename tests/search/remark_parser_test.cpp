// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/remark_parser.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

struct Dated {
    int year, month, day, code;
};

std::vector<Dated> dates_of(const RemarkDates& r) {
    std::vector<Dated> out;
    for (int i = 1; i <= r.remark_count; ++i) {
        const CivilDate d = civil_date(r.remark_dates[i]);
        out.push_back({d.year, d.month, d.day, r.remark_codes[i]});
    }
    return out;
}

bool operator==(const Dated& a, const Dated& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.code == b.code;
}

void PrintTo(const Dated& d, std::ostream* os) {
    *os << d.year << "/" << d.month << "/" << d.day << ":" << d.code;
}

const DayNumber kJune2003 = day_number(2003, 6, 15);

struct RemarkCase {
    const char* text;
    std::vector<Dated> expected;
};

TEST(RemarkParser, LanguageFormsAndDelimiters) {
    const RemarkCase cases[] = {
        // A range of days without service.
        {"99:12/29-31;", {{2003, 12, 29, 99}, {2003, 12, 30, 99}, {2003, 12, 31, 99}}},
        // Fridays and Saturdays of August (2003-08-01 is a Friday).
        {"0:8/1-31&0000011;",
         {{2003, 8, 1, 0},
          {2003, 8, 2, 0},
          {2003, 8, 8, 0},
          {2003, 8, 9, 0},
          {2003, 8, 15, 0},
          {2003, 8, 16, 0},
          {2003, 8, 22, 0},
          {2003, 8, 23, 0},
          {2003, 8, 29, 0},
          {2003, 8, 30, 0}}},
        // Leading zeros of the mask may be left out; the first digit is Sunday.
        {"0:8/1-7&11;", {{2003, 8, 1, 0}, {2003, 8, 2, 0}}},
        {"0:8/1-7&1000000;", {{2003, 8, 3, 0}}},
        // Months before June fall in the next year.
        {"10:4/29,5/3-5;", {{2004, 4, 29, 10}, {2004, 5, 3, 10}, {2004, 5, 4, 10}, {2004, 5, 5, 10}}},
        // A minus sign at the reading position belongs to the number.
        {"-10:7/1;", {{2003, 7, 1, -10}}},
        // Days after "," and a range closed by ",".
        {"99:3/1,2,9-10,12;",
         {{2004, 3, 1, 99}, {2004, 3, 2, 99}, {2004, 3, 9, 99}, {2004, 3, 10, 99}, {2004, 3, 12, 99}}},
        // Without a code the list is an inclusion list (code 0).
        {"7/7", {{2003, 7, 7, 0}}},
        // The end of the text commits like ";".
        {"99:12/29", {{2003, 12, 29, 99}}},
        // A new ":" starts a new list with its own code.
        {"99:12/31;15:1/2-3;", {{2003, 12, 31, 99}, {2004, 1, 2, 15}, {2004, 1, 3, 15}}},
        // A second ";" of the same group adds only what is new.
        {"99:12/29;12/31;", {{2003, 12, 29, 99}, {2003, 12, 31, 99}}},
        // After ";" a bare number is not a day.
        {"99:12/29;31", {{2003, 12, 29, 99}}},
        // A range closed by "&" and masked with ";", then more days in the same group.
        {"0:9/1-14&0100000;9/20;", {{2003, 9, 1, 0}, {2003, 9, 8, 0}, {2003, 9, 20, 0}}},
        // Not a calendar date: left out, the rest stays.
        {"99:4/30-31,5/1;", {{2004, 4, 30, 99}, {2004, 5, 1, 99}}},
        {"99:2/28-31;", {{2004, 2, 28, 99}, {2004, 2, 29, 99}}},  // 2004 is a leap year
        {"99:13/1,0/5,6/0;6/20", {{2003, 6, 20, 99}}},
        // Nothing but a code, or text without a date.
        {"99:", {}},
        {"", {}},
        {"運休", {}},
    };
    for (const RemarkCase& c : cases) {
        const RemarkDates r = parse_remark(c.text, kJune2003);
        EXPECT_TRUE(r.usable) << c.text;
        EXPECT_EQ(dates_of(r), c.expected) << c.text;
    }
}

TEST(RemarkParser, YearRuleFollowsToday) {
    const DayNumber december = day_number(2003, 12, 10);
    EXPECT_EQ(dates_of(parse_remark("99:1/5;12/31;", december)),
              (std::vector<Dated>{{2004, 1, 5, 99}, {2003, 12, 31, 99}}));
    // The current month itself is this year, even for a day already past.
    EXPECT_EQ(dates_of(parse_remark("99:12/1;", december)), (std::vector<Dated>{{2003, 12, 1, 99}}));
    // The weekday mask looks at the weekday in the year the rule gives (2004-01-03 is a Saturday).
    EXPECT_EQ(dates_of(parse_remark("0:1/1-7&0000001;", december)), (std::vector<Dated>{{2004, 1, 3, 0}}));
    // February 29 exists only when the rule lands in a leap year.
    EXPECT_TRUE(dates_of(parse_remark("99:2/29;", day_number(2004, 3, 1))).empty());
    EXPECT_EQ(dates_of(parse_remark("99:2/29;", day_number(2004, 2, 1))).size(), 1u);
}

TEST(RemarkParser, TableLimitsLeaveTheRemarkUnused) {
    // 100 entries in one group fit (days above 31 are simply not dates).
    RemarkDates r = parse_remark("99:1/1-100;", kJune2003);
    EXPECT_TRUE(r.usable);
    EXPECT_EQ(r.remark_count, 31);
    r = parse_remark("99:1/1-101;", kJune2003);
    EXPECT_FALSE(r.usable);
    EXPECT_EQ(r.remark_count, 0);
    r = parse_remark("99:1/1-60,2/1-41;", kJune2003);
    EXPECT_FALSE(r.usable);
    // A huge range is refused at once rather than walked.
    r = parse_remark("99:1/1-2000000000;", kJune2003);
    EXPECT_FALSE(r.usable);
    // Exactly 150 dates fit, one more does not.
    const std::string full = "99:1/1-31;99:2/1-29;99:3/1-31;99:4/1-30;99:5/1-29;";
    r = parse_remark(full, kJune2003);
    EXPECT_TRUE(r.usable);
    EXPECT_EQ(r.remark_count, 150);
    r = parse_remark(full + "99:7/1;", kJune2003);
    EXPECT_FALSE(r.usable);
    EXPECT_EQ(r.remark_count, 0);
}

TEST(RemarkParser, DelimitersOnlyBeforePosition99) {
    EXPECT_EQ(check_chr(std::string_view("-10:4/29"), 1).out_chr, ':');
    EXPECT_EQ(check_chr(std::string_view("-10:4/29"), 1).out_i, 4);
    const Delimiter dash = check_chr(std::string_view("4/29-30"), 3);
    EXPECT_EQ(dash.out_chr, '-');
    EXPECT_EQ(dash.out_i, 5);
    // A "-" at the reading position is a sign even when another "-" follows.
    EXPECT_EQ(check_chr(std::string_view("-3-7,"), 1).out_chr, ',');
    // Positions count characters, not bytes.
    EXPECT_EQ(check_chr(std::string_view("運休:1"), 1).out_i, 3);
    EXPECT_EQ(check_chr(std::string_view("12"), 1).out_chr, 'e');

    const std::string at98 = std::string(97, '0') + ";";
    EXPECT_EQ(check_chr(std::string_view(at98), 1).out_i, 98);
    const std::string at99 = std::string(98, '0') + ";";
    EXPECT_EQ(check_chr(std::string_view(at99), 1).out_chr, 'e');

    // "99:12/" then zeros before "29,30": the "," at 98 still splits, at 99 it is part of the number.
    const std::string split = "99:12/" + std::string(89, '0') + "29,30";
    EXPECT_EQ(parse_remark(split, kJune2003).remark_count, 2);
    const std::string whole = "99:12/" + std::string(90, '0') + "29,30";
    EXPECT_EQ(dates_of(parse_remark(whole, kJune2003)), (std::vector<Dated>{{2003, 12, 29, 99}}));
}

TEST(RemarkParser, CheckTableByListKind) {
    const DayNumber today = kJune2003;
    const DayNumber aug1 = day_number(2003, 8, 1), aug4 = day_number(2003, 8, 4);
    // Inclusion list: an unlisted date has no service; a listed one runs and cancels the weekday shift.
    TableCheck t = check_table("0:8/1-31&0000011;", aug4, 10, today);
    EXPECT_EQ(t.in_service, 0);
    t = check_table("0:8/1-31&0000011;", aug1, 10, today);
    EXPECT_EQ(t.in_service, 1);
    EXPECT_EQ(t.time_shift, 0);
    // Exception lists: 99 takes the day away, another code moves the flight, other days keep the weekday
    // shift.
    EXPECT_EQ(check_table("99:8/1;", aug1, 0, today).in_service, 0);
    t = check_table("99:8/1;", aug4, -5, today);
    EXPECT_EQ(t.in_service, 1);
    EXPECT_EQ(t.time_shift, -5);
    t = check_table("-15:8/4;", aug4, 0, today);
    EXPECT_EQ(t.in_service, 1);
    EXPECT_EQ(t.time_shift, -15);
    // The first listed date wins.
    EXPECT_EQ(check_table("10:8/4;99:8/4;", aug4, 0, today).time_shift, 10);
    // A remark that commits no date, or overruns a table, is no remark at all.
    for (const char* text : {"99:", "0:13/1;", "0:1/1-500;", "xyz"}) {
        t = check_table(text, aug4, 20, today);
        EXPECT_EQ(t.in_service, 1) << text;
        EXPECT_EQ(t.time_shift, 20) << text;
    }
}

}  // namespace
}  // namespace quorvel
