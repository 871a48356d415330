#include "hotel/hotel_pickers.hpp"

#include <gtest/gtest.h>

#include "hotel/hotel_fixture.hpp"

namespace quorvel {
namespace {

using namespace quorvel::test;

// The small directory with two prefectures that have no hotels, one with a four-character name.
std::unique_ptr<HotelData> directory() {
    HotelSource s = small_source();
    s.prefs.push_back({"近畿", "和歌山県", "和歌山"});
    s.prefs.push_back({"近畿", "京都府", "京都"});
    return load_source(s);
}

TEST(AreaPickerLines, AnAreaListsItsPlacesInFileOrderWithTheirHotels) {
    auto d = directory();
    using V = std::vector<std::string>;
    EXPECT_EQ(
        area_list_lines(*d, AreaListKind::prefecture, 0),
        (V{"北海道\t\t1件", "東京都\t\t1件", "千葉県\t\t1件", "大阪府\t\t2件", "和歌山県\t", "京都府\t\t"}));
    EXPECT_EQ(area_list_lines(*d, AreaListKind::prefecture, 3),
              (V{"大阪府\t\t2件", "和歌山県\t", "京都府\t\t"}));
    EXPECT_EQ(area_list_lines(*d, AreaListKind::airport, 4), (V{"東京／羽田\t1件", "東京／成田\t1件"}));
    EXPECT_EQ(area_list_lines(*d, AreaListKind::airport, 0).size(), 5u);
    EXPECT_TRUE(area_list_lines(*d, AreaListKind::airport, 8).empty());
    // A count is written in full, without separators.
    EXPECT_EQ(area_list_line("福岡", 1234), "福岡\t\t1234件");
}

TEST(AreaPickerLines, OptionsAreCaptionedByModeAndTheLastIsTheWholeCountry) {
    auto d = directory();
    const auto prefs = area_option_captions(*d, AreaListKind::prefecture);
    EXPECT_EQ(prefs[1], "北海道");
    EXPECT_EQ(prefs[3], "近畿");
    EXPECT_EQ(prefs[4], "");
    EXPECT_EQ(prefs[10], "全国");
    const auto airports = area_option_captions(*d, AreaListKind::airport);
    EXPECT_EQ(airports[8], "九州エリア");
    EXPECT_EQ(airports[10], "全国エリア");
    for (int flag : {-1, 10, 99}) EXPECT_EQ(remembered_area(flag), 0) << flag;
    EXPECT_EQ(remembered_area(9), 9);
}

TEST(AreaPickerLines, TheNameIsTheTextBeforeTheFirstTab) {
    EXPECT_EQ(area_line_name(" 福岡 \t\t12件"), "福岡");
    EXPECT_EQ(area_line_name("京都府\t\t"), "京都府");
    EXPECT_EQ(area_line_name(" 那覇 "), "那覇");
}

TEST(VacancyLines, TheUntrimmedNameLengthChoosesTheGap) {
    struct Case {
        const char* name;
        const char* line;
    };
    const Case cases[] = {
        {"北海道", "北海道\t\tメモ"},
        {"北海道 ", "北海道\t\tメモ"},  // four characters with the blank
        {"北海道の宿", "北海道の宿\tメモ"},
        {"北海道の宿   ", "北海道の宿\tメモ"},
        {"北海道の空室照会", "北海道の空室照会\tメモ"},
        {"北陸・中部の空室照", "北陸・中部の空室照   メモ"},
        {"北陸・中部の空室照会です", "北陸・中部の空室照会です   メモ"},
        // Beyond twelve characters the line is laid out like the long ones before it.
        {"北陸・中部地方全域の空室照会", "北陸・中部地方全域の空室照会   メモ"},
    };
    for (const Case& c : cases) EXPECT_EQ(vacancy_line_text(c.name, "メモ"), c.line) << c.name;
}

TEST(VacancyLines, EveryPageHasALineWithItsOwnAddress) {
    HotelSource s = small_source();
    s.inquiries.push_back({"北陸・中部地方全域の空室照会", "", "file:///etc/passwd"});
    auto d = load_source(s);
    const auto lines = vacancy_lines(*d);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "北海道の宿\t空室照会");
    EXPECT_EQ(lines[0].address, "http://inq.example/hokkaido");
    EXPECT_EQ(lines[1].address, "file:///etc/passwd");
}

TEST(DistrictRefinement, ChosenDistrictsStayOutOfTheOfferedListAndRoundTrip) {
    HotelHits hits;
    hits.result_district = {"すすきの", "新宿", "成田", "梅田"};
    HotelSearchState state;
    DistrictLists lists = district_lists(hits, state);
    EXPECT_EQ(lists.offered, hits.result_district);
    EXPECT_TRUE(lists.chosen.empty());

    set_district_refinement(state, {"梅田", "新宿"});
    EXPECT_EQ(state.district_filter, 2);
    EXPECT_EQ(state.filter_district, (std::vector<std::string>{"", "梅田", "新宿"}));
    lists = district_lists(hits, state);
    EXPECT_EQ(lists.offered, (std::vector<std::string>{"すすきの", "成田"}));
    EXPECT_EQ(lists.chosen, (std::vector<std::string>{"梅田", "新宿"}));

    set_district_refinement(state, {});
    EXPECT_EQ(state.district_filter, 0);
    EXPECT_TRUE(district_lists(hits, state).chosen.empty());
}

}  // namespace
}  // namespace quorvel
