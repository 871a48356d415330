// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the hotel data reader and to the user hotel reader, then searches and
// sorts what they loaded. Whatever the bytes, loading must end, stay inside the tables, and the
// searches must list only hotels of the table, never more than asked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "hotel/hotel_reader.hpp"
#include "hotel/hotel_search.hpp"
#include "hotel/hotel_user.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    auto d = std::make_unique<HotelData>();
    load_hotel_data(bytes, *d);
    load_user_hotel(bytes, *d);
    copy_user_hotel(*d);
    if (d->pref_count > hotel_bounds::prefs || d->airport_count > hotel_bounds::airports ||
        d->district_count > hotel_bounds::districts || d->hotel_base_count > hotel_bounds::file_hotels ||
        d->user_hotel_count > hotel_bounds::user_hotels || d->inquiry_count > hotel_bounds::inquiries ||
        d->area_count > hotel_bounds::areas || d->hotel_count != d->hotel_base_count + d->user_hotel_count)
        std::abort();
    if (!user_hotel_csv(*d).ok() && d->user_hotel_count == 0) std::abort();
    const std::string keys[] = {
        d->pref_name[1], d->airport_name[1], d->hotel_name[1], d->hotel_district[1], "駅", "\xef\xbd\x81"};
    for (int kind = 1; kind <= 6; ++kind) {
        HotelSearchState state;
        std::string text1 = keys[kind - 1].empty() ? std::string("x") : keys[kind - 1];
        if (!check_search_key(*d, state, kind, text1)) continue;
        HotelHits hits = search_hotels(*d, state, 50);
        if (hits.hotel_hit_count() > 50 || hits.result_district_count() > hotel_bounds::result_districts)
            std::abort();
        for (int k : hits.hotel_hit_list)
            if (k < 1 || k > d->hotel_count) std::abort();
        for (const char* key : {"ホテル都道府県", "ホテル空港", "ホテル詳細", "ホテル名", "ホテル電話",
                                "ホテル部屋数", "ホテル料金"})
            sort_hotel(*d, hits.hotel_hit_list, key);
        for (int k : hits.hotel_hit_list) {
            const auto cells = hotel_cell_texts(*d, k);
            hotel_row_height(cells, {0, 90, 180, 1000, 10, 1800, 1080});
        }
    }
    return 0;
}
