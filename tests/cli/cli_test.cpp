// SPDX-License-Identifier: GPL-3.0-or-later
// quorvel-cli's output is an interface others diff; these cases pin it on the sample data.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli_support/run_cli.hpp"

namespace {

const std::filesystem::path bin_dir = QUORVEL_BIN_DIR;
const std::filesystem::path golden_dir = std::filesystem::path(QUORVEL_SOURCE_DIR) / "tests/cli/golden";

using quorvel::test::CliRun;
using quorvel::test::slurp;

// Runs quorvel-cli on the sample data beside it with a fixed "today".
CliRun cli(const std::string& args) {
    const auto err_file =
        std::filesystem::temp_directory_path() / ("quorvel_cli_err_" + std::to_string(::getpid()));
    // The common options follow the command word; the last --data wins, so a case may name another.
    const auto space = args.find(' ');
    return quorvel::test::run_cli("'" + (bin_dir / "quorvel-cli").string() + "' " + args.substr(0, space) +
                                      " --data '" + bin_dir.string() + "' --today 2026/12/09" +
                                      (space == std::string::npos ? "" : args.substr(space)),
                                  err_file);
}

struct GoldenCase {
    const char* name;  // tests/cli/golden/NAME.txt
    const char* args;
};

// Set QUORVEL_UPDATE_GOLDEN=1 to rewrite the files after a deliberate change of the output.
void expect_golden(const GoldenCase& c) {
    SCOPED_TRACE(c.name);
    const CliRun r = cli(c.args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto file = golden_dir / (std::string(c.name) + ".txt");
    if (std::getenv("QUORVEL_UPDATE_GOLDEN") != nullptr) std::ofstream(file, std::ios::binary) << r.out;
    EXPECT_EQ(r.out, slurp(file));
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST(CliGolden, SearchesOnTheSampleData) {
    const GoldenCase cases[] = {
        {"search_direct", "search --from 東京／羽田 --to 福岡 --date 2027/01/15"},
        {"search_one_connection_header",
         "search --from 札幌 --to 鹿児島 --date 2027/01/15 --connections 1 --dep 07:00-12:00 --header"},
        {"search_two_connections",
         "search --from 釧路 --to 宮古 --date 2027/01/15 --connections 2 --dep 06:00-17:00"},
        {"search_by_departure_one_per_flight",
         "search --from 札幌 --to 福岡 --date 2027/03/01 --connections 1 --dep 08:00-14:00 --order 1 "
         "--combination 1"},
        {"search_by_arrival_windows",
         "search --from 大阪／伊丹 --to 東京／羽田 --date 2027/01/15 --dep 07:00-10:00 --arr 08:00-11:30 "
         "--order 2"},
    };
    for (const GoldenCase& c : cases) expect_golden(c);
}

TEST(CliGolden, FaresOnTheSampleData) {
    const GoldenCase cases[] = {
        {"fare_ank",
         "fare --company ANK --flight 301 --from 東京／羽田 --to 福岡 --date 2027/01/15 --dep 0930"},
        {"fare_sheet_one_connection",
         "fare-sheet --from 札幌 --to 鹿児島 --date 2027/01/15 --connections 1 --dep 07:00-12:00 --row 1"},
    };
    for (const GoldenCase& c : cases) expect_golden(c);
}

TEST(CliGolden, HotelsOnTheSampleData) {
    const GoldenCase cases[] = {
        {"hotels_pref_alias_by_price", "hotels --kind 1 --key 北海道 --sort ホテル料金 --max 40"},
        {"hotels_airport_by_rooms", "hotels --kind 2 --key 東京／羽田 --sort ホテル部屋数 --max 25"},
        {"hotels_free_keyword", "hotels --kind 6 --key 駅 --max 30 --sort ホテル名"},
        {"hotels_refined_by_districts", "hotels --kind 1 --key 北海道 --district すすきの --district 大通"},
    };
    for (const GoldenCase& c : cases) expect_golden(c);
}

TEST(CliHotels, RefusalsAndNothingFound) {
    CliRun r = cli("hotels --kind 1 --key ほげ");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "検索条件の入力エラーです\n");
    EXPECT_EQ(cli("hotels --kind 1 --key 東京 --max 0").status, 2);
    EXPECT_EQ(cli("hotels --kind 7 --key 東京").status, 2);
    EXPECT_EQ(cli("hotels --kind 1 --key 東京 --sort 値段").status, 2);
    r = cli("hotels --kind 6 --key ザザザ");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, "ホテルデータなし\n");
}

TEST(CliFare, UnknownDesignatorsPriceNothing) {
    const CliRun r = cli("fare --company XYZ --flight 1 --from 東京／羽田 --to 福岡 --date 2027/01/15");
    EXPECT_EQ(r.status, 0);
    std::string zeros;
    for (int row = 1; row <= 14; ++row) zeros += std::to_string(row) + "\t0\n";
    EXPECT_EQ(r.out, zeros);
    EXPECT_EQ(cli("fare --company JAL --flight 1 --from 東京駅 --to 福岡 --date 2027/01/15").err,
              "入力エラーです\n");
}

TEST(CliFare, NoSheetWithoutAnAdultFare) {
    // The sample timetable without its fare tables: every leg is reported and none is priced.
    const auto dir =
        std::filesystem::temp_directory_path() / ("quorvel_cli_nofares_" + std::to_string(::getpid()));
    const auto src = dir / "src";
    std::filesystem::create_directories(src);
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(QUORVEL_SOURCE_DIR) / "data/sample"))
        if (entry.is_regular_file() && entry.path().extension() == ".tsv" &&
            entry.path().filename().string().rfind("fares", 0) != 0)
            std::filesystem::copy_file(entry.path(), src / entry.path().filename());
    ASSERT_EQ(cli("data build '" + src.string() + "' '" + dir.string() + "'").status, 0);
    const CliRun r =
        cli("fare-sheet --from 東京／羽田 --to 福岡 --date 2027/01/15 --row 1 --data '" + dir.string() + "'");
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.rfind("運賃表未登録（", 0), 0u) << r.err;
    std::filesystem::remove_all(dir);
}

TEST(CliSearch, RefusedConditionsSayWhatTheWindowSays) {
    struct Refusal {
        const char* args;
        const char* message;
    };
    const Refusal cases[] = {
        {"search --from 東京駅 --to 福岡 --date 2027/01/15", "入力エラーです\n"},
        {"search --from 福岡 --to 福岡 --date 2027/01/15", "出発地と到着地が同じです\n"},
        {"search --from 札幌 --to 鹿児島 --date 2027/01/15 --connections 1",
         "出発時刻の範囲は１２時間以内としてください\n"},
        {"search --from 札幌 --to 鹿児島 --date 2027/01/15 --connections 1 --dep 07:00-12:00 --wait 241",
         "待ち合わせ時間は２４０分以内としてください\n"},
        {"search --from 札幌 --to 鹿児島 --date 2027/01/15 --wait 6x", "数字以外の文字が入力されています\n"},
    };
    for (const Refusal& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.err, c.message) << c.args;
        EXPECT_TRUE(r.out.empty()) << c.args;
    }
    for (const char* args : {"search --from 札幌 --to 福岡", "search --from 札幌 --to 福岡 --date 2027/13/01",
                             "search --from 札幌 --to 福岡 --date 2027/01/15 --connections 3",
                             "search --from 札幌 --to 福岡 --date 2027/01/15 --dep 7-9",
                             "search --from 札幌 --to 福岡 --date 2027/01/15 --colour red",
                             "fare-sheet --from 札幌 --to 福岡 --date 2027/01/15 --row 0",
                             "fare-sheet --from 札幌 --to 福岡 --date 2027/01/15 --row 9999"})
        EXPECT_EQ(cli(args).status, 2) << args;
}

TEST(CliSearch, NothingFoundIsNotAnError) {
    // Beyond the last edition's validity, and a pair without any itinerary in the windows.
    for (const char* args : {"search --from 東京／羽田 --to 福岡 --date 2100/01/15",
                             "search --from 東京／羽田 --to 福岡 --date 2027/01/15 --dep 23:00-23:59"}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 0) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_EQ(r.err, "条件にあう航空機を検索できませんでした\n") << args;
    }
}

TEST(CliHelp, EveryCommandAndOptionIsDescribed) {
    const CliRun overall = cli("--help");
    EXPECT_EQ(overall.status, 0);
    for (const char* command : {"search", "fare", "fare-sheet", "inquiry", "hotels", "data"}) {
        EXPECT_NE(overall.out.find(std::string("  ") + command + " "), std::string::npos) << command;
        for (const std::string& asked : {std::string("help ") + command, std::string(command) + " --help"}) {
            const CliRun r = cli(asked);
            EXPECT_EQ(r.status, 0) << asked;
            EXPECT_EQ(r.out.rfind(std::string("usage: quorvel-cli ") + command, 0), 0u) << asked;
            EXPECT_NE(r.out.find("--today YYYY/MM/DD"), std::string::npos) << asked;
        }
    }
    const CliRun search = cli("search --help");
    for (const char* option :
         {"--from NAME", "--dep HH:MM-HH:MM", "(default: 05:00-23:59)", "--order 1|2|3", "--header"})
        EXPECT_NE(search.out.find(option), std::string::npos) << option;
    EXPECT_EQ(cli("--version").out, "quorvel-cli 3.44\n");
    const CliRun unknown = cli("help nosuch");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.out.empty());
}

TEST(CliSearch, MissingDataIsExitOne) {
    const CliRun r = cli("search --from 東京／羽田 --to 福岡 --date 2027/01/15 --data /nonexistent");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
}

}  // namespace
