// SPDX-License-Identifier: GPL-3.0-or-later
#include "timetable/timetable_reader.hpp"

#include <cmath>
#include <string>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"
#include "timetable/byte_reader.hpp"

namespace quorvel {

double decode_float_int(std::int32_t in_data) {
    // The decoding rule works on the bit pattern: exponents 0..23 above 1.0 keep an exact integer
    // part; smaller or larger magnitudes, zero, infinities and NaNs decode to 0.
    const std::uint32_t bits = static_cast<std::uint32_t>(in_data);
    const std::uint32_t magnitude = bits & 0x7FFFFFFFu;
    if (magnitude < 0x3F800000u || magnitude >= 0x3F800000u + 24u * 0x00800000u) return 0.0;
    const std::uint32_t e = (magnitude - 0x3F800000u) >> 23;
    const double mantissa = static_cast<double>(0x00800000u | (magnitude & 0x007FFFFFu));
    const double value = std::ldexp(mantissa, static_cast<int>(e) - 23);
    return (bits & 0x80000000u) != 0 ? -value : value;
}

namespace {

constexpr int section_airports = 1, section_segments = 2, section_aircraft = 3, section_companies = 4,
              section_first_edition = 5, section_first_fare = 9, section_discounts = 11, section_access = 12,
              section_periods = 13;

const char* section_name(int n) {
    switch (n) {
        case 1:
            return "airports";
        case 2:
            return "segments";
        case 3:
            return "aircraft";
        case 4:
            return "companies";
        case 5:
        case 6:
        case 7:
        case 8:
            return "timetable edition";
        case 9:
        case 10:
            return "fare table";
        case 11:
            return "discount fares";
        case 12:
            return "airport access";
        case 13:
            return "calendar periods";
        default:
            return "control record";
    }
}

// Reading one file into the tables; each loader stops at the first fault and says where it was.
class Loader {
  public:
    Loader(std::span<const std::byte> file, Timetable& tt, Progress* progress)
        : in_(file), tt_(tt), progress_(progress) {}

    Status run() {
        for (auto step : {&Loader::read_control_record, &Loader::read_airports, &Loader::read_segments,
                          &Loader::read_aircraft, &Loader::read_companies, &Loader::read_flights,
                          &Loader::check_route_index, &Loader::read_fares, &Loader::read_discounts,
                          &Loader::read_accesses, &Loader::read_periods}) {
            Status s = (this->*step)();
            if (!s) return s;
        }
        build_route_index(tt_);
        return ok_status();
    }

  private:
    Error damaged(const std::string& what) const {
        std::string where = section_ < 0 ? "control record" : section_name(section_);
        if (section_ >= section_first_edition && section_ < section_first_edition + 4)
            where += " " + std::to_string(section_ - section_first_edition + 1);
        if (section_ >= section_first_fare && section_ < section_first_fare + 2)
            where += " " + std::to_string(section_ - section_first_fare + 1);
        return make_error(ErrorCode::damaged, std::string(data_file_name) + ": " + where + " (section " +
                                                  std::to_string(section_ < 0 ? 0 : section_) + ", offset " +
                                                  std::to_string(in_.offset()) + "): " + what);
    }

    // Positions the reader at section n and checks its count against the table bound.
    Status open_section(int n, int bound, int& count) {
        section_ = n;
        if (progress_) {
            progress_->set_value(tt_.section_block[n]);
            progress_->yield();
        }
        count = tt_.section_rows[n];
        if (count < 0 || count > bound)
            return damaged(std::to_string(count) + " records, more than the " + std::to_string(bound) +
                           " the table holds");
        const std::int64_t start = static_cast<std::int64_t>(tt_.section_block[n]) * block_size;
        if (start < 0 || !in_.seek(static_cast<std::size_t>(start)))
            return damaged("the section starts outside the file");
        return ok_status();
    }

    bool read(std::int16_t& v) {
        auto r = in_.i16();
        if (r) v = *r;
        return r.has_value();
    }
    bool read(std::int32_t& v) {
        auto r = in_.i32();
        if (r) v = *r;
        return r.has_value();
    }
    Status truncated() const { return damaged("the file ends inside a record"); }

    Status text(std::string& out) {
        std::int16_t tag = 0, length = 0;
        if (!read(tag) || !read(length)) return truncated();
        if (tag != 8) return damaged("a text field has type " + std::to_string(tag) + " instead of 8");
        if (length < 0) return damaged("a text field has a negative length");
        auto bytes = in_.raw(static_cast<std::size_t>(length));
        if (!bytes) return truncated();
        return decode(*bytes, out);
    }

    Status code(std::size_t width, std::string& out) {
        auto bytes = in_.raw(width);
        if (!bytes) return truncated();
        std::string decoded;
        if (Status s = decode(*bytes, decoded); !s) return s;
        out = trim(decoded);
        while (char_count(out) < width) out += ' ';
        return ok_status();
    }

    Status decode(const std::string& bytes, std::string& out) {
        bool ascii = true;
        for (unsigned char c : bytes) ascii = ascii && c < 0x80;
        if (ascii) {
            out = bytes;
            return ok_status();
        }
        auto r = sjis_to_utf8(bytes);
        if (!r) return damaged("a text is not valid Shift-JIS");
        out = std::move(r).value();
        return ok_status();
    }

    Status nonnegative(std::int32_t v) const {
        if (v < 0) return damaged("a packed field is negative");
        return ok_status();
    }

    Status airport(int index, std::string& name) const {
        if (index < 1 || index > tt_.airport_count)
            return damaged("airport index " + std::to_string(index) + " is not in the airport table");
        name = tt_.airport_name[index];
        return ok_status();
    }

    Status company(int index, std::string& code) const {
        if (index < 1 || index > tt_.company_count)
            return damaged("company index " + std::to_string(index) + " is not in the company table");
        code = tt_.company_code[index];
        return ok_status();
    }

    Status read_control_record() {
        section_ = -1;
        const std::size_t length = in_.size();
        if (length == 0) return make_error(ErrorCode::missing, std::string(data_file_name) + " is empty");
        if (length < static_cast<std::size_t>(control_record_size))
            return damaged("the file is shorter than its control record");
        tt_.data_block_count = static_cast<int>(std::min<std::size_t>(length / block_size, 32767));
        in_.seek(length - control_record_size);
        for (int n = 1; n <= bounds::sections; ++n) {
            std::int16_t b = 0;
            read(b);
            tt_.section_block[n] = b;
        }
        for (int n = 1; n <= bounds::sections; ++n) read(tt_.section_rows[n]);
        for (int k = 1; k <= bounds::editions; ++k) read(tt_.edition_valid_to[k]);
        read(tt_.data_valid_to);
        for (int t = 1; t <= bounds::fare_tables; ++t) read(tt_.fare_valid_from[t]);
        for (int i = 1; i <= bounds::help_rows; ++i)
            for (int j = 1; j <= bounds::help_cols; ++j) read(tt_.fare_help_topic[i][j]);
        if (progress_) progress_->set_range(0, tt_.data_block_count);
        return ok_status();
    }

    Status read_airports() {
        int count = 0;
        if (Status s = open_section(section_airports, bounds::airports, count); !s) return s;
        for (std::size_t a = 1; a <= static_cast<std::size_t>(count); ++a) {
            std::int16_t g = 0;
            if (Status s = text(tt_.airport_name[a]); !s) return s;
            if (!read(g)) return truncated();
            if (g < 0) return damaged("a negative region group");
            tt_.airport_region[a] = static_cast<std::int16_t>(g / 2);
            tt_.airport_flag[a] = static_cast<std::int16_t>(g % 2);
            for (std::string* c :
                 {&tt_.airport_code1[a], &tt_.airport_code2[a], &tt_.airport_code3[a], &tt_.airport_code4[a]})
                if (Status s = code(3, *c); !s) return s;
            if (trim(tt_.airport_code4[a]) == "*") tt_.airport_code4[a] = "   ";
        }
        tt_.airport_count = static_cast<std::int16_t>(count);
        return ok_status();
    }

    Status read_segments() {
        int count = 0;
        if (Status s = open_section(section_segments, bounds::segments, count); !s) return s;
        for (std::size_t s = 1; s <= static_cast<std::size_t>(count); ++s) {
            std::int32_t v = 0;
            if (!read(v)) return truncated();
            const auto pair = static_cast<std::int64_t>(decode_float_int(v));
            if (pair < 0) return damaged("a negative airport pair");
            if (Status st = airport(static_cast<int>(pair / 256), tt_.segment_from[s]); !st) return st;
            if (Status st = airport(static_cast<int>(pair % 256), tt_.segment_to[s]); !st) return st;
            for (std::size_t k = 1; k <= bounds::editions; ++k) {
                std::int32_t w = 0;
                if (!read(w)) return truncated();
                if (Status st = nonnegative(w); !st) return st;
                const std::int32_t first = w / 4096, last = first + w % 4096;
                if (last > bounds::flights)
                    return damaged("a segment names flight " + std::to_string(last) + ", beyond the table");
                tt_.segment_first[k][s] = static_cast<std::int16_t>(first);
                tt_.segment_last[k][s] = static_cast<std::int16_t>(last);
            }
        }
        tt_.segment_count = static_cast<std::int16_t>(count);
        return ok_status();
    }

    Status read_aircraft() {
        int count = 0;
        if (Status s = open_section(section_aircraft, bounds::aircraft, count); !s) return s;
        for (std::size_t i = 1; i <= static_cast<std::size_t>(count); ++i)
            if (Status s = text(tt_.aircraft_name[i]); !s) return s;
        tt_.aircraft_count = static_cast<std::int16_t>(count);
        return ok_status();
    }

    Status read_companies() {
        int count = 0;
        if (Status s = open_section(section_companies, bounds::companies, count); !s) return s;
        for (std::size_t m = 1; m <= static_cast<std::size_t>(count); ++m) {
            if (Status s = text(tt_.company_code[m]); !s) return s;
            if (Status s = text(tt_.company_name[m]); !s) return s;
        }
        tt_.company_count = static_cast<std::int16_t>(count);
        return ok_status();
    }

    Status read_flights() {
        for (int k = 1; k <= bounds::editions; ++k) {
            if (tt_.section_block[section_first_edition + k - 1] == 0) break;
            int count = 0;
            if (Status s = open_section(section_first_edition + k - 1, bounds::flights, count); !s) return s;
            for (int i = 1; i <= count; ++i)
                if (Status s = flight(static_cast<std::size_t>(k), static_cast<std::size_t>(i)); !s) return s;
            tt_.edition_flight_count[k] = static_cast<std::int16_t>(count);
        }
        return ok_status();
    }

    Status flight(std::size_t k, std::size_t i) {
        std::int32_t p[5] = {};
        for (auto& v : p) {
            if (!read(v)) return truncated();
            if (Status s = nonnegative(v); !s) return s;
        }
        const int from = p[0] >> 21, to = (p[0] >> 14) & 127, aircraft = (p[0] >> 7) & 127, comp = p[0] & 127;
        std::string ignored;
        if (Status s = airport(from, ignored); !s) return s;
        if (Status s = airport(to, ignored); !s) return s;
        if (aircraft > tt_.aircraft_count)
            return damaged("aircraft index " + std::to_string(aircraft) + " is not in the aircraft table");
        if (comp < 1 || comp > tt_.company_count)
            return damaged("company index " + std::to_string(comp) + " is not in the company table");
        tt_.flight_from[k][i] = static_cast<std::int16_t>(from);
        tt_.flight_to[k][i] = static_cast<std::int16_t>(to);
        tt_.flight_aircraft[k][i] = tt_.aircraft_name[aircraft];
        tt_.flight_company[k][i] = std::to_string(comp);
        const std::int32_t saturday = p[1] / 12800 - 100;
        tt_.flight_number[k][i] = static_cast<std::int16_t>(p[1] % 12800);
        const std::int32_t arrival = p[2] / 4096;
        if (arrival > 32767 || saturday > 32767) return damaged("a time does not fit its field");
        tt_.flight_departure[k][i] = static_cast<std::int16_t>(p[2] % 4096);
        tt_.flight_arrival[k][i] = static_cast<std::int16_t>(arrival);
        const std::int32_t adjust[8] = {0,
                                        (p[3] & 0xFF) - 100,
                                        ((p[3] >> 8) & 0xFF) - 100,
                                        ((p[3] >> 16) & 0xFF) - 100,
                                        (p[4] & 0xFF) - 100,
                                        ((p[4] >> 8) & 0xFF) - 100,
                                        ((p[4] >> 16) & 0xFF) - 100,
                                        saturday};
        for (std::size_t w = 1; w <= 7; ++w)
            tt_.flight_weekday_rule[w * 5 + k][i] = static_cast<std::int16_t>(adjust[w]);
        std::string days;
        if (Status s = text(days); !s) return s;
        tt_.flight_remark[k][i] = days == " " ? std::string() : trim(days);
        return ok_status();
    }

    // The route index holds 1200 entries per edition and direction; a denser file cannot be searched.
    Status check_route_index() {
        for (std::size_t k = 1; k <= bounds::editions; ++k) {
            int up = 0, down = 0;
            for (std::size_t i = 1; i <= static_cast<std::size_t>(tt_.edition_flight_count[k]); ++i)
                ++(tt_.flight_from[k][i] < tt_.flight_to[k][i] ? up : down);
            if (up > bounds::route_entries || down > bounds::route_entries) {
                section_ = section_first_edition + static_cast<int>(k) - 1;
                return damaged("more than " + std::to_string(bounds::route_entries) +
                               " flights in one direction");
            }
        }
        return ok_status();
    }

    Status read_fares() {
        for (std::size_t t = 1; t <= bounds::fare_tables; ++t) {
            if (tt_.section_block[section_first_fare + t - 1] == 0) continue;
            int count = 0;
            if (Status s = open_section(section_first_fare + static_cast<int>(t) - 1, bounds::fares, count);
                !s)
                return s;
            for (std::size_t i = 1; i <= static_cast<std::size_t>(count); ++i)
                if (Status s = fare(t, i); !s) return s;
            tt_.fare_count[t] = static_cast<std::int16_t>(count);
        }
        return ok_status();
    }

    static std::string fold_city(const std::string& name) {
        const std::string t = trim(name);
        if (ends_with(t, "東京")) return "東京";
        if (ends_with(t, "大阪")) return "大阪";
        return name;
    }

    Status fare(std::size_t t, std::size_t i) {
        std::int32_t p1 = 0;
        if (!read(p1)) return truncated();
        if (Status s = nonnegative(p1); !s) return s;
        tt_.fare_kind[t][i] = static_cast<std::int16_t>(p1 % 16);
        if (Status s = company((p1 / 16) % 256, tt_.fare_company[t][i]); !s) return s;
        if (Status s = airport((p1 / 4096) % 256, tt_.fare_to[t][i]); !s) return s;
        if (Status s = airport(p1 / 1048576, tt_.fare_from[t][i]); !s) return s;
        tt_.fare_from[t][i] = fold_city(tt_.fare_from[t][i]);
        tt_.fare_to[t][i] = fold_city(tt_.fare_to[t][i]);
        for (auto* amount : {&tt_.fare_amount1, &tt_.fare_amount2, &tt_.fare_amount3}) {
            std::int32_t v = 0;
            if (!read(v)) return truncated();
            (*amount)[t][i] = static_cast<std::int32_t>(std::nearbyint(decode_float_int(v)));
        }
        std::int16_t v = 0;
        for (std::size_t j = 1; j <= 4; ++j)
            for (std::size_t m = 1; m <= 2; ++m) {
                if (!read(v)) return truncated();
                tt_.fare_grid[t][j][m][i] = 10 * v;
            }
        if (!read(v)) return truncated();
        tt_.fare_extra[t][i] = 10 * v;
        if (!read(v)) return truncated();
        tt_.fare_grid[t][5][1][i] = 10 * v;
        if (!read(v)) return truncated();
        tt_.fare_grid[t][6][1][i] = 10 * v;
        return ok_status();
    }

    Status read_discounts() {
        int count = 0;
        if (Status s = open_section(section_discounts, bounds::discounts, count); !s) return s;
        for (std::size_t i = 1; i <= static_cast<std::size_t>(count); ++i) {
            std::int32_t p[5] = {};
            for (auto& v : p)
                if (!read(v)) return truncated();
            for (int n : {0, 1, 4})
                if (Status s = nonnegative(p[n]); !s) return s;
            if (Status s = company(p[0] % 256, tt_.discount_company[i]); !s) return s;
            if (Status s = airport((p[0] / 256) % 256, tt_.discount_to[i]); !s) return s;
            if (Status s = airport(p[0] / 65536, tt_.discount_from[i]); !s) return s;
            const std::int32_t codes = p[1] / 10000;
            if (codes / 16 > 32767) return damaged("a discount's season code does not fit its field");
            tt_.discount_flight[i] = static_cast<std::int16_t>(p[1] % 10000);
            tt_.discount_rule_a[i] = static_cast<std::int16_t>(codes % 4);
            tt_.discount_rule_b[i] = static_cast<std::int16_t>((codes / 4) % 4);
            tt_.discount_rule_c[i] = static_cast<std::int16_t>(codes / 16);
            tt_.discount_fare[i] = p[2];
            tt_.discount_fare2[i] = p[3];
            tt_.discount_valid_from[i] = 35000 + p[4] / 512;
            tt_.discount_valid_to[i] = tt_.discount_valid_from[i] + p[4] % 512;
        }
        tt_.discount_count = static_cast<std::int16_t>(count);
        return ok_status();
    }

    Status read_accesses() {
        int count = 0;
        if (Status s = open_section(section_access, bounds::accesses, count); !s) return s;
        for (std::size_t i = 1; i <= static_cast<std::size_t>(count); ++i) {
            std::int32_t k = 0;
            if (!read(k)) return truncated();
            if (Status s = nonnegative(k); !s) return s;
            if (Status s = airport(k / 4096 / 256, tt_.access_airport[i]); !s) return s;
            tt_.access_kind[i] = static_cast<std::int16_t>((k / 4096) % 256);
            tt_.access_value[i] = 10 * (k % 4096);
            if (Status s = text(tt_.access_text[i]); !s) return s;
            if (Status s = code(2, tt_.access_code[i]); !s) return s;
        }
        tt_.access_count = static_cast<std::int16_t>(count);
        return ok_status();
    }

    Status read_periods() {
        int count = 0;
        if (Status s = open_section(section_periods, bounds::periods, count); !s) return s;
        for (std::size_t i = 1; i <= static_cast<std::size_t>(count); ++i) {
            std::int32_t k = 0, value = 0;
            if (!read(k) || !read(value)) return truncated();
            if (Status s = nonnegative(k); !s) return s;
            if (value < -32768 || value > 32767) return damaged("a season value does not fit its field");
            tt_.period_from[i] = 35000 + k / 512;
            tt_.period_to[i] = tt_.period_from[i] + k % 512;
            tt_.period_value[i] = static_cast<std::int16_t>(value);
        }
        tt_.period_count = static_cast<std::int16_t>(count);
        return ok_status();
    }

    ByteReader in_;
    Timetable& tt_;
    Progress* progress_;
    int section_ = -1;
};

}  // namespace

void build_route_index(Timetable& tt) {
    for (int k = 1; k <= bounds::editions; ++k) {
        const int count = tt.edition_flight_count[k];
        if (count == 0) break;
        int up = 0, down = 0;
        for (int i = 1; i <= count; ++i) {
            const int a = tt.flight_from[k][i];
            const int b = tt.flight_to[k][i];
            if (a < b) {
                if (++up > bounds::route_entries) continue;  // the loader refuses such files
                tt.route_index(k, 1, a, up) = static_cast<std::int16_t>(i);
                tt.route_index(k, 1, b, up) = static_cast<std::int16_t>(i);
            } else {
                if (++down > bounds::route_entries) continue;
                tt.route_index(k, 2, tt.airport_count - a + 1, down) = static_cast<std::int16_t>(i);
                tt.route_index(k, 2, tt.airport_count - b + 1, down) = static_cast<std::int16_t>(i);
            }
        }
        tt.route_count(k, 1) = static_cast<std::int16_t>(std::min(up, bounds::route_entries));
        tt.route_count(k, 2) = static_cast<std::int16_t>(std::min(down, bounds::route_entries));
    }
}

Result<std::unique_ptr<Timetable>> load_timetable(std::span<const std::byte> file, Progress* progress) {
    auto tt = std::make_unique<Timetable>();
    Loader loader(file, *tt, progress);
    if (Status s = loader.run(); !s) return s.error();
    return tt;
}

Result<std::unique_ptr<Timetable>> load_timetable_file(const std::filesystem::path& path,
                                                       Progress* progress) {
    auto bytes = read_file_bytes(path);
    if (!bytes) return bytes.error();
    if (bytes->empty()) return make_error(ErrorCode::missing, path.string() + " is empty");
    return load_timetable(*bytes, progress);
}

int Timetable::airport_index(const std::string& name) const {
    for (int a = 1; a <= airport_count; ++a)
        if (airport_name[a] == name) return a;
    return 0;
}

}  // namespace quorvel
