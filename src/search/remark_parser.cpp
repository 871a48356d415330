// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/remark_parser.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "common/text.hpp"

namespace quorvel {

namespace {

// Delimiters must stand before this character position; later ones belong to the final number.
constexpr int position_limit = 99;
constexpr std::int64_t value_limit = 1'000'000'000'000'000;

std::u32string code_points(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) out.push_back(next_code_point(utf8, pos));
    return out;
}

// The numeric value of a number's text: leading digits with an optional sign; no digits give 0.
std::int64_t val(std::u32string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == U' ' || text[i] == U'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == U'-' || text[i] == U'+')) negative = text[i++] == U'-';
    std::int64_t v = 0;
    for (; i < text.size() && text[i] >= U'0' && text[i] <= U'9'; ++i) {
        if (v < value_limit) v = v * 10 + (text[i] - U'0');
    }
    return negative ? -v : v;
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Digit w (1 = Sunday .. 7 = Saturday) of a weekday mask written as a 7-digit number.
std::int64_t mask_digit(std::int64_t mask, int w) {
    if (w == 1) return floor_div(mask, 1'000'000);
    std::int64_t power = 1;
    for (int i = w; i < 7; ++i) power *= 10;
    return floor_div(mask, power) % 10;
}

class RemarkParser {
  public:
    explicit RemarkParser(DayNumber today) {
        const CivilDate now = civil_date(today);
        today_year_ = now.year;
        today_month_ = now.month;
    }

    bool usable() const { return usable_; }

    void number(std::int64_t v, char delimiter) {
        switch (delimiter) {
            case ':':
                code_ = static_cast<int>(std::clamp<std::int64_t>(v, INT16_MIN, INT16_MAX));
                n_ = 0;
                committed_ = 0;
                return;
            case '/':
                month_ = v;
                state_ = 1;
                return;
            case '-':
                range_start_ = v;
                state_ = 3;
                return;
            case '&':
                append_range(v);
                state_ = 4;
                return;
            default:  // ',' ';' and the end of the text
                item(v);
                if (state_ >= 1 && state_ <= 4) state_ = delimiter == ',' ? 2 : 5;
                if (delimiter != ',') commit();
                return;
        }
    }

    RemarkDates result() const {
        if (usable_) return out_;
        RemarkDates none;
        none.usable = false;
        return none;
    }

  private:
    struct Entry {
        std::int64_t month = 0;
        std::int64_t day = 0;
        bool removed = false;
    };

    void item(std::int64_t v) {
        if (state_ == 1 || state_ == 2) {
            append(v);
        } else if (state_ == 3) {
            append_range(v);
        } else if (state_ == 4) {
            apply_mask(v);
        }
    }

    void append(std::int64_t day) {
        if (n_ >= max_remark_list) {
            usable_ = false;
            return;
        }
        list_[++n_] = Entry{month_, day, false};
    }

    void append_range(std::int64_t last_day) {
        first_ = n_ + 1;
        // A range that would overrun the list is refused before any day of it is written.
        if (last_day >= range_start_ && last_day - range_start_ + 1 > max_remark_list - n_) {
            usable_ = false;
            return;
        }
        for (std::int64_t d = range_start_; d <= last_day; ++d) append(d);
        last_ = n_;
    }

    // The year rule: a month not before today's month is this year, an earlier one next year.
    std::optional<DayNumber> date_of(const Entry& e) const {
        if (e.month < 1 || e.month > 12 || e.day < 1 || e.day > 31) return std::nullopt;
        const int month = static_cast<int>(e.month), day = static_cast<int>(e.day);
        const int year = month >= today_month_ ? today_year_ : today_year_ + 1;
        if (!is_valid_date(year, month, day)) return std::nullopt;
        return day_number(year, month, day);
    }

    void apply_mask(std::int64_t mask) {
        for (int i = first_; i <= last_; ++i) {
            Entry& e = list_[i];
            const auto date = date_of(e);
            if (date && mask_digit(mask, weekday(*date)) == 0) e.removed = true;
        }
    }

    // Each entry goes in once: a later ";" of the same group commits only what was added since,
    // the dates and codes are the same as committing the whole list again.
    void commit() {
        for (int i = committed_ + 1; i <= n_; ++i) {
            const Entry& e = list_[i];
            const auto date = date_of(e);
            if (e.removed || !date) continue;
            if (out_.remark_count >= max_remark_dates) {
                usable_ = false;
                return;
            }
            ++out_.remark_count;
            out_.remark_dates[out_.remark_count] = *date;
            out_.remark_codes[out_.remark_count] = code_;
        }
        committed_ = n_;
    }

    int today_year_ = 0, today_month_ = 0;
    int code_ = 0;
    std::int64_t month_ = 0, range_start_ = 0;
    std::array<Entry, max_remark_list + 1> list_{};
    int n_ = 0, committed_ = 0, first_ = 0, last_ = 0;
    int state_ = 0;
    bool usable_ = true;
    RemarkDates out_;
};

}  // namespace

Delimiter check_chr(std::u32string_view in_data, int pos) {
    Delimiter best;
    if (pos < 1) pos = 1;
    for (const char32_t ch : {U':', U'/', U',', U'-', U'&', U';'}) {
        const std::size_t found = in_data.find(ch, static_cast<std::size_t>(pos - 1));
        if (found == std::u32string_view::npos) continue;
        const int at = static_cast<int>(found) + 1;
        if (ch == U'-' && at == pos) continue;
        if (at < position_limit && (best.out_chr == 'e' || at < best.out_i)) {
            best.out_chr = static_cast<char>(ch);
            best.out_i = at;
        }
    }
    return best;
}

Delimiter check_chr(std::string_view in_data, int pos) { return check_chr(code_points(in_data), pos); }

RemarkDates parse_remark(std::string_view in_data, DayNumber today) {
    const std::u32string text = code_points(in_data);
    const std::u32string_view view = text;
    RemarkParser parser(today);
    const int length = static_cast<int>(text.size());
    for (int pos = 1; pos <= length && parser.usable();) {
        const Delimiter d = check_chr(view, pos);
        if (d.out_chr == 'e') {
            parser.number(val(view.substr(static_cast<std::size_t>(pos - 1))), 'e');
            break;
        }
        parser.number(
            val(view.substr(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(d.out_i - pos))),
            d.out_chr);
        pos = d.out_i + 1;
    }
    return parser.result();
}

TableCheck check_table(const RemarkDates& remark, DayNumber travel_date, int time_shift) {
    TableCheck out{1, time_shift};
    if (remark.remark_count == 0) return out;
    const bool inclusion_list = remark.remark_codes[1] == 0;
    for (int i = 1; i <= remark.remark_count; ++i) {
        if (remark.remark_dates[i] != travel_date) continue;
        const int code = remark.remark_codes[i];
        if (code == remark_no_service) {
            out.in_service = 0;
        } else {
            out.time_shift = code;
        }
        return out;
    }
    if (inclusion_list) out.in_service = 0;
    return out;
}

TableCheck check_table(std::string_view in_data, DayNumber travel_date, int time_shift, DayNumber today) {
    if (in_data.empty()) return {1, time_shift};
    return check_table(parse_remark(in_data, today), travel_date, time_shift);
}

}  // namespace quorvel
