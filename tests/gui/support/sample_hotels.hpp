// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "gui/support/test_services.hpp"
#include "hotel/hotel_reader.hpp"

namespace quorvel::test {

// Puts the sample hotel directory (infhotel.dat and the sample's hotelusr.csv) into the run's
// directory; with `load` the tables are read as a confirmed first hotel command reads them.
inline void sample_hotels(TestApp& t, bool load = true) {
    namespace fs = std::filesystem;
    fs::copy_file(fs::path(QUORVEL_BIN_DIR) / hotel_file_name, t.dir() / hotel_file_name,
                  fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(QUORVEL_SOURCE_DIR) / "data/sample" / user_hotel_file_name,
                  t.dir() / user_hotel_file_name, fs::copy_options::overwrite_existing);
    if (!load) return;
    HotelData& data = *t.app.hotel.data;
    (void)load_hotel_data_file(t.dir() / hotel_file_name, data);
    (void)load_user_hotel_file(t.dir() / user_hotel_file_name, data);
    data.hotel_loaded = 1;
}

}  // namespace quorvel::test
