// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotel/hotel_user.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "hotel/hotel_fixture.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {
namespace {

using namespace quorvel::test;

UserHotelFields fields(const std::string& name, const std::string& price = "\\5,000",
                       const std::string& rooms = "10") {
    return {"東京都", "東京／羽田", "新宿", name, "03-0000-0000", rooms, "新宿駅", price, "メモ"};
}

TEST(UserHotelCsv, SavesAndReloadsQuotesAndCommasUnchanged) {
    auto d = load_source(small_source());
    ASSERT_TRUE(add_user_hotel(*d, {"東京都", "東京／羽田", "新宿", "ホテル \"潮\", 本館", "03", "5",
                                    "駅, 徒歩", "\\7,000", "\"\"二重\"\",,"}));
    ASSERT_TRUE(add_user_hotel(*d, fields("ｶﾀｶﾅ亭")));
    ASSERT_TRUE(add_user_hotel(*d, {"", "", "", "", "", "", "", "", "改行\r\nあり"}));
    const std::string bytes = user_hotel_csv(*d).value();
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    const auto dir = std::filesystem::temp_directory_path() / "quorvel_hotel_user_test";
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(save_user_hotel(dir / user_hotel_file_name, *d));
    auto e = load_source(small_source());
    load_user_hotel_file(dir / user_hotel_file_name, *e);
    std::filesystem::remove_all(dir);
    ASSERT_EQ(e->user_hotel_count, 3);
    for (int r = 1; r <= 2; ++r) EXPECT_EQ(e->user_fields(r), d->user_fields(r)) << r;
    EXPECT_EQ(e->user_note[3], "改行  あり");
    EXPECT_EQ(e->user_price_value[1], 7000);
    // A name that Shift-JIS cannot hold is refused, not written half.
    d->user_note[1] = "😀";
    EXPECT_FALSE(user_hotel_csv(*d).ok());
}

TEST(EditData, RowsPriceAndTheBound) {
    auto d = load_source(small_source());
    d->user_hotel_merged = 1;
    ASSERT_TRUE(add_user_hotel(*d, fields("A", "\\8000")));
    EXPECT_EQ(d->user_hotel_merged, 0);
    EXPECT_EQ(d->user_pref[1], 2);
    EXPECT_EQ(d->user_airport[1], 2);
    EXPECT_EQ(d->user_district[1], 2);
    EXPECT_EQ(d->user_price[1], "\\8,000");
    EXPECT_EQ(d->user_price_value[1], 8000);
    ASSERT_TRUE(store_user_hotel(*d, 1, {"東京", "羽田", "無い", "A", "", "", "", "8000", ""}));
    EXPECT_EQ(d->user_pref[1], user_no_pref);
    EXPECT_EQ(d->user_airport[1], user_no_airport);
    EXPECT_EQ(d->user_district[1], user_no_district);
    EXPECT_EQ(d->user_price_value[1], 0);  // no yen sign
    EXPECT_EQ(d->user_price[1], "\\");
    EXPECT_EQ(d->user_hotel_count, 1);
    EXPECT_FALSE(store_user_hotel(*d, 3, fields("gap")));
    for (int i = 2; i <= 500; ++i) ASSERT_TRUE(add_user_hotel(*d, fields("H" + std::to_string(i))));
    const Status refused = add_user_hotel(*d, fields("H501"));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, "登録できるホテルは５００件までです");
    EXPECT_EQ(d->user_hotel_count, 500);
    EXPECT_FALSE(store_user_hotel(*d, 501, fields("H501")));
}

TEST(EditWindowChecks, MessagesInFieldOrderAndThePriceRule) {
    auto d = load_source(small_source());
    auto check = [&](UserHotelFields f, bool add_update = false) {
        return check_user_hotel(*d, f, add_update);
    };
    UserHotelFields f = fields("A", "8000");
    f[2].clear();
    f[0] = " 東京都 ";
    auto r = check_user_hotel(*d, f, false);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(f[0], "東京都");
    EXPECT_EQ(f[2], "東京／羽田");  // an empty district takes the airport
    EXPECT_EQ(f[7], "\\8,000");
    f = fields("A");
    f[0] = "東京";
    EXPECT_EQ(check(f).message, "都道府県名の入力誤りです");
    f = fields("A");
    f[1] = "";
    EXPECT_EQ(check(f, true).message, "ホテル空港名は省略できません");
    f[1] = "羽田";
    EXPECT_EQ(check(f).message, "空港名の入力誤りです");
    EXPECT_EQ(check(f, true).message, "ホテル空港名の入力誤りです");
    f = fields("");
    EXPECT_EQ(check(f).field, 3);
    f = fields("A", "\\5,000", "十");
    EXPECT_EQ(check(f).message, "部屋数の入力に誤り(数字のみ可)");
    f = fields("A", "\\");
    EXPECT_EQ(check(f).message, "料金は省略できません");
    EXPECT_EQ(edit_price_rule("10000"), std::make_pair(std::string("\\10,000"), std::int64_t{10000}));
    EXPECT_EQ(edit_price_rule("\\10,000").second, 10000);
    EXPECT_EQ(edit_price_rule("\\").second, 0);
    // The yen sign as typed on screen is the code page's byte before the rule reads it.
    for (const char* typed : {"¥8,000", "￥8,000"}) {
        f = fields("A", typed);
        ASSERT_TRUE(check_user_hotel(*d, f, false).ok()) << typed;
        EXPECT_EQ(f[7], "\\8,000");
    }
}

TEST(EditWindowChecks, CharactersShiftJisCannotHoldAreRefusedByFieldName) {
    auto d = load_source(small_source());
    const std::pair<std::size_t, const char*> cases[] = {{2, "地区名に使用できない文字があります"},
                                                         {6, "交通に使用できない文字があります"},
                                                         {8, "備考に使用できない文字があります"}};
    for (const auto& [field, message] : cases) {
        UserHotelFields f = fields("A");
        f[field] += "😀";
        const UserHotelCheck r = check_user_hotel(*d, f, false);
        EXPECT_EQ(r.field, static_cast<int>(field));
        EXPECT_EQ(r.message, message);
    }
    // The code page's own characters pass.
    UserHotelFields f = fields("①髙﨑");
    EXPECT_TRUE(check_user_hotel(*d, f, false).ok());
}

TEST(DelData, KeepsTheSameHotelsInTheSameOrder) {
    auto d = load_source(small_source());
    for (const char* n : {"A", "B", "C", "D"}) ASSERT_TRUE(add_user_hotel(*d, fields(n)));
    std::vector<int> order{0, 3, 1, 4, 2};  // shown: C A D B
    d->user_hotel_merged = 1;
    delete_user_hotel(*d, order, 2);  // delete A
    EXPECT_EQ(d->user_hotel_count, 3);
    EXPECT_EQ(d->user_hotel_merged, 0);
    ASSERT_EQ(order.size(), 4u);
    std::vector<std::string> shown;
    for (std::size_t r = 1; r < order.size(); ++r)
        shown.push_back(d->user_hotel_name[static_cast<std::size_t>(order[r])]);
    EXPECT_EQ(shown, (std::vector<std::string>{"C", "D", "B"}));
    EXPECT_EQ(d->user_hotel_name[4], "");
    order = initial_user_order(*d);
    delete_user_hotel(*d, order, 1);  // the first of three
    EXPECT_EQ(d->user_hotel_name[1], "C");
    EXPECT_EQ(d->user_hotel_name[2], "D");
    EXPECT_EQ(user_hotel_csv(*d).value().find("\"B\""), std::string::npos);
}

TEST(UserSort, RoomsAndPricesMissingLastAndLocationKeys) {
    auto d = load_source(small_source());
    ASSERT_TRUE(add_user_hotel(*d, fields("A", "\\9,000", "")));
    ASSERT_TRUE(add_user_hotel(*d, fields("B", "\\3,000", "50")));
    ASSERT_TRUE(add_user_hotel(*d, {"大阪府", "大阪／伊丹", "梅田", "C", "06", "7", "", "\\5,000", ""}));
    auto order = initial_user_order(*d);
    sort_user_hotel(*d, order, user_sort_key_for_column(5));
    EXPECT_EQ(order, (std::vector<int>{0, 3, 2, 1}));
    sort_user_hotel(*d, order, user_sort_key_for_column(7));
    EXPECT_EQ(order, (std::vector<int>{0, 2, 3, 1}));
    sort_user_hotel(*d, order, user_sort_key_for_column(0));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(user_sort_keys(*d, 3, "ホテル都道府県").first, "0000202004");  // (4*100+4)*500+4
    EXPECT_EQ(user_sort_key_for_column(8), "ホテル都道府県");
    EXPECT_EQ(user_sort_column(user_sort_key_for_column(6)), 0);
    EXPECT_EQ(user_sort_column(user_sort_key_for_column(7)), 7);
}

}  // namespace
}  // namespace quorvel
