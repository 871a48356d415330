// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"

namespace quorvel {

// Shift-JIS as the Japanese code page 932 defines it. The program keeps UTF-8 in memory and
// converts only where a file is read or written.
Result<std::string> sjis_to_utf8(std::string_view sjis);
Result<std::string> utf8_to_sjis(std::string_view utf8);
// True when every character of the UTF-8 text has a Shift-JIS form.
bool sjis_can_hold(std::string_view utf8);

inline std::string_view as_chars(std::span<const std::byte> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}
inline std::span<const std::byte> as_bytes(std::string_view text) {
    return {reinterpret_cast<const std::byte*>(text.data()), text.size()};
}

}  // namespace quorvel
