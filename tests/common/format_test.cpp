// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/format.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace quorvel {
namespace {

TEST(FormatNumber, PicturesUsedByTheProgram) {
    const std::vector<std::tuple<long long, const char*, const char*>> cases{
        {0, "###0", "0"},
        {1230, "###0", "1230"},
        {0, "####", ""},
        {1103, "####", "1103"},
        {0, "#####", ""},
        {5280, "#####", "5280"},
        {315, "0000", "0315"},
        {7, "000", "007"},
        {42, "00000", "00042"},
        {0, "###,##0", "0"},
        {999, "###,##0", "999"},
        {1000, "###,##0", "1,000"},
        {1234567, "###,##0", "1,234,567"},
        {6800, "\\\\###,###,###", "\\6,800"},
        {0, "\\\\###,###,###", "\\"},
        {12, "0000000000", "0000000012"},
        {12, "00000000000", "00000000012"},
        {-5, "###0", "-5"},
        {3, "0", "3"},
    };
    for (const auto& [value, picture, expected] : cases)
        EXPECT_EQ(format_number(value, picture), expected) << value << " with " << picture;
}

TEST(FormatHhmm, ColonBeforeTheLastTwoDigits) {
    EXPECT_EQ(format_hhmm(705), "07:05");
    EXPECT_EQ(format_hhmm(0), "00:00");
    EXPECT_EQ(format_hhmm(2410), "24:10");
    EXPECT_EQ(format_hhmm(-45), "-00:45");
    EXPECT_EQ(format_hhmm(12345), "123:45");
    EXPECT_EQ(hhmm_to_minutes(2155), 21 * 60 + 55);
    EXPECT_EQ(minutes_to_hhmm(1500), 2500);
}

}  // namespace
}  // namespace quorvel
