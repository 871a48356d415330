// SPDX-License-Identifier: GPL-3.0-or-later
// The sample timetable compiled by the build: it must load, keep the promises the rest of the
// program relies on (names, company order, sizes) and be exactly what the committed sources give.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "common/file_io.hpp"
#include "common/text.hpp"
#include "datatools/timetable_source.hpp"
#include "datatools/timetable_writer.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

const fs::path sample_file = fs::path(QUORVEL_BIN_DIR) / "timedata.dat";

class SampleTimetable : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        auto bytes = read_file_bytes(sample_file);
        ASSERT_TRUE(bytes.ok()) << sample_file << " is built by the sample_data target";
        file_ = new std::vector<std::byte>(std::move(bytes).value());
        auto tt = load_timetable(*file_);
        ASSERT_TRUE(tt.ok()) << tt.error().message;
        tt_ = std::move(tt).value().release();
    }
    static void TearDownTestSuite() {
        delete tt_;
        delete file_;
        tt_ = nullptr;
        file_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(tt_, nullptr); }

    static const Timetable& tt() { return *tt_; }
    static inline Timetable* tt_ = nullptr;
    static inline std::vector<std::byte>* file_ = nullptr;
};

TEST_F(SampleTimetable, AirportsCoverEveryRegionWithTheNamesTheRulesUse) {
    EXPECT_GE(tt().airport_count, 45);
    std::set<int> regions;
    std::set<std::string> names;
    for (std::size_t a = 1; a <= static_cast<std::size_t>(tt().airport_count); ++a) {
        regions.insert(tt().airport_region[a]);
        names.insert(tt().airport_name[a]);
    }
    for (int g = 1; g <= 9; ++g) EXPECT_TRUE(regions.count(g)) << "region " << g;
    for (const char* name :
         {"東京／羽田", "東京／成田", "大阪／伊丹", "大阪／関西", "名古屋", "札幌",   "福岡",
          "沖縄",       "鹿児島",     "奄美大島",   "徳之島",     "南大東", "北大東", "但馬",
          "広島",       "岡山",       "山口宇部",   "山形",       "小松",   "富山",   "高松",
          "鳥取",       "熊本",       "宮崎",       "佐賀",       "釧路"})
        EXPECT_TRUE(names.count(name)) << name;
    // The city-wide fare entries are listed only under 全国 and no flight uses them.
    for (const char* city : {"東京", "大阪"}) {
        const int a = tt().airport_index(city);
        ASSERT_GT(a, 0) << city;
        EXPECT_EQ(tt().airport_region[a], 0);
    }
    EXPECT_EQ(trim(tt().airport_code1[tt().airport_index("東京／羽田")]), "HND");
}

TEST_F(SampleTimetable, CompaniesInTheFareEngineOrder) {
    const char* order[] = {"JAL", "ANA", "JAS", "ANK", "JTA", "NCA", "JAC", "J-",  "ORC",
                           "RAC", "ADK", "NAL", "KOK", "TOH", "HAC", "JEX", "SKY", "ADO"};
    ASSERT_EQ(tt().company_count, 18);
    for (std::size_t m = 1; m <= 18; ++m) {
        EXPECT_EQ(tt().company_code[m], order[m - 1]);
        EXPECT_FALSE(tt().company_name[m].empty());
    }
}

TEST_F(SampleTimetable, EditionsAreLargeValidAndSearchable) {
    int editions = 0;
    for (std::size_t k = 1; k <= 4 && tt().edition_flight_count[k] > 0; ++k) {
        ++editions;
        SCOPED_TRACE(k);
        EXPECT_GE(tt().edition_flight_count[k], 1200);
        EXPECT_LE(tt().edition_flight_count[k], 2000);
        EXPECT_LE(tt().route_count(static_cast<int>(k), 1), 1200);
        EXPECT_LE(tt().route_count(static_cast<int>(k), 2), 1200);
        EXPECT_EQ(tt().route_count(static_cast<int>(k), 1) + tt().route_count(static_cast<int>(k), 2),
                  tt().edition_flight_count[k]);
        if (k > 1) {
            EXPECT_GT(tt().edition_valid_to[k], tt().edition_valid_to[k - 1]);
        }
        for (std::size_t i = 1; i <= static_cast<std::size_t>(tt().edition_flight_count[k]); ++i) {
            const int dep = tt().flight_departure[k][i], arr = tt().flight_arrival[k][i];
            ASSERT_TRUE(dep >= 600 && dep <= 2200 && dep % 100 < 60) << i;
            ASSERT_TRUE(arr > dep && arr <= 2300 && arr % 100 < 60) << i;
            ASSERT_NE(tt().flight_number[k][i], 999) << "999 means every flight to the discount table";
        }
    }
    ASSERT_GE(editions, 2);
    EXPECT_EQ(tt().edition_valid_to[editions], day_number(2099, 12, 31));
    EXPECT_GE(tt().data_valid_to, day_number(2099, 12, 31));
}

// Every weekday form and every delimiter of the remark language turns up somewhere.
TEST_F(SampleTimetable, AdjustmentsAndRemarksUseEveryForm) {
    bool no_service = false, later = false, earlier = false;
    std::set<char> delimiters;
    bool negative_code = false, inclusion = false, exception = false;
    const int k = 1;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(tt().edition_flight_count[k]); ++i) {
        for (std::size_t w = 1; w <= 7; ++w) {
            const int v = tt().flight_weekday_rule[w * 5 + k][i];
            no_service |= v == 99;
            later |= v > 0 && v != 99;
            earlier |= v < 0;
        }
        const std::string& r = tt().flight_remark[k][i];
        if (r.empty()) continue;
        for (char c : r)
            if (std::string(":/-&,;").find(c) != std::string::npos) delimiters.insert(c);
        negative_code |= r[0] == '-';
        inclusion |= starts_with(r, "0:");
        exception |= starts_with(r, "99:");
        EXPECT_EQ(r, trim(r));
    }
    EXPECT_TRUE(no_service && later && earlier);
    EXPECT_EQ(delimiters.size(), 6u);
    EXPECT_TRUE(negative_code && inclusion && exception);
}

// Each company prices each route it flies from a record of both fare tables, found the way the
// fare engine looks (Tokyo and Osaka folded to the city, either direction; ANK from ANA's).
TEST_F(SampleTimetable, EveryRouteFlownHasAFareRecord) {
    const auto key = [](const std::string& name) -> std::string {
        if (name == "東京／羽田" || name == "東京／成田") return "東京";
        if (name == "大阪／伊丹" || name == "大阪／関西") return "大阪";
        return name;
    };
    for (std::size_t t = 1; t <= 2; ++t) {
        EXPECT_LE(tt().fare_count[t], 500);
        std::set<std::string> records;
        for (std::size_t i = 1; i <= static_cast<std::size_t>(tt().fare_count[t]); ++i) {
            EXPECT_GT(tt().fare_amount1[t][i], 0);
            records.insert(tt().fare_company[t][i] + "|" + tt().fare_from[t][i] + "|" + tt().fare_to[t][i]);
            records.insert(tt().fare_company[t][i] + "|" + tt().fare_to[t][i] + "|" + tt().fare_from[t][i]);
        }
        for (std::size_t k = 1; k <= 4 && tt().edition_flight_count[k] > 0; ++k)
            for (std::size_t i = 1; i <= static_cast<std::size_t>(tt().edition_flight_count[k]); ++i) {
                const std::string company =
                    tt().company_code[static_cast<std::size_t>(std::stoi(tt().flight_company[k][i]))];
                const std::string from =
                    key(tt().airport_name[static_cast<std::size_t>(tt().flight_from[k][i])]);
                const std::string to = key(tt().airport_name[static_cast<std::size_t>(tt().flight_to[k][i])]);
                EXPECT_TRUE(records.count(company + "|" + from + "|" + to))
                    << t << ' ' << company << ' ' << from << '-' << to;
                if (company == "ANK") {
                    EXPECT_TRUE(records.count("ANA|" + from + "|" + to)) << from << '-' << to;
                }
            }
    }
    EXPECT_GT(tt().fare_valid_from[2], tt().fare_valid_from[1]);
}

TEST_F(SampleTimetable, DiscountsPeriodsAccessAndHelp) {
    EXPECT_GT(tt().discount_count, 0);
    int every_flight = 0, one_flight = 0;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(tt().discount_count); ++i) {
        (tt().discount_flight[i] == 999 ? every_flight : one_flight)++;
        EXPECT_GT(tt().discount_fare[i], 0);
        EXPECT_LE(tt().discount_valid_to[i] - tt().discount_valid_from[i], 511);
    }
    EXPECT_GT(every_flight, 0);
    EXPECT_GT(one_flight, 0);
    std::set<int> seasons;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(tt().period_count); ++i)
        seasons.insert(tt().period_value[i]);
    EXPECT_EQ(seasons, (std::set<int>{1, 2, 3}));
    EXPECT_GT(tt().access_count, 0);
    int topics = 0;
    for (std::size_t c = 1; c <= 18; ++c)
        for (std::size_t r = 1; r <= 14; ++r) topics += tt().fare_help_topic[c][r] != 0;
    EXPECT_GT(topics, 18);
    EXPECT_NE(tt().fare_help_topic[1][1], 0);
}

// The file the build placed beside the programs is what the committed sources compile to, and
// what dump gives back compiles to the same bytes.
TEST_F(SampleTimetable, MatchesItsSourcesAndSurvivesDumpAndBuild) {
    auto source = read_timetable_source(fs::path(QUORVEL_SOURCE_DIR) / "data" / "sample");
    ASSERT_TRUE(source.ok()) << source.error().message;
    auto built = build_timetable(*source);
    ASSERT_TRUE(built.ok()) << built.error().message;
    EXPECT_TRUE(*built == *file_) << "data/sample changed after the build: rebuild sample_data";

    auto dumped = decode_timetable(*file_);
    ASSERT_TRUE(dumped.ok()) << dumped.error().message;
    auto rebuilt = build_timetable(*dumped);
    ASSERT_TRUE(rebuilt.ok()) << rebuilt.error().message;
    EXPECT_TRUE(*rebuilt == *file_);
}

// The same through the command-line tool, as a user would run it.
TEST_F(SampleTimetable, CommandLineDumpAndBuild) {
    const fs::path dir = fs::temp_directory_path() / ("quorvel_dump_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const std::string cli = (fs::path(QUORVEL_BIN_DIR) / "quorvel-cli").string();
    const std::string dump =
        "'" + cli + "' data dump '" + sample_file.string() + "' '" + (dir / "src").string() + "'";
    const std::string build = "'" + cli + "' data build '" + (dir / "src").string() + "' '" +
                              (dir / "out").string() + "' >/dev/null";
    ASSERT_EQ(std::system(dump.c_str()), 0) << dump;
    EXPECT_TRUE(fs::exists(dir / "src" / "flights1.tsv"));
    ASSERT_EQ(std::system(build.c_str()), 0) << build;
    auto again = read_file_bytes(dir / "out" / "timedata.dat");
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(*again == *file_);
    // A source the tool must refuse: it says where, and exits with status 1.
    {
        auto text = read_file_bytes(dir / "src" / "flights1.tsv");
        ASSERT_TRUE(text.ok());
        std::string s(reinterpret_cast<const char*>(text->data()), text->size());
        s += "札幌\t月面\tJAL\t1\t0700\t0800\t\t0\t0\t0\t0\t0\t0\t0\t\n";
        ASSERT_TRUE(write_file_atomically(dir / "src" / "flights1.tsv", s).ok());
        const std::string failing = build + " 2>'" + (dir / "err.txt").string() + "'";
        const int status = std::system(failing.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
        auto err = read_file_bytes(dir / "err.txt");
        ASSERT_TRUE(err.ok());
        const std::string message(reinterpret_cast<const char*>(err->data()), err->size());
        EXPECT_NE(message.find("flights1.tsv line"), std::string::npos) << message;
        EXPECT_NE(message.find("unknown airport \"月面\""), std::string::npos) << message;
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace quorvel
