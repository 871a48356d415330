// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text.hpp"

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace quorvel {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

constexpr std::string_view wide_blank = "\u3000";

}  // namespace

std::string trim_left(std::string_view text) {
    std::size_t b = 0;
    while (b < text.size() && is_blank(text[b])) ++b;
    return std::string(text.substr(b));
}

std::string trim_right(std::string_view text) {
    std::size_t e = text.size();
    while (e > 0 && is_blank(text[e - 1])) --e;
    return std::string(text.substr(0, e));
}

std::string trim(std::string_view text) { return trim_left(trim_right(text)); }

std::string trim_wide(std::string_view text) {
    for (;;) {
        std::string_view before = text;
        while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
        while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
        if (text.starts_with(wide_blank)) text.remove_prefix(wide_blank.size());
        if (text.ends_with(wide_blank)) text.remove_suffix(wide_blank.size());
        if (text.size() == before.size()) return std::string(text);
    }
}

std::int64_t leading_number(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10 - 10;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < limit) value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

double leading_decimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10)
            value += (text[i] - '0') * scale;
    }
    return negative ? -value : value;
}

bool is_all_digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

char32_t next_code_point(std::string_view s, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    int len = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || pos + static_cast<std::size_t>(len) > s.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    for (int k = 1; k < len; ++k) {
        const unsigned char b = byte(pos + static_cast<std::size_t>(k));
        if ((b >> 6) != 0x2) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += static_cast<std::size_t>(len);
    return cp;
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t char_count(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++n) next_code_point(utf8, pos);
    return n;
}

std::string char_mid(std::string_view utf8, std::size_t start, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < start && pos < utf8.size(); ++i) next_code_point(utf8, pos);
    const std::size_t begin = pos;
    for (std::size_t i = 0; i < count && pos < utf8.size(); ++i) next_code_point(utf8, pos);
    return std::string(utf8.substr(begin, pos - begin));
}

std::string char_left(std::string_view utf8, std::size_t count) { return char_mid(utf8, 0, count); }

std::string to_fullwidth_digits(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            append_utf8(out, U'０' + static_cast<char32_t>(c - '0'));
        else
            out += c;
    }
    return out;
}

namespace {

// Full-width katakana for the half-width forms U+FF61..U+FF9F, in code order.
constexpr std::array<char32_t, 63> half_kana_to_wide{
    U'。', U'「', U'」', U'、', U'・', U'ヲ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ャ', U'ュ',
    U'ョ', U'ッ', U'ー', U'ア', U'イ', U'ウ', U'エ', U'オ', U'カ', U'キ', U'ク', U'ケ', U'コ',
    U'サ', U'シ', U'ス', U'セ', U'ソ', U'タ', U'チ', U'ツ', U'テ', U'ト', U'ナ', U'ニ', U'ヌ',
    U'ネ', U'ノ', U'ハ', U'ヒ', U'フ', U'ヘ', U'ホ', U'マ', U'ミ', U'ム', U'メ', U'モ', U'ヤ',
    U'ユ', U'ヨ', U'ラ', U'リ', U'ル', U'レ', U'ロ', U'ワ', U'ン', U'゛', U'゜'};

constexpr char32_t half_voiced = 0xFF9E;
constexpr char32_t half_semi_voiced = 0xFF9F;

// The voiced form exists in Shift-JIS for カ..ト and ハ..ホ (U+30AB..U+30C8, U+30CF..U+30DB) and ウ.
char32_t compose_voiced(char32_t base) {
    if (base == U'ウ') return U'ヴ';
    if ((base >= U'カ' && base <= U'ト') || (base >= U'ハ' && base <= U'ホ')) {
        // Within these runs the voiced form follows its base; ッ sits inside タ..ト and has none.
        if (base == U'ッ') return 0;
        if (base >= U'ハ') return (base - U'ハ') % 3 == 0 ? base + 1 : 0;
        if (base <= U'チ') return (base - U'カ') % 2 == 0 ? base + 1 : 0;
        return (base == U'ツ' || base == U'テ' || base == U'ト') ? base + 1 : 0;
    }
    return 0;
}

char32_t compose_semi_voiced(char32_t base) {
    if (base >= U'ハ' && base <= U'ホ' && (base - U'ハ') % 3 == 0) return base + 2;
    return 0;
}

}  // namespace

namespace {
std::string replace_all(std::string_view text, std::initializer_list<std::string_view> from,
                        std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        for (std::string_view f : from) {
            if (text.substr(i, f.size()) == f) {
                out += to;
                i += f.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}
}  // namespace

std::string yen_for_display(std::string_view text) { return replace_all(text, {"\\"}, "\u00a5"); }

std::string yen_for_storage(std::string_view text) { return replace_all(text, {"\u00a5", "\uffe5"}, "\\"); }

std::string narrow_to_wide(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() * 3);
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        const char32_t cp = next_code_point(utf8, pos);
        if (cp == 0xFFFD && pos - start == 1 && static_cast<unsigned char>(utf8[start]) >= 0x80) {
            out += utf8[start];  // not UTF-8: keep the byte as it is
            continue;
        }
        if (cp == ' ') {
            append_utf8(out, 0x3000);
        } else if (cp == '\\') {
            append_utf8(out, 0xFFE5);
        } else if (cp == '~') {
            append_utf8(out, 0xFFE3);
        } else if (cp == '"') {
            append_utf8(out, 0x201D);
        } else if (cp == '\'') {
            append_utf8(out, 0x2019);
        } else if (cp >= 0x21 && cp <= 0x7E) {
            append_utf8(out, cp - 0x21 + 0xFF01);
        } else if (cp >= 0xFF61 && cp <= 0xFF9F) {
            char32_t wide = half_kana_to_wide[cp - 0xFF61];
            if (pos < utf8.size()) {
                std::size_t look = pos;
                const char32_t mark = next_code_point(utf8, look);
                const char32_t composed = mark == half_voiced        ? compose_voiced(wide)
                                          : mark == half_semi_voiced ? compose_semi_voiced(wide)
                                                                     : 0;
                if (composed != 0) {
                    wide = composed;
                    pos = look;
                }
            }
            append_utf8(out, wide);
        } else {
            out.append(utf8.substr(start, pos - start));
        }
    }
    return out;
}

bool starts_with(std::string_view text, std::string_view prefix) { return text.starts_with(prefix); }
bool ends_with(std::string_view text, std::string_view suffix) { return text.ends_with(suffix); }

std::string to_upper_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace quorvel
