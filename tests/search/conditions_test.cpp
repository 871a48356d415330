#include "search/conditions.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

const std::vector<std::string> kAirports = {"東京／羽田", "大阪／伊丹", "福岡", "札幌／千歳"};

CheckSettings settings_for(int year = 2004) {
    CheckSettings s;
    s.airports = kAirports;
    s.check_hours = 12;
    s.check_minite = 240;
    s.today = day_number(year, 3, 15);
    return s;
}

// A form that passes every check: 東京／羽田 → 福岡 on 2004/03/20, 06:00-19:00, 08:00-22:00.
SearchForm good_form() {
    SearchForm f;
    f.text[1] = "東京／羽田";
    f.text[2] = "6";
    f.text[3] = "0";
    f.text[4] = "19";
    f.text[5] = "0";
    f.text[6] = "福岡";
    f.text[7] = "8";
    f.text[8] = "0";
    f.text[9] = "22";
    f.text[10] = "0";
    f.text[11] = "60";
    f.text[13] = "2004";
    f.text[14] = "3";
    f.text[15] = "20";
    return f;
}

struct TimeCase {
    int field;
    const char* text;
    int err_flg;
    const char* written;  // the field text after the check
};

TEST(Conditions, HourAndMinuteFieldsTakeDefaultsAndRanges) {
    const TimeCase cases[] = {
        {2, "", 0, "5"},
        {2, "  ", 0, "5"},
        {2, "4", 1, "4"},
        {2, "25", 1, "25"},
        {2, "24", 0, "24"},
        {2, "5", 0, "5"},
        {2, "x", 1, "x"},
        {2, "1.5", 1, "1.5"},
        {2, " 7 ", 0, " 7 "},
        {3, "", 0, "0"},
        {3, "59", 0, "59"},
        {3, "60", 1, "60"},
        {3, "-1", 1, "-1"},
        {3, "00", 0, "00"},
        {4, "", 0, "23"},
        {7, "", 0, "6"},
        {8, "", 0, "0"},
        {9, "", 0, "23"},
        {9, "99999999999", 1, "99999999999"},
    };
    for (const TimeCase& c : cases) {
        SearchForm f = good_form();
        f.text[c.field] = c.text;
        f.message() = "earlier message";
        SearchConditions cond;
        const FieldCheck r = check_field(c.field, f, cond, settings_for());
        EXPECT_EQ(r.err_flg, c.err_flg) << "field " << c.field << " text '" << c.text << "'";
        EXPECT_EQ(f.text[c.field], c.written) << "field " << c.field;
        EXPECT_EQ(r.focus_field, c.err_flg ? c.field : c.field + 1);
        // The time checks leave the message line alone.
        EXPECT_EQ(f.message(), "earlier message");
    }
}

TEST(Conditions, WindowsMustNotRunBackwards) {
    SearchForm f = good_form();
    f.text[2] = "10", f.text[3] = "45", f.text[4] = "10", f.text[5] = "30";
    EXPECT_EQ(chk_text5(f), 1);
    f.text[5] = "45";
    EXPECT_EQ(chk_text5(f), 0);
    f.text[4] = "9", f.text[5] = "59";
    EXPECT_EQ(chk_text5(f), 1);
    f.text[4] = "11", f.text[5] = "";  // an empty end minute becomes 59
    EXPECT_EQ(chk_text5(f), 0);
    EXPECT_EQ(f.text[5], "59");

    f.text[7] = "20", f.text[8] = "10", f.text[9] = "20", f.text[10] = "9";
    EXPECT_EQ(chk_text10(f), 1);
    f.text[10] = "10";
    EXPECT_EQ(chk_text10(f), 0);
}

TEST(Conditions, AirportChecksShowTheirMessages) {
    const CheckSettings s = settings_for();
    SearchForm f = good_form();
    f.text[1] = "  東京／羽田 ";
    EXPECT_EQ(chk_text1(f, s), 0);
    EXPECT_EQ(f.message(), "");
    f.text[1] = "東京";
    EXPECT_EQ(chk_text1(f, s), 1);
    EXPECT_EQ(f.message(), "入力エラーです");

    f.text[1] = "福岡 ";
    f.text[6] = " 福岡";
    EXPECT_EQ(chk_text6(f, s), 1);
    EXPECT_EQ(f.message(), "出発地と到着地が同じです");
    f.text[1] = "東京／羽田";
    f.text[6] = "那覇";
    EXPECT_EQ(chk_text6(f, s), 1);
    EXPECT_EQ(f.message(), "入力エラーです");
    f.text[6] = "札幌／千歳";
    EXPECT_EQ(chk_text6(f, s), 0);
    EXPECT_EQ(f.message(), "");

    EXPECT_EQ(chk_text1_text6(f), 0);
    EXPECT_EQ(f.message(), "");
}

TEST(Conditions, WaitCheckUsesTheSettingsLimit) {
    CheckSettings s = settings_for();
    SearchForm f = good_form();
    f.text[11] = "300";
    EXPECT_EQ(chk_text11(f, s), 1);
    EXPECT_EQ(f.message(), "待ち合わせ時間は２４０分以内としてください");
    f.text[11] = "abc";
    EXPECT_EQ(chk_text11(f, s), 1);
    EXPECT_EQ(f.message(), "数字以外の文字が入力されています");
    f.text[11] = "";
    EXPECT_EQ(chk_text11(f, s), 0);
    EXPECT_EQ(f.text[11], "60");
    EXPECT_EQ(f.message(), "");
    f.text[11] = "-1";
    EXPECT_EQ(chk_text11(f, s), 1);
    EXPECT_EQ(f.message(), "待ち合わせ時間は２４０分以内としてください");
    f.text[11] = "240";
    EXPECT_EQ(chk_text11(f, s), 0);

    s.check_minite = 90;
    f.text[11] = "91";
    EXPECT_EQ(chk_text11(f, s), 1);
    EXPECT_EQ(f.message(), "待ち合わせ時間は９０分以内としてください");
    s.check_minite = 0;  // an unset limit is 240
    f.text[11] = "241";
    EXPECT_EQ(chk_text11(f, s), 1);
    EXPECT_EQ(f.message(), "待ち合わせ時間は２４０分以内としてください");
}

TEST(Conditions, DepartureWindowWidthOnlyWithConnections) {
    CheckSettings s = settings_for();
    SearchForm f = good_form();  // 6:00 to 19:00, 13 hours
    f.connections_option = 5;
    EXPECT_EQ(chk_text2_text4(f, s), 1);
    EXPECT_EQ(f.message(), "出発時刻の範囲は１２時間以内としてください");
    f.connections_option = 4;
    EXPECT_EQ(chk_text2_text4(f, s), 0);
    EXPECT_EQ(f.message(), "");
    f.connections_option = 6;
    f.text[4] = "18", f.text[5] = "59";  // minutes are not considered
    EXPECT_EQ(chk_text2_text4(f, s), 0);
    s.check_hours = 8;
    EXPECT_EQ(chk_text2_text4(f, s), 1);
    EXPECT_EQ(f.message(), "出発時刻の範囲は８時間以内としてください");
}

TEST(Conditions, DateChecksKeepTheEnteredParts) {
    const CheckSettings s = settings_for(2004);
    SearchForm f = good_form();
    SearchConditions c;
    f.text[13] = "2004", f.text[14] = "2", f.text[15] = "29";
    DayCheck d = chk_text15(f, c, s);
    EXPECT_EQ(d.err_flg, 0);
    EXPECT_EQ(d.focus_field, 0);
    EXPECT_EQ(c.sel_date, day_number(2004, 2, 29));
    EXPECT_EQ(c.sel_weekday, 1);  // a Sunday
    EXPECT_EQ(format_weekday_paren(c.sel_date), "(日)");

    f.text[13] = "2005";
    EXPECT_EQ(chk_text15(f, c, s).err_flg, 1);
    EXPECT_EQ(c.sel_year, 2005);
    EXPECT_EQ(c.sel_date, day_number(2004, 2, 29));  // a refused day leaves the date alone
    f.text[14] = "4", f.text[15] = "31";
    EXPECT_EQ(chk_text15(f, c, s).err_flg, 1);
    f.text[13] = "2100", f.text[14] = "2", f.text[15] = "29";  // not a leap year
    EXPECT_EQ(chk_text15(f, c, s).err_flg, 1);
    f.text[13] = "2000";  // a leap year, but before this year
    EXPECT_EQ(chk_text13(f, c, s), 1);
    EXPECT_EQ(c.sel_year, 2000);
    d = chk_text15(f, c, s);
    EXPECT_EQ(d.err_flg, 0);  // the day alone decides
    EXPECT_EQ(d.focus_field, 13);
    EXPECT_EQ(check_field(15, f, c, s).focus_field, 13);

    f.text[13] = "2004", f.text[14] = "13", f.text[15] = "1";
    d = chk_text15(f, c, s);
    EXPECT_EQ(d.err_flg, 1);
    EXPECT_EQ(d.focus_field, 14);
    EXPECT_EQ(c.sel_month, 13);
    f.text[14] = "x";
    EXPECT_EQ(chk_text14(f, c), 1);
    f.text[13] = "99999";  // no four-digit year
    EXPECT_EQ(chk_text13(f, c, s), 1);
    f.text[13] = "2004", f.text[14] = "12", f.text[15] = "31";
    EXPECT_EQ(check_field(15, f, c, s).focus_field, 1);
}

TEST(Conditions, FullCheckStopsAtTheFirstRefusedField) {
    const CheckSettings s = settings_for();
    struct Case {
        int field;
        const char* text;
        int focus;
    } cases[] = {{1, "x", 1},   {2, "4", 2},      {5, "x", 5},   {6, "東京／羽田", 6}, {9, "25", 9},
                 {11, "x", 11}, {13, "2003", 13}, {14, "0", 14}, {15, "32", 15}};
    for (const Case& c : cases) {
        SearchForm f = good_form();
        f.text[c.field] = c.text;
        SearchConditions cond;
        cond.sel_from_name = "unchanged";
        const FullCheck r = check_all(f, cond, s, [] { return true; });
        EXPECT_EQ(r.err_flg, 1) << c.field;
        EXPECT_EQ(r.focus_field, c.focus) << c.field;
        EXPECT_EQ(cond.sel_from_name, "unchanged");
    }
    // The width check runs after the wait check and puts the focus into Text2.
    SearchForm f = good_form();
    f.connections_option = 6;
    SearchConditions cond;
    const FullCheck r = check_all(f, cond, s, [] { return true; });
    EXPECT_EQ(r.focus_field, 2);
    EXPECT_EQ(f.message(), "出発時刻の範囲は１２時間以内としてください");
}

TEST(Conditions, SeatEnquiryIgnoresTheConnectionOption) {
    const CheckSettings s = settings_for();
    SearchForm f = good_form();  // 6:00 to 19:00, wider than check_hours
    f.connections_option = 6;
    SearchConditions cond;
    cond.inquiry_mode = 1;
    cond.wait_count = 0;
    int asked = 0;
    const FullCheck r = check_all(f, cond, s, [&] { return ++asked, true; });
    EXPECT_EQ(r.err_flg, 0);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(cond.wait_count, 0);
    cond.inquiry_mode = 0;
    EXPECT_EQ(check_all(f, cond, s, [] { return true; }).err_flg, 1);
}

TEST(Conditions, FullCheckSetsTheConditionValues) {
    const CheckSettings s = settings_for();
    SearchForm f = good_form();
    f.text[1] = " 東京／羽田 ";
    f.text[2] = "", f.text[3] = "", f.text[4] = "", f.text[5] = "";
    f.text[7] = "", f.text[8] = "", f.text[9] = "", f.text[10] = "", f.text[11] = "";
    f.one_per_flight = true;
    SearchConditions cond;
    int asked = 0;
    const FullCheck r = check_all(f, cond, s, [&] { return ++asked, true; });
    EXPECT_EQ(r.err_flg, 0);
    EXPECT_EQ(asked, 0);  // direct flights only: no question
    EXPECT_EQ(cond.sel_from_name, "東京／羽田");
    EXPECT_EQ(cond.sel_to_name, "福岡");
    EXPECT_EQ(cond.st_time1, 500);
    EXPECT_EQ(cond.st_time2, 2359);
    EXPECT_EQ(cond.ed_time1, 600);
    EXPECT_EQ(cond.ed_time2, 2359);
    EXPECT_EQ(cond.wait_time, 60);
    EXPECT_EQ(cond.wait_count, 0);
    EXPECT_EQ(cond.combination_number, 1);
    EXPECT_EQ(cond.sel_date, day_number(2004, 3, 20));
    EXPECT_EQ(cond.sel_weekday, 7);
}

TEST(Conditions, ConfirmationCancelKeepsTheValuesTakenSoFar) {
    const CheckSettings s = settings_for();
    SearchForm f = good_form();
    f.text[4] = "17";
    f.connections_option = 6;
    f.one_per_flight = true;
    SearchConditions cond;
    cond.combination_number = 0;
    int asked = 0;
    FullCheck r = check_all(f, cond, s, [&] { return ++asked, false; });
    EXPECT_EQ(r.err_flg, 1);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(cond.wait_count, 2);
    EXPECT_EQ(cond.st_time2, 1700);
    EXPECT_EQ(cond.combination_number, 0);  // taken only after the question

    // A seat enquiry reads no options and asks nothing.
    SearchConditions enquiry;
    enquiry.inquiry_mode = 1;
    asked = 0;
    r = check_all(f, enquiry, s, [&] { return ++asked, false; });
    EXPECT_EQ(r.err_flg, 0);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(enquiry.wait_count, 0);
}

TEST(Conditions, FormStartsFromTheLastSearchAndToday) {
    SearchConditions cond;
    cond.sel_from_name = "福岡";
    cond.st_time1 = 705;
    cond.st_time2 = 2359;
    cond.ed_time1 = 600;
    cond.ed_time2 = 2400;
    cond.wait_time = 45;
    cond.wait_count = 2;
    cond.combination_number = 1;
    const DayNumber today = day_number(2004, 1, 7);
    SearchForm f = set_form1(cond, today);
    EXPECT_EQ(f.text[1], "福岡");
    EXPECT_EQ(f.text[2], "7");
    EXPECT_EQ(f.text[3], "5");
    EXPECT_EQ(f.text[10], "0");
    EXPECT_EQ(f.text[11], "45");
    EXPECT_EQ(f.connections_option, 6);
    EXPECT_TRUE(f.one_per_flight);
    EXPECT_EQ(f.text[13], "2004");
    EXPECT_EQ(f.text[14], "1");
    EXPECT_EQ(f.text[15], "7");
    EXPECT_EQ(cond.sel_date, today);
    EXPECT_EQ(cond.sel_weekday, 4);
}

}  // namespace
}  // namespace quorvel
