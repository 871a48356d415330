// SPDX-License-Identifier: GPL-3.0-or-later
#include "datatools/hotel_source.hpp"

#include <cstdint>
#include <memory>

#include "common/file_io.hpp"
#include "common/format.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"
#include "hotel/hotel_reader.hpp"

namespace quorvel {

namespace {

constexpr std::size_t block_bytes = 1024;

class FileWriter {
  public:
    void i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int k = 0; k < 4; ++k) out_ += static_cast<char>((u >> (8 * k)) & 0xFF);
    }
    void i16(std::int16_t v) {
        const auto u = static_cast<std::uint16_t>(v);
        out_ += static_cast<char>(u & 0xFF);
        out_ += static_cast<char>(u >> 8);
    }
    Status text(const std::string& utf8, const std::string& where) {
        auto sjis = utf8_to_sjis(utf8);
        if (!sjis) return make_error(ErrorCode::encoding, where + ": " + sjis.error().message);
        if (sjis->size() > 32767)
            return make_error(ErrorCode::invalid, where + ": text longer than 32767 bytes");
        i16(8);
        i16(static_cast<std::int16_t>(sjis->size()));
        out_ += *sjis;
        return ok_status();
    }
    void raw(const std::string& bytes) { out_ += bytes; }
    // Starts a section on the next block and returns its block number.
    std::int32_t begin_section() {
        out_.resize((out_.size() + block_bytes - 1) / block_bytes * block_bytes, '\0');
        return static_cast<std::int32_t>(out_.size() / block_bytes);
    }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

Status check_count(std::size_t n, int bound, const char* what) {
    if (n > static_cast<std::size_t>(bound))
        return make_error(ErrorCode::invalid, std::string(what) + ": " + std::to_string(n) +
                                                  " rows, more than " + std::to_string(bound));
    return ok_status();
}

#define QUORVEL_TRY(expr)                               \
    do {                                                \
        if (Status s_ = (expr); !s_) return s_.error(); \
    } while (0)

std::string hotel_where(std::size_t k, const std::string& field) {
    return "hotel " + std::to_string(k) + " " + field;
}

using SectionBlocks = std::array<std::int32_t, hotel_bounds::sections + 1>;

Status check_counts(const HotelSource& src) {
    using namespace hotel_bounds;
    QUORVEL_TRY(check_count(src.prefs.size(), prefs, "prefectures"));
    QUORVEL_TRY(check_count(src.extras.size(), extras, "spare table"));
    QUORVEL_TRY(check_count(src.airports.size(), airports, "airports"));
    QUORVEL_TRY(check_count(src.districts.size(), districts, "districts"));
    QUORVEL_TRY(check_count(src.hotels.size(), file_hotels, "hotels"));
    return check_count(src.inquiries.size(), inquiries, "vacancy-enquiry pages");
}

// Sections 1 to 4: prefectures, the spare table, airports with their areas, districts.
Status write_place_tables(FileWriter& w, const HotelSource& src, SectionBlocks& ctl) {
    auto count = [&](std::size_t n) { w.i32(static_cast<std::int32_t>(n)); };
    ctl[1] = w.begin_section();
    count(src.prefs.size());
    for (std::size_t j = 0; j < src.prefs.size(); ++j)
        for (const auto& t : src.prefs[j]) QUORVEL_TRY(w.text(t, "prefecture " + std::to_string(j + 1)));
    ctl[2] = w.begin_section();
    count(src.extras.size());
    for (std::size_t j = 0; j < src.extras.size(); ++j)
        for (const auto& t : src.extras[j]) QUORVEL_TRY(w.text(t, "spare row " + std::to_string(j + 1)));
    ctl[3] = w.begin_section();
    count(src.airports.size());
    for (std::size_t j = 0; j < src.airports.size(); ++j) {
        QUORVEL_TRY(w.text(src.airports[j].first, "airport " + std::to_string(j + 1)));
        if (src.airports[j].second < 0 || src.airports[j].second > 99)
            return make_error(ErrorCode::invalid,
                              "airport " + std::to_string(j + 1) + ": area outside 0..99");
        w.raw(format_number(src.airports[j].second, "00"));
    }
    ctl[4] = w.begin_section();
    count(src.districts.size());
    for (std::size_t j = 0; j < src.districts.size(); ++j)
        QUORVEL_TRY(w.text(src.districts[j], "district " + std::to_string(j + 1)));
    return ok_status();
}

// Sections 11 and 12: each hotel's site and location, then its name.
Status write_hotel_index(FileWriter& w, const HotelSource& src, SectionBlocks& ctl) {
    ctl[11] = w.begin_section();
    w.i32(static_cast<std::int32_t>(src.hotels.size()));
    for (std::size_t k = 0; k < src.hotels.size(); ++k) {
        const auto& h = src.hotels[k];
        if (h.site_code < 0 || h.site_code > 700000 || h.pref < 0 || h.pref > hotel_bounds::prefs ||
            h.airport < 0 || h.airport > 99 || h.district < 0 || h.district >= 3000)
            return make_error(ErrorCode::invalid,
                              hotel_where(k + 1, "site code or location") + " outside the tables");
        w.i32(h.site_code * 3000);
        w.i32((h.pref * 100 + h.airport) * 3000 + h.district);
    }
    ctl[12] = w.begin_section();
    for (std::size_t k = 0; k < src.hotels.size(); ++k) {
        w.i32(record_no_pattern(static_cast<int>(k + 1)));
        QUORVEL_TRY(w.text(src.hotels[k].name, hotel_where(k + 1, "name")));
    }
    return ok_status();
}

// Sections 13 to 20: the keyed texts of the hotels, and the vacancy-enquiry pages in 19.
Status write_keyed_sections(FileWriter& w, const HotelSource& src, SectionBlocks& ctl) {
    const std::pair<int, std::string HotelSourceHotel::*> keyed[] = {
        {13, &HotelSourceHotel::tel},
        {14, &HotelSourceHotel::rooms},
        {15, &HotelSourceHotel::access},
        {16, &HotelSourceHotel::price},
        {17, &HotelSourceHotel::remark},
        {18, &HotelSourceHotel::address},
        {19, nullptr},
        {20, &HotelSourceHotel::reservation_query}};
    for (const auto& [section, field] : keyed) {
        ctl[section] = w.begin_section();
        if (field == nullptr) {
            w.i32(static_cast<std::int32_t>(src.inquiries.size()));
            for (std::size_t j = 0; j < src.inquiries.size(); ++j)
                for (const auto& t : src.inquiries[j])
                    QUORVEL_TRY(w.text(t, "enquiry page " + std::to_string(j + 1)));
            continue;
        }
        for (std::size_t k = 0; k < src.hotels.size(); ++k) {
            const std::string& t = src.hotels[k].*field;
            if (t.empty()) continue;
            w.i32(record_no_pattern(static_cast<int>(k + 1)));
            QUORVEL_TRY(w.text(t, hotel_where(k + 1, "section " + std::to_string(section))));
        }
        w.i32(record_no_pattern(end_marker));
    }
    return ok_status();
}

}  // namespace

Result<std::string> write_hotel_file(const HotelSource& src) {
    QUORVEL_TRY(check_counts(src));
    FileWriter w;
    SectionBlocks ctl{};
    QUORVEL_TRY(write_place_tables(w, src, ctl));
    QUORVEL_TRY(write_hotel_index(w, src, ctl));
    QUORVEL_TRY(write_keyed_sections(w, src, ctl));
    w.begin_section();
    for (int n = 1; n <= hotel_bounds::sections; ++n) w.i32(ctl[static_cast<std::size_t>(n)]);
    std::string out = w.take();
    out.resize(out.size() + block_bytes - static_cast<std::size_t>(hotel_bounds::sections) * 4, '\0');
    return out;
}

HotelSource hotel_source_from_data(const HotelData& d) {
    HotelSource s;
    auto at = [](const auto& v, int i) -> const auto& { return v[i]; };
    for (int j = 1; j <= d.pref_count; ++j)
        s.prefs.push_back({at(d.pref_area, j), at(d.pref_name, j), at(d.pref_alias, j)});
    for (int j = 1; j <= d.extra_count; ++j)
        s.extras.push_back({at(d.extra[0], j), at(d.extra[1], j), at(d.extra[2], j), at(d.extra[3], j)});
    for (int j = 1; j <= d.airport_count; ++j)
        s.airports.emplace_back(at(d.airport_name, j), at(d.airport_area, j));
    for (int j = 1; j <= d.district_count; ++j) s.districts.push_back(at(d.district_name, j));
    for (int k = 1; k <= d.hotel_base_count; ++k) {
        HotelSourceHotel h;
        h.site_code = at(d.hotel_site_code, k);
        h.pref = at(d.hotel_pref, k);
        h.airport = at(d.hotel_airport, k);
        h.district = at(d.hotel_district_no, k);
        h.name = at(d.hotel_name, k);
        h.tel = at(d.hotel_tel, k);
        h.rooms = at(d.hotel_rooms, k);
        h.access = at(d.hotel_access, k);
        h.price = at(d.hotel_price, k);
        h.remark = at(d.hotel_remark, k);
        h.address = at(d.hotel_address, k);
        h.reservation_query = at(d.hotel_reservation_query, k);
        s.hotels.push_back(std::move(h));
    }
    for (int j = 1; j <= d.inquiry_count; ++j)
        s.inquiries.push_back({at(d.inquiry_name, j), at(d.inquiry_note, j), at(d.inquiry_url, j)});
    return s;
}

// ---- TSV sources ----

namespace {

using Rows = std::vector<std::vector<std::string>>;

Result<Rows> read_tsv(const std::filesystem::path& path, std::size_t columns) {
    auto bytes = read_file_bytes(path);
    if (!bytes) return bytes.error();
    const std::string_view all = as_chars(*bytes);
    Rows rows;
    std::size_t start = 0, line_no = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        start = end + 1;
        ++line_no;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // Empty lines are rows (a one-column table may hold an empty text); "#" starts a comment.
        if (!line.empty() && line.front() == '#') continue;
        std::vector<std::string> cells;
        std::size_t p = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', p);
            cells.emplace_back(
                line.substr(p, tab == std::string_view::npos ? std::string_view::npos : tab - p));
            if (tab == std::string_view::npos) break;
            p = tab + 1;
        }
        if (cells.size() > columns)
            return make_error(ErrorCode::damaged, path.string() + ":" + std::to_string(line_no) + ": " +
                                                      std::to_string(cells.size()) + " columns, at most " +
                                                      std::to_string(columns) + " expected");
        cells.resize(columns);
        rows.push_back(std::move(cells));
    }
    return rows;
}

Result<int> number_cell(const std::string& cell, const std::filesystem::path& path, std::size_t row) {
    const std::string t = trim(cell);
    if (t.empty()) return 0;
    if (!is_all_digits(t) || t.size() > 9)
        return make_error(ErrorCode::damaged, path.string() + ": row " + std::to_string(row) + ": \"" + cell +
                                                  "\" is not a number");
    return static_cast<int>(leading_number(t));
}

Status write_tsv(const std::filesystem::path& path, const std::string& header, const Rows& rows) {
    std::string out = header + "\n";
    for (const auto& r : rows) {
        for (std::size_t c = 0; c < r.size(); ++c) {
            if (r[c].find_first_of("\t\r\n") != std::string::npos)
                return make_error(ErrorCode::invalid,
                                  path.string() + ": a text holds a TAB or a line break: " + r[c]);
            if (c == 0 && !r[c].empty() && r[c].front() == '#')
                return make_error(ErrorCode::invalid, path.string() + ": a row starts with \"#\": " + r[c]);
            if (c) out += '\t';
            out += r[c];
        }
        out += '\n';
    }
    return write_file_atomically(path, out);
}

}  // namespace

Result<HotelSource> read_hotel_source(const std::filesystem::path& dir) {
    HotelSource s;
    auto prefs = read_tsv(dir / "prefectures.tsv", 3);
    if (!prefs) return prefs.error();
    for (auto& r : *prefs) s.prefs.push_back({r[0], r[1], r[2]});
    if (std::filesystem::exists(dir / "extra.tsv")) {
        auto extra = read_tsv(dir / "extra.tsv", 4);
        if (!extra) return extra.error();
        for (auto& r : *extra) s.extras.push_back({r[0], r[1], r[2], r[3]});
    }
    auto airports = read_tsv(dir / "airports.tsv", 2);
    if (!airports) return airports.error();
    for (std::size_t i = 0; i < airports->size(); ++i) {
        auto area = number_cell((*airports)[i][1], dir / "airports.tsv", i + 1);
        if (!area) return area.error();
        s.airports.emplace_back((*airports)[i][0], *area);
    }
    auto districts = read_tsv(dir / "districts.tsv", 1);
    if (!districts) return districts.error();
    for (auto& r : *districts) s.districts.push_back(r[0]);
    const auto hotels_path = dir / "hotels.tsv";
    auto hotels = read_tsv(hotels_path, 12);
    if (!hotels) return hotels.error();
    for (std::size_t i = 0; i < hotels->size(); ++i) {
        auto& r = (*hotels)[i];
        HotelSourceHotel h;
        int* numbers[4] = {&h.site_code, &h.pref, &h.airport, &h.district};
        for (std::size_t c = 0; c < 4; ++c) {
            auto v = number_cell(r[c], hotels_path, i + 1);
            if (!v) return v.error();
            *numbers[c] = *v;
        }
        h.name = r[4], h.tel = r[5], h.rooms = r[6], h.access = r[7], h.price = r[8], h.remark = r[9],
        h.address = r[10], h.reservation_query = r[11];
        s.hotels.push_back(std::move(h));
    }
    if (std::filesystem::exists(dir / "inquiries.tsv")) {
        auto inq = read_tsv(dir / "inquiries.tsv", 3);
        if (!inq) return inq.error();
        for (auto& r : *inq) s.inquiries.push_back({r[0], r[1], r[2]});
    }
    return s;
}

Status write_hotel_source(const std::filesystem::path& dir, const HotelSource& s) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    Rows prefs, extras, airports, districts, hotels, inquiries;
    for (const auto& p : s.prefs) prefs.push_back({p[0], p[1], p[2]});
    for (const auto& e : s.extras) extras.push_back({e[0], e[1], e[2], e[3]});
    for (const auto& a : s.airports) airports.push_back({a.first, std::to_string(a.second)});
    for (const auto& d : s.districts) districts.push_back({d});
    for (const auto& h : s.hotels)
        hotels.push_back({std::to_string(h.site_code), std::to_string(h.pref), std::to_string(h.airport),
                          std::to_string(h.district), h.name, h.tel, h.rooms, h.access, h.price, h.remark,
                          h.address, h.reservation_query});
    for (const auto& q : s.inquiries) inquiries.push_back({q[0], q[1], q[2]});
    QUORVEL_TRY(write_tsv(dir / "prefectures.tsv", "# area\tname\talias", prefs));
    QUORVEL_TRY(write_tsv(dir / "extra.tsv", "# four texts no window reads", extras));
    QUORVEL_TRY(write_tsv(dir / "airports.tsv", "# name\tarea (1 北海道 .. 9 沖縄)", airports));
    QUORVEL_TRY(write_tsv(dir / "districts.tsv", "# district name (row numbers count from 1)", districts));
    QUORVEL_TRY(
        write_tsv(dir / "hotels.tsv",
                  "# site_code\tpref\tairport\tdistrict\tname\ttel\trooms\taccess\tprice\tremark||home page\t"
                  "address\trsv_query",
                  hotels));
    QUORVEL_TRY(write_tsv(dir / "inquiries.tsv", "# name\tnote\tpage address", inquiries));
    return ok_status();
}

Status build_hotel_file(const std::filesystem::path& source_dir, const std::filesystem::path& out_file) {
    auto src = read_hotel_source(source_dir);
    if (!src) return src.error();
    auto bytes = write_hotel_file(*src);
    if (!bytes) return bytes.error();
    return write_file_atomically(out_file, *bytes);
}

Status dump_hotel_file(const std::filesystem::path& file, const std::filesystem::path& out_dir) {
    auto data = std::make_unique<HotelData>();
    const auto report = load_hotel_data_file(file, *data);
    if (!report.clean()) return report.faults.front();
    return write_hotel_source(out_dir, hotel_source_from_data(*data));
}

}  // namespace quorvel
