// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "search/search_types.hpp"

namespace quorvel {

struct Timetable;

// The printed report of a search: ten header lines, then the body that report_body builds.
inline constexpr std::string_view report_line_break = "\r\n";
inline constexpr std::string_view print_question = "印刷開始します！！";  // title "確認メッセージ", help 216

// The header lines, without their line breaks. The connection condition of a direct-only search
// reads "直行便のみ".
std::array<std::string, 10> report_header(const SearchConditions& cond, std::string_view app_title,
                                          std::string_view app_version);

// Appends a flight's designation to a report line: company code, four-digit number, aircraft.
void flight_report_line(const Timetable& tt, int edition, int flight, std::string& line);

// The report body: for each listed itinerary (the combination rule of the result list) one line
// per leg, continuation lines indented with tabs, CR LF after each line and an empty line after
// each block.
std::string report_body(const Timetable& tt, const RouteResults& results, const SearchConditions& cond);

}  // namespace quorvel
