// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>

#include "common/sjis.hpp"
#include "datatools/hotel_source.hpp"
#include "hotel/hotel_data.hpp"
#include "hotel/hotel_reader.hpp"

namespace quorvel::test {

// Byte pieces of a hand-made infhotel.dat, for layouts the data tool never writes.
inline std::string i32(std::int32_t v) {
    std::string s;
    for (int k = 0; k < 4; ++k) s += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF);
    return s;
}
inline std::string text(const std::string& utf8) {
    const std::string sjis = utf8_to_sjis(utf8).value();
    std::string s;
    s += '\x08';
    s += '\0';
    s += static_cast<char>(sjis.size() & 0xFF);
    s += static_cast<char>(sjis.size() >> 8);
    return s + sjis;
}
inline std::string rec(int n) { return i32(record_no_pattern(n)); }
inline std::string end_mark() { return rec(end_marker); }

// Sections by number; build() puts each on its own block with the control record last.
struct RawHotelFile {
    std::map<int, std::string> sections;
    std::string build() const {
        std::string out;
        std::int32_t ctl[25] = {};
        for (const auto& [n, bytes] : sections) {
            out.resize((out.size() + 1023) / 1024 * 1024, '\0');
            ctl[n] = static_cast<std::int32_t>(out.size() / 1024);
            out += bytes;
        }
        out.resize((out.size() + 1023) / 1024 * 1024, '\0');
        for (int n = 1; n <= 24; ++n) out += i32(ctl[n]);
        out.resize(out.size() + 1024 - 96, '\0');
        return out;
    }
};

// A small directory: two areas, four prefectures, the four folded airports and a few districts.
inline HotelSource small_source() {
    HotelSource s;
    s.prefs = {{"北海道", "北海道", "ほっかいどう"},
               {"関東", "東京都", "東京"},
               {"関東", "千葉県", "千葉"},
               {"近畿", "大阪府", "大阪"}};
    s.airports = {
        {"札幌／千歳", 1}, {"東京／羽田", 4}, {"東京／成田", 4}, {"大阪／伊丹", 5}, {"大阪／関西", 5}};
    s.districts = {"すすきの", "新宿", "成田", "梅田", "なんば"};
    auto hotel = [](int site, int p, int a, int d, std::string name, std::string tel, std::string rooms,
                    std::string access, std::string price, std::string remark, std::string rsv) {
        HotelSourceHotel h;
        h.site_code = site, h.pref = p, h.airport = a, h.district = d, h.name = std::move(name),
        h.tel = std::move(tel);
        h.rooms = std::move(rooms), h.access = std::move(access), h.price = std::move(price);
        h.remark = std::move(remark), h.reservation_query = std::move(rsv);
        h.address = "住所" + h.name;
        return h;
    };
    s.hotels = {
        hotel(101, 1, 1, 1, "すすきのホテル", "011-111-1111", "120", "すすきの駅徒歩３分", "\\6,800",
              "○||http://a.example/", ""),
        hotel(0, 2, 2, 2, "新宿プラザ", "03-2222-2222", "0300", "新宿駅徒歩５分", "8000円", "◎", "hid=12"),
        hotel(0, 3, 3, 3, "成田エアポートイン", "", "", "成田空港駅バス", "", "", ""),
        hotel(205, 4, 4, 4, "梅田グランド", "06-4444-4444", "80", "梅田駅すぐ", "\\12,000", "△||", ""),
        hotel(0, 4, 5, 5, "なんばイン", "06-5555-5555", "abc", "なんば駅徒歩1分", "\\",
              "http://nanba.example/", "http://nanba.example/"),
    };
    s.inquiries = {{"北海道の宿", "空室照会", "http://inq.example/hokkaido"}};
    return s;
}

inline std::unique_ptr<HotelData> load_source(const HotelSource& s, HotelLoadReport* report = nullptr) {
    auto data = std::make_unique<HotelData>();
    const std::string bytes = write_hotel_file(s).value();
    auto r = load_hotel_data(as_bytes(bytes), *data);
    if (report) *report = r;
    return data;
}

}  // namespace quorvel::test
