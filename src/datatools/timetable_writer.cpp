// SPDX-License-Identifier: GPL-3.0-or-later
#include "datatools/timetable_writer.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <utility>

#include "common/sjis.hpp"
#include "common/text.hpp"
#include "timetable/byte_reader.hpp"
#include "timetable/timetable.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel {

std::int32_t float_code(std::int32_t value) {
    if (value == 0) return 0;
    const float f = static_cast<float>(value);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return static_cast<std::int32_t>(bits);
}

namespace {

constexpr std::int32_t float_limit = 1 << 24;  // whole numbers below this survive the float coding
constexpr int section_airports = 1, section_segments = 2, section_aircraft = 3, section_companies = 4,
              section_first_edition = 5, section_first_fare = 9, section_discounts = 11, section_access = 12,
              section_periods = 13;
constexpr DayNumber packed_date_base = 35000;
constexpr int packed_date_span = 511;                    // a packed date range holds at most 511 days
constexpr DayNumber packed_date_last = 35000 + 4194303;  // (start - 35000) * 512 must fit an int32

// ---- Writing -------------------------------------------------------------------------------------

class Builder {
  public:
    explicit Builder(const TimetableSource& src) : src_(src) {}

    Result<std::vector<std::byte>> run() {
        out_.assign(block_size, '\0');  // block 0 stays empty: block 0 marks an absent edition
        for (auto step : {&Builder::index_tables, &Builder::group_editions, &Builder::write_airports,
                          &Builder::write_segments, &Builder::write_aircraft, &Builder::write_companies,
                          &Builder::write_editions, &Builder::write_fares, &Builder::write_discounts,
                          &Builder::write_access, &Builder::write_periods, &Builder::write_control}) {
            Status s = (this->*step)();
            if (!s) return s.error();
        }
        std::vector<std::byte> bytes(out_.size());
        std::memcpy(bytes.data(), out_.data(), out_.size());
        return bytes;
    }

  private:
    struct Place {
        std::string file;
        int line;
        std::size_t record;
    };

    Error refuse(const Place& p, const std::string& what) const {
        return make_error(ErrorCode::invalid, source_place(p.file, p.line, p.record) + ": " + what);
    }
    Status check(bool ok, const Place& p, const std::string& what) const {
        if (ok) return ok_status();
        return refuse(p, what);
    }
    Status range(std::int64_t v, std::int64_t lo, std::int64_t hi, const Place& p, const char* field) const {
        return check(v >= lo && v <= hi, p,
                     std::string(field) + " " + std::to_string(v) + " is outside " + std::to_string(lo) +
                         ".." + std::to_string(hi));
    }
    Status count(std::size_t n, int bound, const std::string& file, const char* what) const {
        if (n <= static_cast<std::size_t>(bound)) return ok_status();
        return refuse({file, 0, static_cast<std::size_t>(bound) + 1},
                      std::string("more than ") + std::to_string(bound) + " " + what + " (the table holds " +
                          std::to_string(bound) + ")");
    }

    void i16(int v) {
        const auto u = static_cast<std::uint16_t>(v);
        out_ += static_cast<char>(u & 0xFF);
        out_ += static_cast<char>(u >> 8);
    }
    void i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8) out_ += static_cast<char>((u >> shift) & 0xFF);
    }

    Status sjis(const std::string& utf8, const Place& p, const char* field, std::string& out) const {
        auto r = utf8_to_sjis(utf8);
        if (!r) return refuse(p, std::string(field) + " \"" + utf8 + "\" cannot be written in Shift-JIS");
        out = std::move(r).value();
        return ok_status();
    }
    Status text(const std::string& utf8, const Place& p, const char* field) {
        std::string bytes;
        if (Status s = sjis(utf8, p, field, bytes); !s) return s;
        if (bytes.size() > 32767) return refuse(p, std::string(field) + " is longer than 32767 bytes");
        i16(8);
        i16(static_cast<int>(bytes.size()));
        out_ += bytes;
        return ok_status();
    }
    // A fixed-width code, left-aligned and padded with blanks.
    Status code(const std::string& utf8, std::size_t width, const Place& p, const char* field) {
        std::string bytes;
        if (Status s = sjis(utf8, p, field, bytes); !s) return s;
        if (bytes.size() > width)
            return refuse(p, std::string(field) + " \"" + utf8 + "\" is longer than " +
                                 std::to_string(width) + " bytes");
        bytes.resize(width, ' ');
        out_ += bytes;
        return ok_status();
    }
    Status amount(std::int32_t v, const Place& p, const char* field) {
        if (v <= -float_limit || v >= float_limit)
            return refuse(p, std::string(field) + " " + std::to_string(v) +
                                 " is beyond the 2^24 a float-coded field holds");
        i32(float_code(v));
        return ok_status();
    }
    Status packed_dates(DayNumber from, DayNumber to, const Place& p) {
        if (from < packed_date_base || from > packed_date_last)
            return refuse(p, "first day " + std::to_string(from) + " is outside " +
                                 format_date(packed_date_base) + ".." + format_date(packed_date_last));
        if (to < from || to - from > packed_date_span)
            return refuse(
                p, "the last day must lie 0.." + std::to_string(packed_date_span) + " days after the first");
        i32((from - packed_date_base) * 512 + (to - from));
        return ok_status();
    }

    // Starts section n at the next block.
    Status begin_section(int n, std::size_t records) {
        const std::size_t block = out_.size() / block_size;
        if (block > 32767)
            return make_error(ErrorCode::invalid, "the file would be larger than 32767 blocks");
        section_block_[n] = static_cast<int>(block);
        section_rows_[n] = static_cast<int>(records);
        return ok_status();
    }
    void end_section() { out_.resize((out_.size() + block_size - 1) / block_size * block_size, '\0'); }

    Status lookup(const std::map<std::string, int>& table, const std::string& name, const Place& p,
                  const char* what, int& index) const {
        auto it = table.find(name);
        if (it == table.end()) return refuse(p, std::string("unknown ") + what + " \"" + name + "\"");
        index = it->second;
        return ok_status();
    }

    // Positions of airports, companies and aircraft; names must be unique to be referred to.
    Status index_tables() {
        if (Status s = count(src_.airports.size(), bounds::airports, source_files::airports, "airports"); !s)
            return s;
        if (Status s =
                count(src_.aircraft.size(), bounds::aircraft, source_files::aircraft, "aircraft types");
            !s)
            return s;
        if (Status s = count(src_.companies.size(), bounds::companies, source_files::companies, "companies");
            !s)
            return s;
        for (std::size_t i = 0; i < src_.airports.size(); ++i)
            if (!airport_.emplace(src_.airports[i].name, static_cast<int>(i + 1)).second)
                return refuse({source_files::airports, src_.airports[i].line, i + 1},
                              "airport \"" + src_.airports[i].name + "\" is listed twice");
        for (std::size_t i = 0; i < src_.aircraft.size(); ++i) {
            const Place p{source_files::aircraft, src_.aircraft[i].line, i + 1};
            if (src_.aircraft[i].name.empty()) continue;  // a flight without a type has index 0, not this
            if (!aircraft_.emplace(src_.aircraft[i].name, static_cast<int>(i + 1)).second)
                return refuse(p, "aircraft \"" + src_.aircraft[i].name + "\" is listed twice");
        }
        for (std::size_t i = 0; i < src_.companies.size(); ++i)
            if (!company_.emplace(src_.companies[i].code, static_cast<int>(i + 1)).second)
                return refuse({source_files::companies, src_.companies[i].line, i + 1},
                              "company \"" + src_.companies[i].code + "\" is listed twice");
        return ok_status();
    }

    // A flight resolved to table positions, remembering where it came from.
    struct Flight {
        const SourceFlight* f;
        std::size_t record;
        int from, to, company, aircraft;
    };

    Status resolve_flight(const SourceFlight& f, const Place& p, Flight& out) const {
        out.f = &f;
        out.record = p.record;
        if (Status s = lookup(airport_, f.from, p, "airport", out.from); !s) return s;
        if (Status s = lookup(airport_, f.to, p, "airport", out.to); !s) return s;
        if (Status s = lookup(company_, f.company, p, "company", out.company); !s) return s;
        out.aircraft = 0;
        if (!f.aircraft.empty())
            if (Status s = lookup(aircraft_, f.aircraft, p, "aircraft", out.aircraft); !s) return s;
        if (Status s = range(f.number, 0, 12799, p, "flight number"); !s) return s;
        if (Status s = range(f.dep_time, 0, 4095, p, "departure time"); !s) return s;
        if (Status s = range(f.arr_time, 0, 32767, p, "arrival time"); !s) return s;
        for (std::size_t w = 1; w <= 7; ++w)
            if (Status s = range(f.adjust[w], -100, 155, p, "weekday adjustment"); !s) return s;
        return ok_status();
    }

    // Groups each edition by airport pair and collects the segment table.
    Status group_editions() {
        for (int k = 1; k <= bounds::editions; ++k) {
            const auto& edition = src_.editions[k];
            if (!edition) continue;
            const std::string file = source_files::flights(k);
            if (Status s = count(edition->flights.size(), bounds::flights, file, "flights"); !s) return s;
            std::vector<std::pair<int, int>> pair_order;
            std::map<std::pair<int, int>, std::vector<Flight>> by_pair;
            int up = 0, down = 0;
            for (std::size_t i = 0; i < edition->flights.size(); ++i) {
                const SourceFlight& f = edition->flights[i];
                const Place p{file, f.line, i + 1};
                Flight r{};
                if (Status s = resolve_flight(f, p, r); !s) return s;
                // The route index has room for 1200 flights per direction.
                if (++(r.from < r.to ? up : down) > bounds::route_entries)
                    return refuse(p, "more than " + std::to_string(bounds::route_entries) +
                                         " flights towards " + (r.from < r.to ? "later" : "earlier") +
                                         " airports of the airport table");
                const std::pair<int, int> pair{r.from, r.to};
                auto [it, fresh] = by_pair.try_emplace(pair);
                if (fresh) pair_order.push_back(pair);
                it->second.push_back(r);
                if (segments_.try_emplace(pair).second &&
                    segments_.size() > static_cast<std::size_t>(bounds::segments))
                    return refuse(p, "more than " + std::to_string(bounds::segments) +
                                         " airport pairs over all editions (the segment table holds " +
                                         std::to_string(bounds::segments) + ")");
            }
            auto& grouped = grouped_[k];
            for (const auto& pair : pair_order) {
                const auto& flights = by_pair[pair];
                const int first = static_cast<int>(grouped.size()) + 1;
                segments_[pair][k] = first * 4096 + static_cast<int>(flights.size()) - 1;
                grouped.insert(grouped.end(), flights.begin(), flights.end());
            }
        }
        return ok_status();
    }

    Status write_airports() {
        if (Status s = begin_section(section_airports, src_.airports.size()); !s) return s;
        for (std::size_t i = 0; i < src_.airports.size(); ++i) {
            const SourceAirport& a = src_.airports[i];
            const Place p{source_files::airports, a.line, i + 1};
            if (Status s = range(a.group, 0, 16383, p, "group"); !s) return s;
            if (Status s = range(a.flag, 0, 1, p, "flag"); !s) return s;
            if (Status s = text(a.name, p, "name"); !s) return s;
            i16(a.group * 2 + a.flag);
            for (auto [c, field] : {std::pair{&a.code1, "code1"}, std::pair{&a.code2, "code2"},
                                    std::pair{&a.code3, "code3"}, std::pair{&a.code4, "code4"}})
                if (Status s = code(*c, 3, p, field); !s) return s;
        }
        end_section();
        return ok_status();
    }

    Status write_segments() {
        if (Status s = begin_section(section_segments, segments_.size()); !s) return s;
        for (const auto& [pair, w] : segments_) {
            i32(float_code(pair.first * 256 + pair.second));
            for (std::size_t k = 1; k <= 4; ++k) i32(w[k]);
        }
        end_section();
        return ok_status();
    }

    Status write_aircraft() {
        if (Status s = begin_section(section_aircraft, src_.aircraft.size()); !s) return s;
        for (std::size_t i = 0; i < src_.aircraft.size(); ++i)
            if (Status s = text(src_.aircraft[i].name, {source_files::aircraft, src_.aircraft[i].line, i + 1},
                                "name");
                !s)
                return s;
        end_section();
        return ok_status();
    }

    Status write_companies() {
        if (Status s = begin_section(section_companies, src_.companies.size()); !s) return s;
        for (std::size_t i = 0; i < src_.companies.size(); ++i) {
            const Place p{source_files::companies, src_.companies[i].line, i + 1};
            if (Status s = text(src_.companies[i].code, p, "code"); !s) return s;
            if (Status s = text(src_.companies[i].name, p, "name"); !s) return s;
        }
        end_section();
        return ok_status();
    }

    Status write_editions() {
        for (int k = 1; k <= bounds::editions; ++k) {
            if (!src_.editions[k]) continue;
            const auto& flights = grouped_[k];
            if (Status s = begin_section(section_first_edition + k - 1, flights.size()); !s) return s;
            for (const Flight& r : flights) {
                const SourceFlight& f = *r.f;
                i32(((r.from * 128 + r.to) * 128 + r.aircraft) * 128 + r.company);
                i32((f.adjust[7] + 100) * 12800 + f.number);
                i32(f.arr_time * 4096 + f.dep_time);
                i32((f.adjust[1] + 100) | (f.adjust[2] + 100) << 8 | (f.adjust[3] + 100) << 16);
                i32((f.adjust[4] + 100) | (f.adjust[5] + 100) << 8 | (f.adjust[6] + 100) << 16);
                // An empty remark is stored as one blank, which the reader turns back into nothing.
                if (Status s = text(f.remark.empty() ? std::string(" ") : f.remark,
                                    {source_files::flights(k), f.line, r.record}, "remark");
                    !s)
                    return s;
            }
            end_section();
        }
        return ok_status();
    }

    Status write_fare(const SourceFare& f, const Place& p) {
        int from = 0, to = 0, company = 0;
        if (Status s = lookup(airport_, f.from, p, "airport", from); !s) return s;
        if (Status s = lookup(airport_, f.to, p, "airport", to); !s) return s;
        if (Status s = lookup(company_, f.company, p, "company", company); !s) return s;
        if (Status s = range(f.kind, 0, 15, p, "kind"); !s) return s;
        std::vector<int> grid;
        for (std::size_t j = 1; j <= 4; ++j)
            for (std::size_t m = 1; m <= 2; ++m) grid.push_back(f.grid[j][m]);
        grid.push_back(f.extra);
        grid.push_back(f.grid5);
        grid.push_back(f.grid6);
        for (int v : grid)
            if (Status s = range(v, -32768, 32767, p, "grid value (units of 10 yen)"); !s) return s;
        i32(f.kind + 16 * company + 4096 * to + 1048576 * from);
        for (auto [v, field] : {std::pair{f.amount1, "amount1"}, std::pair{f.amount2, "amount2"},
                                std::pair{f.amount3, "amount3"}})
            if (Status s = amount(v, p, field); !s) return s;
        for (int v : grid) i16(v);
        return ok_status();
    }

    Status write_fares() {
        for (int t = 1; t <= bounds::fare_tables; ++t) {
            const auto& table = src_.fare_tables[t];
            if (!table) continue;
            const std::string file = source_files::fares(t);
            if (Status s = count(table->fares.size(), bounds::fares, file, "fare records"); !s) return s;
            if (Status s = begin_section(section_first_fare + t - 1, table->fares.size()); !s) return s;
            for (std::size_t i = 0; i < table->fares.size(); ++i)
                if (Status s = write_fare(table->fares[i], {file, table->fares[i].line, i + 1}); !s) return s;
            end_section();
        }
        return ok_status();
    }

    Status write_discounts() {
        if (Status s =
                count(src_.discounts.size(), bounds::discounts, source_files::discounts, "discount fares");
            !s)
            return s;
        if (Status s = begin_section(section_discounts, src_.discounts.size()); !s) return s;
        for (std::size_t i = 0; i < src_.discounts.size(); ++i) {
            const SourceDiscount& d = src_.discounts[i];
            const Place p{source_files::discounts, d.line, i + 1};
            int from = 0, to = 0, company = 0;
            if (Status s = lookup(airport_, d.from, p, "airport", from); !s) return s;
            if (Status s = lookup(airport_, d.to, p, "airport", to); !s) return s;
            if (Status s = lookup(company_, d.company, p, "company", company); !s) return s;
            if (Status s = range(d.flight, 0, 9999, p, "flight"); !s) return s;
            if (Status s = range(d.sel_a, 0, 3, p, "sel_a"); !s) return s;
            if (Status s = range(d.sel_b, 0, 3, p, "sel_b"); !s) return s;
            const std::int64_t codes =
                d.flight + 10000 * (d.sel_a + 4 * (d.sel_b + 4 * static_cast<std::int64_t>(d.sel_c)));
            if (d.sel_c < 0 || codes > std::numeric_limits<std::int32_t>::max())
                return refuse(p, "sel_c " + std::to_string(d.sel_c) + " does not fit its packed field");
            i32(company + 256 * to + 65536 * from);
            i32(static_cast<std::int32_t>(codes));
            i32(d.cal);
            i32(d.cal2);
            if (Status s = packed_dates(d.valid_from, d.valid_to, p); !s) return s;
        }
        end_section();
        return ok_status();
    }

    Status write_access() {
        if (Status s = count(src_.accesses.size(), bounds::accesses, source_files::access, "access records");
            !s)
            return s;
        if (Status s = begin_section(section_access, src_.accesses.size()); !s) return s;
        for (std::size_t i = 0; i < src_.accesses.size(); ++i) {
            const SourceAccess& a = src_.accesses[i];
            const Place p{source_files::access, a.line, i + 1};
            int airport = 0;
            if (Status s = lookup(airport_, a.airport, p, "airport", airport); !s) return s;
            if (Status s = range(a.kind, 0, 255, p, "kind"); !s) return s;
            if (Status s = range(a.value, 0, 4095, p, "value"); !s) return s;
            i32((airport * 256 + a.kind) * 4096 + a.value);
            if (Status s = text(a.text, p, "text"); !s) return s;
            if (Status s = code(a.code, 2, p, "code"); !s) return s;
        }
        end_section();
        return ok_status();
    }

    Status write_periods() {
        if (Status s = count(src_.periods.size(), bounds::periods, source_files::periods, "periods"); !s)
            return s;
        if (Status s = begin_section(section_periods, src_.periods.size()); !s) return s;
        for (std::size_t i = 0; i < src_.periods.size(); ++i) {
            const SourcePeriod& d = src_.periods[i];
            const Place p{source_files::periods, d.line, i + 1};
            if (Status s = range(d.season, -32768, 32767, p, "season"); !s) return s;
            if (Status s = packed_dates(d.from, d.to, p); !s) return s;
            i32(d.season);
        }
        end_section();
        return ok_status();
    }

    Status write_control() {
        std::array<std::array<int, bounds::help_cols + 1>, bounds::help_rows + 1> help{};
        for (std::size_t i = 0; i < src_.help.size(); ++i) {
            const SourceHelpTopic& h = src_.help[i];
            const Place p{source_files::help, h.line, i + 1};
            if (Status s = range(h.company, 1, bounds::help_rows, p, "company"); !s) return s;
            if (Status s = range(h.row, 1, bounds::help_cols, p, "row"); !s) return s;
            if (Status s = range(h.topic, -32768, 32767, p, "topic"); !s) return s;
            int& cell = help[h.company][h.row];
            if (cell != 0) return refuse(p, "the cell has a topic already");
            cell = h.topic;
        }
        if (out_.size() / block_size > 32767)
            return make_error(ErrorCode::invalid, "the file would be larger than 32767 blocks");
        const std::size_t start = out_.size();
        for (std::size_t n = 1; n <= bounds::sections; ++n) i16(section_block_[n]);
        for (std::size_t n = 1; n <= bounds::sections; ++n) i16(section_rows_[n]);
        for (std::size_t k = 1; k <= 4; ++k) i32(src_.control.edition_valid_to[k]);
        i32(src_.control.data_valid_to);
        for (std::size_t t = 1; t <= 2; ++t) i32(src_.control.fare_valid_from[t]);
        for (std::size_t i = 1; i <= bounds::help_rows; ++i)
            for (std::size_t j = 1; j <= bounds::help_cols; ++j) i16(help[i][j]);
        out_.resize(start + control_record_size, '\0');
        return ok_status();
    }

    const TimetableSource& src_;
    std::string out_;
    std::map<std::string, int> airport_, company_, aircraft_;
    std::array<std::vector<Flight>, 5> grouped_;
    std::map<std::pair<int, int>, std::array<std::int32_t, 5>> segments_;
    std::array<int, bounds::sections + 1> section_block_{}, section_rows_{};
};

// ---- Decoding ------------------------------------------------------------------------------------

class Decoder {
  public:
    explicit Decoder(std::span<const std::byte> file) : in_(file) {}

    Result<TimetableSource> run() {
        for (auto step : {&Decoder::control, &Decoder::airports, &Decoder::aircraft, &Decoder::companies,
                          &Decoder::editions, &Decoder::fares, &Decoder::discounts, &Decoder::access,
                          &Decoder::periods}) {
            Status s = (this->*step)();
            if (!s) return s.error();
        }
        return std::move(src_);
    }

  private:
    Error damaged(const std::string& what) const {
        return make_error(ErrorCode::damaged, std::string(data_file_name) + ": section " +
                                                  std::to_string(section_) + " (offset " +
                                                  std::to_string(in_.offset()) + "): " + what);
    }
    Status truncated() const { return damaged("the file ends inside a record"); }

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
    Status read_all(std::int32_t* v, int n, bool nonnegative) {
        for (int i = 0; i < n; ++i) {
            if (!read(v[i])) return truncated();
            if (nonnegative && v[i] < 0) return damaged("a packed field is negative");
        }
        return ok_status();
    }

    Status decode(const std::string& bytes, std::string& out) const {
        auto r = sjis_to_utf8(bytes);
        if (!r) return damaged("a text is not valid Shift-JIS");
        out = std::move(r).value();
        return ok_status();
    }
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
        if (Status s = decode(*bytes, out); !s) return s;
        while (!out.empty() && out.back() == ' ') out.pop_back();
        return ok_status();
    }

    Status open(int n, int bound, int& count) {
        section_ = n;
        count = section_rows_[n];
        if (count < 0 || count > bound)
            return damaged(std::to_string(count) + " records, more than the " + std::to_string(bound) +
                           " the table holds");
        const std::int64_t start = static_cast<std::int64_t>(section_block_[n]) * block_size;
        if (start < 0 || !in_.seek(static_cast<std::size_t>(start)))
            return damaged("the section starts outside the file");
        return ok_status();
    }

    Status name_of(const std::vector<std::string>& table, std::int64_t index, const char* what,
                   std::string& out) const {
        if (index < 1 || index > static_cast<std::int64_t>(table.size()))
            return damaged(std::string(what) + " index " + std::to_string(index) + " is not in the table");
        out = table[index - 1];
        return ok_status();
    }

    Status control() {
        section_ = 0;
        if (in_.size() == 0) return make_error(ErrorCode::missing, std::string(data_file_name) + " is empty");
        if (in_.size() < static_cast<std::size_t>(control_record_size))
            return damaged("the file is shorter than its control record");
        in_.seek(in_.size() - control_record_size);
        for (std::size_t n = 1; n <= bounds::sections; ++n) read(section_block_[n]);
        for (std::size_t n = 1; n <= bounds::sections; ++n) read(section_rows_[n]);
        for (std::size_t k = 1; k <= 4; ++k) read(src_.control.edition_valid_to[k]);
        read(src_.control.data_valid_to);
        for (std::size_t t = 1; t <= 2; ++t) read(src_.control.fare_valid_from[t]);
        for (int i = 1; i <= bounds::help_rows; ++i)
            for (int j = 1; j <= bounds::help_cols; ++j) {
                std::int16_t topic = 0;
                read(topic);
                if (topic != 0) src_.help.push_back({i, j, topic, 0});
            }
        return ok_status();
    }

    Status airports() {
        int count = 0;
        if (Status s = open(section_airports, bounds::airports, count); !s) return s;
        for (int i = 0; i < count; ++i) {
            SourceAirport a;
            std::int16_t g = 0;
            if (Status s = text(a.name); !s) return s;
            if (!read(g)) return truncated();
            if (g < 0) return damaged("a negative region group");
            a.group = g / 2;
            a.flag = g % 2;
            for (std::string* c : {&a.code1, &a.code2, &a.code3, &a.code4})
                if (Status s = code(3, *c); !s) return s;
            airport_names_.push_back(a.name);
            src_.airports.push_back(std::move(a));
        }
        return ok_status();
    }

    Status aircraft() {
        int count = 0;
        if (Status s = open(section_aircraft, bounds::aircraft, count); !s) return s;
        for (int i = 0; i < count; ++i) {
            SourceAircraft a;
            if (Status s = text(a.name); !s) return s;
            aircraft_names_.push_back(a.name);
            src_.aircraft.push_back(std::move(a));
        }
        return ok_status();
    }

    Status companies() {
        int count = 0;
        if (Status s = open(section_companies, bounds::companies, count); !s) return s;
        for (int i = 0; i < count; ++i) {
            SourceCompany c;
            if (Status s = text(c.code); !s) return s;
            if (Status s = text(c.name); !s) return s;
            company_codes_.push_back(c.code);
            src_.companies.push_back(std::move(c));
        }
        return ok_status();
    }

    Status flight(SourceFlight& f) {
        std::int32_t p[5] = {};
        if (Status s = read_all(p, 5, true); !s) return s;
        if (Status s = name_of(airport_names_, p[0] >> 21, "airport", f.from); !s) return s;
        if (Status s = name_of(airport_names_, (p[0] >> 14) & 127, "airport", f.to); !s) return s;
        if (Status s = name_of(company_codes_, p[0] & 127, "company", f.company); !s) return s;
        const int aircraft = (p[0] >> 7) & 127;
        if (aircraft != 0)
            if (Status s = name_of(aircraft_names_, aircraft, "aircraft", f.aircraft); !s) return s;
        f.number = p[1] % 12800;
        f.adjust[7] = p[1] / 12800 - 100;
        f.dep_time = p[2] % 4096;
        f.arr_time = p[2] / 4096;
        for (std::size_t w = 0; w < 3; ++w) {
            f.adjust[1 + w] = ((p[3] >> (8 * w)) & 0xFF) - 100;
            f.adjust[4 + w] = ((p[4] >> (8 * w)) & 0xFF) - 100;
        }
        if (Status s = text(f.remark); !s) return s;
        if (f.remark == " ") f.remark.clear();
        return ok_status();
    }

    Status editions() {
        for (int k = 1; k <= bounds::editions; ++k) {
            if (section_block_[section_first_edition + k - 1] == 0) continue;
            int count = 0;
            if (Status s = open(section_first_edition + k - 1, bounds::flights, count); !s) return s;
            SourceEdition edition;
            edition.flights.resize(static_cast<std::size_t>(count));
            for (auto& f : edition.flights)
                if (Status s = flight(f); !s) return s;
            src_.editions[k] = std::move(edition);
        }
        return ok_status();
    }

    Status fare(SourceFare& f) {
        std::int32_t p1 = 0;
        if (Status s = read_all(&p1, 1, true); !s) return s;
        f.kind = p1 % 16;
        if (Status s = name_of(company_codes_, (p1 / 16) % 256, "company", f.company); !s) return s;
        if (Status s = name_of(airport_names_, (p1 / 4096) % 256, "airport", f.to); !s) return s;
        if (Status s = name_of(airport_names_, p1 / 1048576, "airport", f.from); !s) return s;
        for (std::int32_t* amount : {&f.amount1, &f.amount2, &f.amount3}) {
            std::int32_t v = 0;
            if (!read(v)) return truncated();
            *amount = static_cast<std::int32_t>(std::nearbyint(decode_float_int(v)));
        }
        std::vector<int*> grid;
        for (std::size_t j = 1; j <= 4; ++j)
            for (std::size_t m = 1; m <= 2; ++m) grid.push_back(&f.grid[j][m]);
        grid.insert(grid.end(), {&f.extra, &f.grid5, &f.grid6});
        for (int* cell : grid) {
            std::int16_t v = 0;
            if (!read(v)) return truncated();
            *cell = v;
        }
        return ok_status();
    }

    Status fares() {
        for (int t = 1; t <= bounds::fare_tables; ++t) {
            if (section_block_[section_first_fare + t - 1] == 0) continue;
            int count = 0;
            if (Status s = open(section_first_fare + t - 1, bounds::fares, count); !s) return s;
            SourceFareTable table;
            table.fares.resize(static_cast<std::size_t>(count));
            for (auto& f : table.fares)
                if (Status s = fare(f); !s) return s;
            src_.fare_tables[t] = std::move(table);
        }
        return ok_status();
    }

    static void unpack_dates(std::int32_t k, DayNumber& from, DayNumber& to) {
        from = packed_date_base + k / 512;
        to = from + k % 512;
    }

    Status discounts() {
        int count = 0;
        if (Status s = open(section_discounts, bounds::discounts, count); !s) return s;
        src_.discounts.resize(static_cast<std::size_t>(count));
        for (auto& d : src_.discounts) {
            std::int32_t p[5] = {};
            if (Status s = read_all(p, 5, false); !s) return s;
            if (p[0] < 0 || p[1] < 0 || p[4] < 0) return damaged("a packed field is negative");
            if (Status s = name_of(company_codes_, p[0] % 256, "company", d.company); !s) return s;
            if (Status s = name_of(airport_names_, (p[0] / 256) % 256, "airport", d.to); !s) return s;
            if (Status s = name_of(airport_names_, p[0] / 65536, "airport", d.from); !s) return s;
            const std::int32_t codes = p[1] / 10000;
            d.flight = p[1] % 10000;
            d.sel_a = codes % 4;
            d.sel_b = (codes / 4) % 4;
            d.sel_c = codes / 16;
            d.cal = p[2];
            d.cal2 = p[3];
            unpack_dates(p[4], d.valid_from, d.valid_to);
        }
        return ok_status();
    }

    Status access() {
        int count = 0;
        if (Status s = open(section_access, bounds::accesses, count); !s) return s;
        src_.accesses.resize(static_cast<std::size_t>(count));
        for (auto& a : src_.accesses) {
            std::int32_t k = 0;
            if (Status s = read_all(&k, 1, true); !s) return s;
            if (Status s = name_of(airport_names_, k / 4096 / 256, "airport", a.airport); !s) return s;
            a.kind = (k / 4096) % 256;
            a.value = k % 4096;
            if (Status s = text(a.text); !s) return s;
            if (Status s = code(2, a.code); !s) return s;
        }
        return ok_status();
    }

    Status periods() {
        int count = 0;
        if (Status s = open(section_periods, bounds::periods, count); !s) return s;
        src_.periods.resize(static_cast<std::size_t>(count));
        for (auto& p : src_.periods) {
            std::int32_t k = 0;
            if (Status s = read_all(&k, 1, true); !s) return s;
            if (!read(p.season)) return truncated();
            unpack_dates(k, p.from, p.to);
        }
        return ok_status();
    }

    ByteReader in_;
    TimetableSource src_;
    int section_ = 0;
    std::array<std::int16_t, bounds::sections + 1> section_block_{}, section_rows_{};
    std::vector<std::string> airport_names_, aircraft_names_, company_codes_;
};

}  // namespace

Result<std::vector<std::byte>> build_timetable(const TimetableSource& source) {
    return Builder(source).run();
}

Result<TimetableSource> decode_timetable(std::span<const std::byte> file) { return Decoder(file).run(); }

}  // namespace quorvel
