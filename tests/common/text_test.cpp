// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text.hpp"

#include <gtest/gtest.h>

#include "common/sjis.hpp"

namespace quorvel {
namespace {

TEST(Text, LeadingNumberReadsLikeTheSettingsFile) {
    EXPECT_EQ(leading_number("12"), 12);
    EXPECT_EQ(leading_number("  -7x"), -7);
    EXPECT_EQ(leading_number("x7"), 0);
    EXPECT_EQ(leading_number(""), 0);
    EXPECT_EQ(leading_number("1200abc"), 1200);
    EXPECT_EQ(leading_number("99999999999999999999999999"), leading_number("999999999999999999999999999"));
    EXPECT_DOUBLE_EQ(leading_decimal("12.5円"), 12.5);
}

TEST(Text, TrimmingKeepsFullWidthBlanksUnlessAsked) {
    EXPECT_EQ(trim("  a b \t"), "a b");
    EXPECT_EQ(trim("\u3000東京\u3000"), "\u3000東京\u3000");
    EXPECT_EQ(trim_wide(" \u3000東京 \u3000 "), "東京");
    EXPECT_EQ(trim_wide("\u3000\u3000"), "");
}

TEST(Text, CountsCharactersNotBytes) {
    EXPECT_EQ(char_count("東京／羽田"), 5u);
    EXPECT_EQ(char_count("ab"), 2u);
    EXPECT_EQ(char_count("\xff"), 1u);
    EXPECT_EQ(char_left("東京／羽田", 2), "東京");
    EXPECT_EQ(char_mid("東京／羽田", 3), "羽田");
    EXPECT_EQ(char_mid("東京", 5, 2), "");
    EXPECT_EQ(to_fullwidth_digits("240"), "２４０");
}

TEST(Text, TheYenSignIsShownAsOneAndStoredAsTheCodePagesByte) {
    EXPECT_EQ(yen_for_display("\\5,500～\\6,000"), "¥5,500～¥6,000");
    EXPECT_EQ(yen_for_storage("¥5,500 ￥6,000"), "\\5,500 \\6,000");
    EXPECT_EQ(yen_for_storage(yen_for_display("\\8,000")), "\\8,000");
}

TEST(Text, NarrowToWideFollowsTheJapaneseCodePage) {
    EXPECT_EQ(narrow_to_wide("ABC 123"), "ＡＢＣ\u3000１２３");
    EXPECT_EQ(narrow_to_wide("\\~\"'"), "￥￣”’");
    EXPECT_EQ(narrow_to_wide("ｶﾞｲﾄﾞ"), "ガイド");
    EXPECT_EQ(narrow_to_wide("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"), "パピプペポ");
    EXPECT_EQ(narrow_to_wide("ｳﾞ"), "ヴ");
    EXPECT_EQ(narrow_to_wide("ﾜﾞ"), "ワ゛");
    EXPECT_EQ(narrow_to_wide("ｯﾞ"), "ッ゛");
    EXPECT_EQ(narrow_to_wide("ｱﾟ"), "ア゜");
    EXPECT_EQ(narrow_to_wide("ﾂﾞﾃﾞﾄﾞ"), "ヅデド");
    EXPECT_EQ(narrow_to_wide("東京ﾎﾃﾙ"), "東京ホテル");
    EXPECT_EQ(narrow_to_wide("｡｢｣､･ｰ"), "。「」、・ー");
}

TEST(ShiftJis, RoundTripsAndRefusesWhatItCannotHold) {
    const std::string text = "東京／羽田～ーｶﾅ①";
    auto sjis = utf8_to_sjis(text);
    ASSERT_TRUE(sjis.ok());
    EXPECT_EQ(sjis->substr(0, 2), "\x93\x8c");
    auto back = sjis_to_utf8(*sjis);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, text);
    EXPECT_FALSE(utf8_to_sjis("😀").ok());
    EXPECT_FALSE(sjis_can_hold("한국"));
    auto bad = sjis_to_utf8("\x81");  // a lead byte with nothing after it
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().code, ErrorCode::encoding);
}

}  // namespace
}  // namespace quorvel
