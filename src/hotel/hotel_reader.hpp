// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "common/progress.hpp"
#include "common/result.hpp"
#include "hotel/hotel_data.hpp"

namespace quorvel {

// What went wrong while loading. Loading never stops at a fault: the step that met it ends, what
// it had read is kept, and the next step runs, so the hotel windows open with whatever was read.
struct HotelLoadReport {
    std::vector<Error> faults;
    bool clean() const { return faults.empty(); }
};

// Reads infhotel.dat into the tables (the steps read_control_record .. read_reservation_queries). The
// progress bar runs over the file's blocks. hotel_loaded is set first, as the confirmed load does.
HotelLoadReport load_hotel_data(std::span<const std::byte> file, HotelData& data,
                                Progress* progress = nullptr);
HotelLoadReport load_hotel_data_file(const std::filesystem::path& path, HotelData& data,
                                     Progress* progress = nullptr);

// What load_user_hotel met besides the hotels it kept.
struct UserHotelReport {
    int dropped_lines = 0;        // lines beyond the 500 the tables hold; a save would lose them
    int bad_lines = 0;            // lines that are not valid Shift-JIS, skipped
    std::string unreadable;       // why a file that exists could not be read; empty when it could
    std::string message() const;  // empty when there is nothing to say
    // Writing the file back would keep every hotel it holds: it was read whole, or did not exist.
    bool whole() const { return unreadable.empty() && dropped_lines == 0 && bad_lines == 0; }
};

// Splits one line of hotelusr.csv into at most ten fields: a field in double quotes is the text
// between them and may hold commas (a doubled quote inside stands for one quote); an unquoted
// field is trimmed of ASCII blanks. Fields missing at the end are not returned.
std::vector<std::string> split_user_hotel_line(std::string_view line);

// Reads hotelusr.csv (Shift-JIS, CR LF) into the user tables and resolves their row numbers; the
// previous user hotels are replaced. Each line is split in memory, so no scratch file (tmp.csv) is
// written beside the program. Empty lines are skipped rather than read as hotels without a name.
// The registry reads the file again with it.
UserHotelReport load_user_hotel(std::span<const std::byte> file, HotelData& data);
// A missing or empty file means no user hotels; one that exists but cannot be read leaves the
// user tables as they were and says why.
UserHotelReport load_user_hotel_file(const std::filesystem::path& path, HotelData& data);

}  // namespace quorvel
