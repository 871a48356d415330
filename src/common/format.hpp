// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// Formats an integer with a numeric picture as the program's formats use them:
// "0" is a digit always written, "#" a digit written only when significant, "," asks for
// thousands separators, and a backslash writes the next character literally. So "###0" gives at
// least one digit, "####" gives nothing for 0, "0000" pads to four digits, "###,##0" gives
// "12,345", and "\\###,###,###" gives a backslash (the yen sign of the code page) before the
// grouped number. A negative value gets a minus sign in front.
std::string format_number(std::int64_t value, std::string_view picture);

// A time HHMM (or any integer) with the pattern "00:00": a colon before the last two digits, at
// least two digits before it, a minus sign in front of a negative value.
// 705 gives "07:05", 2410 gives "24:10", -45 gives "-00:45".
std::string format_hhmm(std::int64_t value);

// Minutes since midnight of an HHMM time: (t div 100) * 60 + t mod 100.
constexpr int hhmm_to_minutes(int hhmm) { return (hhmm / 100) * 60 + hhmm % 100; }
// HHMM of a number of minutes (no wrap at midnight: 1500 minutes give 2500).
constexpr int minutes_to_hhmm(int minutes) { return (minutes / 60) * 100 + minutes % 60; }

}  // namespace quorvel
