// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/day_number.hpp"
#include "common/result.hpp"
#include "platform/browser_detect.hpp"

namespace quorvel {

// Everything of a run that survives into the next one, as kept in quorvel6.ini beside the program.
// Numbers are int16 as the windows use them; tables are 1-based (index 0 unused).

inline constexpr std::string_view ini_file_name = "quorvel6.ini";

// Windows whose top/left position is remembered, in the order of the [Form] section.
inline constexpr std::array<std::string_view, 19> form_window_names = {
    "time_table1",  "time_table2",  "time_table3",  "time_table4",  "time_table5",
    "time_table11", "time_table12", "time_table92", "time_table93", "time_table99",
    "infhotel11",   "infhotel12",   "infhotel13",   "infhotel14",   "infhotel15",
    "infhotel21",   "infhotel41",   "infhotel42",   "infhotel92",
};

// Twips from the top and the left edge of the screen (15 twips per pixel).
struct WindowPosition {
    std::int16_t top = 0;
    std::int16_t left = 0;
    bool operator==(const WindowPosition&) const = default;
};

// The file holds 18 holidays; the two computed second Mondays take entries 19 and 20.
inline constexpr int holiday_table_size = 20;
inline constexpr int holiday_file_limit = holiday_table_size - 2;

// Column widths of the hotel list grid when the file has none.
inline constexpr std::array<std::int16_t, 7> default_hotel_column_widths = {1080, 2300, 1170, 700,
                                                                            2100, 900,  1080};

struct Settings {
    // [Form], indexed like form_window_names.
    std::array<WindowPosition, form_window_names.size()> positions = initial_positions();

    // [Control]. option_flags(1..6) and option_flags(9) are in the file; 7 and 8 are not.
    std::array<std::int16_t, 10> option_flags{};
    std::int16_t reservation_notices_shown = 0;
    std::int16_t hotel_limit = 500;
    std::int16_t hotel_details_shown = 1;
    std::int16_t result_order = 0;
    BrowserValues browser;  // inet_data1 (the kind's digit) and inet_data2 (the program)
    std::int16_t hotel_list_height = 0;
    std::int16_t hotel_list_width = 0;
    std::int16_t hotel_grid_height = 0;
    std::int16_t hotel_grid_width = 0;
    std::array<std::int16_t, 7> hotel_column_widths{};  // columns 0..6

    // [Departure ground], [Arrival ground]: newest first, entries 1..5.
    std::array<std::string, 6> recent_departures;
    std::array<std::string, 6> recent_arrivals;

    // [Retrieval condition]
    std::string from_airport;  // st_station
    std::string to_airport;    // ed_station
    std::int16_t departure_from = 0;
    std::int16_t departure_to = 0;
    std::int16_t arrival_from = 0;
    std::int16_t arrival_to = 0;
    std::int16_t max_wait = 0;
    std::int16_t connection_count = 0;
    std::int16_t one_result_per_flight = 0;
    std::int16_t window_limit_hours = 0;
    std::int16_t wait_limit_minutes = 0;

    // The hotel search's key histories, prefectures and airports, newest first, entries 1..5 (each
    // a section of its own in the file).
    std::array<std::string, 6> key_history;
    std::array<std::string, 6> keyword_history;

    // [Holiday]: entries 1..holiday_count; the first holiday_saved_count come from the file and
    // are written back, the two after them are computed at every reading.
    std::array<std::int16_t, holiday_table_size + 1> holiday_month{};
    std::array<std::int16_t, holiday_table_size + 1> holiday_day{};
    std::int16_t holiday_count = 0;
    std::int16_t holiday_saved_count = 0;

    // The position of a window of form_window_names; nullptr for any other name.
    WindowPosition* position(std::string_view window);
    const WindowPosition* position(std::string_view window) const;

    bool operator==(const Settings&) const = default;

  private:
    static std::array<WindowPosition, form_window_names.size()> initial_positions();
};

// The settings before anything is read: hotel_limit 500, hotel_details_shown 1, the hotel detail window at
// 5190/3855, everything else 0 or empty. (A default-constructed Settings is exactly this.)
Settings preset_settings();

// The defaults the program uses for values that are 0 after reading: window_limit_hours 12,
// wait_limit_minutes 240, the hotel list window's sizes and column widths.
void apply_zero_defaults(Settings& settings);

// The second Monday of a month.
DayNumber second_monday(int year, int month);

// Appends the second Mondays of January and of October that lie ahead of (or in the month of)
// `today` after the holidays read from the file, and sets holiday_count.
void add_computed_holidays(Settings& settings, DayNumber today);

// Reads the settings from the bytes of a quorvel6.ini (Shift-JIS, CR LF or LF). Never fails: what
// cannot be understood is skipped line by line, and an empty file gives the defaults. Defaults are
// applied before and after reading, and the computed holidays are added for `today`.
Settings read_settings(std::span<const std::byte> bytes, DayNumber today);
// The same from a file; a missing file gives the defaults. Only a file that exists but cannot be
// read is an error.
Result<Settings> read_settings(const std::filesystem::path& path, DayNumber today);

// Keys (or table entries such as "key_history(3)") whose text has no Shift-JIS form.
std::vector<std::string> settings_unencodable_keys(const Settings& settings);

// The bytes of quorvel6.ini (Shift-JIS, CR LF). Texts are trimmed, and characters the line format
// cannot carry are written in their full-width form (a comma as "，", a double quote as "＂", and in
// the two histories "[" as "［"); control characters become blanks. A text that Shift-JIS cannot
// hold is an ErrorCode::encoding error naming its key; nothing is written then.
Result<std::string> write_settings(const Settings& settings);
// Writes the file atomically: on any failure the previous file stays as it was.
Status write_settings(const std::filesystem::path& path, const Settings& settings);

}  // namespace quorvel
