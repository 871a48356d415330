// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/result_list.hpp"

#include <gtest/gtest.h>

#include "search/report.hpp"
#include "search/small_timetable.hpp"

namespace quorvel {
namespace {

using testing::SmallTimetable;

// Airports 1 東京／羽田, 2 大阪／伊丹, 3 福岡, 4 札幌／千歳. Direction 1 entries are numbered in the
// order the upward flights are added, direction 2 entries likewise for the others.
struct Fixture {
    SmallTimetable st{day_number(2003, 12, 31)};
    Timetable* tt = nullptr;
    Fixture() {
        st.add_flight(1, 2, 1, 105, 700, 800);    // f1, dir 1 entry 1
        st.add_flight(2, 3, 2, 411, 835, 935);    // f2, dir 1 entry 2
        st.add_flight(1, 3, 1, 301, 800, 1000);   // f3, dir 1 entry 3
        st.add_flight(3, 4, 4, 7, 1000, 1200);    // f4, dir 1 entry 4
        st.add_flight(3, 2, 3, 202, 1300, 1410);  // f5, dir 2 entry 1 (positions 2 and 3)
        st.add_flight(2, 1, 2, 36, 1500, 1610);   // f6, dir 2 entry 2 (positions 3 and 4)
        st.add_flight(1, 3, 2, 241, 2300, 0);     // f7, dir 1 entry 5: arrives at 00:00
        st.tt->flight_aircraft[1][2] = "A320";
        st.tt->flight_aircraft[1][6] = "B777";
        tt = &st.finish();
    }
};

RouteResult leg_result(std::initializer_list<std::array<int, 3>> legs, int minutes) {
    RouteResult r;
    const auto* l = legs.begin();
    r.leg1_dir = static_cast<std::int16_t>((*l)[0]), r.leg1_pos = static_cast<std::int16_t>((*l)[1]);
    r.leg1_row = static_cast<std::int16_t>((*l)[2]);
    if (legs.size() > 1) {
        ++l;
        r.leg2_dir = static_cast<std::int16_t>((*l)[0]), r.leg2_pos = static_cast<std::int16_t>((*l)[1]);
        r.leg2_row = static_cast<std::int16_t>((*l)[2]);
    }
    if (legs.size() > 2) {
        ++l;
        r.leg3_dir = static_cast<std::int16_t>((*l)[0]), r.leg3_pos = static_cast<std::int16_t>((*l)[1]);
        r.leg3_row = static_cast<std::int16_t>((*l)[2]);
    }
    r.minutes = static_cast<std::int16_t>(minutes);
    return r;
}

RouteResults results_of(std::initializer_list<RouteResult> list) {
    RouteResults rr;
    rr.search_edition = 1;
    for (const RouteResult& r : list) rr.route_results[++rr.result_count] = r;
    return rr;
}

SearchConditions conditions(const char* from, const char* to) {
    SearchConditions c;
    c.from_airport = from;
    c.to_airport = to;
    c.departure_from = 500, c.departure_to = 2359, c.arrival_from = 600, c.arrival_to = 2359;
    c.max_wait = 60;
    c.connection_count = 1;
    c.result_order = 3;
    c.travel_date = day_number(2003, 8, 4);
    c.travel_weekday = 2;
    return c;
}

const RouteResult kOneConnection = leg_result({{1, 1, 1}, {1, 2, 2}}, 155);
const RouteResult kDirect = leg_result({{1, 1, 3}}, 120);
const RouteResult kTwoConnections = leg_result({{1, 1, 1}, {1, 2, 2}, {1, 3, 4}}, 300);

TEST(ResultList, LegTextsAndGridCells) {
    Fixture fx;
    const RouteResults rr = results_of({kOneConnection, kDirect, kTwoConnections});
    const ResultList list = list_results(*fx.tt, rr, conditions("東京／羽田", "札幌／千歳"));
    ASSERT_EQ(list.rows.size(), 3u);

    const ListedItinerary& one = list.rows[0];
    EXPECT_EQ(one.slot, 1);
    EXPECT_EQ(one.leg_count, 2);
    EXPECT_EQ(one.leg_text[1][0], "155");
    EXPECT_EQ(one.leg_text[1][1], "1");
    EXPECT_EQ(one.leg_text[1][2], "105");
    EXPECT_EQ(one.leg_text[1][4], "07:00");
    EXPECT_EQ(one.leg_text[1][5], "大阪／伊丹");
    EXPECT_EQ(one.leg_text[1][6], "08:00");
    EXPECT_EQ(one.leg_text[2][3], "A320");
    EXPECT_EQ(one.leg_text[2][6], "09:35");
    EXPECT_EQ(one.cell_text(0), "155");
    EXPECT_EQ(one.cell_text(1), "日本航空\r全日空");
    EXPECT_EQ(one.cell_text(2), "0105\r0411");
    EXPECT_EQ(one.cell_text(3), "B767\rA320");
    EXPECT_EQ(one.cell_text(4), "07:00");
    EXPECT_EQ(one.cell_text(5), "08:00 大阪／伊丹 08:35");
    EXPECT_EQ(one.cell_text(6), "09:35");
    EXPECT_EQ(one.cell_text(7), "乗継 1 回");
    EXPECT_EQ(one.row_height(), 450);

    const ListedItinerary& direct = list.rows[1];
    EXPECT_EQ(direct.leg_count, 1);
    EXPECT_EQ(direct.cell_text(5), "--------");
    EXPECT_EQ(direct.cell_text(7), "");
    EXPECT_EQ(direct.cell_text(6), "10:00");
    EXPECT_EQ(direct.leg_text[1][5], "");

    const ListedItinerary& two = list.rows[2];
    EXPECT_EQ(two.leg_count, 3);
    EXPECT_EQ(two.cell_text(5, "\n"), "08:00 大阪／伊丹 08:35\n09:35 福岡 10:00");
    EXPECT_EQ(two.cell_text(2), "0105\r0411\r0007");
    EXPECT_EQ(two.cell_text(6), "12:00");
    EXPECT_EQ(two.cell_text(7), "乗継 2 回");
    EXPECT_EQ(two.row_height(), 675);
}

TEST(ResultList, LegsAsDataForTheFareSheet) {
    Fixture fx;
    const RouteResults rr = results_of({kTwoConnections});
    const ResultList list = list_results(*fx.tt, rr, conditions("東京／羽田", "札幌／千歳"));
    ASSERT_EQ(list.rows.size(), 1u);
    const auto& legs = list.rows[0].legs;
    EXPECT_EQ(legs[0].from_name, "東京／羽田");
    EXPECT_EQ(legs[0].to_name, "大阪／伊丹");
    EXPECT_EQ(legs[1].from_name, "大阪／伊丹");
    EXPECT_EQ(legs[1].to_name, "福岡");
    EXPECT_EQ(legs[2].from_name, "福岡");
    EXPECT_EQ(legs[2].to_name, "札幌／千歳");
    EXPECT_EQ(legs[1].company_code, "ANA");
    EXPECT_EQ(legs[1].company_index, 2);
    EXPECT_EQ(legs[1].flight_number, 411);
    EXPECT_EQ(legs[1].dep_time, 835);
    EXPECT_EQ(legs[2].flight, 4);
}

TEST(ResultList, DirectionTwoPositionsAreMirroredBack) {
    Fixture fx;
    // 福岡 → 大阪／伊丹 → 東京／羽田 runs in direction 2: 福岡 is position 2, 大阪／伊丹 position 3.
    const RouteResults rr = results_of({leg_result({{2, 2, 1}, {2, 3, 2}}, 190)});
    const ResultList list = list_results(*fx.tt, rr, conditions("福岡", "東京／羽田"));
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].cell_text(5), "14:10 大阪／伊丹 15:00");
    EXPECT_EQ(list.rows[0].legs[0].to_name, "大阪／伊丹");
    EXPECT_EQ(report_body(*fx.tt, rr, conditions("福岡", "東京／羽田")),
              "[190分] JAS0202[B767] 福岡(13:00発)→大阪／伊丹(14:10着) \r\n"
              "\t\t～ ANA0036[B777] 大阪／伊丹(15:00発)→東京／羽田(16:10着) \r\n\r\n");
}

TEST(ResultList, OneResultPerFirstFlight) {
    Fixture fx;
    const RouteResult via_first_again = leg_result({{1, 1, 1}, {1, 2, 2}}, 170);
    const RouteResults rr = results_of({kOneConnection, kDirect, via_first_again, kTwoConnections});
    SearchConditions c = conditions("東京／羽田", "福岡");
    c.one_result_per_flight = 1;
    ResultList list = list_results(*fx.tt, rr, c);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].slot, 1);
    EXPECT_EQ(list.rows[1].slot, 2);
    c.one_result_per_flight = 0;
    list = list_results(*fx.tt, rr, c);
    EXPECT_EQ(list.rows.size(), 4u);
    // The same flight number of another company is another first flight.
    fx.tt->flight_number[1][3] = 105;
    fx.tt->flight_company[1][3] = "2";
    c.one_result_per_flight = 1;
    EXPECT_EQ(list_results(*fx.tt, rr, c).rows.size(), 2u);
    fx.tt->flight_company[1][3] = "1";
    EXPECT_EQ(list_results(*fx.tt, rr, c).rows.size(), 1u);
}

TEST(ResultList, EveryKeptItineraryIsListed) {
    Fixture fx;
    RouteResults rr;
    rr.search_edition = 1;
    rr.result_count = max_route_results;
    for (int i = 1; i <= max_route_results; ++i) rr.route_results[i] = kDirect;
    SearchConditions c = conditions("東京／羽田", "福岡");
    EXPECT_EQ(list_results(*fx.tt, rr, c).rows.size(), 1000u);
    EXPECT_EQ(list_results(*fx.tt, rr, c).rows.back().slot, 1000);
    c.one_result_per_flight = 1;
    EXPECT_EQ(list_results(*fx.tt, rr, c).rows.size(), 1u);
    // No edition: nothing listed, nothing read.
    rr.search_edition = 0;
    EXPECT_TRUE(list_results(*fx.tt, rr, c).rows.empty());
    EXPECT_EQ(report_body(*fx.tt, rr, c), "");
    EXPECT_EQ(report_body(*fx.tt, RouteResults{}, c), "");
}

TEST(ResultList, EnquiryFlagsFromDirectFlightsOnly) {
    Fixture fx;
    SearchConditions c = conditions("東京／羽田", "福岡");
    // A JAL direct flight and an ANA connection: only JAL counts.
    ResultList list = list_results(*fx.tt, results_of({kDirect, kOneConnection}), c);
    EXPECT_EQ(list.enquire_jal, 1);
    EXPECT_EQ(list.enquire_ana, 0);
    EXPECT_EQ(list.enquirable_count, 1);
    // Family codes, compared trimmed.
    fx.tt->company_code[1] = "J- ";
    fx.tt->company_code[2] = "ANK";
    const RouteResult ana_direct = leg_result({{1, 1, 5}}, 60);
    list = list_results(*fx.tt, results_of({kDirect, ana_direct}), c);
    EXPECT_EQ(list.enquire_jal, 1);
    EXPECT_EQ(list.enquire_ana, 1);
    EXPECT_EQ(list.enquirable_count, 2);
    fx.tt->company_code[1] = "SKY";
    list = list_results(*fx.tt, results_of({kDirect, kOneConnection}), c);
    EXPECT_EQ(list.enquirable_count, 0);
    fx.tt->company_code[1] = "JAC";
    EXPECT_EQ(list_results(*fx.tt, results_of({kDirect}), c).enquire_jas, 1);
}

TEST(ResultList, HeaderCaption) {
    Fixture fx;
    SearchConditions c = conditions("東京／羽田", "福岡");
    EXPECT_EQ(result_caption(*fx.tt, c), "東京／羽田 → 福岡【2003/08/04(月)】 表示順序：所要時間順");
    c.result_order = 1;
    c.travel_date = day_number(2004, 1, 5);
    EXPECT_EQ(result_caption(*fx.tt, c),
              "東京／羽田 → 福岡【2004/01/05(月)】 表示順序：出発時刻順  "
              "★時刻表の有効日付(2003/12/31)を超えています");
    c.result_order = 0;
    c.travel_date = day_number(2003, 8, 4);
    EXPECT_EQ(result_caption(*fx.tt, c), "東京／羽田 → 福岡【2003/08/04(月)】 表示順序：");
}

}  // namespace
}  // namespace quorvel
