// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/result.hpp"
#include "datatools/timetable_source.hpp"

namespace quorvel {

// Encodes a source into the bytes of timedata.dat. Each edition's flights are grouped so that the
// flights of one airport pair (in that direction) are contiguous, pairs in the order they first
// appear and flights of a pair in source order (the search sorts stably, so that order decides
// ties); the segment table is computed from the grouped editions. A source that breaks a table
// bound, names an unknown airport, company or aircraft, or holds a value its field cannot carry is
// refused with the file and line of the record (ErrorCode::invalid).
Result<std::vector<std::byte>> build_timetable(const TimetableSource& source);

// Decodes the raw records of a timedata.dat into a source: names as stored (fare airports not
// folded), amounts in the file's units. The segment table is left out because build computes it;
// for every file build wrote, build(decode(F)) is F byte for byte. A damaged file is
// ErrorCode::damaged with the section and offset.
Result<TimetableSource> decode_timetable(std::span<const std::byte> file);

// The float-coded form of a whole number whose magnitude is 0 or in [1, 2^24): the bit pattern of
// the single-precision value (0 for 0). decode_float_int reads it back.
std::int32_t float_code(std::int32_t value);

}  // namespace quorvel
