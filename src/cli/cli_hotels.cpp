// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.hpp"
#include "common/text.hpp"
#include "config/settings.hpp"
#include "hotel/hotel_reader.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel::cli {

namespace {

int refuse(const Invocation& inv, const std::string& message) {
    *inv.err << message << '\n';
    return exit_usage;
}

// A cell on one line: TAB, CR and LF inside a text become one blank each.
std::string one_line(const std::string& text) {
    std::string s = text;
    for (char& c : s)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return s;
}

}  // namespace

// quorvel-cli hotels --kind 1..6 --key TEXT [--sort NAME] [--max N] [--district NAME]...
int run_hotels(const Invocation& inv) {
    std::string error;
    const auto o = Options::parse(inv.args, {}, error);
    if (!o) return refuse(inv, "quorvel-cli hotels: " + error);
    if (const auto unknown = o->unknown({"kind", "key", "sort", "max", "district"}); !unknown.empty())
        return refuse(inv, "quorvel-cli hotels: unknown option --" + unknown.front());
    const auto kind_text = o->get("kind");
    const auto key = o->get("key");
    if (!kind_text || !key)
        return refuse(inv,
                      "usage: quorvel-cli hotels --kind 1..6 --key TEXT [--sort NAME] "
                      "[--max N] [--district NAME]...");
    if (kind_text->size() != 1 || (*kind_text)[0] < '1' || (*kind_text)[0] > '6')
        return refuse(inv, "quorvel-cli hotels: --kind takes 1 to 6");
    const int kind = (*kind_text)[0] - '0';
    const std::string sort_key = o->get("sort").value_or(sort_by_pref);
    if (!is_hotel_sort_key(sort_key)) return refuse(inv, "quorvel-cli hotels: unknown sort key " + sort_key);

    int hotel_limit = 0;
    if (const auto m = o->get("max")) {
        const std::string t = trim(*m);
        if (!is_all_digits(t) || t.size() > 9 || leading_number(t) < 1)
            return refuse(inv, "quorvel-cli hotels: --max takes a number of at least 1");
        hotel_limit = static_cast<int>(leading_number(t));
    } else {
        const auto settings = read_settings(inv.data_dir / ini_file_name, inv.today);
        if (!settings) {
            *inv.err << "quorvel-cli hotels: " << settings.error().message << '\n';
            return exit_data;
        }
        hotel_limit = settings->hotel_limit;
    }

    auto data = std::make_unique<HotelData>();
    const auto report = load_hotel_data_file(inv.data_dir / hotel_file_name, *data);
    if (data->hotel_base_count == 0 && !report.clean()) {
        *inv.err << "quorvel-cli hotels: " << report.faults.front().message << '\n';
        return exit_data;
    }
    // The program opens its windows with whatever part of a damaged file it could read; so do we.
    for (const auto& fault : report.faults) *inv.err << "quorvel-cli hotels: " << fault.message << '\n';
    const auto users = load_user_hotel_file(inv.data_dir / user_hotel_file_name, *data);
    if (const std::string m = users.message(); !m.empty()) *inv.err << "quorvel-cli hotels: " << m << '\n';
    copy_user_hotel(*data);

    HotelSearchState state;
    std::string text1 = *key;
    if (!check_search_key(*data, state, kind, text1)) return refuse(inv, "検索条件の入力エラーです");
    const auto districts = o->all("district");
    state.district_filter = static_cast<int>(districts.size());
    state.filter_district.assign(1, std::string());
    state.filter_district.insert(state.filter_district.end(), districts.begin(), districts.end());

    const HotelHits hits = run_hotel_search(*data, state, hotel_limit, sort_key);
    if (hits.hotel_hit_count() == 0) {
        *inv.err << "ホテルデータなし\n";
        return exit_ok;
    }

    std::ostream& out = *inv.out;
    out << one_line(hotel_title_line(kind, state.search_key_text, hits.hotel_hit_count())) << '\n';
    for (int k : hits.hotel_hit_list) {
        const auto cells = hotel_cell_texts(*data, k);
        for (std::size_t c = 0; c < cells.size(); ++c) out << (c ? "\t" : "") << one_line(cells[c]);
        out << '\n';
    }
    return exit_ok;
}

}  // namespace quorvel::cli
