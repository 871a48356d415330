// SPDX-License-Identifier: GPL-3.0-or-later
#include "fares/fare_engine.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fare_test_data.hpp"

namespace quorvel {
namespace {

using testing::FareData;
using testing::ix;
using testing::make_request;

const DayNumber friday = day_number(2004, 2, 6);

std::int32_t cell(const FareState& s, int company, int row) { return s.fare_sheet[ix(company)][ix(row)]; }

FareState price(const FareData& d, const FareRequest& r) {
    FareState s;
    price_flight(*d.tt, r, s);
    return s;
}

TEST(FareEngine, Yen50RoundsToFiftyYenWithHalvesUp) {
    EXPECT_EQ(round_to_50_yen(0.75, 100), 100);     // 1.5 steps goes up
    EXPECT_EQ(round_to_50_yen(0.75, 9900), 7450);   // 7425 is a half step
    EXPECT_EQ(round_to_50_yen(0.75, 10020), 7500);  // 7515 goes down
    EXPECT_EQ(round_to_50_yen(0.85, 13100), 11150);
    EXPECT_EQ(round_to_50_yen(0.65, 0), 0);
    EXPECT_EQ(round_to_50_yen(0.8, 23450), 18750);  // 18760 goes down
}

TEST(FareEngine, FareTableChosenByValidFromDate) {
    FareData d;
    d.add_fare(1, "JAL", "東京", "大阪", 10000);
    d.add_fare(2, "JAL", "東京", "大阪", 12000);
    const DayNumber switch_day = day_number(2004, 4, 1);
    d.tt->fare_valid_from[2] = switch_day;
    EXPECT_EQ(cell(price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", switch_day - 1, friday)), 1, 1),
              10000);
    EXPECT_EQ(cell(price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", switch_day, friday)), 1, 1),
              12000);
}

TEST(FareEngine, AbsentFareTableSendsEveryDateToThePresentOne) {
    const DayNumber date = day_number(2004, 3, 1);
    FareData only_second;
    only_second.add_fare(2, "JAL", "東京", "大阪", 12000);
    only_second.tt->fare_valid_from[2] = day_number(2010, 1, 1);  // later than the travel date
    FareState s = price(only_second, make_request("JAL", "東京／羽田", "大阪／伊丹", date, friday));
    EXPECT_EQ(s.fare_table, 2);
    EXPECT_EQ(cell(s, 1, 1), 12000);

    FareData only_first;
    only_first.add_fare(1, "JAL", "東京", "大阪", 10000);  // fare_valid_from(2) stays 0
    s = price(only_first, make_request("JAL", "東京／羽田", "大阪／伊丹", date, friday));
    EXPECT_EQ(s.fare_table, 1);
    EXPECT_EQ(cell(s, 1, 1), 10000);
}

TEST(FareEngine, TokyoAndOsakaAirportsFoldToTheCityInBothDirections) {
    FareData d;
    d.add_fare(1, "JAS", "東京", "大阪", 18000);
    const DayNumber date = friday + 3;
    for (const auto& [from, to] : std::map<std::string, std::string>{
             {"東京／成田", "大阪／関西"}, {"大阪／伊丹", "東京／羽田"}, {" 大阪／関西 ", "東京／成田"}}) {
        FareState s = price(d, make_request("JAS", from, to, date, friday));
        EXPECT_EQ(cell(s, 3, 1), 18000) << from << " → " << to;
    }
    // Only the four named airports fold; another name with the city in it does not.
    FareData other;
    other.add_fare(1, "JAS", "東京", "大阪", 18000);
    FareState s;
    const FareOutcome o =
        price_flight(*other.tt, make_request("JAS", "東京／調布", "大阪／伊丹", date, friday), s);
    EXPECT_EQ(o.missing_message, "運賃表未登録（JAS）");
}

TEST(FareEngine, DaysAheadBoundariesAndPeakDayGridColumn) {
    FareData d;
    d.standard_grid(1, d.add_fare(1, "JAL", "東京", "大阪", 20000));
    ASSERT_EQ(weekday(friday), 6);
    auto row = [&](int days, int r) {
        return cell(price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", friday + days, friday)), 1, r);
    };
    // Fridays (peak) take grid column 2, Thursdays column 1.
    EXPECT_EQ(row(28, 3), 2200);
    EXPECT_EQ(row(27, 3), 0);
    EXPECT_EQ(row(34, 3), 2100);
    EXPECT_EQ(row(21, 4), 3200);
    EXPECT_EQ(row(20, 4), 0);
    EXPECT_EQ(row(14, 5), 4200);
    EXPECT_EQ(row(13, 5), 0);
    EXPECT_EQ(row(13, 4), 0);
    EXPECT_EQ(row(20, 5), 4100);  // a Thursday
}

TEST(FareEngine, ListedHolidayIsAPeakDay) {
    FareData d;
    d.standard_grid(1, d.add_fare(1, "JAL", "東京", "大阪", 20000));
    const DayNumber wednesday = friday + 40;
    ASSERT_EQ(weekday(wednesday), 4);
    FareRequest r = make_request("JAL", "東京／羽田", "大阪／伊丹", wednesday, friday);
    EXPECT_EQ(cell(price(d, r), 1, 3), 2100);
    const CivilDate c = civil_date(wednesday);
    r.holidays = {{1, 1}, {c.month, c.day}};
    EXPECT_EQ(cell(price(d, r), 1, 3), 2200);
    r.holidays = {{c.day, c.month}};  // month and day are not interchangeable
    EXPECT_EQ(cell(price(d, r), 1, 3), 2100);
}

TEST(FareEngine, BusySeasonTakesSecondAmountAndBusyGridFare) {
    FareData d;
    d.standard_grid(1, d.add_fare(1, "JAL", "東京", "大阪", 20000, 24000, 16000));
    const DayNumber date = friday + 30;
    d.add_period(date - 5, date + 5, 2);
    FareState s = price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", date, friday));
    EXPECT_EQ(s.season, 2);
    EXPECT_EQ(cell(s, 1, 1), 24000);
    EXPECT_EQ(cell(s, 1, 3), 5000);
    EXPECT_EQ(cell(s, 1, 4), 0);
    EXPECT_EQ(cell(s, 1, 5), 0);
    EXPECT_EQ(cell(s, 1, 10), round_to_50_yen(0.75, 24000));  // row 10 follows the season's fare
    EXPECT_EQ(cell(s, 1, 6), round_to_50_yen(0.85, 20000));   // coupons stay on the first amount
    // 27 days ahead in the busy season: no early fare at all.
    s = price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", date, date - 27));
    EXPECT_EQ(cell(s, 1, 3), 0);
    // Off-peak season.
    d.add_period(date + 6, date + 20, 3);
    s = price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", date + 10, friday));
    EXPECT_EQ(s.season, 3);
    EXPECT_EQ(cell(s, 1, 1), 16000);
    EXPECT_NE(cell(s, 1, 3), 0);
}

TEST(FareEngine, CampaignWindowsOf1999BlankTheirRows) {
    FareData d;
    d.standard_grid(1, d.add_fare(1, "JAL", "東京", "大阪", 20000, 24000));
    d.standard_grid(1, d.add_fare(1, "JAS", "東京", "大阪", 20000, 24000));
    const DayNumber today = day_number(1999, 6, 1);
    // Window B, 1999/08/01..25: no coupons, route fares, single-posting fares or busy alternative.
    const DayNumber in_b = day_number(1999, 8, 1);
    d.add_period(in_b, in_b + 30, 2);
    FareState s = price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", in_b, today));
    EXPECT_EQ(s.blackout_b, 1);
    for (int r : {3, 6, 7, 8, 10}) EXPECT_EQ(cell(s, 1, r), 0) << r;
    EXPECT_EQ(cell(s, 1, 11), 13650);  // the multi-ticket has no window
    s = price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", in_b + 25, today));  // 08/26
    EXPECT_EQ(s.blackout_b, 0);
    EXPECT_EQ(cell(s, 1, 3), 5000);
    EXPECT_EQ(cell(s, 1, 6), 17000);
    s = price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", in_b - 1, today));  // 07/31, ordinary
    EXPECT_EQ(s.blackout_b, 0);
    EXPECT_EQ(cell(s, 1, 6), 17000);

    // Window C, 1999/10/08..11: no 21-day fare; JAS also loses its 14-day fare.
    const DayNumber in_c = day_number(1999, 10, 8);
    for (DayNumber date : {in_c, in_c + 3}) {
        s = price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", date, today));
        EXPECT_EQ(cell(s, 1, 4), 0);
        EXPECT_NE(cell(s, 1, 5), 0);
        s = price(d, make_request("JAS", "東京／羽田", "大阪／伊丹", date, today));
        EXPECT_EQ(cell(s, 3, 4), 0);
        EXPECT_EQ(cell(s, 3, 5), 0);
    }
    s = price(d, make_request("JAS", "東京／羽田", "大阪／伊丹", in_c + 4, today));
    EXPECT_NE(cell(s, 3, 4), 0);
    EXPECT_NE(cell(s, 3, 5), 0);
}

TEST(FareEngine, AnkFlightIsPricedFromAnaRecordsIntoAnkColumn) {
    FareData d;
    const int i = d.add_fare(1, "ANA", "東京", "函館", 22000);
    d.tt->fare_extra[1][ix(i)] = 19800;
    d.add_toku("ANK", "東京／羽田", "函館", 999, 11000, 0, friday, friday + 100);
    d.add_toku("ANA", "東京／羽田", "函館", 999, 9000, 0, friday, friday + 100);
    FareRequest r = make_request("ANA", "東京／羽田", "函館", friday + 10, friday);
    r.priced_for = "ANK";
    FareState s;
    const FareOutcome o = price_flight(*d.tt, r, s);
    EXPECT_EQ(o.company_index, 4);
    EXPECT_TRUE(o.missing_message.empty());
    EXPECT_EQ(cell(s, 4, 1), 22000);
    EXPECT_EQ(cell(s, 4, 7), 19800);
    EXPECT_EQ(cell(s, 4, 9), 11000);  // the ANK discount, not ANA's
    for (int row = 1; row <= fare_rows; ++row) EXPECT_EQ(cell(s, 2, row), 0);

    // Without the record the message names the designator looked up.
    FareData none;
    FareState s2;
    EXPECT_EQ(price_flight(*none.tt, r, s2).missing_message, "運賃表未登録（ANA）");
}

TEST(FareEngine, MissingRecordReportsAndPricesWithZeroAmounts) {
    FareData d;
    d.standard_grid(1, d.add_fare(1, "JAL", "東京", "大阪", 20000));
    FareState s;
    price_flight(*d.tt, make_request("JAL", "東京／羽田", "大阪／伊丹", friday + 40, friday), s);
    ASSERT_NE(cell(s, 1, 3), 0);
    clear_fare_sheet(s.fare_sheet);
    const FareOutcome o =
        price_flight(*d.tt, make_request("JAL", "東京／羽田", "札幌／千歳", friday + 40, friday), s);
    EXPECT_EQ(o.missing_message, "運賃表未登録（JAL）");
    EXPECT_EQ(o.company_index, 1);
    // The previous request's record lends nothing to this one.
    for (int row : {1, 3, 4, 5, 6, 7, 10}) EXPECT_EQ(cell(s, 1, row), 0) << row;

    // A record with a first amount of 0 counts as missing too.
    FareData zero;
    zero.add_fare(1, "JAL", "東京", "大阪", 0, 5000);
    FareState s3;
    EXPECT_FALSE(
        price_flight(*zero.tt, make_request("JAL", "東京／羽田", "大阪／伊丹", friday + 1, friday), s3)
            .missing_message.empty());
}

TEST(FareEngine, UnknownDesignatorPricesNothing) {
    FareData d;
    d.add_fare(1, "XYZ", "東京", "大阪", 20000);
    FareState s;
    const FareOutcome o =
        price_flight(*d.tt, make_request("XYZ", "東京／羽田", "大阪／伊丹", friday + 40, friday), s);
    EXPECT_EQ(o.company_index, 0);
    for (const auto& company : s.fare_sheet)
        for (std::int32_t v : company) EXPECT_EQ(v, 0);
}

class TokuWariTest : public ::testing::Test {
  protected:
    FareData d;
    DayNumber date = friday + 10;
    void SetUp() override { d.add_fare(1, "JAL", "東京", "大阪", 20000); }
    FareState run(int flight = 123, DayNumber today = friday) {
        return price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", date, today, flight));
    }
};

TEST_F(TokuWariTest, LowestFareInRowNineAndLastSecondFareInRowFourteen) {
    d.add_toku("JAL", "東京／羽田", "大阪／伊丹", 999, 8000, 15000, friday, friday + 60);
    d.add_toku("JAL", "東京／羽田", "大阪／伊丹", 123, 9000, 16000, friday, friday + 60);
    d.add_toku("JAL", "東京／羽田", "大阪／伊丹", 555, 7000, 17000, friday, friday + 60);    // other flight
    d.add_toku("JAL", "東京／羽田", "大阪／伊丹", 123, 6000, 18000, date + 1, friday + 60);  // not yet valid
    d.add_toku("JAL", "大阪／伊丹", "東京／羽田", 999, 5000, 19000, friday, friday + 60);  // other direction
    const FareState s = run();
    EXPECT_EQ(cell(s, 1, 9), 8000);
    EXPECT_EQ(cell(s, 1, 14), 16000);
    // Flight 999 applies to every flight; a numbered record only to its own flight.
    const FareState s555 = run(555);
    EXPECT_EQ(cell(s555, 1, 9), 7000);
    EXPECT_EQ(cell(s555, 1, 14), 17000);
    const FareState s777 = run(777);
    EXPECT_EQ(cell(s777, 1, 9), 8000);
    EXPECT_EQ(cell(s777, 1, 14), 15000);
}

TEST_F(TokuWariTest, LaterRecordReplacesSecondFareEvenWithZero) {
    d.add_toku("JAL", "東京", "大阪", 999, 8000, 15000, friday, friday + 60);
    d.add_toku("JAL", "東京", "大阪", 999, 0, 0, friday, friday + 60);
    const FareState s = run();
    EXPECT_EQ(cell(s, 1, 9), 8000);
    EXPECT_EQ(cell(s, 1, 14), 0);
}

TEST_F(TokuWariTest, TravelDateTodayGetsNoDiscount) {
    d.add_toku("JAL", "東京", "大阪", 999, 8000, 15000, friday, friday + 60);
    const FareState s = run(123, date);
    EXPECT_EQ(cell(s, 1, 9), 0);
    EXPECT_EQ(cell(s, 1, 14), 0);
    EXPECT_EQ(cell(run(123, date - 1), 1, 9), 8000);
}

TEST(TokuWariEligibility, SeasonCodesDecideThePasses) {
    struct Case {
        DayNumber date;
        int season;  // 0 = no period
        int code;
        std::int32_t row9, row14;
    };
    const DayNumber today = day_number(1999, 1, 4);
    const DayNumber oct9 = day_number(1999, 10, 9);
    const DayNumber nov9 = day_number(1999, 11, 9);
    const Case cases[] = {
        {nov9, 0, 1, 8000, 15000},
        {nov9, 0, 2, 8000, 15000},
        {oct9, 0, 2, 8000, 0},
        {nov9, 0, 3, 8000, 15000},
        {oct9, 0, 3, 0, 0},
        {nov9, 0, 0, 0, 0},
        {nov9, 2, 1, 8000, 0},
        {nov9, 2, 2, 0, 0},
        {day_number(1999, 7, 20), 2, 2, 8000, 0},
        {day_number(1999, 8, 30), 2, 2, 8000, 0},
        {day_number(1999, 8, 3), 2, 3, 8000, 0},
        {nov9, 2, 3, 0, 0},
        {nov9, 3, 1, 8000, 0},
        {nov9, 3, 2, 0, 0},
    };
    for (const Case& c : cases) {
        FareData d;
        d.add_fare(1, "JAL", "東京", "大阪", 20000, 24000, 16000);
        if (c.season != 0) d.add_period(c.date, c.date, c.season);
        // Only the code of the travel date's season may count: the others are set to refuse.
        const int sel_c = c.season == 0 ? c.code : 0;
        const int sel_b = c.season == 2 ? c.code : 0;
        const int sel_a = c.season == 3 ? c.code : 0;
        d.add_toku("JAL", "東京", "大阪", 999, 8000, 15000, today, c.date + 1, sel_c, sel_b, sel_a);
        const FareState s = price(d, make_request("JAL", "東京／羽田", "大阪／伊丹", c.date, today));
        EXPECT_EQ(cell(s, 1, 9), c.row9)
            << format_date(c.date) << " season " << c.season << " code " << c.code;
        EXPECT_EQ(cell(s, 1, 14), c.row14)
            << format_date(c.date) << " season " << c.season << " code " << c.code;
    }
}

// Every company procedure on one ordinary-season Saturday 42 days ahead, 東京–大阪, with a discount
// record for each company: each column holds exactly the listed rows, every other cell stays 0.
TEST(FareEngine, EveryCompanyFillsExactlyItsRowsInItsOwnColumn) {
    const DayNumber today = day_number(2004, 2, 7);
    const DayNumber saturday = today + 42;
    ASSERT_EQ(weekday(saturday), 7);
    using Rows = std::map<int, std::int32_t>;
    const std::int32_t discount = 9900, discount2 = 30000;
    struct Case {
        std::string code;
        int column;
        Rows rows;
    };
    const Case cases[] = {
        {"JAL",
         1,
         {{1, 20000},
          {3, 2200},
          {4, 3200},
          {5, 4200},
          {6, 17000},
          {8, 12000},
          {9, discount},
          {10, 15000},
          {11, 13650},
          {14, discount2}}},
        {"ANA",
         2,
         {{1, 20000},
          {2, 1200},
          {3, 2200},
          {4, 3200},
          {5, 4200},
          {6, 17000},
          {7, 17000},
          {8, 12000},
          {9, discount},
          {10, 15000},
          {11, 13600},
          {14, discount2}}},
        {"JAS",
         3,
         {{1, 20000},
          {2, 1200},
          {3, 1200},
          {4, 3200},
          {5, 4200},
          {6, 17000},
          {8, 12000},
          {9, discount},
          {10, 15000},
          {14, discount2}}},
        {"ANK",
         4,
         {{1, 20000},
          {2, 1200},
          {3, 2200},
          {4, 3200},
          {5, 4200},
          {6, 17000},
          {7, 7700},
          {9, discount},
          {10, 15000},
          {14, discount2}}},
        {"JTA",
         5,
         {{1, 20000},
          {3, 2200},
          {4, 3200},
          {5, 4200},
          {6, 17000},
          {9, discount},
          {10, 15000},
          {14, discount2}}},
        {"NCA", 6, {{1, 20000}, {14, 24000}}},
        {"JAC",
         7,
         {{1, 20000},
          {2, 1200},
          {3, 2200},
          {4, 3200},
          {5, 4200},
          {6, 17000},
          {7, 17000},
          {9, discount},
          {10, 15000},
          {12, 18000},
          {13, 16000},
          {14, discount2}}},
        {"J-", 8, {{1, 20000}, {3, 2200}, {6, 7700}, {7, 16000}}},
        {"ORC", 9, {{1, 20000}, {14, 24000}}},
        {"RAC", 10, {{1, 20000}, {6, 16000}, {14, 24000}}},
        {"ADK", 11, {{1, 20000}}},
        {"NAL", 12, {{1, 20000}, {14, 24000}}},
        {"KOK", 13, {{1, 20000}, {14, 24000}}},
        {"TOH", 14, {{1, 20000}, {14, 24000}}},
        {"HAC", 15, {{1, 20000}}},
        {"JEX",
         16,
         {{1, 20000},
          {3, 2200},
          {4, 3200},
          {5, 4200},
          {6, 17000},
          {7, 17000},
          {9, discount},
          {10, 15000},
          {11, 15000},
          {14, discount2}}},
        {"SKY", 17, {{1, 20000}}},
        {"ADO", 18, {{1, 20000}}},
    };
    for (const Case& c : cases) {
        FareData d;
        const std::string record_company = c.code == "ANK" ? "ANA" : c.code;
        const int i = d.add_fare(1, record_company, "東京", "大阪", 20000, 24000, 16000, 10);
        d.standard_grid(1, i);
        d.tt->fare_extra[1][ix(i)] = 7700;
        d.add_toku(c.code, "東京", "大阪", 999, discount, discount2, today, saturday + 1);
        FareRequest r = make_request(record_company, "東京／羽田", "大阪／伊丹", saturday, today);
        if (c.code == "ANK") r.priced_for = "ANK";
        FareState s;
        const FareOutcome o = price_flight(*d.tt, r, s);
        EXPECT_EQ(o.company_index, c.column) << c.code;
        EXPECT_EQ(engine_company_code(c.column), c.code);
        for (int company = 0; company <= fare_sheet_companies; ++company) {
            for (int row = 0; row <= fare_sheet_rows; ++row) {
                std::int32_t expected = 0;
                if (company == c.column && c.rows.count(row) != 0) expected = c.rows.at(row);
                EXPECT_EQ(cell(s, company, row), expected)
                    << c.code << " column " << company << " row " << row;
            }
        }
    }
}

TEST(FareEngine, RouteListsAndIslandRoutes) {
    const DayNumber today = day_number(1999, 1, 4);
    auto row = [&](const std::string& company, const std::string& from, const std::string& to, DayNumber date,
                   int r) {
        FareData d;
        d.add_fare(1, company, from, to, 20000);
        FareState s = price(d, make_request(company, from, to, date, today));
        return cell(s, engine_company_index(company), r);
    };
    const DayNumber march31 = day_number(1999, 3, 31);
    // J8: 東京–大阪 changes on 1999/04/01; both directions.
    EXPECT_EQ(row("JAL", "大阪", "東京", march31, 8), 11100);
    EXPECT_EQ(row("JAL", "大阪", "東京", march31 + 1, 8), 12000);
    EXPECT_EQ(row("JAL", "東京", "広島", march31, 8), 15700);
    EXPECT_EQ(row("JAL", "広島", "東京", march31, 7), 0);  // row 8 takes the place of row 7
    EXPECT_EQ(row("JAL", "東京", "松山", march31, 8), 0);
    EXPECT_EQ(row("JAL", "東京", "松山", march31, 7), 17000);
    EXPECT_EQ(row("JAL", "福岡", "大阪", march31, 11), 13650);
    EXPECT_EQ(row("JAL", "福岡", "東京", march31, 11), 0);
    // S8 adds two routes.
    EXPECT_EQ(row("JAS", "大阪", "佐賀", march31, 8), 12100);
    EXPECT_EQ(row("JAS", "釧路", "札幌", march31, 8), 10850);
    EXPECT_EQ(row("JAS", "名古屋", "福岡", march31, 8), 14650);
    EXPECT_EQ(row("JAL", "大阪", "佐賀", march31, 8), 0);
    // A8 before and after 1999/04/01.
    EXPECT_EQ(row("ANA", "東京", "岡山", march31, 8), 14650);
    EXPECT_EQ(row("ANA", "東京", "岡山", march31 + 1, 8), 0);
    EXPECT_EQ(row("ANA", "山形", "東京", march31, 8), 9550);
    EXPECT_EQ(row("ANA", "大阪", "東京", march31, 8), 11100);
    EXPECT_EQ(row("ANA", "大阪", "東京", march31 + 1, 8), 12000);
    EXPECT_EQ(row("ANA", "佐賀", "名古屋", march31 + 1, 8), 14650);
    // A11.
    EXPECT_EQ(row("ANA", "富山", "東京", march31, 11), 13600);
    EXPECT_EQ(row("ANA", "東京", "鳥取", march31, 11), 18750);
    EXPECT_EQ(row("ANA", "宮崎", "東京", march31, 11), 23250);
    EXPECT_EQ(row("ANA", "福岡", "大阪", march31, 11), 13600);
    EXPECT_EQ(row("ANA", "福岡", "名古屋", march31, 11), 0);
    // S12: the island fare takes the place of the 4-ticket coupon.
    EXPECT_EQ(row("JAS", "奄美大島", "鹿児島", march31, 12), 16000);
    EXPECT_EQ(row("JAS", "奄美大島", "鹿児島", march31, 7), 0);
    EXPECT_EQ(row("JAS", "鹿児島", "徳之島", march31, 12), 16000);
    EXPECT_EQ(row("JAS", "鹿児島", "屋久島", march31, 12), 0);
    EXPECT_EQ(row("JAS", "鹿児島", "屋久島", march31, 7), 17000);
}

TEST(FareEngine, JacIslandFaresByKindAndTajimaDiscount) {
    const DayNumber today = day_number(2004, 2, 2);
    for (int kind : {0, 10, 14, 15}) {
        FareData d;
        d.add_fare(1, "JAC", "鹿児島", "与論", 20000, 0, 0, kind);
        FareState s = price(d, make_request("JAC", "鹿児島", "与論", today + 5, today));
        const bool island = kind == 10 || kind == 15;
        EXPECT_EQ(cell(s, 7, 12), island ? 18000 : 0) << kind;
        EXPECT_EQ(cell(s, 7, 13), island ? 16000 : 0) << kind;
    }
    FareData d;
    d.add_fare(1, "JAC", "大阪", "但馬", 15000);
    d.add_toku("JAC", "但馬", "大阪", 999, 9000, 0, today, today + 30);
    EXPECT_EQ(cell(price(d, make_request("JAC", "但馬", "大阪／伊丹", today + 5, today)), 7, 9),
              round_to_50_yen(0.65, 15000));
    EXPECT_EQ(cell(price(d, make_request("JAC", "但馬", "大阪／伊丹", today, today)), 7, 9), 0);
}

TEST(FareEngine, WeekendCommuterRuleUsesDepartureTime) {
    FareData d;
    d.add_fare(1, "ANA", "東京", "大阪", 20000);
    d.add_fare(1, "JAL", "東京", "大阪", 20000);
    const DayNumber monday = day_number(2004, 2, 9);
    ASSERT_EQ(weekday(monday), 2);
    struct Case {
        DayNumber date;
        int dep;
        bool ana, jal;
    };
    const Case cases[] = {
        {monday, 1130, true, true},       {monday, 1200, true, true},     {monday, 1201, false, true},
        {monday + 4, 1159, false, true},  {monday + 4, 1200, true, true}, {monday + 4, 1900, true, true},
        {monday + 5, 700, true, true},    {monday + 6, 2000, true, true}, {monday + 1, 900, false, false},
        {monday + 3, 1300, false, false},
    };
    for (const Case& c : cases) {
        for (const std::string company : {"ANA", "JAL"}) {
            FareRequest r = make_request(company, "東京／羽田", "大阪／伊丹", c.date, monday - 7);
            r.departure_time = c.dep;
            const bool expected = company == "ANA" ? c.ana : c.jal;
            EXPECT_EQ(cell(price(d, r), engine_company_index(company), 10), expected ? 15000 : 0)
                << company << " " << format_date_weekday(c.date) << " " << c.dep;
        }
    }
}

}  // namespace
}  // namespace quorvel
