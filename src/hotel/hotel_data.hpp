// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Bounds of the hotel tables. Tables are indexed from 1; index 0 is unused unless said.
namespace hotel_bounds {
inline constexpr int prefs = 50;
inline constexpr int extras = 200;
inline constexpr int airports = 100;
inline constexpr int districts = 3000;
inline constexpr int file_hotels = 15000;  // hotels of infhotel.dat
inline constexpr int user_hotels = 500;    // hotels of hotelusr.csv
inline constexpr int hotels = file_hotels + user_hotels;
inline constexpr int inquiries = 300;
inline constexpr int areas = 10;  // area_name rows 0..10
inline constexpr int sections = 24;
inline constexpr int result_districts = 500;
}  // namespace hotel_bounds

inline constexpr const char* hotel_file_name = "infhotel.dat";
inline constexpr const char* user_hotel_file_name = "hotelusr.csv";

// Row numbers a user hotel gets when its prefecture, airport or district matches no row.
inline constexpr int user_no_pref = 99;
inline constexpr int user_no_airport = 99;
inline constexpr int user_no_district = 999;

// The nine text fields of a user hotel, in the order of hotelusr.csv.
using UserHotelFields = std::array<std::string, 9>;

// The hotel directory: the tables filled from infhotel.dat and hotelusr.csv, kept for the run.
// Large (several megabytes): the program holds one, by reference or std::unique_ptr.
struct HotelData {
    HotelData();

    int hotel_loaded = 0;
    std::array<std::int32_t, hotel_bounds::sections + 1> section_block{};
    int data_block_count = 0;

    int pref_count = 0;
    std::vector<std::string> pref_area, pref_name, pref_alias;  // 0..50
    std::vector<int> pref_hotel_count;                          // 0..50
    int area_count = 0;                                         // area_name rows beyond row 0
    std::vector<std::string> area_name;                         // 0..10
    std::vector<std::string> area_caption;                      // 0..9

    int extra_count = 0;
    std::array<std::vector<std::string>, 4> extra;  // four text tables 0..200

    int airport_count = 0;
    std::vector<std::string> airport_name;  // 0..100
    std::vector<int> airport_area, airport_hotel_count;

    int district_count = 0;
    std::vector<std::string> district_name;  // 0..3000

    int hotel_base_count = 0;
    int hotel_count = 0;
    std::vector<std::int32_t> hotel_site_code, hotel_pref, hotel_airport, hotel_district_no;  // 0..15500
    std::vector<std::string> hotel_district, hotel_name, hotel_tel, hotel_rooms, hotel_access, hotel_price,
        hotel_note, hotel_url, hotel_address, hotel_reservation_query;
    std::vector<std::int32_t> hotel_price_value;
    // The remark text as the file holds it (remark, "||", home page), so the data tool can write
    // the file back unchanged.
    std::vector<std::string> hotel_remark;
    // Set for a user hotel whose prefecture (bit 1) or airport (bit 2) named no row: its row number
    // is only a sentinel and must never match a search.
    std::vector<std::uint8_t> hotel_unmatched;

    int inquiry_count = 0;
    std::vector<std::string> inquiry_name, inquiry_note, inquiry_url;  // 0..300

    int user_hotel_count = 0;
    std::vector<std::string> user_pref_name, user_airport_name, user_district_name;  // 0..500
    std::vector<std::int32_t> user_pref, user_airport, user_district;
    std::vector<std::string> user_hotel_name, user_tel, user_rooms, user_access, user_price, user_note;
    std::vector<std::int32_t> user_price_value;
    int user_hotel_merged = 0;

    UserHotelFields user_fields(int r) const;
};

inline constexpr std::uint8_t unmatched_pref = 1;
inline constexpr std::uint8_t unmatched_airport = 2;

// Decodes a record number: the single-precision value of the bit pattern when it is a value from 1
// up to (not including) 2^24, otherwise 0. Negative patterns decode to 0 as well, so they can never
// name a row.
double decode_record_number(std::int32_t value);
// The pattern that decodes to n (1 <= n < 2^24), as the data tool writes it.
std::int32_t record_no_pattern(int n);
inline constexpr int end_marker = 99999;

// The amount a price text denotes when read as a currency amount: an optional yen sign "\",
// digits with thousands separators, an optional fraction (rounded). Anything else gives 0.
std::int64_t currency_amount(std::string_view text);
// The price rule of the data file (leading digits when there is no yen sign).
std::int32_t file_price_value(std::string_view price);
// The price rule of the user's hotels (0 when there is no yen sign).
std::int32_t user_price_value(std::string_view price);

// The row numbers of a user hotel, first exact match or 99 / 99 / 999.
void resolve_user_rows(HotelData& data, int r);

// Appends the user's hotels after the data file's hotels and sets user_hotel_merged.
void copy_user_hotel(HotelData& data);

}  // namespace quorvel
