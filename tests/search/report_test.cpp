// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/report.hpp"

#include <gtest/gtest.h>

#include "search/small_timetable.hpp"

namespace quorvel {
namespace {

using testing::SmallTimetable;

struct ReportFixture {
    SmallTimetable st{day_number(2003, 12, 31)};
    Timetable* tt = nullptr;
    RouteResults rr;
    SearchConditions cond;

    ReportFixture() {
        st.add_flight(1, 2, 1, 105, 700, 800);  // dir 1 entry 1
        st.add_flight(2, 3, 2, 411, 835, 935);  // dir 1 entry 2
        st.add_flight(1, 4, 1, 301, 705, 830);  // dir 1 entry 3
        st.add_flight(3, 4, 4, 7, 1000, 1200);  // dir 1 entry 4
        st.add_flight(2, 4, 2, 413, 835, 935);  // dir 1 entry 5
        st.tt->flight_aircraft[1][2] = "A320";
        st.tt->flight_aircraft[1][5] = "A320";
        tt = &st.finish();
        rr.search_edition = 1;
        cond.from_airport = "東京／羽田";
        cond.to_airport = "札幌／千歳";
        cond.departure_from = 500, cond.departure_to = 2359, cond.arrival_from = 600, cond.arrival_to = 2359;
        cond.max_wait = 60;
        cond.connection_count = 1;
        cond.result_order = 3;
        cond.travel_date = day_number(2004, 2, 29);
    }

    void add(int minutes, std::initializer_list<int> rows) {
        RouteResult& r = rr.route_results[++rr.result_count];
        const int* row = rows.begin();
        r.leg1_dir = 1, r.leg1_pos = 1, r.leg1_row = static_cast<std::int16_t>(row[0]);
        if (rows.size() > 1) r.leg2_dir = 1, r.leg2_pos = 2, r.leg2_row = static_cast<std::int16_t>(row[1]);
        if (rows.size() > 2) r.leg3_dir = 1, r.leg3_pos = 3, r.leg3_row = static_cast<std::int16_t>(row[2]);
        r.minutes = static_cast<std::int16_t>(minutes);
    }
};

TEST(Report, BodyIsByteExact) {
    ReportFixture fx;
    fx.add(155, {1, 5});
    fx.add(85, {3});
    fx.add(300, {1, 2, 4});
    const std::string expected =
        "[155分] JAL0105[B767] 東京／羽田(07:00発)→大阪／伊丹(08:00着) \r\n"
        "\t\t～ ANA0413[A320] 大阪／伊丹(08:35発)→札幌／千歳(09:35着) \r\n"
        "\r\n"
        "[085分] JAL0301[B767] 東京／羽田(07:05発)→札幌／千歳(08:30着) \r\n"
        "\r\n"
        "[300分] JAL0105[B767] 東京／羽田(07:00発)→大阪／伊丹(08:00着) \r\n"
        "\t\t～ ANA0411[A320] 大阪／伊丹(08:35発)→福岡(09:35着) \r\n"
        "\t\t\t～ SKY0007[B767] 福岡(10:00発)→札幌／千歳(12:00着) \r\n"
        "\r\n";
    EXPECT_EQ(report_body(*fx.tt, fx.rr, fx.cond), expected);
}

TEST(Report, MinutesComeFromTheResultNotTheTimes) {
    ReportFixture fx;
    fx.add(155, {1, 5});
    const std::string body = report_body(*fx.tt, fx.rr, fx.cond);
    EXPECT_EQ(body.rfind("[155分] ", 0), 0u);
}

TEST(Report, CombinationRuleMatchesTheList) {
    ReportFixture fx;
    fx.add(155, {1, 5});
    fx.add(85, {3});
    fx.add(300, {1, 2, 4});
    fx.cond.one_result_per_flight = 1;
    const std::string body = report_body(*fx.tt, fx.rr, fx.cond);
    EXPECT_EQ(body.find("[300分]"), std::string::npos);
    EXPECT_NE(body.find("[085分]"), std::string::npos);
}

TEST(Report, ZeroArrivalLeavesOutTheArrivalPart) {
    ReportFixture fx;
    fx.tt->flight_arrival[1][1] = 0;
    fx.add(155, {1, 5});
    EXPECT_EQ(report_body(*fx.tt, fx.rr, fx.cond),
              "[155分] JAL0105[B767] 東京／羽田(07:00発)→\r\n"
              "\t\t～ ANA0413[A320] 大阪／伊丹(08:35発)→札幌／千歳(09:35着) \r\n\r\n");
}

TEST(Report, EditBinDesignation) {
    ReportFixture fx;
    std::string line = "x";
    flight_report_line(*fx.tt, 1, 4, line);
    EXPECT_EQ(line, "xSKY0007[B767] ");
    flight_report_line(*fx.tt, 0, 4, line);  // outside the tables: nothing
    EXPECT_EQ(line, "xSKY0007[B767] ");
}

TEST(Report, HeaderLines) {
    ReportFixture fx;
    const auto h = report_header(fx.cond, "航空時刻表", "3.44");
    const std::string equals(89, '=');
    EXPECT_EQ(h[0], " ");
    EXPECT_EQ(h[1], "航空時刻表　(Version 3.44)");
    EXPECT_EQ(h[2], equals);
    EXPECT_EQ(h[3], "　検索条件   出発地　：東京／羽田　到着地：札幌／千歳");
    EXPECT_EQ(h[4], "             出発時間：05:00 ～ 23:59");
    EXPECT_EQ(h[5], "             到着時間：06:00 ～ 23:59");
    EXPECT_EQ(h[6], "             乗継条件：１回乗り継ぎ　　［乗り継ぎ時間：60分］");
    EXPECT_EQ(h[7], "             表示順　：所要時間順");
    EXPECT_EQ(h[8], "             日付　　：2004/02/29（日）");
    EXPECT_EQ(h[9], equals);

    fx.cond.connection_count = 0;
    fx.cond.max_wait = 5;
    fx.cond.result_order = 1;
    fx.cond.departure_from = 705;
    EXPECT_EQ(report_header(fx.cond, "t", "v")[6],
              "             乗継条件：直行便のみ　　［乗り継ぎ時間：5分］");
    EXPECT_EQ(report_header(fx.cond, "t", "v")[7], "             表示順　：出発時刻順");
    EXPECT_EQ(report_header(fx.cond, "t", "v")[4], "             出発時間：07:05 ～ 23:59");
    fx.cond.connection_count = 2;
    fx.cond.result_order = 2;
    EXPECT_EQ(report_header(fx.cond, "t", "v")[6],
              "             乗継条件：２回乗り継ぎ　　［乗り継ぎ時間：5分］");
    EXPECT_EQ(report_header(fx.cond, "t", "v")[7], "             表示順　：到着時刻順");
    fx.cond.result_order = 7;
    EXPECT_EQ(report_header(fx.cond, "t", "v")[7], "             表示順　：");
}

}  // namespace
}  // namespace quorvel
