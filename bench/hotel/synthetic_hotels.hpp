// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A hotel directory of the largest size the tables hold (15,000 hotels), made from the sample
// directory's hotels (renamed copies spread over its districts), so the texts have the sample's
// lengths and Japanese content.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "datatools/hotel_source.hpp"
#include "hotel/hotel_reader.hpp"

namespace quorvel::bench {

struct Files {
    std::string sample;  // the built sample infhotel.dat
    std::string full;    // 15,000 hotels
};

inline const Files& files() {
    static const Files f = [] {
        Files x;
        const auto path = std::filesystem::path(QUORVEL_BIN_DIR) / hotel_file_name;
        auto bytes = read_file_bytes(path);
        if (!bytes) {
            std::fprintf(stderr, "%s: build the sample data first (target sample_data)\n",
                         path.string().c_str());
            std::exit(1);
        }
        x.sample.assign(as_chars(*bytes));
        auto data = std::make_unique<HotelData>();
        load_hotel_data(*bytes, *data);
        HotelSource source = hotel_source_from_data(*data);
        const std::size_t base = source.hotels.size();
        for (std::size_t k = 0; source.hotels.size() < hotel_bounds::file_hotels; ++k) {
            HotelSourceHotel h = source.hotels[k % base];
            h.name += "・" + std::to_string(k / base + 2) + "号館";
            h.district = 1 + static_cast<int>((k * 7) % source.districts.size());
            source.hotels.push_back(std::move(h));
        }
        x.full = write_hotel_file(source).value();
        return x;
    }();
    return f;
}

inline const HotelData& full_data() {
    static const std::unique_ptr<HotelData> d = [] {
        auto x = std::make_unique<HotelData>();
        load_hotel_data(as_bytes(files().full), *x);
        return x;
    }();
    return *d;
}

}  // namespace quorvel::bench
