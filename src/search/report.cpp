// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/report.hpp"

#include "common/format.hpp"
#include "common/text.hpp"
#include "search/result_list.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

const std::string equals_line(89, '=');

std::string order_name(int result_order) {
    switch (result_order) {
        case 1:
            return "出発時刻順";
        case 2:
            return "到着時刻順";
        case 3:
            return "所要時間順";
        default:
            return "";
    }
}

std::string connection_condition(int connection_count) {
    switch (connection_count) {
        case 1:
            return "１回乗り継ぎ";
        case 2:
            return "２回乗り継ぎ";
        default:
            return "直行便のみ";
    }
}

}  // namespace

std::array<std::string, 10> report_header(const SearchConditions& cond, std::string_view app_title,
                                          std::string_view app_version) {
    return {
        " ",
        std::string(app_title) + "　(Version " + std::string(app_version) + ")",
        equals_line,
        "　検索条件   出発地　：" + trim(cond.from_airport) + "　到着地：" + trim(cond.to_airport),
        "             出発時間：" + format_hhmm(cond.departure_from) + " ～ " +
            format_hhmm(cond.departure_to),
        "             到着時間：" + format_hhmm(cond.arrival_from) + " ～ " + format_hhmm(cond.arrival_to),
        "             乗継条件：" + connection_condition(cond.connection_count) + "　　［乗り継ぎ時間：" +
            trim(format_number(cond.max_wait, "##0")) + "分］",
        "             表示順　：" + order_name(cond.result_order),
        "             日付　　：" + format_date_weekday_wide(cond.travel_date),
        equals_line,
    };
}

void flight_report_line(const Timetable& tt, int edition, int flight, std::string& line) {
    if (edition < 1 || edition > bounds::editions || flight < 0 || flight > bounds::flights) return;
    const std::string& company = tt.flight_company[at(edition)][at(flight)];
    const auto m = leading_number(company);
    if (m >= 1 && m <= bounds::companies) line += tt.company_code[at(static_cast<int>(m))];
    line += format_number(tt.flight_number[at(edition)][at(flight)], "0000");
    line += "[" + tt.flight_aircraft[at(edition)][at(flight)] + "] ";
}

std::string report_body(const Timetable& tt, const RouteResults& results, const SearchConditions& cond) {
    std::string report_text;
    const int k = results.search_edition;
    const std::string crlf(report_line_break);
    for (const int slot : listed_slots(tt, results, cond.one_result_per_flight)) {
        const ListedItinerary item = list_itinerary(tt, results, cond, slot);
        std::string line = "[" + format_number(item.minutes, "000") + "分] ";
        for (int leg = 0; leg < item.leg_count; ++leg) {
            const ListedLeg& l = item.legs[at(leg)];
            if (leg > 0) line = crlf + std::string(at(leg + 1), '\t') + "～ ";
            flight_report_line(tt, k, l.flight, line);
            line += l.from_name + "(" + format_hhmm(l.dep_time) + "発)→";
            // A leg's arrival part shows only for a real arrival time.
            if (l.arr_time != 0) line += l.to_name + "(" + format_hhmm(l.arr_time) + "着) ";
            report_text += line;
        }
        report_text += crlf + crlf;
    }
    return report_text;
}

}  // namespace quorvel
