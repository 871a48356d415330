// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the settings reader. Besides never crashing, whatever the reader makes of
// a file must be writable, and once written the file must be stable: reading and writing it again
// gives the same bytes. (The first write may still change the file: an empty browser kind reads
// back as "0", and a quote or control character in a text is written in a form the line format
// can carry.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "common/day_number.hpp"
#include "common/sjis.hpp"
#include "config/settings.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const DayNumber today = day_number(2003, 3, 15);
    const Settings s =
        read_settings(std::span<const std::byte>(reinterpret_cast<const std::byte*>(data), size), today);
    if (s.holiday_count < 2 || s.holiday_count > holiday_table_size) std::abort();
    auto first = write_settings(s);
    if (!first) std::abort();  // everything read from Shift-JIS must be writable as Shift-JIS
    auto second = write_settings(read_settings(as_bytes(*first), today));
    if (!second) std::abort();
    auto third = write_settings(read_settings(as_bytes(*second), today));
    if (!third || *third != *second) std::abort();
    return 0;
}
