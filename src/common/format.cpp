// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/format.hpp"

#include <cstdlib>

namespace quorvel {

std::string format_number(std::int64_t value, std::string_view picture) {
    // Split the picture into a literal prefix, the digit placeholders and a literal suffix.
    std::string prefix, suffix;
    int forced = 0;
    bool grouped = false, in_digits = false, after_digits = false;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        char c = picture[i];
        if (c == '\\' && i + 1 < picture.size()) {
            (in_digits || after_digits ? suffix : prefix) += picture[++i];
            if (in_digits) after_digits = true, in_digits = false;
            continue;
        }
        if (!after_digits && (c == '0' || c == '#' || c == ',')) {
            in_digits = true;
            if (c == '0') ++forced;
            if (c == ',') grouped = true;
            continue;
        }
        if (in_digits) after_digits = true, in_digits = false;
        (after_digits ? suffix : prefix) += c;
    }
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = magnitude == 0 ? std::string() : std::to_string(magnitude);
    while (static_cast<int>(digits.size()) < forced) digits.insert(digits.begin(), '0');
    if (grouped) {
        for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, ",");
    }
    return (negative && magnitude != 0 ? "-" : "") + prefix + digits + suffix;
}

std::string format_hhmm(std::int64_t value) {
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    while (digits.size() < 4) digits.insert(digits.begin(), '0');
    digits.insert(digits.size() - 2, ":");
    return (negative ? "-" : "") + digits;
}

}  // namespace quorvel
