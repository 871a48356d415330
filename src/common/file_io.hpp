// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"

namespace quorvel {

// Reads a whole file. A missing file is ErrorCode::missing.
Result<std::vector<std::byte>> read_file_bytes(const std::filesystem::path& path);

// Writes a file so that no crash leaves it half written: the bytes go to a temporary file in the
// same directory, which is flushed and then renamed over the old one.
Status write_file_atomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quorvel
