// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/conditions.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

const std::vector<std::string> kAirports = {"東京／羽田", "大阪／伊丹", "福岡", "札幌／千歳"};

CheckSettings settings_for(int year = 2004) {
    CheckSettings s;
    s.airports = kAirports;
    s.window_limit_hours = 12;
    s.wait_limit_minutes = 240;
    s.today = day_number(year, 3, 15);
    return s;
}

// Whether Enter in a field accepts it.
bool accepts(Field field, SearchForm& form, const CheckSettings& settings) {
    SearchConditions cond;
    return check_field(field, form, cond, settings).accepted;
}

// A form that passes every check: 東京／羽田 → 福岡 on 2004/03/20, 06:00-19:00, 08:00-22:00.
SearchForm good_form() {
    SearchForm f;
    f.from_airport = "東京／羽田";
    f.departure.from_hour = "6";
    f.departure.from_minute = "0";
    f.departure.to_hour = "19";
    f.departure.to_minute = "0";
    f.to_airport = "福岡";
    f.arrival.from_hour = "8";
    f.arrival.from_minute = "0";
    f.arrival.to_hour = "22";
    f.arrival.to_minute = "0";
    f.max_wait = "60";
    f.travel_year = "2004";
    f.travel_month = "3";
    f.travel_day = "20";
    return f;
}

struct TimeCase {
    Field field;
    const char* text;
    bool accepted;
    const char* written;  // the field text after the check
};

TEST(Conditions, HourAndMinuteFieldsTakeDefaultsAndRanges) {
    const TimeCase cases[] = {
        {Field::departure_from_hour, "", true, "5"},
        {Field::departure_from_hour, "  ", true, "5"},
        {Field::departure_from_hour, "4", false, "4"},
        {Field::departure_from_hour, "25", false, "25"},
        {Field::departure_from_hour, "24", true, "24"},
        {Field::departure_from_hour, "5", true, "5"},
        {Field::departure_from_hour, "x", false, "x"},
        {Field::departure_from_hour, "1.5", false, "1.5"},
        {Field::departure_from_hour, " 7 ", true, " 7 "},
        {Field::departure_from_minute, "", true, "0"},
        {Field::departure_from_minute, "59", true, "59"},
        {Field::departure_from_minute, "60", false, "60"},
        {Field::departure_from_minute, "-1", false, "-1"},
        {Field::departure_from_minute, "00", true, "00"},
        {Field::departure_to_hour, "", true, "23"},
        {Field::arrival_from_hour, "", true, "6"},
        {Field::arrival_from_minute, "", true, "0"},
        {Field::arrival_to_hour, "", true, "23"},
        {Field::arrival_to_hour, "99999999999", false, "99999999999"},
    };
    for (const TimeCase& c : cases) {
        SearchForm f = good_form();
        f.text(c.field) = c.text;
        f.message = "earlier message";
        SearchConditions cond;
        const FieldCheck r = check_field(c.field, f, cond, settings_for());
        EXPECT_EQ(r.accepted, c.accepted) << "text '" << c.text << "'";
        EXPECT_EQ(f.text(c.field), c.written);
        EXPECT_EQ(r.focus, c.accepted ? static_cast<Field>(static_cast<int>(c.field) + 1) : c.field);
        // The time checks leave the message line alone.
        EXPECT_EQ(f.message, "earlier message");
    }
}

TEST(Conditions, WindowsMustNotRunBackwards) {
    SearchForm f = good_form();
    f.departure.from_hour = "10", f.departure.from_minute = "45", f.departure.to_hour = "10",
    f.departure.to_minute = "30";
    EXPECT_FALSE(accepts(Field::departure_to_minute, f, settings_for()));
    f.departure.to_minute = "45";
    EXPECT_TRUE(accepts(Field::departure_to_minute, f, settings_for()));
    f.departure.to_hour = "9", f.departure.to_minute = "59";
    EXPECT_FALSE(accepts(Field::departure_to_minute, f, settings_for()));
    f.departure.to_hour = "11", f.departure.to_minute = "";  // an empty end minute becomes 59
    EXPECT_TRUE(accepts(Field::departure_to_minute, f, settings_for()));
    EXPECT_EQ(f.departure.to_minute, "59");

    f.arrival.from_hour = "20", f.arrival.from_minute = "10", f.arrival.to_hour = "20",
    f.arrival.to_minute = "9";
    EXPECT_FALSE(accepts(Field::arrival_to_minute, f, settings_for()));
    f.arrival.to_minute = "10";
    EXPECT_TRUE(accepts(Field::arrival_to_minute, f, settings_for()));
}

TEST(Conditions, AirportChecksShowTheirMessages) {
    const CheckSettings s = settings_for();
    SearchForm f = good_form();
    f.from_airport = "  東京／羽田 ";
    EXPECT_TRUE(accepts(Field::from_airport, f, s));
    EXPECT_EQ(f.message, "");
    f.from_airport = "東京";
    EXPECT_FALSE(accepts(Field::from_airport, f, s));
    EXPECT_EQ(f.message, "入力エラーです");

    f.from_airport = "福岡 ";
    f.to_airport = " 福岡";
    EXPECT_FALSE(accepts(Field::to_airport, f, s));
    EXPECT_EQ(f.message, "出発地と到着地が同じです");
    f.from_airport = "東京／羽田";
    f.to_airport = "那覇";
    EXPECT_FALSE(accepts(Field::to_airport, f, s));
    EXPECT_EQ(f.message, "入力エラーです");
    f.to_airport = "札幌／千歳";
    EXPECT_TRUE(accepts(Field::to_airport, f, s));
    EXPECT_EQ(f.message, "");
}

TEST(Conditions, WaitCheckUsesTheSettingsLimit) {
    CheckSettings s = settings_for();
    SearchForm f = good_form();
    f.max_wait = "300";
    EXPECT_FALSE(accepts(Field::max_wait, f, s));
    EXPECT_EQ(f.message, "待ち合わせ時間は２４０分以内としてください");
    f.max_wait = "abc";
    EXPECT_FALSE(accepts(Field::max_wait, f, s));
    EXPECT_EQ(f.message, "数字以外の文字が入力されています");
    f.max_wait = "";
    EXPECT_TRUE(accepts(Field::max_wait, f, s));
    EXPECT_EQ(f.max_wait, "60");
    EXPECT_EQ(f.message, "");
    f.max_wait = "-1";
    EXPECT_FALSE(accepts(Field::max_wait, f, s));
    EXPECT_EQ(f.message, "待ち合わせ時間は２４０分以内としてください");
    f.max_wait = "240";
    EXPECT_TRUE(accepts(Field::max_wait, f, s));

    s.wait_limit_minutes = 90;
    f.max_wait = "91";
    EXPECT_FALSE(accepts(Field::max_wait, f, s));
    EXPECT_EQ(f.message, "待ち合わせ時間は９０分以内としてください");
    s.wait_limit_minutes = 0;  // an unset limit is 240
    f.max_wait = "241";
    EXPECT_FALSE(accepts(Field::max_wait, f, s));
    EXPECT_EQ(f.message, "待ち合わせ時間は２４０分以内としてください");
}

TEST(Conditions, DepartureWindowWidthOnlyWithConnections) {
    CheckSettings s = settings_for();
    const auto refused_width = [&](SearchForm f) {
        SearchConditions cond;
        const FullCheck r = check_search_form(f, cond, s, [] { return true; });
        EXPECT_EQ(r.accepted, f.message.empty());
        return r.accepted ? std::string() : f.message;
    };
    SearchForm f = good_form();  // 6:00 to 19:00, 13 hours
    f.connections = Connections::one;
    EXPECT_EQ(refused_width(f), "出発時刻の範囲は１２時間以内としてください");
    f.connections = Connections::none;
    EXPECT_EQ(refused_width(f), "");
    f.connections = Connections::two;
    f.departure.to_hour = "18", f.departure.to_minute = "59";  // minutes are not considered
    EXPECT_EQ(refused_width(f), "");
    s.window_limit_hours = 8;
    EXPECT_EQ(refused_width(f), "出発時刻の範囲は８時間以内としてください");
}

TEST(Conditions, DateChecksKeepTheEnteredParts) {
    const CheckSettings s = settings_for(2004);
    SearchForm f = good_form();
    SearchConditions c;
    f.travel_year = "2004", f.travel_month = "2", f.travel_day = "29";
    FieldCheck d = check_field(Field::travel_day, f, c, s);
    EXPECT_TRUE(d.accepted);
    EXPECT_EQ(d.focus, Field::from_airport);
    EXPECT_EQ(c.travel_date, day_number(2004, 2, 29));
    EXPECT_EQ(c.travel_weekday, 1);  // a Sunday
    EXPECT_EQ(format_weekday_paren(c.travel_date), "(日)");

    f.travel_year = "2005";
    EXPECT_FALSE(check_field(Field::travel_day, f, c, s).accepted);
    EXPECT_EQ(c.travel_year, 2005);
    EXPECT_EQ(c.travel_date, day_number(2004, 2, 29));  // a refused day leaves the date alone
    f.travel_month = "4", f.travel_day = "31";
    EXPECT_FALSE(check_field(Field::travel_day, f, c, s).accepted);
    f.travel_year = "2100", f.travel_month = "2", f.travel_day = "29";  // not a leap year
    EXPECT_FALSE(check_field(Field::travel_day, f, c, s).accepted);
    f.travel_year = "2000";  // a leap year, but before this year
    EXPECT_FALSE(check_field(Field::travel_year, f, c, s).accepted);
    EXPECT_EQ(c.travel_year, 2000);
    d = check_field(Field::travel_day, f, c, s);
    EXPECT_TRUE(d.accepted);  // the day alone decides
    EXPECT_EQ(d.focus, Field::travel_year);

    f.travel_year = "2004", f.travel_month = "13", f.travel_day = "1";
    d = check_field(Field::travel_day, f, c, s);
    EXPECT_FALSE(d.accepted);
    EXPECT_EQ(d.focus, Field::travel_month);
    EXPECT_EQ(c.travel_month, 13);
    f.travel_month = "x";
    EXPECT_FALSE(accepts(Field::travel_month, f, settings_for()));
    f.travel_year = "99999";  // no four-digit year
    EXPECT_FALSE(accepts(Field::travel_year, f, s));
    f.travel_year = "2004", f.travel_month = "12", f.travel_day = "31";
    EXPECT_EQ(check_field(Field::travel_day, f, c, s).focus, Field::from_airport);
}

TEST(Conditions, FullCheckStopsAtTheFirstRefusedField) {
    const CheckSettings s = settings_for();
    struct Case {
        Field field;
        const char* text;
        Field focus;
    } cases[] = {{Field::from_airport, "x", Field::from_airport},
                 {Field::departure_from_hour, "4", Field::departure_from_hour},
                 {Field::departure_to_minute, "x", Field::departure_to_minute},
                 {Field::to_airport, "東京／羽田", Field::to_airport},
                 {Field::arrival_to_hour, "25", Field::arrival_to_hour},
                 {Field::max_wait, "x", Field::max_wait},
                 {Field::travel_year, "2003", Field::travel_year},
                 {Field::travel_month, "0", Field::travel_month},
                 {Field::travel_day, "32", Field::travel_day}};
    for (const Case& c : cases) {
        SearchForm f = good_form();
        f.text(c.field) = c.text;
        SearchConditions cond;
        cond.from_airport = "unchanged";
        const FullCheck r = check_search_form(f, cond, s, [] { return true; });
        EXPECT_FALSE(r.accepted) << c.text;
        EXPECT_EQ(r.focus, c.focus) << c.text;
        EXPECT_EQ(cond.from_airport, "unchanged");
    }
    // The width check runs after the wait check and puts the focus into the first departure hour.
    SearchForm f = good_form();
    f.connections = Connections::two;
    SearchConditions cond;
    const FullCheck r = check_search_form(f, cond, s, [] { return true; });
    EXPECT_EQ(r.focus, Field::departure_from_hour);
    EXPECT_EQ(f.message, "出発時刻の範囲は１２時間以内としてください");
}

TEST(Conditions, SeatEnquiryIgnoresTheConnectionOption) {
    const CheckSettings s = settings_for();
    SearchForm f = good_form();  // 6:00 to 19:00, wider than window_limit_hours
    f.connections = Connections::two;
    SearchConditions cond;
    cond.for_seat_enquiry = 1;
    cond.connection_count = 0;
    int asked = 0;
    const FullCheck r = check_search_form(f, cond, s, [&] { return ++asked, true; });
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(cond.connection_count, 0);
    cond.for_seat_enquiry = 0;
    EXPECT_FALSE(check_search_form(f, cond, s, [] { return true; }).accepted);
}

TEST(Conditions, FullCheckSetsTheConditionValues) {
    const CheckSettings s = settings_for();
    SearchForm f = good_form();
    f.from_airport = " 東京／羽田 ";
    f.departure.from_hour = "", f.departure.from_minute = "", f.departure.to_hour = "",
    f.departure.to_minute = "";
    f.arrival.from_hour = "", f.arrival.from_minute = "", f.arrival.to_hour = "", f.arrival.to_minute = "",
    f.max_wait = "";
    f.one_per_flight = true;
    SearchConditions cond;
    int asked = 0;
    const FullCheck r = check_search_form(f, cond, s, [&] { return ++asked, true; });
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(asked, 0);  // direct flights only: no question
    EXPECT_EQ(cond.from_airport, "東京／羽田");
    EXPECT_EQ(cond.to_airport, "福岡");
    EXPECT_EQ(cond.departure_from, 500);
    EXPECT_EQ(cond.departure_to, 2359);
    EXPECT_EQ(cond.arrival_from, 600);
    EXPECT_EQ(cond.arrival_to, 2359);
    EXPECT_EQ(cond.max_wait, 60);
    EXPECT_EQ(cond.connection_count, 0);
    EXPECT_EQ(cond.one_result_per_flight, 1);
    EXPECT_EQ(cond.travel_date, day_number(2004, 3, 20));
    EXPECT_EQ(cond.travel_weekday, 7);
}

TEST(Conditions, ConfirmationCancelKeepsTheValuesTakenSoFar) {
    const CheckSettings s = settings_for();
    SearchForm f = good_form();
    f.departure.to_hour = "17";
    f.connections = Connections::two;
    f.one_per_flight = true;
    SearchConditions cond;
    cond.one_result_per_flight = 0;
    int asked = 0;
    FullCheck r = check_search_form(f, cond, s, [&] { return ++asked, false; });
    EXPECT_FALSE(r.accepted);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(cond.connection_count, 2);
    EXPECT_EQ(cond.departure_to, 1700);
    EXPECT_EQ(cond.one_result_per_flight, 0);  // taken only after the question

    // A seat enquiry reads no options and asks nothing.
    SearchConditions enquiry;
    enquiry.for_seat_enquiry = 1;
    asked = 0;
    r = check_search_form(f, enquiry, s, [&] { return ++asked, false; });
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(enquiry.connection_count, 0);
}

TEST(Conditions, FormStartsFromTheLastSearchAndToday) {
    SearchConditions cond;
    cond.from_airport = "福岡";
    cond.departure_from = 705;
    cond.departure_to = 2359;
    cond.arrival_from = 600;
    cond.arrival_to = 2400;
    cond.max_wait = 45;
    cond.connection_count = 2;
    cond.one_result_per_flight = 1;
    const DayNumber today = day_number(2004, 1, 7);
    SearchForm f = initial_search_form(cond, today);
    EXPECT_EQ(f.from_airport, "福岡");
    EXPECT_EQ(f.departure.from_hour, "7");
    EXPECT_EQ(f.departure.from_minute, "5");
    EXPECT_EQ(f.arrival.to_minute, "0");
    EXPECT_EQ(f.max_wait, "45");
    EXPECT_EQ(f.connections, Connections::two);
    EXPECT_TRUE(f.one_per_flight);
    EXPECT_EQ(f.travel_year, "2004");
    EXPECT_EQ(f.travel_month, "1");
    EXPECT_EQ(f.travel_day, "7");
    EXPECT_EQ(cond.travel_date, today);
    EXPECT_EQ(cond.travel_weekday, 4);
}

}  // namespace
}  // namespace quorvel
