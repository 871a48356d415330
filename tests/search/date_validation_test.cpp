// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/date_validation.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/progress.hpp"
#include "search/small_timetable.hpp"

namespace quorvel {
namespace {

using testing::SmallTimetable;

const DayNumber kToday = day_number(2003, 6, 15);

SearchConditions on(DayNumber date, int connection_count = 1) {
    SearchConditions c;
    c.from_airport = "東京／羽田";
    c.to_airport = "福岡";
    c.travel_date = date;
    c.travel_weekday = weekday(date);
    c.connection_count = connection_count;
    return c;
}

struct RecordingProgress final : Progress {
    std::vector<std::pair<int, int>> ranges;
    std::vector<int> values;
    int yields = 0;
    void set_range(int minimum, int maximum) override { ranges.emplace_back(minimum, maximum); }
    void set_value(int value) override { values.push_back(value); }
    void yield() override { ++yields; }
};

TEST(DateValidation, ShiftsHaveNoWrapAtMidnight) {
    EXPECT_EQ(shift_hhmm(955, 10), 1005);
    EXPECT_EQ(shift_hhmm(5, -10), -45);
    EXPECT_EQ(shift_hhmm(2355, 10), 2405);
    EXPECT_EQ(shift_hhmm(1000, -61), 859);
    EXPECT_EQ(shift_hhmm(30, -150), -200);
}

TEST(DateValidation, WeekdayRuleAndRemarksOnTheTravelDate) {
    SmallTimetable st(day_number(2003, 12, 31));
    // 2003-08-03 is a Sunday, 2003-08-01 a Friday.
    const int closed_sunday = st.add_flight(1, 3, 1, 301, 800, 1000, "0:8/1-31&1111111;");
    st.set_adjust(closed_sunday, 1, 99);
    const int shifted = st.add_flight(1, 3, 1, 303, 955, 1155, "", 10);
    const int early = st.add_flight(1, 3, 2, 251, 5, 200, "", -10);
    const int fridays = st.add_flight(1, 3, 2, 253, 1200, 1400, "0:8/1-31&0000010;", 30);
    const int holiday = st.add_flight(1, 3, 3, 101, 1300, 1500, "99:8/3;");
    Timetable& tt = st.finish();

    DateValidation v;
    ASSERT_EQ(validate_for_date(tt, v, on(day_number(2003, 8, 3)), kToday), 1);
    // The weekday's 99 wins whatever the remark says.
    EXPECT_EQ(tt.flight_weekday_rule[5 * 1 + 1][closed_sunday], 99);
    EXPECT_EQ(tt.flight_departure[1][shifted], 1005);
    EXPECT_EQ(tt.flight_arrival[1][shifted], 1205);
    EXPECT_EQ(tt.flight_departure[1][early], -45);
    EXPECT_EQ(tt.flight_arrival[1][early], 150);
    EXPECT_EQ(tt.flight_weekday_rule[5 * 4 + 1][fridays], 99);  // an inclusion list without this Sunday
    EXPECT_EQ(tt.flight_weekday_rule[5 * 1 + 1][holiday], 99);
    for (int w = 1; w <= 7; ++w) EXPECT_EQ(tt.flight_weekday_rule[5 * w + 1][shifted], 0);

    // On a listed Friday the inclusion list's code 0 cancels the weekday shift of 30.
    ASSERT_EQ(validate_for_date(tt, v, on(day_number(2003, 8, 1)), kToday), 1);
    EXPECT_EQ(tt.flight_weekday_rule[5 * 6 + 1][fridays], 0);
    EXPECT_EQ(tt.flight_departure[1][fridays], 1200);
    EXPECT_EQ(tt.flight_weekday_rule[5 * 6 + 1][closed_sunday], 0);
    EXPECT_EQ(tt.flight_weekday_rule[5 * 6 + 1][holiday], 0);

    const FlightOnDate one = flight_on_travel_date(tt, 1, shifted, on(day_number(2003, 8, 1)), kToday);
    EXPECT_EQ(one.in_service, 1);
}

TEST(DateValidation, EachSearchStartsFromTheSavedTables) {
    SmallTimetable st(day_number(2003, 12, 31));
    const int f1 = st.add_flight(1, 3, 1, 301, 800, 1000, "15:8/4;", 5);
    const int f2 = st.add_flight(3, 1, 1, 302, 1100, 1300, "99:8/5;");
    Timetable& tt = st.finish();
    const auto original = std::make_unique<Timetable>(tt);

    DateValidation v;
    validate_for_date(tt, v, on(day_number(2003, 8, 4)), kToday);
    EXPECT_EQ(tt.flight_departure[1][f1], 815);
    EXPECT_EQ(tt.flight_departure[0][f1], 800);  // column 0 keeps the unaltered values
    EXPECT_EQ(tt.flight_weekday_rule[5 * 2][f1], 5);
    EXPECT_EQ(v.validated_date, day_number(2003, 8, 4));
    EXPECT_EQ(v.validated_edition, 1);

    // The same search twice gives the same times: the shift is not applied on top of itself.
    validate_for_date(tt, v, on(day_number(2003, 8, 4)), kToday);
    EXPECT_EQ(tt.flight_departure[1][f1], 815);
    validate_for_date(tt, v, on(day_number(2003, 8, 5)), kToday);
    EXPECT_EQ(tt.flight_departure[1][f1], 805);
    EXPECT_EQ(tt.flight_weekday_rule[5 * 3 + 1][f2], 99);

    // Restoring gives back every time and weekday column of the edition.
    restore_edition(tt, v);
    for (int f = 1; f <= 2; ++f) {
        EXPECT_EQ(tt.flight_departure[1][f], original->flight_departure[1][f]);
        EXPECT_EQ(tt.flight_arrival[1][f], original->flight_arrival[1][f]);
        for (int w = 1; w <= 7; ++w)
            EXPECT_EQ(tt.flight_weekday_rule[5 * w + 1][f], original->flight_weekday_rule[5 * w + 1][f]);
    }
}

TEST(DateValidation, EditionChoiceAndDatesBeyondEveryEdition) {
    SmallTimetable st(day_number(2003, 9, 30));
    const int f1 = st.add_flight(1, 3, 1, 301, 800, 1000, "", 10);
    st.tt->edition_valid_to[2] = day_number(2003, 12, 31);
    const int g1 = st.add_flight(1, 3, 1, 305, 900, 1100, "", 20, 2);
    Timetable& tt = st.finish();

    DateValidation v;
    EXPECT_EQ(validate_for_date(tt, v, on(day_number(2003, 9, 30)), kToday), 1);
    EXPECT_EQ(tt.flight_departure[1][f1], 810);
    EXPECT_EQ(validate_for_date(tt, v, on(day_number(2003, 10, 1)), kToday), 2);
    EXPECT_EQ(tt.flight_departure[1][f1], 800);  // edition 1 restored before edition 2 was rewritten
    EXPECT_EQ(tt.flight_departure[2][g1], 920);

    // After the last edition: nothing chosen, nothing rewritten, the previous view undone.
    EXPECT_EQ(validate_for_date(tt, v, on(day_number(2004, 1, 1)), kToday), 0);
    EXPECT_EQ(v.search_edition, 0);
    EXPECT_EQ(v.range_last, 0);
    EXPECT_EQ(tt.flight_departure[2][g1], 900);
    EXPECT_EQ(tt.flight_departure[1][f1], 800);
    EXPECT_EQ(choose_edition(tt, day_number(2004, 1, 1)), 0);
    EXPECT_EQ(flight_on_travel_date(tt, 0, 1, on(day_number(2004, 1, 1)), kToday).in_service, 0);
}

TEST(DateValidation, DirectSearchValidatesOnlyItsSegment) {
    SmallTimetable st(day_number(2003, 12, 31));
    st.add_flight(1, 2, 1, 101, 700, 800, "", 10);
    st.add_flight(1, 3, 1, 301, 800, 1000, "", 10);
    st.add_flight(1, 3, 2, 251, 900, 1100, "", 10);
    st.add_flight(3, 1, 1, 302, 1100, 1300, "", 10);
    st.add_segment(1, 3, 2, 3);
    st.add_segment(3, 1, 4, 4);
    Timetable& tt = st.finish();

    DateValidation v;
    SearchConditions c = on(day_number(2003, 8, 4), 0);
    RecordingProgress progress;
    validate_for_date(tt, v, c, kToday, &progress);
    EXPECT_TRUE(v.segment_found);
    EXPECT_EQ(v.range_first, 2);
    EXPECT_EQ(v.range_last, 3);
    EXPECT_EQ(tt.flight_departure[1][1], 700);
    EXPECT_EQ(tt.flight_departure[1][2], 810);
    EXPECT_EQ(tt.flight_departure[1][3], 910);
    EXPECT_EQ(tt.flight_departure[1][4], 1100);
    EXPECT_EQ(progress.ranges, (std::vector<std::pair<int, int>>{{0, 3000}, {2, 3}}));

    // A pair without a segment keeps the whole edition (the seat enquiry refuses on this).
    c.to_airport = "札幌／千歳";
    validate_for_date(tt, v, c, kToday);
    EXPECT_FALSE(v.segment_found);
    EXPECT_EQ(v.range_first, 1);
    EXPECT_EQ(v.range_last, 4);
    EXPECT_EQ(tt.flight_departure[1][1], 710);
}

TEST(DateValidation, ProgressEveryFortyFlights) {
    SmallTimetable st(day_number(2003, 12, 31));
    for (int i = 0; i < 85; ++i) st.add_flight(1, 3, 1, 100 + i, 800, 1000);
    Timetable& tt = st.finish();
    DateValidation v;
    RecordingProgress progress;
    validate_for_date(tt, v, on(day_number(2003, 8, 4)), kToday, &progress);
    EXPECT_EQ(progress.values, (std::vector<int>{40, 80}));
    EXPECT_EQ(progress.yields, 2);
}

TEST(DateValidation, RemarkYearFollowsTodayAcrossSearches) {
    SmallTimetable st(day_number(2005, 12, 31));
    const int f = st.add_flight(1, 3, 1, 301, 800, 1000, "99:1/5;");
    Timetable& tt = st.finish();
    DateValidation v;
    const SearchConditions c = on(day_number(2004, 1, 5));
    validate_for_date(tt, v, c, day_number(2003, 12, 20));
    EXPECT_EQ(tt.flight_weekday_rule[5 * 2 + 1][f], 99);
    // Seen from February 2004 the remark means January 2005, so the flight runs.
    validate_for_date(tt, v, c, day_number(2004, 2, 1));
    EXPECT_EQ(tt.flight_weekday_rule[5 * 2 + 1][f], 0);
}

}  // namespace
}  // namespace quorvel
