// SPDX-License-Identifier: GPL-3.0-or-later
#include "datatools/hotel_source.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "hotel/hotel_fixture.hpp"

namespace quorvel {
namespace {

using namespace quorvel::test;

class HotelSourceDir : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("quorvel_hotel_source_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(HotelSourceDir, BuildOfDumpIsByteIdentical) {
    HotelSource s = small_source();
    s.extras = {{"a", "", "c", "d"}};
    s.districts.push_back("");  // an empty text in a one-column table keeps its row
    s.districts.push_back("末尾");
    s.hotels[2].district = 7;
    const std::string first = write_hotel_file(s).value();
    ASSERT_TRUE(write_file_atomically(dir_ / "a.dat", first));
    ASSERT_TRUE(dump_hotel_file(dir_ / "a.dat", dir_ / "src"));
    ASSERT_TRUE(build_hotel_file(dir_ / "src", dir_ / "b.dat"));
    const auto second = read_file_bytes(dir_ / "b.dat").value();
    EXPECT_EQ(std::string(as_chars(second)), first);
    auto back = read_hotel_source(dir_ / "src").value();
    EXPECT_EQ(back.districts.size(), 7u);
    EXPECT_EQ(back.districts[5], "");
    EXPECT_EQ(back.hotels[0].remark, "○||http://a.example/");
}

TEST_F(HotelSourceDir, RefusesWhatTheFileCannotHold) {
    HotelSource s = small_source();
    s.hotels[0].pref = 51;
    EXPECT_FALSE(write_hotel_file(s).ok());
    s = small_source();
    s.districts.resize(3001);
    EXPECT_FALSE(write_hotel_file(s).ok());
    s = small_source();
    s.hotels[0].name = "a\tb";
    EXPECT_FALSE(write_hotel_source(dir_ / "src", s).ok());
    ASSERT_TRUE(write_file_atomically(dir_ / "prefectures.tsv", "a\tb\tc\td\n"));
    EXPECT_FALSE(read_hotel_source(dir_).ok());
}

}  // namespace
}  // namespace quorvel
