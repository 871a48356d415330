// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the remark parser of the flight tables. Besides never crashing or
// hanging on a huge range, the parse must stay inside its tables, give only real dates, and a
// remark it refuses must leave the flight to its weekday rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/day_number.hpp"
#include "search/remark_parser.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DayNumber today = day_number(2003, 12, 10);
    const RemarkDates r = parse_remark(text, today);
    if (r.remark_count < 0 || r.remark_count > max_remark_dates) std::abort();
    if (!r.usable && r.remark_count != 0) std::abort();
    for (int i = 1; i <= r.remark_count; ++i) {
        // Every date lies within the year the rule can give: from this month to next November.
        const DayNumber d = r.remark_dates[i];
        if (d < day_number(2003, 12, 1) || d > day_number(2004, 11, 30)) std::abort();
    }
    const TableCheck t = check_table(r, day_number(2004, 1, 5), 7);
    if (t.in_service != 0 && t.in_service != 1) std::abort();
    if (r.remark_count == 0 && (t.in_service != 1 || t.time_shift != 7)) std::abort();
    const Delimiter d = check_chr(text, 1);
    if (d.out_chr != 'e' && (d.out_i < 1 || d.out_i >= 99)) std::abort();
    return 0;
}
