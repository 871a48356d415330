// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "common/progress.hpp"
#include "common/result.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

inline constexpr const char* data_file_name = "timedata.dat";

// Decodes a float-coded int32: the IEEE-754 single value of the bit pattern when its magnitude
// lies in [1, 2^24), otherwise 0.
double decode_float_int(std::int32_t in_data);

// Reads a whole timetable file. A missing or empty file is ErrorCode::missing (the program then
// ends without a window); a file that breaks the layout or a table bound is ErrorCode::damaged with
// a message naming the section and the offset. Progress goes section by section over the blocks.
Result<std::unique_ptr<Timetable>> load_timetable(std::span<const std::byte> file,
                                                  Progress* progress = nullptr);
Result<std::unique_ptr<Timetable>> load_timetable_file(const std::filesystem::path& path,
                                                       Progress* progress = nullptr);

// Builds route_index and route_count from the flight tables.
void build_route_index(Timetable& tt);

}  // namespace quorvel
