// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settings.hpp"

#include <algorithm>
#include <limits>

#include "common/file_io.hpp"
#include "common/format.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"

namespace quorvel {

namespace {

enum class Section { form, control, departure, arrival, retrieval, text1, text2, holiday };

struct Header {
    std::string_view text;
    Section section;
};

constexpr std::array<Header, 8> headers = {{
    {"[Form]", Section::form},
    {"[Control]", Section::control},
    {"[Departure ground]", Section::departure},
    {"[Arrival ground]", Section::arrival},
    {"[Retrieval condition]", Section::retrieval},
    {"[Text1]", Section::text1},
    {"[Text2]", Section::text2},
    {"[Holiday]", Section::holiday},
}};

constexpr int ground_lines = 5;
constexpr int history_lines = 5;

// How the value of a key line is understood.
enum class Kind {
    last_digit,    // only the last character counts: option numbers 0..9
    whole_number,  // the leading number of everything after "="
    browser_kind,  // last character: the browser kind's digit
    text,          // everything after "=", trimmed
};

using NumberField = std::int16_t& (*)(Settings&);
using TextField = std::string& (*)(Settings&);

struct Key {
    std::string_view name;
    Kind kind;
    std::string_view format;  // numbers only
    NumberField number = nullptr;
    TextField text = nullptr;
};

#define QV_NUM(member) [](Settings& s) -> std::int16_t& { return s.member; }
#define QV_TEXT(member) [](Settings& s) -> std::string& { return s.member; }

const std::array<Key, 24> control_keys = {{
    {"control1_flg", Kind::last_digit, "###0", QV_NUM(option_flags[1])},
    {"control2_flg", Kind::last_digit, "###0", QV_NUM(option_flags[2])},
    {"control3_flg", Kind::last_digit, "###0", QV_NUM(option_flags[3])},
    {"control4_flg", Kind::last_digit, "###0", QV_NUM(option_flags[4])},
    {"control5_flg", Kind::last_digit, "###0", QV_NUM(option_flags[5])},
    {"control6_flg", Kind::last_digit, "###0", QV_NUM(option_flags[6])},
    {"control9_flg", Kind::last_digit, "###0", QV_NUM(option_flags[9])},
    {"sv_count", Kind::last_digit, "###0", QV_NUM(reservation_notices_shown)},
    {"max_kensuu", Kind::whole_number, "####", QV_NUM(hotel_limit)},
    {"sv_pop", Kind::last_digit, "0", QV_NUM(hotel_details_shown)},
    {"sel_option", Kind::last_digit, "###0", QV_NUM(result_order)},
    {"inet_data1", Kind::browser_kind, "", nullptr, nullptr},
    {"inet_data2", Kind::text, "", nullptr, QV_TEXT(browser.path)},
    {"sv_height12", Kind::whole_number, "#####", QV_NUM(hotel_list_height)},
    {"sv_width12", Kind::whole_number, "#####", QV_NUM(hotel_list_width)},
    {"sv_grid1_height12", Kind::whole_number, "#####", QV_NUM(hotel_grid_height)},
    {"sv_grid1_width12", Kind::whole_number, "#####", QV_NUM(hotel_grid_width)},
    {"sv_colwidth(0)", Kind::whole_number, "#####", QV_NUM(hotel_column_widths[0])},
    {"sv_colwidth(1)", Kind::whole_number, "#####", QV_NUM(hotel_column_widths[1])},
    {"sv_colwidth(2)", Kind::whole_number, "#####", QV_NUM(hotel_column_widths[2])},
    {"sv_colwidth(3)", Kind::whole_number, "#####", QV_NUM(hotel_column_widths[3])},
    {"sv_colwidth(4)", Kind::whole_number, "#####", QV_NUM(hotel_column_widths[4])},
    {"sv_colwidth(5)", Kind::whole_number, "#####", QV_NUM(hotel_column_widths[5])},
    {"sv_colwidth(6)", Kind::whole_number, "#####", QV_NUM(hotel_column_widths[6])},
}};

const std::array<Key, 11> retrieval_keys = {{
    {"st_station", Kind::text, "", nullptr, QV_TEXT(from_airport)},
    {"ed_station", Kind::text, "", nullptr, QV_TEXT(to_airport)},
    {"st_time1", Kind::whole_number, "###0", QV_NUM(departure_from)},
    {"st_time2", Kind::whole_number, "###0", QV_NUM(departure_to)},
    {"ed_time1", Kind::whole_number, "###0", QV_NUM(arrival_from)},
    {"ed_time2", Kind::whole_number, "###0", QV_NUM(arrival_to)},
    {"wait_time", Kind::whole_number, "###0", QV_NUM(max_wait)},
    {"wait_count", Kind::whole_number, "###0", QV_NUM(connection_count)},
    {"combination_number", Kind::whole_number, "###0", QV_NUM(one_result_per_flight)},
    {"check_hours", Kind::whole_number, "###0", QV_NUM(window_limit_hours)},
    {"check_minite", Kind::whole_number, "###0", QV_NUM(wait_limit_minutes)},
}};

#undef QV_NUM
#undef QV_TEXT

std::int16_t to_int16(std::int64_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

std::int16_t last_digit(std::string_view value) {
    if (value.empty()) return 0;
    const char c = value.back();
    return c >= '0' && c <= '9' ? static_cast<std::int16_t>(c - '0') : 0;
}

bool is_valid_holiday(std::int64_t v) {
    if (v < 101 || v > 1231) return false;
    const int month = static_cast<int>(v / 100), day = static_cast<int>(v % 100);
    return month >= 1 && month <= 12 && day >= 1 && day <= days_in_month(2000, month);
}

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The file's lines in UTF-8. A line that is not valid Shift-JIS reads as an empty line, so that the
// line counts of the fixed-length sections stay right. (Neither CR nor LF can be the second byte
// of a Shift-JIS character, so the bytes can be split before they are decoded.)
std::vector<std::string> decode_lines(std::string_view sjis) {
    std::vector<std::string> lines;
    if (auto whole = sjis_to_utf8(sjis)) {
        for (std::string_view line : split_lines(*whole)) lines.emplace_back(line);
        return lines;
    }
    for (std::string_view line : split_lines(sjis)) {
        auto utf8 = sjis_to_utf8(line);
        lines.push_back(utf8 ? std::move(*utf8) : std::string());
    }
    return lines;
}

// One item of a line: blanks around it go, and a quoted item ends at its closing quote.
std::string clean_item(std::string_view raw) {
    std::string item = trim(raw);
    if (item.empty() || item.front() != '"') return item;
    std::string_view inner = std::string_view(item).substr(1);
    inner = inner.substr(0, inner.find('"'));
    return trim(inner);
}

// A line splits into items at every comma (the format has no way to quote one).
template <class F>
void for_each_item(std::string_view line, F&& f) {
    for (;;) {
        const std::size_t comma = line.find(',');
        f(clean_item(line.substr(0, comma)));
        if (comma == std::string_view::npos) return;
        line.remove_prefix(comma + 1);
    }
}

class SettingsReader {
  public:
    explicit SettingsReader(Settings& s) : s_(s) {}

    void item(const std::string& item) {
        if (ground_left_ > 0) {
            (*ground_)[ground_lines - ground_left_ + 1] = item;
            --ground_left_;
            return;
        }
        if (!item.empty() && item.front() == '[') {
            header(item);
            return;
        }
        switch (section_) {
            case Section::form:
                form_line(item);
                break;
            case Section::control:
                key_line(control_keys, item);
                break;
            case Section::retrieval:
                key_line(retrieval_keys, item);
                break;
            case Section::text1:
                history_line(s_.key_history, item);
                break;
            case Section::text2:
                history_line(s_.keyword_history, item);
                break;
            case Section::holiday:
                holiday_line(item);
                break;
            case Section::departure:
            case Section::arrival:
                break;  // anything after the five lines
        }
    }

  private:
    void header(std::string_view text) {
        const auto it =
            std::find_if(headers.begin(), headers.end(), [&](const Header& h) { return h.text == text; });
        if (it == headers.end()) return;  // an unknown section leaves the current one in force
        section_ = it->section;
        if (section_ == Section::departure || section_ == Section::arrival) {
            ground_ = section_ == Section::departure ? &s_.recent_departures : &s_.recent_arrivals;
            ground_left_ = ground_lines;
        }
        history_seen_ = 0;
    }

    static bool split_key(std::string_view item, std::string& key, std::string_view& value) {
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos) return false;
        key = trim(item.substr(0, eq));
        value = item.substr(eq + 1);
        return true;
    }

    void form_line(std::string_view item) {
        std::string key;
        std::string_view value;
        if (!split_key(item, key, value)) return;
        const bool top = ends_with(key, "_top");
        if (!top && !ends_with(key, "_left")) return;
        WindowPosition* pos = s_.position(std::string_view(key).substr(0, key.size() - (top ? 4 : 5)));
        if (!pos) return;
        (top ? pos->top : pos->left) = to_int16(leading_number(value));
    }

    template <std::size_t N>
    void key_line(const std::array<Key, N>& keys, std::string_view item) {
        std::string name;
        std::string_view value;
        if (!split_key(item, name, value)) return;
        const auto key = std::find_if(keys.begin(), keys.end(), [&](const Key& k) { return k.name == name; });
        if (key == keys.end()) return;
        switch (key->kind) {
            case Kind::last_digit:
                key->number(s_) = last_digit(value);
                break;
            case Kind::whole_number:
                key->number(s_) = to_int16(leading_number(value));
                break;
            case Kind::browser_kind:
                s_.browser = browser_of_digit(last_digit(value), std::move(s_.browser.path));
                break;
            case Kind::text:
                key->text(s_) = trim(value);
                break;
        }
    }

    void history_line(std::array<std::string, 6>& history, const std::string& item) {
        if (item.find('[') != std::string::npos) return;
        if (history_seen_ >= history_lines) return;
        history[++history_seen_] = item;
    }

    void holiday_line(std::string_view item) {
        const std::string text = trim(item);
        if (text.empty()) return;
        const std::int64_t v = leading_number(text);
        if (!is_valid_holiday(v)) return;
        // 15 January and 10 October moved to Mondays in 2000; the computed holidays replace them
        // (an old file keeps them only as its first line).
        if (s_.holiday_saved_count > 0 && (v == 115 || v == 1010)) return;
        if (s_.holiday_saved_count >= holiday_file_limit) return;
        const auto i = static_cast<std::size_t>(++s_.holiday_saved_count);
        s_.holiday_month[i] = static_cast<std::int16_t>(v / 100);
        s_.holiday_day[i] = static_cast<std::int16_t>(v % 100);
    }

    Settings& s_;
    Section section_ = Section::form;
    std::array<std::string, 6>* ground_ = nullptr;
    int ground_left_ = 0;
    int history_seen_ = 0;
};

// A text as the line format can carry it (see write_settings).
std::string file_text(std::string_view utf8, bool history) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            out += ' ';
        else if (c == ',')
            out += "\uFF0C";
        else if (c == '"')
            out += "\uFF02";
        else if (c == '[' && history)
            out += "\uFF3B";
        else
            out += c;
    }
    return trim(out);
}

class SettingsWriter {
  public:
    void header(Section section) {
        for (const Header& h : headers)
            if (h.section == section) line(h.text);
    }
    void line(std::string_view text) {
        out_ += text;
        out_ += "\r\n";
    }
    void key(std::string_view name, std::string_view value) {
        out_ += name;
        out_ += '=';
        line(value);
    }
    template <std::size_t N>
    void keys(const std::array<Key, N>& keys, Settings& s) {
        for (const Key& k : keys) {
            if (k.kind == Kind::browser_kind)
                key(k.name, stored_browser_kind(s.browser));
            else if (k.text)
                key(k.name, file_text(k.text(s), false));
            else
                key(k.name, format_number(k.number(s), k.format));
        }
    }
    const std::string& text() const { return out_; }

  private:
    std::string out_;
};

}  // namespace

std::array<WindowPosition, form_window_names.size()> Settings::initial_positions() {
    std::array<WindowPosition, form_window_names.size()> positions{};
    // The hotel detail window opens beside the hotel list until the user moves it.
    for (std::size_t i = 0; i < form_window_names.size(); ++i)
        if (form_window_names[i] == "infhotel15") positions[i] = WindowPosition{5190, 3855};
    return positions;
}

WindowPosition* Settings::position(std::string_view window) {
    for (std::size_t i = 0; i < form_window_names.size(); ++i)
        if (form_window_names[i] == window) return &positions[i];
    return nullptr;
}

const WindowPosition* Settings::position(std::string_view window) const {
    return const_cast<Settings*>(this)->position(window);
}

Settings preset_settings() { return Settings{}; }

void apply_zero_defaults(Settings& s) {
    // A negative size or limit is as unusable as a missing one.
    const auto fill = [](std::int16_t& value, std::int16_t fallback) {
        if (value <= 0) value = fallback;
    };
    fill(s.window_limit_hours, 12);
    fill(s.wait_limit_minutes, 240);
    fill(s.hotel_list_height, 5280);
    fill(s.hotel_list_width, 9810);
    fill(s.hotel_grid_height, 3975);
    fill(s.hotel_grid_width, 9615);
    for (std::size_t i = 0; i < s.hotel_column_widths.size(); ++i)
        fill(s.hotel_column_widths[i], default_hotel_column_widths[i]);
}

DayNumber second_monday(int year, int month) {
    const int w = weekday(day_number(year, month, 1)) - 1;  // 0 = Sunday
    return day_number(year, month, w <= 1 ? 9 - w : 16 - w);
}

void add_computed_holidays(Settings& s, DayNumber today) {
    const CivilDate now = civil_date(today);
    const int saved = std::clamp<int>(s.holiday_saved_count, 0, holiday_file_limit);
    s.holiday_saved_count = static_cast<std::int16_t>(saved);
    const auto put = [&](std::size_t i, DayNumber day) {
        const CivilDate d = civil_date(day);
        s.holiday_month[i] = static_cast<std::int16_t>(d.month);
        s.holiday_day[i] = static_cast<std::int16_t>(d.day);
    };
    put(static_cast<std::size_t>(saved + 1), second_monday(now.month == 1 ? now.year : now.year + 1, 1));
    put(static_cast<std::size_t>(saved + 2), second_monday(now.month <= 10 ? now.year : now.year + 1, 10));
    s.holiday_count = static_cast<std::int16_t>(saved + 2);
}

Settings read_settings(std::span<const std::byte> bytes, DayNumber today) {
    Settings s = preset_settings();
    SettingsReader reader(s);
    for (const std::string& line : decode_lines(as_chars(bytes)))
        for_each_item(line, [&](const std::string& item) { reader.item(item); });
    apply_zero_defaults(s);
    add_computed_holidays(s, today);
    return s;
}

Result<Settings> read_settings(const std::filesystem::path& path, DayNumber today) {
    auto bytes = read_file_bytes(path);
    if (!bytes) {
        if (bytes.error().code == ErrorCode::missing)
            return read_settings(std::span<const std::byte>(), today);
        return bytes.error();
    }
    return read_settings(std::span<const std::byte>(*bytes), today);
}

std::vector<std::string> settings_unencodable_keys(const Settings& s) {
    std::vector<std::string> keys;
    const auto check = [&](std::string_view key, const std::string& text) {
        if (!sjis_can_hold(text)) keys.emplace_back(key);
    };
    const auto check_table = [&](std::string_view name, const std::array<std::string, 6>& table) {
        for (std::size_t i = 1; i < table.size(); ++i)
            check(std::string(name) + "(" + std::to_string(i) + ")", table[i]);
    };
    check("inet_data2", s.browser.path);
    check_table("recent_departures", s.recent_departures);
    check_table("recent_arrivals", s.recent_arrivals);
    check("st_station", s.from_airport);
    check("ed_station", s.to_airport);
    check_table("key_history", s.key_history);
    check_table("keyword_history", s.keyword_history);
    return keys;
}

Result<std::string> write_settings(const Settings& settings) {
    const std::vector<std::string> bad = settings_unencodable_keys(settings);
    if (!bad.empty()) {
        std::string names;
        for (const std::string& k : bad) names += (names.empty() ? "" : ", ") + k;
        return make_error(ErrorCode::encoding,
                          std::string(ini_file_name) + ": Shift-JIS cannot hold the text of " + names);
    }
    Settings s = settings;  // the key tables reach the values through non-const accessors
    SettingsWriter w;

    w.header(Section::form);
    for (std::size_t i = 0; i < form_window_names.size(); ++i) {
        const std::string name(form_window_names[i]);
        w.key(name + "_top", format_number(s.positions[i].top, "###0"));
        w.key(name + "_left", format_number(s.positions[i].left, "###0"));
    }
    w.header(Section::control);
    w.keys(control_keys, s);
    w.header(Section::departure);
    for (std::size_t i = 1; i <= ground_lines; ++i)
        w.line("\"" + file_text(s.recent_departures[i], false) + "\"");
    w.header(Section::arrival);
    for (std::size_t i = 1; i <= ground_lines; ++i)
        w.line("\"" + file_text(s.recent_arrivals[i], false) + "\"");
    w.header(Section::retrieval);
    w.keys(retrieval_keys, s);
    w.header(Section::text1);
    for (std::size_t i = 1; i <= history_lines; ++i) w.line(file_text(s.key_history[i], true));
    w.header(Section::text2);
    for (std::size_t i = 1; i <= history_lines; ++i) w.line(file_text(s.keyword_history[i], true));
    w.header(Section::holiday);
    const int saved = std::clamp<int>(s.holiday_saved_count, 0, holiday_file_limit);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(saved); ++i) {
        const int v = s.holiday_month[i] * 100 + s.holiday_day[i];
        if (is_valid_holiday(v)) w.line(format_number(v, "####"));
    }

    auto sjis = utf8_to_sjis(w.text());
    if (!sjis)
        return make_error(ErrorCode::encoding, std::string(ini_file_name) + ": " + sjis.error().message);
    return std::move(*sjis);
}

Status write_settings(const std::filesystem::path& path, const Settings& settings) {
    auto bytes = write_settings(settings);
    if (!bytes) return bytes.error();
    return write_file_atomically(path, *bytes);
}

}  // namespace quorvel
