// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/result_list.hpp"

#include <algorithm>
#include <utility>

#include "common/format.hpp"
#include "common/text.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

struct LegRef {
    int dir = 0, pos = 0, row = 0;
};

std::array<LegRef, 3> legs_of(const RouteResult& r) {
    return {LegRef{r.leg1_dir, r.leg1_pos, r.leg1_row}, LegRef{r.leg2_dir, r.leg2_pos, r.leg2_row},
            LegRef{r.leg3_dir, r.leg3_pos, r.leg3_row}};
}

bool valid_edition(int k) { return k >= 1 && k <= bounds::editions; }

// The flight of a leg; row 0 (no leg) and anything outside the index is flight 0.
int flight_of(const Timetable& tt, int k, const LegRef& leg) {
    if (!valid_edition(k) || leg.dir < 1 || leg.dir > 2 || leg.pos < 0 || leg.pos > bounds::airports ||
        leg.row < 0 || leg.row > bounds::route_entries)
        return 0;
    const int f = tt.route_index(k, leg.dir, leg.pos, leg.row);
    return f >= 0 && f <= bounds::flights ? f : 0;
}

// The airport at a leg's departure position, mirrored back for direction 2.
std::string airport_at(const Timetable& tt, const LegRef& leg) {
    const int p = leg.dir == 2 ? tt.airport_count - leg.pos + 1 : leg.pos;
    return p >= 1 && p <= std::min<int>(tt.airport_count, bounds::airports) ? tt.airport_name[at(p)]
                                                                            : std::string();
}

int company_index_of(const Timetable& tt, const std::string& company_text) {
    const auto m = leading_number(company_text);
    return m >= 1 && m <= std::min<int>(tt.company_count, bounds::companies) ? static_cast<int>(m) : 0;
}

const RouteResult& result_at(const RouteResults& results, int slot) {
    return results.route_results[at(std::clamp(slot, 0, max_route_results))];
}

int result_count_of(const RouteResults& results) {
    return std::clamp(results.result_count, 0, max_route_results);
}

void fill_flight_columns(const Timetable& tt, int k, int f, std::array<std::string, 7>& columns) {
    columns[1] = tt.flight_company[at(k)][at(f)];
    columns[2] = std::to_string(tt.flight_number[at(k)][at(f)]);
    columns[3] = tt.flight_aircraft[at(k)][at(f)];
    columns[4] = format_hhmm(tt.flight_departure[at(k)][at(f)]);
}

std::string join_line(std::string_view a, std::string_view b, std::string_view c) {
    std::string line(a);
    line += ' ';
    line += b;
    line += ' ';
    line += c;
    return line;
}

}  // namespace

std::string ListedItinerary::cell_text(int column, std::string_view separator) const {
    std::string out;
    const auto& lines = cells[at(std::clamp(column, 0, 7))];
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) out += separator;
        out += lines[i];
    }
    return out;
}

std::vector<int> listed_slots(const Timetable& tt, const RouteResults& results, int one_result_per_flight) {
    std::vector<int> slots;
    std::vector<std::pair<int, std::string>> seen;  // first flights already listed
    const int k = results.search_edition;
    if (!valid_edition(k)) return slots;  // no edition covers the date: the search found nothing
    for (int i = 1; i <= result_count_of(results); ++i) {
        if (one_result_per_flight == 1) {
            const int f1 = flight_of(tt, k, legs_of(result_at(results, i))[0]);
            std::pair<int, std::string> first{tt.flight_number[at(k)][at(f1)],
                                              tt.flight_company[at(k)][at(f1)]};
            if (std::find(seen.begin(), seen.end(), first) != seen.end()) continue;
            seen.push_back(std::move(first));
        }
        slots.push_back(i);
    }
    return slots;
}

LegText leg_texts(const Timetable& tt, const RouteResults& results, int slot) {
    LegText text;
    const int k = results.search_edition;
    if (!valid_edition(k)) return text;
    const RouteResult& r = result_at(results, slot);
    const auto legs = legs_of(r);
    text[1][0] = std::to_string(r.minutes);
    int last = 1;
    for (int leg = 1; leg <= 3; ++leg) {
        if (leg > 1 && legs[at(leg - 1)].row == 0) break;
        last = leg;
        fill_flight_columns(tt, k, flight_of(tt, k, legs[at(leg - 1)]), text[at(leg)]);
        if (leg > 1) {
            // The leg before lands at this leg's departure airport; both show only for a real arrival.
            const int arrival = tt.flight_arrival[at(k)][at(flight_of(tt, k, legs[at(leg - 2)]))];
            if (arrival != 0) {
                text[at(leg - 1)][5] = airport_at(tt, legs[at(leg - 1)]);
                text[at(leg - 1)][6] = format_hhmm(arrival);
            }
        }
    }
    text[at(last)][6] = format_hhmm(tt.flight_arrival[at(k)][at(flight_of(tt, k, legs[at(last - 1)]))]);
    return text;
}

ListedItinerary list_itinerary(const Timetable& tt, const RouteResults& results, const SearchConditions& cond,
                               int slot) {
    ListedItinerary item;
    item.slot = slot;
    const int k = results.search_edition;
    if (!valid_edition(k)) return item;
    const RouteResult& r = result_at(results, slot);
    item.minutes = r.minutes;
    item.leg_text = leg_texts(tt, results, slot);
    const LegText& lt = item.leg_text;
    item.leg_count = !lt[3][1].empty() ? 3 : !lt[2][1].empty() ? 2 : 1;

    const auto refs = legs_of(r);
    for (int leg = 0; leg < item.leg_count; ++leg) {
        ListedLeg& l = item.legs[at(leg)];
        l.dir = refs[at(leg)].dir, l.pos = refs[at(leg)].pos, l.row = refs[at(leg)].row;
        l.flight = flight_of(tt, k, refs[at(leg)]);
        l.from_name = leg == 0 ? trim(cond.from_airport) : airport_at(tt, refs[at(leg)]);
        l.to_name = leg + 1 < item.leg_count ? airport_at(tt, refs[at(leg + 1)]) : trim(cond.to_airport);
        l.company_text = tt.flight_company[at(k)][at(l.flight)];
        l.company_index = company_index_of(tt, l.company_text);
        l.company_code = tt.company_code[at(l.company_index)];
        l.company_name = tt.company_name[at(l.company_index)];
        l.flight_number = tt.flight_number[at(k)][at(l.flight)];
        l.aircraft = tt.flight_aircraft[at(k)][at(l.flight)];
        l.dep_time = tt.flight_departure[at(k)][at(l.flight)];
        l.arr_time = tt.flight_arrival[at(k)][at(l.flight)];
    }

    const int lines = item.leg_count;
    item.cells[0] = {lt[1][0]};
    for (int leg = 1; leg <= lines; ++leg) {
        item.cells[1].push_back(item.legs[at(leg - 1)].company_name);
        item.cells[2].push_back(format_number(item.legs[at(leg - 1)].flight_number, "0000"));
        item.cells[3].push_back(lt[at(leg)][3]);
    }
    item.cells[4] = {lt[1][4]};
    if (lines == 1) {
        item.cells[5] = {"--------"};
    } else {
        for (int leg = 1; leg < lines; ++leg)
            item.cells[5].push_back(join_line(lt[at(leg)][6], lt[at(leg)][5], lt[at(leg + 1)][4]));
        item.cells[7] = {"乗継 " + std::to_string(lines - 1) + " 回"};
    }
    item.cells[6] = {lt[at(lines)][6]};
    return item;
}

ResultList list_results(const Timetable& tt, const RouteResults& results, const SearchConditions& cond) {
    ResultList list;
    for (const int slot : listed_slots(tt, results, cond.one_result_per_flight)) {
        ListedItinerary item = list_itinerary(tt, results, cond, slot);
        if (item.leg_count == 1) {
            const std::string code = trim(item.legs[0].company_code);
            if (code == "JAL" || code == "JTA" || code == "JEX" || code == "J-" || code == "RAC")
                list.enquire_jal = 1;
            if (code == "ANA" || code == "ANK") list.enquire_ana = 1;
            if (code == "JAS" || code == "JAC") list.enquire_jas = 1;
        }
        list.rows.push_back(std::move(item));
    }
    list.enquirable_count = list.enquire_jal + list.enquire_ana + list.enquire_jas;
    return list;
}

std::string result_caption(const Timetable& tt, const SearchConditions& cond) {
    std::string caption = cond.from_airport + " → " + cond.to_airport + "【" + format_date(cond.travel_date) +
                          format_weekday_paren(cond.travel_date) + "】" + " 表示順序：";
    if (cond.result_order == 1) caption += "出発時刻順";
    if (cond.result_order == 2) caption += "到着時刻順";
    if (cond.result_order == 3) caption += "所要時間順";
    if (tt.data_valid_to < cond.travel_date)
        caption += "  ★時刻表の有効日付(" + format_date(tt.data_valid_to) + ")を超えています";
    return caption;
}

}  // namespace quorvel
