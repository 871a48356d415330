// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// Removes ASCII blanks (space and tab) at both ends.
std::string trim(std::string_view text);
std::string trim_left(std::string_view text);
std::string trim_right(std::string_view text);
// Removes ASCII blanks and the full-width blank U+3000 at both ends.
std::string trim_wide(std::string_view text);

// The leading numeric part of a text, as the settings file and the form fields read numbers:
// blanks before it are skipped, an optional sign is taken, then the digits; a text that does not
// start with a number gives 0. Values beyond the 64-bit range saturate.
std::int64_t leading_number(std::string_view text);
// The same, including a decimal fraction ("12.5" gives 12.5).
double leading_decimal(std::string_view text);

// True when every character is an ASCII digit and there is at least one.
bool is_all_digits(std::string_view text);

// Number of characters (code points) of a UTF-8 text; a stray byte counts as one character.
std::size_t char_count(std::string_view utf8);
// The first `count` characters of a UTF-8 text.
std::string char_left(std::string_view utf8, std::size_t count);
// The characters from position `start` (0-based) on, at most `count` of them.
std::string char_mid(std::string_view utf8, std::size_t start, std::size_t count = std::string::npos);
// Decodes the code point starting at `pos` and advances `pos` past it; a stray byte gives U+FFFD.
char32_t next_code_point(std::string_view utf8, std::size_t& pos);
void append_utf8(std::string& out, char32_t cp);

// Replaces ASCII digits by full-width digits: "240" becomes "２４０".
std::string to_fullwidth_digits(std::string_view text);

// The narrow-to-wide conversion of the Japanese code page: ASCII 0x21-0x7E to their full-width
// forms (backslash to "￥", "~" to "￣", '"' to "”", "'" to "’"), the blank to U+3000, half-width
// katakana to full-width ones with a following voiced or semi-voiced mark composed where the code
// page has the composed character. Everything else is kept.
std::string narrow_to_wide(std::string_view utf8);

// The code page's yen sign is the byte 0x5C, which reads as a backslash and is drawn as one here.
// Texts that carry prices show it as "¥"; a typed "¥" or "￥" is stored as the byte again.
std::string yen_for_display(std::string_view text);
std::string yen_for_storage(std::string_view text);

bool starts_with(std::string_view text, std::string_view prefix);
bool ends_with(std::string_view text, std::string_view suffix);
std::string to_upper_ascii(std::string_view text);

}  // namespace quorvel
