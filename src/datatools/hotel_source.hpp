// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/result.hpp"
#include "hotel/hotel_data.hpp"

namespace quorvel {

// The contents of infhotel.dat as the data tool sees them: every table as the file stores it,
// before the loader derives prices, notes and counts.
struct HotelSourceHotel {
    int site_code = 0;  // number at "旅の窓口", 0 = none
    int pref = 0, airport = 0, district = 0;
    std::string name, tel, rooms, access, price, remark, address, reservation_query;
};

struct HotelSource {
    std::vector<std::array<std::string, 3>> prefs;  // area, name, alias
    std::vector<std::array<std::string, 4>> extras;
    std::vector<std::pair<std::string, int>> airports;  // name, area 1..9
    std::vector<std::string> districts;
    std::vector<HotelSourceHotel> hotels;
    std::vector<std::array<std::string, 3>> inquiries;  // name, note, page address
};

// Writes the file: each section on its own 1024-byte block in the order 1-4, 11-20, the control
// record in the last block. Keyed sections list the hotels with a non-empty text in hotel order.
Result<std::string> write_hotel_file(const HotelSource& source);

// What a loaded file holds, for the dump (the file's hotels only, not the user's).
HotelSource hotel_source_from_data(const HotelData& data);

// The readable sources: a directory of UTF-8 TSV files (prefectures.tsv, extra.tsv, airports.tsv,
// districts.tsv, hotels.tsv, inquiries.tsv). Lines starting with "#" are comments; a text can't
// hold a TAB or a line break.
Result<HotelSource> read_hotel_source(const std::filesystem::path& dir);
Status write_hotel_source(const std::filesystem::path& dir, const HotelSource& source);

// The data tool's two directions for infhotel.dat.
Status build_hotel_file(const std::filesystem::path& source_dir, const std::filesystem::path& out_file);
Status dump_hotel_file(const std::filesystem::path& file, const std::filesystem::path& out_dir);

}  // namespace quorvel
