// SPDX-License-Identifier: GPL-3.0-or-later
#include "fares/fare_sheet.hpp"

#include <cstddef>
#include <utility>

#include "common/format.hpp"
#include "common/text.hpp"

namespace quorvel {

namespace {

constexpr std::size_t ix(int i) { return static_cast<std::size_t>(i); }

constexpr std::array<std::string_view, fare_rows + 1> remarks{
    "",
    "",
    "JAS/JACは売出日割引",
    "",
    "",
    "",
    "無記名式；90日間有効",
    "記名式　；90日間有効",
    "記名式　；70日間有効",
    "適用便に注意!!",
    "",
    "ﾏﾙﾁｷｯﾌﾟ:JAL,ﾜｲﾄﾞﾘﾋﾟｰﾄ:ANA,4回便利:JEX",
    "特割20:JTA,離島まるとく:JAC",
    "JACのみ；無記名式10枚綴り",
    "JAL/ANA:片道運賃",
};

std::string company_code_of(const Timetable& tt, int company) {
    if (company < 1 || company > bounds::companies) return {};
    return tt.company_code[ix(company)];
}

}  // namespace

std::string_view fare_row_remark(int row) { return row >= 1 && row <= fare_rows ? remarks[ix(row)] : ""; }

FareItinerary fare_itinerary(const ListedItinerary& row, DayNumber travel_date, DayNumber today,
                             std::vector<HolidayDate> holidays) {
    FareItinerary it;
    for (int n = 0; n < row.leg_count && n < sheet_legs; ++n) {
        const ListedLeg& leg = row.legs[ix(n)];
        it.legs.push_back(
            FareLeg{leg.from_name, leg.to_name, leg.company_index, leg.flight_number, leg.dep_time});
    }
    it.travel_date = travel_date;
    it.today = today;
    it.holidays = std::move(holidays);
    return it;
}

ItineraryFares price_itinerary(const Timetable& tt, const FareItinerary& itinerary, FareState& state) {
    ItineraryFares result;
    for (std::size_t n = 0; n < itinerary.legs.size(); ++n) {
        const FareLeg& leg = itinerary.legs[n];
        const std::string designator = trim(company_code_of(tt, leg.company));

        const FareRequest request =
            flight_fare_request(designator, leg.flight_no, leg.from, leg.to, leg.dep_time,
                                itinerary.travel_date, itinerary.today, itinerary.holidays);

        // Each leg starts from an empty sheet: a second leg of the same company must not keep
        // cells that only the first leg's route earned.
        clear_fare_sheet(state.fare_sheet);
        const FareOutcome outcome = price_flight(tt, request, state);
        if (!outcome.missing_message.empty()) result.messages.push_back(outcome.missing_message);
        result.season = state.season;

        // The engine writes at its own column for the designator, whatever place the timetable
        // gives the company in its company list.
        const int column = engine_company_index(designator);
        if (column == 0 || state.fare_sheet[ix(column)][1] == 0) {
            result.reason = "大人片道運賃がありません（" + designator + " " +
                            format_number(leg.flight_no, "0000") + " " + trim(leg.from) + "→" + trim(leg.to) +
                            "）";
            result.legs.clear();
            return result;
        }
        LegFares fares;
        fares.company = leg.company;
        fares.engine_company = column;
        fares.flight_no = leg.flight_no;
        for (int r = 1; r <= leg_fare_rows; ++r) fares.fares[ix(r)] = state.fare_sheet[ix(column)][ix(r)];
        result.legs.push_back(fares);
    }
    result.priced = !result.legs.empty();
    return result;
}

std::string fare_sheet_caption(const FareItinerary& itinerary, int season) {
    std::string caption;
    if (!itinerary.legs.empty()) {
        caption = trim(itinerary.legs.front().from);
        for (std::size_t n = 1; n < itinerary.legs.size(); ++n)
            caption += " → " + trim(itinerary.legs[n].from);
        caption += " → " + trim(itinerary.legs.back().to);
    }
    caption += "  " + format_date_weekday(itinerary.travel_date) + " 出発";
    caption += season_caption(season);
    return caption;
}

FareSheetView fare_sheet_view(const Timetable& tt, const FareItinerary& itinerary,
                              const ItineraryFares& fares) {
    FareSheetView view;
    view.caption = fare_sheet_caption(itinerary, fares.season);
    for (int k = 1; k <= sheet_legs; ++k)
        view.col_company[ix(k)] = ix(k) <= fares.legs.size() ? fares.legs[ix(k - 1)].company : 0;

    auto& head = view.cells[0];
    head[0] = "運賃区分";
    for (int k = 1; k <= sheet_legs; ++k) {
        const int company = view.col_company[ix(k)];
        if (company == 0) continue;
        head[ix(k)] =
            company_code_of(tt, company) + " " + trim(format_number(fares.legs[ix(k - 1)].flight_no, "000"));
    }
    head[4] = "備考";

    for (int r = 1; r <= fare_rows; ++r) {
        auto& row = view.cells[ix(r)];
        row[0] = fare_row_caption(r);
        row[4] = fare_row_remark(r);
        for (int k = 1; k <= sheet_legs; ++k) {
            const std::int32_t amount = ix(k) <= fares.legs.size() ? fares.legs[ix(k - 1)].fares[ix(r)] : 0;
            row[ix(k)] = amount != 0 ? format_number(amount, "###,##0") : "******";
            const int company = view.col_company[ix(k)];
            if (company >= 1 && company <= bounds::companies)
                view.help_topic[ix(r)][ix(k)] = tt.fare_help_topic[ix(company)][ix(r)];
        }
    }
    return view;
}

RowFareSheet fare_sheet_for_row(const Timetable& tt, const FlightSearchResult& search, int row,
                                DayNumber today, std::vector<HolidayDate> holidays) {
    RowFareSheet sheet;
    const auto& rows = search.list.rows;
    if (row < 1 || row > static_cast<int>(rows.size())) return sheet;
    sheet.itinerary =
        fare_itinerary(rows[ix(row - 1)], search.conditions.travel_date, today, std::move(holidays));
    FareState state;
    sheet.fares = price_itinerary(tt, sheet.itinerary, state);
    if (sheet.fares.priced) sheet.view = fare_sheet_view(tt, sheet.itinerary, sheet.fares);
    return sheet;
}

}  // namespace quorvel
