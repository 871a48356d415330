// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_pickers.hpp"

#include <gtest/gtest.h>

#include "hotel/hotel_fixture.hpp"

namespace quorvel {
namespace {

using namespace quorvel::test;

TEST(AreaPickerLines, AnAreaListsItsPlacesInFileOrderWithTheirHotels) {
    HotelSource s = small_source();
    // Two prefectures without hotels, one with a four-character name.
    s.prefs.push_back({"近畿", "和歌山県", "和歌山"});
    s.prefs.push_back({"近畿", "京都府", "京都"});
    auto d = load_source(s);
    using V = std::vector<std::string>;
    EXPECT_EQ(
        area_list_lines(*d, AreaListKind::prefecture, 0),
        (V{"北海道\t\t1件", "東京都\t\t1件", "千葉県\t\t1件", "大阪府\t\t2件", "和歌山県\t", "京都府\t\t"}));
    EXPECT_EQ(area_list_lines(*d, AreaListKind::prefecture, 3),
              (V{"大阪府\t\t2件", "和歌山県\t", "京都府\t\t"}));
    EXPECT_EQ(area_list_lines(*d, AreaListKind::airport, 4), (V{"東京／羽田\t1件", "東京／成田\t1件"}));
    EXPECT_TRUE(area_list_lines(*d, AreaListKind::airport, 8).empty());
    // A count is written in full, without separators.
    EXPECT_EQ(area_list_line("福岡", 1234), "福岡\t\t1234件");
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

}  // namespace
}  // namespace quorvel
