#include "timetable/timetable_reader.hpp"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(CnvData, DecodesOnlyMagnitudesFromOneTo2Pow24) {
    EXPECT_EQ(cnv_data(0x3F800000), 1.0);
    EXPECT_EQ(cnv_data(0x4B000000), 8388608.0);
    EXPECT_EQ(cnv_data(0x3F000000), 0.0);
    EXPECT_EQ(cnv_data(static_cast<std::int32_t>(0xC0000000u)), -2.0);
    EXPECT_EQ(cnv_data(0x4B800000), 0.0);  // 2^24
    EXPECT_EQ(cnv_data(0x4B7FFFFF), 16777215.0);
    EXPECT_EQ(cnv_data(0x7F800000), 0.0);  // infinity
    EXPECT_EQ(cnv_data(0x7FC00000), 0.0);  // NaN
    EXPECT_EQ(cnv_data(0x44BB8000), 1500.0);
}

}  // namespace
}  // namespace quorvel
