// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/day_number.hpp"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(DayNumber, KnownDaysAndTheirWeekdays) {
    EXPECT_EQ(day_number(1899, 12, 30), 0);
    EXPECT_EQ(day_number(1995, 10, 28), 35000);
    EXPECT_EQ(civil_date(35000), (CivilDate{1995, 10, 28}));
    EXPECT_EQ(weekday(day_number(1899, 12, 30)), 7);  // a Saturday
    EXPECT_EQ(weekday(day_number(2001, 1, 1)), 2);    // a Monday
    EXPECT_EQ(weekday(day_number(2026, 12, 8)), 3);   // a Tuesday
    EXPECT_EQ(weekday_name(1), "日");
    EXPECT_EQ(weekday_name(7), "土");
    EXPECT_EQ(weekday_name(0), "");
}

TEST(DayNumber, RoundTripsOverCenturiesIncludingLeapDays) {
    for (DayNumber d = -1000; d < 80000; d += 7) EXPECT_EQ(day_number(civil_date(d)), d);
    EXPECT_EQ(civil_date(day_number(2000, 2, 29)), (CivilDate{2000, 2, 29}));
    EXPECT_FALSE(is_valid_date(1900, 2, 29));
    EXPECT_TRUE(is_valid_date(2024, 2, 29));
    EXPECT_FALSE(is_valid_date(2023, 2, 29));
    EXPECT_FALSE(is_valid_date(2023, 13, 1));
    EXPECT_FALSE(is_valid_date(2023, 4, 31));
}

TEST(DayNumber, DatePatterns) {
    const DayNumber d = day_number(2004, 1, 7);
    EXPECT_EQ(format_date(d), "2004/01/07");
    EXPECT_EQ(format_date_weekday(d), "2004/01/07 (水)");
    EXPECT_EQ(format_date_weekday_wide(d), "2004/01/07（水）");
    EXPECT_EQ(format_weekday_paren(d), "(水)");
}

TEST(DayNumber, ParsesOnlyRealDates) {
    EXPECT_EQ(parse_date("2004/01/07"), day_number(2004, 1, 7));
    EXPECT_EQ(parse_date("2004/1/7"), day_number(2004, 1, 7));
    EXPECT_FALSE(parse_date("2004/02/30"));
    EXPECT_FALSE(parse_date("04/01/07"));
    EXPECT_FALSE(parse_date("2004-01-07"));
    EXPECT_FALSE(parse_date("2004/01/07/1"));
    EXPECT_FALSE(parse_date(""));
}

}  // namespace
}  // namespace quorvel
