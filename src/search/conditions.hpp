#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "common/day_number.hpp"
#include "search/search_types.hpp"

namespace quorvel {

struct Timetable;

// The texts of the search form as the user left them. text[n] is the field Textn (1..15);
// text[12] is the message line, which the checks write and clear. The checks write the default of
// an empty time or wait field back into it, so a window copies the texts in, runs a check and
// shows the texts again.
struct SearchForm {
    std::array<std::string, 16> text{};
    int connections_option = 4;   // the selected option: 4 direct only, 5 one connection, 6 two
    bool one_per_flight = false;  // Option7 ("１便あたり１件") selected; otherwise Option8
    std::string& message() { return text[12]; }
    const std::string& message() const { return text[12]; }
};

// What the checks need besides the form.
struct CheckSettings {
    std::span<const std::string> airports;  // apt_name(1..apt_count)
    int check_hours = 12;                   // widest departure window with connections, hours
    int check_minite = 240;                 // largest wait accepted, minutes (0 reads as 240)
    DayNumber today = 0;                    // a travel year before today's year is refused
};

// The known airport names of a timetable, for CheckSettings::airports.
std::span<const std::string> airport_names(const Timetable& tt);

// The message texts of the checks.
inline constexpr std::string_view msg_input_error = "入力エラーです";
inline constexpr std::string_view msg_same_airports = "出発地と到着地が同じです";
inline constexpr std::string_view msg_not_numeric = "数字以外の文字が入力されています";
std::string msg_wait_limit(int check_minite);  // "待ち合わせ時間は２４０分以内としてください"
std::string msg_window_width(int check_hours);  // "出発時刻の範囲は１２時間以内としてください"

// The question the caller asks before a search with connections (title "確認メッセージ",
// OK/Cancel, help topic 217).
inline constexpr std::string_view connection_question =
    "乗り換え回数が１回以上の場合、検索に時間がかかります";
inline constexpr std::string_view connection_question_title = "確認メッセージ";
inline constexpr int connection_question_help = 217;

// Field checks. Each returns err_flg: 1 = the field is refused (the focus stays there), 0 = accepted.
int chk_text1(SearchForm& form, const CheckSettings& settings);
int chk_text2(SearchForm& form);
int chk_text3(SearchForm& form);
int chk_text4(SearchForm& form);
int chk_text5(SearchForm& form);
int chk_text6(SearchForm& form, const CheckSettings& settings);
int chk_text7(SearchForm& form);
int chk_text8(SearchForm& form);
int chk_text9(SearchForm& form);
int chk_text10(SearchForm& form);
int chk_text11(SearchForm& form, const CheckSettings& settings);
int chk_text1_text6(SearchForm& form);
int chk_text2_text4(SearchForm& form, const CheckSettings& settings);
// The date checks keep the entered parts in sel_year, sel_month and sel_day even when refused.
int chk_text13(const SearchForm& form, SearchConditions& cond, const CheckSettings& settings);
int chk_text14(const SearchForm& form, SearchConditions& cond);

struct DayCheck {
    int err_flg = 0;
    int focus_field = 0;  // 13 or 14 when the year or month was refused: the focus goes there
};
// Runs the year and month checks, then judges the day; when accepted, sel_date and sel_weekday
// take the new date (format_weekday_paren(sel_date) is the weekday label).
DayCheck chk_text15(const SearchForm& form, SearchConditions& cond, const CheckSettings& settings);

// One entry point per field for a window's Enter key: field is the control number 1..15 (not 12).
struct FieldCheck {
    int err_flg = 0;
    int focus_field = 0;  // where the focus goes: the next field when accepted, else the field itself
};
FieldCheck check_field(int field, SearchForm& form, SearchConditions& cond, const CheckSettings& settings);

// The full check before a search. On success the condition values are set from the form. With
// connections in a timetable search, `confirm` is asked (connection_question); its false ends the
// check refused, after the airports, times, wait, date and wait_count have already been taken over.
// In a seat enquiry (cond.inquiry_mode == 1) the options are not read and nothing is asked.
struct FullCheck {
    int err_flg = 0;
    int focus_field = 0;     // the field of the first refused check
    bool cancelled = false;  // refused because confirm answered false
};
FullCheck check_all(SearchForm& form, SearchConditions& cond, const CheckSettings& settings,
                    const std::function<bool()>& confirm);

// The form as the main window starts: texts from the last search's values (kept in the settings file),
// the option of wait_count and combination_number; then the travel date becomes today, in the form
// and in cond (sel_date and its parts).
SearchForm set_form1(SearchConditions& cond, DayNumber today);

}  // namespace quorvel
