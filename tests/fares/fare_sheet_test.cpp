// SPDX-License-Identifier: GPL-3.0-or-later
#include "fares/fare_sheet.hpp"

#include <gtest/gtest.h>

#include "fare_test_data.hpp"

namespace quorvel {
namespace {

using testing::FareData;
using testing::ix;

const DayNumber today = day_number(2004, 2, 6);
const DayNumber travel = day_number(2004, 3, 10);  // a Wednesday, ordinary season

FareLeg leg(const std::string& from, const std::string& to, int company, int flight, int dep = 900) {
    return FareLeg{from, to, company, flight, dep};
}

FareItinerary itinerary(std::vector<FareLeg> legs) {
    FareItinerary it;
    it.legs = std::move(legs);
    it.travel_date = travel;
    it.today = today;
    return it;
}

class FareSheetTest : public ::testing::Test {
  protected:
    FareData d;
    int jal = 0, ana = 0, ank = 0;
    void SetUp() override {
        jal = d.add_company("JAL", "日本航空");
        ana = d.add_company("ANA", "全日空");
        ank = d.add_company("ANK", "エアーニッポン");
        d.add_fare(1, "JAL", "東京", "大阪", 18000);
        d.add_fare(1, "JAL", "大阪", "札幌／千歳", 30000);
        d.add_fare(1, "ANA", "大阪", "福岡", 16000);
        d.add_fare(1, "ANA", "福岡", "宮崎", 12000);
        d.add_toku("JAL", "東京", "大阪", 999, 9000, 0, today, travel + 10);
        for (int company = 1; company <= 3; ++company)
            for (int row = 1; row <= 14; ++row)
                d.tt->fare_help_topic[ix(company)][ix(row)] = std::int16_t(company * 100 + row);
    }
    FareSheetView sheet(const FareItinerary& it, ItineraryFares* out = nullptr) {
        FareState state;
        const ItineraryFares fares = price_itinerary(*d.tt, it, state);
        if (out) *out = fares;
        return fare_sheet_view(*d.tt, it, fares);
    }
};

TEST_F(FareSheetTest, OneConnectionShowsTwoPricedColumnsAndAnEmptyThird) {
    const FareItinerary it =
        itinerary({leg("東京／羽田", "大阪／伊丹", jal, 5), leg("大阪／伊丹", "福岡", ana, 1231)});
    ItineraryFares fares;
    const FareSheetView v = sheet(it, &fares);
    ASSERT_TRUE(fares.priced);
    EXPECT_EQ(v.caption, "東京／羽田 → 大阪／伊丹 → 福岡  2004/03/10 (水) 出発　（通常期）");
    const std::array<std::string, 5> head{"運賃区分", "JAL 005", "ANA 1231", "", "備考"};
    EXPECT_EQ(v.cells[0], head);
    EXPECT_EQ(v.cells[1][0], "大人片道運賃");
    EXPECT_EQ(v.cells[1][1], "18,000");
    EXPECT_EQ(v.cells[1][2], "16,000");
    EXPECT_EQ(v.cells[9][1], "9,000");
    EXPECT_EQ(v.cells[9][2], "******");
    EXPECT_EQ(v.cells[9][4], "適用便に注意!!");
    EXPECT_EQ(v.cells[14][0], "日帰り/往復きっぷ");
    EXPECT_EQ(v.cells[14][4], "JAL/ANA:片道運賃");
    EXPECT_EQ(v.cells[1][4], "");
    for (int r = 1; r <= 14; ++r) {
        EXPECT_EQ(v.cells[ix(r)][3], "******") << r;
        EXPECT_EQ(v.help_topic[ix(r)][1], 100 + r);
        EXPECT_EQ(v.help_topic[ix(r)][2], 200 + r);
        EXPECT_EQ(v.help_topic[ix(r)][3], 0);  // no leg: nothing to open
        EXPECT_EQ(v.help_topic[ix(r)][0], 0);
        EXPECT_EQ(v.help_topic[ix(r)][4], 0);
    }
    EXPECT_EQ(v.help_topic[0][1], 0);
}

TEST_F(FareSheetTest, DirectItineraryCaptionAndSeason) {
    d.add_period(travel, travel, 2);
    d.tt->fare_amount2[1][1] = 21000;
    ItineraryFares fares;
    const FareSheetView v = sheet(itinerary({leg("東京／羽田", "大阪／伊丹", jal, 101)}), &fares);
    EXPECT_EQ(v.caption, "東京／羽田 → 大阪／伊丹  2004/03/10 (水) 出発　（繁忙期）");
    EXPECT_EQ(v.cells[1][1], "21,000");
    EXPECT_EQ(v.cells[0][2], "");
}

// Two legs of the same company: the second leg shows only what its own route earns.
TEST_F(FareSheetTest, SecondLegOfSameCompanyKeepsNothingOfTheFirst) {
    const FareItinerary it =
        itinerary({leg("東京／羽田", "大阪／伊丹", jal, 101), leg("大阪／伊丹", "札幌／千歳", jal, 2001)});
    ItineraryFares fares;
    const FareSheetView v = sheet(it, &fares);
    ASSERT_EQ(fares.legs.size(), 2u);
    EXPECT_EQ(fares.legs[0].fares[11], 13650);
    EXPECT_EQ(fares.legs[0].fares[9], 9000);
    EXPECT_EQ(fares.legs[1].fares[1], 30000);
    for (int r : {8, 9, 11, 14}) EXPECT_EQ(fares.legs[1].fares[ix(r)], 0) << r;
    EXPECT_EQ(v.cells[11][2], "******");
}

// The timetable may list its companies in any order: fares come from the engine's column of the
// designator, the heading and the help topics from the timetable's own company index.
TEST_F(FareSheetTest, CompanyOrderOfTheTimetableDoesNotMatter) {
    FareData other;
    const int ana2 = other.add_company("ANA", "全日空");  // index 1, where the engine keeps JAL
    const int jal2 = other.add_company("JAL", "日本航空");
    other.add_fare(1, "ANA", "大阪", "福岡", 16000);
    other.add_fare(1, "JAL", "東京", "大阪", 18000);
    other.tt->fare_help_topic[ix(ana2)][1] = 77;
    other.tt->fare_help_topic[ix(jal2)][1] = 88;
    const FareItinerary it =
        itinerary({leg("東京／羽田", "大阪／伊丹", jal2, 1), leg("大阪／伊丹", "福岡", ana2, 2)});
    FareState state;
    const ItineraryFares fares = price_itinerary(*other.tt, it, state);
    ASSERT_TRUE(fares.priced);
    EXPECT_EQ(fares.legs[0].fares[1], 18000);
    EXPECT_EQ(fares.legs[1].fares[1], 16000);
    EXPECT_EQ(fares.legs[0].company, jal2);
    EXPECT_EQ(fares.legs[0].engine_company, 1);
    const FareSheetView v = fare_sheet_view(*other.tt, it, fares);
    EXPECT_EQ(v.cells[0][1], "JAL 001");
    EXPECT_EQ(v.cells[0][2], "ANA 002");
    EXPECT_EQ(v.help_topic[1][1], 88);
    EXPECT_EQ(v.help_topic[1][2], 77);
}

TEST_F(FareSheetTest, AnkLegIsPricedFromAnaRecords) {
    d.add_fare(1, "ANA", "福岡", "宮崎", 12000);
    d.tt->fare_extra[1][4] = 10500;
    const FareItinerary it =
        itinerary({leg("大阪／伊丹", "福岡", ana, 3), leg("福岡", "宮崎", ank, 4431, 1400)});
    ItineraryFares fares;
    const FareSheetView v = sheet(it, &fares);
    ASSERT_TRUE(fares.priced);
    EXPECT_EQ(fares.legs[1].engine_company, 4);
    EXPECT_EQ(fares.legs[1].company, ank);
    EXPECT_EQ(v.cells[0][2], "ANK 4431");
    EXPECT_EQ(v.cells[1][2], "12,000");
    EXPECT_TRUE(fares.messages.empty());
}

TEST_F(FareSheetTest, LegWithoutAdultFareGivesNoSheet) {
    const FareItinerary it =
        itinerary({leg("東京／羽田", "大阪／伊丹", jal, 101), leg("大阪／伊丹", "宮崎", ana, 55)});
    FareState state;
    const ItineraryFares fares = price_itinerary(*d.tt, it, state);
    EXPECT_FALSE(fares.priced);
    EXPECT_TRUE(fares.legs.empty());
    ASSERT_EQ(fares.messages.size(), 1u);
    EXPECT_EQ(fares.messages[0], "運賃表未登録（ANA）");
    EXPECT_NE(fares.reason.find("ANA 0055"), std::string::npos);

    // A company the engine has no procedure for is no sheet either, without a missing-record report.
    const int xyz = d.add_company("XYZ", "どこか");
    d.add_fare(1, "XYZ", "東京", "大阪", 18000);
    const ItineraryFares none =
        price_itinerary(*d.tt, itinerary({leg("東京／羽田", "大阪／伊丹", xyz, 1)}), state);
    EXPECT_FALSE(none.priced);
    EXPECT_TRUE(none.messages.empty());
}

TEST_F(FareSheetTest, ThreeLegsAndDepartureTimeReachTheEngine) {
    d.add_fare(1, "ANA", "東京", "大阪", 18000);
    const DayNumber friday = travel + 2;
    FareItinerary it =
        itinerary({leg("東京／羽田", "大阪／伊丹", ana, 11, 1100), leg("大阪／伊丹", "福岡", ana, 12, 1300),
                   leg("福岡", "宮崎", ana, 13, 1700)});
    it.travel_date = friday;
    ItineraryFares fares;
    const FareSheetView v = sheet(it, &fares);
    ASSERT_EQ(fares.legs.size(), 3u);
    EXPECT_EQ(v.caption, "東京／羽田 → 大阪／伊丹 → 福岡 → 宮崎  2004/03/12 (金) 出発　（通常期）");
    // The weekend-commuter fare is sold on Friday afternoons only.
    EXPECT_EQ(v.cells[10][1], "******");
    EXPECT_EQ(v.cells[10][2], "12,000");
    EXPECT_EQ(v.cells[10][3], "9,000");
}

}  // namespace
}  // namespace quorvel
