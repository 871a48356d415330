// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_reader.hpp"

#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"

namespace quorvel {

namespace {

constexpr std::size_t block_bytes = 1024;

enum Section {
    sec_pref = 1,
    sec_extra = 2,
    sec_airport = 3,
    sec_district = 4,
    sec_index = 11,
    sec_name = 12,
    sec_tel = 13,
    sec_rooms = 14,
    sec_access = 15,
    sec_price = 16,
    sec_remark = 17,
    sec_address = 18,
    sec_inquiry = 19,
    sec_rsv = 20
};

const char* section_name(int n) {
    switch (n) {
        case sec_pref:
            return "prefectures";
        case sec_extra:
            return "spare table";
        case sec_airport:
            return "airports";
        case sec_district:
            return "districts";
        case sec_index:
            return "hotel index";
        case sec_name:
            return "hotel names";
        case sec_tel:
            return "telephone numbers";
        case sec_rooms:
            return "numbers of rooms";
        case sec_access:
            return "access";
        case sec_price:
            return "prices";
        case sec_remark:
            return "remarks";
        case sec_address:
            return "addresses";
        case sec_inquiry:
            return "vacancy-enquiry pages";
        case sec_rsv:
            return "reservation queries";
        default:
            return "control record";
    }
}

bool is_ascii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// Shift-JIS texts are gathered per section and converted in one go: one converter call per text
// would cost more than all the rest of the load.
class TextBatch {
  public:
    void add(std::string* target, std::string raw) { items_.push_back({target, std::move(raw)}); }
    std::size_t size() const { return items_.size(); }

    // Converts and stores every text in the order added. Returns the index of the first text
    // that is not Shift-JIS (the texts before it are stored), or nullopt when all were stored.
    std::optional<std::size_t> flush() {
        std::string joined;
        bool batchable = true;
        for (const auto& it : items_) {
            if (is_ascii(it.raw)) continue;
            if (it.raw.find('\0') != std::string::npos) batchable = false;
            joined += it.raw;
            joined += '\0';
        }
        std::optional<std::size_t> bad;
        if (auto r = batchable ? sjis_to_utf8(joined) : Result<std::string>(Error{}); batchable && r) {
            std::size_t pos = 0;
            for (auto& it : items_) {
                if (is_ascii(it.raw)) {
                    *it.target = std::move(it.raw);
                    continue;
                }
                const std::size_t end = r->find('\0', pos);
                *it.target = r->substr(pos, end - pos);
                pos = end + 1;
            }
        } else {
            for (std::size_t i = 0; i < items_.size(); ++i) {
                auto& it = items_[i];
                if (is_ascii(it.raw)) {
                    *it.target = std::move(it.raw);
                    continue;
                }
                auto one = sjis_to_utf8(it.raw);
                if (!one) {
                    bad = i;
                    break;
                }
                *it.target = std::move(one).value();
            }
        }
        items_.clear();
        return bad;
    }

  private:
    struct Item {
        std::string* target;
        std::string raw;
    };
    std::vector<Item> items_;
};

class HotelLoader {
  public:
    HotelLoader(std::span<const std::byte> file, HotelData& data, Progress* progress, HotelLoadReport& report)
        : file_(file), d_(data), progress_(progress), report_(report) {}

    void run() {
        d_.hotel_loaded = 1;
        if (!read_control_record()) return;  // without a control record no section can be found
        for (auto step :
             {&HotelLoader::read_prefectures, &HotelLoader::read_extras, &HotelLoader::read_airports,
              &HotelLoader::read_districts, &HotelLoader::read_hotels, &HotelLoader::read_inquiries,
              &HotelLoader::read_reservation_queries})
            (this->*step)();
    }

  private:
    // --- reading primitives; each says whether it could read without passing the end ---
    bool i32(std::int32_t& v) {
        if (file_.size() - pos_ < 4) return false;
        std::uint32_t u = 0;
        for (int k = 3; k >= 0; --k)
            u = (u << 8) | static_cast<std::uint32_t>(file_[pos_ + static_cast<std::size_t>(k)]);
        v = static_cast<std::int32_t>(u);
        pos_ += 4;
        return true;
    }
    bool i16(std::int16_t& v) {
        if (file_.size() - pos_ < 2) return false;
        const auto u = static_cast<std::uint16_t>(static_cast<unsigned>(file_[pos_]) |
                                                  (static_cast<unsigned>(file_[pos_ + 1]) << 8));
        v = static_cast<std::int16_t>(u);
        pos_ += 2;
        return true;
    }
    bool raw(std::size_t n, std::string& out) {
        if (file_.size() - pos_ < n) return false;
        out.assign(reinterpret_cast<const char*>(file_.data() + pos_), n);
        pos_ += n;
        return true;
    }

    void fault(const std::string& what) {
        report_.faults.push_back(make_error(ErrorCode::damaged, std::string(hotel_file_name) + ": " +
                                                                    section_name(section_) + " (section " +
                                                                    std::to_string(section_) + ", offset " +
                                                                    std::to_string(pos_) + "): " + what));
    }
    bool truncated() {
        fault("the file ends inside a record");
        return false;
    }

    // A stored text goes into the batch; the caller flushes at the end of the section.
    bool text(std::string* target) {
        std::int16_t tag = 0, length = 0;
        if (!i16(tag) || !i16(length)) return truncated();
        if (tag != 8) {
            fault("a text field has type " + std::to_string(tag) + " instead of 8");
            return false;
        }
        if (length < 0) {
            fault("a text field has a negative length");
            return false;
        }
        std::string bytes;
        if (!raw(static_cast<std::size_t>(length), bytes)) return truncated();
        batch_.add(target, std::move(bytes));
        return true;
    }

    bool flush() {
        const std::size_t n = batch_.size();
        if (auto bad = batch_.flush()) {
            fault("text " + std::to_string(*bad + 1) + " of " + std::to_string(n) +
                  " is not valid Shift-JIS");
            return false;
        }
        return true;
    }

    // What the record number in front of an entry says.
    enum class Entry {
        hotel,  // k is a hotel of the index
        end,    // the end marker (where allowed)
        skip,   // names no hotel of the index: its text is read and dropped
        fail,   // outside the table, or the file ends: the section ends here
    };
    Entry record_no(int& k, bool end_allowed) {
        std::int32_t v = 0;
        if (!i32(v)) return truncated(), Entry::fail;
        const double x = decode_record_number(v);
        if (end_allowed && x == end_marker) return Entry::end;
        if (!std::isfinite(x) || x < 0 || x > hotel_bounds::hotels) {
            fault("record number " + std::to_string(x) + " lies outside the hotel table (1.." +
                  std::to_string(hotel_bounds::hotels) + ")");
            return Entry::fail;
        }
        // 0, a fraction, or a row beyond the index: meant for no hotel of this file. Reading on
        // keeps the later entries; dropping it keeps rows the index does not fill (the user's
        // hotels merged after them) free of data meant for no one.
        if (x != std::floor(x) || x < 1 || x > d_.hotel_base_count) return Entry::skip;
        k = static_cast<int>(x);
        return Entry::hotel;
    }

    // Positions at section n, moving the progress bar when the section counts for it.
    bool open_section(int n, bool moves_bar) {
        section_ = n;
        const std::int32_t block = d_.section_block[n];
        if (moves_bar && progress_) {
            progress_->set_value(block);
            progress_->yield();
        }
        const std::int64_t start = static_cast<std::int64_t>(block) * static_cast<std::int64_t>(block_bytes);
        if (block < 0 || start >= static_cast<std::int64_t>(file_.size())) {
            fault("the section starts outside the file (block " + std::to_string(block) + ")");
            return false;
        }
        pos_ = static_cast<std::size_t>(start);
        return true;
    }

    bool count(int bound, int& n) {
        std::int32_t v = 0;
        if (!i32(v)) return truncated();
        if (v < 0 || v > bound) {
            fault(std::to_string(v) + " rows, more than the " + std::to_string(bound) + " the table holds");
            return false;
        }
        n = v;
        return true;
    }

    bool read_control_record() {
        section_ = 0;
        pos_ = 0;
        if (file_.size() < block_bytes) {
            fault(file_.empty() ? "the file is missing or empty"
                                : "the file is shorter than its control record");
            return false;
        }
        d_.data_block_count = static_cast<int>(std::min<std::size_t>(file_.size() / block_bytes, 32767));
        pos_ = file_.size() - block_bytes;
        for (int n = 1; n <= hotel_bounds::sections; ++n) i32(d_.section_block[n]);
        if (progress_) progress_->set_range(0, d_.data_block_count);
        return true;
    }

    // Reads rows of texts; `rows` rows were read when it returns false.
    template <class RowReader>
    void read_rows(int bound, int& table_count, RowReader row) {
        int n = 0;
        if (!count(bound, n)) return;
        int rows = 0;
        for (int i = 1; i <= n && row(static_cast<std::size_t>(i)); ++i) rows = i;
        // Only rows whose texts all converted are kept.
        if (!flush()) rows = 0;
        table_count = rows;
    }

    void read_prefectures() {
        if (!open_section(sec_pref, false)) return;
        read_rows(hotel_bounds::prefs, d_.pref_count, [&](std::size_t i) {
            return text(&d_.pref_area[i]) && text(&d_.pref_name[i]) && text(&d_.pref_alias[i]);
        });
        // Areas are numbered as they first appear; a run of prefectures of one area is one row.
        d_.area_count = 0;
        std::string previous = d_.area_name[0];
        for (int j = 1; j <= d_.pref_count; ++j) {
            const std::string& area = d_.pref_area[j];
            if (area == previous) continue;
            previous = area;
            if (d_.area_count == hotel_bounds::areas) {
                fault("more than " + std::to_string(hotel_bounds::areas) + " area rows");
                break;
            }
            d_.area_name[++d_.area_count] = area;
        }
    }

    void read_extras() {
        if (!open_section(sec_extra, true)) return;
        read_rows(hotel_bounds::extras, d_.extra_count, [&](std::size_t i) {
            return text(&d_.extra[0][i]) && text(&d_.extra[1][i]) && text(&d_.extra[2][i]) &&
                   text(&d_.extra[3][i]);
        });
    }

    void read_airports() {
        if (!open_section(sec_airport, true)) return;
        std::vector<std::string> codes(static_cast<std::size_t>(hotel_bounds::airports) + 1);
        read_rows(hotel_bounds::airports, d_.airport_count, [&](std::size_t i) {
            if (!text(&d_.airport_name[i])) return false;
            if (!raw(2, codes[i])) return truncated();
            return true;
        });
        // The two bytes are digits in practice; anything else reads as area 0.
        for (int j = 1; j <= d_.airport_count; ++j) {
            const std::string& c = codes[j];
            d_.airport_area[j] = is_ascii(c) ? static_cast<int>(leading_number(c)) : 0;
        }
    }

    void read_districts() {
        if (!open_section(sec_district, true)) return;
        read_rows(hotel_bounds::districts, d_.district_count,
                  [&](std::size_t i) { return text(&d_.district_name[i]); });
    }

    void read_hotels() {
        // The keyed sections do not depend on the names, only on the index that says which hotels exist.
        if (index_section()) {
            name_section();
            for (int s = sec_tel; s <= sec_address; ++s) keyed_section(s, true, hotel_column(s));
        }
        for (int k = 1; k <= d_.hotel_base_count; ++k) {
            const auto i = static_cast<std::size_t>(k);
            d_.hotel_price_value[i] = file_price_value(d_.hotel_price[i]);
        }
        d_.hotel_count = d_.hotel_base_count;
    }

    std::vector<std::string>* hotel_column(int s) {
        switch (s) {
            case sec_tel:
                return &d_.hotel_tel;
            case sec_rooms:
                return &d_.hotel_rooms;
            case sec_access:
                return &d_.hotel_access;
            case sec_price:
                return &d_.hotel_price;
            case sec_remark:
                return &d_.hotel_remark;
            case sec_address:
                return &d_.hotel_address;
            default:
                return &d_.hotel_reservation_query;
        }
    }

    bool index_section() {
        if (!open_section(sec_index, true)) return false;
        int n = 0;
        if (!count(hotel_bounds::file_hotels, n)) return false;
        bool ok = true;
        int rows = 0;
        for (int k = 1; k <= n; ++k) {
            std::int32_t site = 0, location = 0;
            if (!i32(site) || !i32(location)) {
                ok = truncated();
                break;
            }
            const std::int32_t p = location / 3000;
            if (site < 0 || location < 0 || p / 100 > hotel_bounds::prefs) {
                fault("hotel " + std::to_string(k) + " has a site or location value outside the tables");
                ok = false;
                break;
            }
            const auto i = static_cast<std::size_t>(k);
            d_.hotel_site_code[i] = site / 3000;
            d_.hotel_pref[i] = p / 100;
            d_.hotel_airport[i] = p % 100;
            d_.hotel_district_no[i] = location % 3000;
            d_.hotel_district[i] = d_.district_name[location % 3000];
            d_.hotel_unmatched[i] = 0;
            ++d_.pref_hotel_count[static_cast<std::size_t>(d_.hotel_pref[i])];
            ++d_.airport_hotel_count[static_cast<std::size_t>(d_.hotel_airport[i])];
            rows = k;
        }
        d_.hotel_base_count = d_.hotel_count = rows;
        return ok;
    }

    bool name_section() {
        if (!open_section(sec_name, true)) return false;
        bool ok = true;
        for (int r = 1; r <= d_.hotel_base_count && ok; ++r) {
            int k = 0;
            const Entry e = record_no(k, false);
            ok = e != Entry::fail && text(e == Entry::hotel ? &d_.hotel_name[k] : &dropped_);
        }
        return flush() && ok;
    }

    // Entries in any order, the last one for a hotel wins; ends at the end marker. Every entry
    // consumes bytes, so a section without its marker ends at the end of the file.
    void keyed_section(int s, bool moves_bar, std::vector<std::string>* column) {
        if (!open_section(s, moves_bar)) return;
        // The texts are converted together at the end and applied in the file's order then; a
        // skipped entry's text is read (and checked) like the others but kept nowhere.
        std::deque<std::pair<int, std::string>> entries;
        std::vector<std::size_t> text_index;  // of each entry's text in the batch
        for (;;) {
            int k = 0;
            const Entry e = record_no(k, true);
            if (e == Entry::fail || e == Entry::end) break;
            std::string* target = &dropped_;
            if (e == Entry::hotel) {
                text_index.push_back(batch_.size());
                target = &entries.emplace_back(k, std::string()).second;
            }
            if (!text(target)) {
                if (e == Entry::hotel) entries.pop_back(), text_index.pop_back();
                break;
            }
        }
        const std::size_t texts = batch_.size();
        std::size_t usable = entries.size();
        if (auto bad = batch_.flush()) {
            fault("text " + std::to_string(*bad + 1) + " of " + std::to_string(texts) +
                  " is not valid Shift-JIS");
            // Only the entries whose texts came before the bad one were converted.
            usable = 0;
            while (usable < entries.size() && text_index[usable] < *bad) ++usable;
        }
        for (std::size_t i = 0; i < usable; ++i) apply_entry(s, *column, entries[i].first, entries[i].second);
    }

    // The remarks section also gives the hotel's note (the text before "||") and its home page (from
    // "http" on); an entry without them leaves what an earlier entry for the hotel gave.
    void apply_entry(int s, std::vector<std::string>& column, int k, std::string& text) {
        const auto i = static_cast<std::size_t>(k);
        if (s == sec_remark) {
            if (const auto bar = text.find("||"); bar != std::string::npos)
                d_.hotel_note[i] = text.substr(0, bar);
            if (const auto http = text.find("http"); http != std::string::npos)
                d_.hotel_url[i] = text.substr(http);
        }
        column[i] = std::move(text);
    }

    void read_inquiries() {
        if (!open_section(sec_inquiry, false)) return;
        read_rows(hotel_bounds::inquiries, d_.inquiry_count, [&](std::size_t i) {
            return text(&d_.inquiry_name[i]) && text(&d_.inquiry_note[i]) && text(&d_.inquiry_url[i]);
        });
    }

    void read_reservation_queries() {
        if (d_.hotel_base_count == 0) return;
        keyed_section(sec_rsv, false, &d_.hotel_reservation_query);
    }

    std::span<const std::byte> file_;
    HotelData& d_;
    Progress* progress_;
    HotelLoadReport& report_;
    std::size_t pos_ = 0;
    int section_ = 0;
    TextBatch batch_;
    std::string dropped_;  // the text of an entry meant for no hotel
};

}  // namespace

HotelLoadReport load_hotel_data(std::span<const std::byte> file, HotelData& data, Progress* progress) {
    HotelLoadReport report;
    HotelLoader(file, data, progress, report).run();
    return report;
}

HotelLoadReport load_hotel_data_file(const std::filesystem::path& path, HotelData& data, Progress* progress) {
    auto bytes = read_file_bytes(path);
    if (!bytes) {
        data.hotel_loaded = 1;
        HotelLoadReport report;
        report.faults.push_back(bytes.error());
        return report;
    }
    return load_hotel_data(*bytes, data, progress);
}

// ---- hotelusr.csv ----

std::string UserHotelReport::message() const {
    std::string m = unreadable;
    if (dropped_lines > 0) {
        if (!m.empty()) m += "; ";
        m += "hotelusr.csv: " + std::to_string(dropped_lines) + " lines beyond the first " +
             std::to_string(hotel_bounds::user_hotels) + " were not read";
    }
    if (bad_lines > 0) {
        if (!m.empty()) m += "; ";
        m += "hotelusr.csv: " + std::to_string(bad_lines) + " lines are not valid Shift-JIS and were skipped";
    }
    return m;
}

std::vector<std::string> split_user_hotel_line(std::string_view line) {
    constexpr std::size_t max_fields = 10;
    std::vector<std::string> fields;
    std::size_t i = 0;
    auto blank = [&](std::size_t at) { return at < line.size() && (line[at] == ' ' || line[at] == '\t'); };
    while (fields.size() < max_fields) {
        while (blank(i)) ++i;
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                const std::size_t q = line.find('"', i);
                if (q == std::string_view::npos) {  // no closing quote: the rest of the line
                    field.append(line.substr(i));
                    i = line.size();
                    break;
                }
                field.append(line.substr(i, q - i));
                i = q + 1;
                if (i < line.size() && line[i] == '"') {  // a doubled quote stands for one
                    field += '"';
                    ++i;
                    continue;
                }
                break;
            }
            // Anything between the closing quote and the next comma is dropped.
            const std::size_t comma = line.find(',', i);
            i = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            field = trim(line.substr(i, end - i));
            i = comma == std::string_view::npos ? line.size() + 1 : comma + 1;
        }
        fields.push_back(std::move(field));
        if (i > line.size()) break;
    }
    return fields;
}

UserHotelReport load_user_hotel(std::span<const std::byte> file, HotelData& data) {
    UserHotelReport report;
    const std::string_view all = as_chars(file);
    int u = 0;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line == "\x1a") continue;
        if (u == hotel_bounds::user_hotels) {
            ++report.dropped_lines;
            continue;
        }
        auto text = sjis_to_utf8(line);
        if (!text) {
            ++report.bad_lines;
            continue;
        }
        const auto fields = split_user_hotel_line(*text);
        const auto r = static_cast<std::size_t>(++u);
        std::string* targets[9] = {
            &data.user_pref_name[r],  &data.user_airport_name[r], &data.user_district_name[r],
            &data.user_hotel_name[r], &data.user_tel[r],          &data.user_rooms[r],
            &data.user_access[r],     &data.user_price[r],        &data.user_note[r]};
        for (std::size_t f = 0; f < 9; ++f) *targets[f] = f < fields.size() ? fields[f] : std::string();
    }
    data.user_hotel_count = u;
    for (int r = 1; r <= u; ++r) {
        resolve_user_rows(data, r);
        data.user_price_value[r] = user_price_value(data.user_price[r]);
    }
    data.user_hotel_merged = 0;
    return report;
}

UserHotelReport load_user_hotel_file(const std::filesystem::path& path, HotelData& data) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return {};
    auto bytes = read_file_bytes(path);
    if (!bytes) {
        UserHotelReport report;
        report.unreadable = bytes.error().message;
        return report;
    }
    if (bytes->empty()) return {};
    return load_user_hotel(*bytes, data);
}

}  // namespace quorvel
