// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "common/day_number.hpp"
#include "pickers/airport_list.hpp"
#include "pickers/calendar_layout.hpp"

namespace quorvel {
namespace {

TEST(Calendar, MonthsStartOnTheirWeekdayButton) {
    auto feb2004 = month_grid({2004, 2});  // 2004-02-01 was a Sunday
    EXPECT_EQ(feb2004[1], 1);
    EXPECT_EQ(feb2004[29], 29);
    EXPECT_EQ(feb2004[30], 0);
    auto feb2100 = month_grid({2100, 2});  // not a leap year
    int shown = 0;
    for (int d : feb2100) shown += d != 0;
    EXPECT_EQ(shown, 28);
    auto may2004 = month_grid({2004, 5});  // starts on a Saturday, 31 days
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(may2004[n], 0) << n;
    EXPECT_EQ(may2004[7], 1);
    EXPECT_EQ(may2004[37], 31);
    for (int n = 38; n <= 42; ++n) EXPECT_EQ(may2004[n], 0) << n;
}

TEST(Calendar, ScrollAndTypedMonthsCoverTheSameSixtyMonths) {
    EXPECT_EQ(month_for_scroll(2004, 1, 13), (CalendarMonth{2005, 1}));
    EXPECT_EQ(month_for_scroll(2026, 12, 1), (CalendarMonth{2026, 12}));
    EXPECT_EQ(month_for_scroll(2026, 12, 2), (CalendarMonth{2027, 1}));
    EXPECT_EQ(month_for_scroll(2026, 12, 60), (CalendarMonth{2031, 11}));
    EXPECT_EQ(calendar_text({2004, 1}), "2004/1");
    EXPECT_EQ(parse_calendar_text("2026/12", 2026, 12), (CalendarMonth{2026, 12}));
    EXPECT_EQ(parse_calendar_text("2031/11", 2026, 12), (CalendarMonth{2031, 11}));
    EXPECT_FALSE(parse_calendar_text("2031/12", 2026, 12));  // the 61st month
    EXPECT_FALSE(parse_calendar_text("2026/11", 2026, 12));  // before the current month
    EXPECT_FALSE(parse_calendar_text("2027/13", 2026, 12));
    EXPECT_FALSE(parse_calendar_text("2027", 2026, 12));
    EXPECT_EQ(parse_calendar_text("2010/12", 2006, 1), (CalendarMonth{2010, 12}));
}

TEST(Calendar, ADayGivesTheTravelDateAndTheFormTexts) {
    const auto leap = calendar_choice({2004, 2}, 29);
    ASSERT_TRUE(leap);
    EXPECT_EQ(leap->travel_date, day_number(2004, 2, 29));
    EXPECT_EQ(leap->travel_weekday, 1);
    EXPECT_EQ(leap->year_text, "2004");
    EXPECT_EQ(leap->month_text, "02");
    EXPECT_EQ(leap->day_text, "29");
    EXPECT_EQ(leap->weekday_text, "(日)");
    const auto december = calendar_choice({2008, 12}, 31);
    ASSERT_TRUE(december);
    EXPECT_EQ(december->month_text, "12");
    EXPECT_EQ(december->travel_weekday, 4);
    // A hidden button carries day 0; nor is there a 29 February 2005.
    EXPECT_FALSE(calendar_choice({2004, 2}, 0));
    EXPECT_FALSE(calendar_choice({2005, 2}, 29));
}

TEST(AirportPicker, RegionsFilterInTableOrder) {
    auto tt = std::make_unique<Timetable>();
    const char* names[] = {"札幌", "東京／羽田", "釧路", "福岡"};
    const int groups[] = {1, 4, 1, 8};
    for (int i = 0; i < 4; ++i) {
        tt->airport_name[i + 1] = names[i];
        tt->airport_region[i + 1] = static_cast<std::int16_t>(groups[i]);
    }
    tt->airport_count = 4;
    EXPECT_EQ(airports_of_region(*tt, 1), (std::vector<std::string>{"札幌", "釧路"}));
    EXPECT_EQ(airports_of_region(*tt, 0), (std::vector<std::string>{"札幌", "東京／羽田", "釧路", "福岡"}));
    EXPECT_TRUE(airports_of_region(*tt, 9).empty());
    EXPECT_EQ(region_options().size(), 10u);
    EXPECT_STREQ(picker_texts(AirportField::arrival).frame_caption, "到着地の選択");
}

}  // namespace
}  // namespace quorvel
