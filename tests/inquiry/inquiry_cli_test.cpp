// SPDX-License-Identifier: GPL-3.0-or-later
// quorvel-cli inquiry on the sample data: the pages it writes are pinned by golden files (kept
// in UTF-8 with LF; the files on disk are Shift-JIS with CR LF).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli_support/run_cli.hpp"
#include "common/sjis.hpp"

namespace {

namespace fs = std::filesystem;

const fs::path bin_dir = QUORVEL_BIN_DIR;
const fs::path golden_dir = fs::path(QUORVEL_SOURCE_DIR) / "tests/inquiry/golden";

using quorvel::test::CliRun;
using quorvel::test::slurp;

class InquiryCli : public ::testing::Test {
  protected:
    void SetUp() override {
        work_ = fs::temp_directory_path() / ("quorvel_inquiry_cli_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(work_);
        fs::create_directories(work_);
    }
    void TearDown() override { fs::remove_all(work_); }

    // quorvel-cli inquiry on the sample data beside it, writing into work_/out.
    CliRun inquiry(const std::string& args) {
        return quorvel::test::run_cli("'" + (bin_dir / "quorvel-cli").string() + "' inquiry --data '" +
                                          bin_dir.string() + "' --today 2026/12/09 " + args + " --out '" +
                                          out().string() + "'",
                                      work_ / "stderr");
    }
    fs::path out() const { return work_ / "out"; }

    // A page as the browser reads it: Shift-JIS decoded, CR LF checked and turned into LF.
    std::string page(const std::string& name) const {
        const std::string bytes = slurp(out() / name);
        auto text = quorvel::sjis_to_utf8(bytes);
        EXPECT_TRUE(text.ok()) << name;
        if (!text.ok()) return {};
        std::string lf;
        for (std::size_t i = 0; i < text->size(); ++i) {
            if ((*text)[i] == '\r') {
                EXPECT_TRUE(i + 1 < text->size() && (*text)[i + 1] == '\n') << name << ": a lone CR at " << i;
                continue;
            }
            if ((*text)[i] == '\n') {
                EXPECT_TRUE(i > 0 && (*text)[i - 1] == '\r') << name << ": a bare LF at " << i;
            }
            lf += (*text)[i];
        }
        return lf;
    }

    // Set QUORVEL_UPDATE_GOLDEN=1 to rewrite the files after a deliberate change of the pages.
    void expect_golden(const std::string& page_name, const std::string& golden_name) const {
        const std::string text = page(page_name);
        const fs::path file = golden_dir / golden_name;
        if (std::getenv("QUORVEL_UPDATE_GOLDEN") != nullptr) std::ofstream(file, std::ios::binary) << text;
        EXPECT_EQ(text, slurp(file)) << golden_name;
    }

    fs::path work_;
};

TEST_F(InquiryCli, PagesOnTheSampleData) {
    struct Case {
        const char* golden;  // tests/inquiry/golden/NAME.inq.htm
        const char* args;
    };
    const Case cases[] = {
        {"haneda_fukuoka_three_time_band", "--from 東京／羽田 --to 福岡 --date 2027/01/15"},
        {"haneda_kagoshima_three", "--from 東京／羽田 --to 鹿児島 --date 2027/03/01"},
        {"haneda_okinawa_two", "--from 東京／羽田 --to 沖縄 --date 2027/01/15 --connections 2"},
        {"wakkanai_sapporo_one", "--from 稚内 --to 札幌 --date 2027/01/09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        fs::remove_all(out());
        const CliRun r = inquiry(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, (out() / "inq.htm").string() + "\n");
        EXPECT_EQ(r.err, "");
        expect_golden("inq.htm", std::string(c.golden) + ".inq.htm");
    }
    // The relay pages and the date pop-up do not depend on the route; the default sites.ini's hosts.
    for (const char* name : {"JAL_send.htm", "ANA_send.htm", "JAS_send.htm", "calender.htm"})
        expect_golden(name, name);
}

TEST_F(InquiryCli, NoDirectFlightWritesNoPages) {
    // Only connections run between these two; the enquiry searches direct flights whatever is asked.
    const CliRun r = inquiry("--from 釧路 --to 宮古 --date 2027/01/15 --connections 2 --dep 06:00-17:00");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "直行便がないため、空席照会をおこなえません\n");
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(fs::exists(out()));
}

TEST_F(InquiryCli, MissingHostNamesTheKey) {
    const fs::path sites = work_ / "sites.ini";
    std::ofstream(sites) << "jal_inquiry_host=http://127.0.0.1:9\nana_inquiry_host=http://127.0.0.1:9\n"
                            "jas_inquiry_host=ftp://not-a-web-address\n";
    const CliRun r =
        inquiry("--from 東京／羽田 --to 福岡 --date 2027/01/15 --sites '" + sites.string() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("jas_inquiry_host"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(sites.string()), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out() / "inq.htm"));

    // With the same file, a route JAS does not fly is fine, and the action is the configured host.
    const CliRun ok =
        inquiry("--from 東京／羽田 --to 沖縄 --date 2027/01/15 --sites '" + sites.string() + "'");
    ASSERT_EQ(ok.status, 0) << ok.err;
    EXPECT_NE(page("ANA_send.htm").find("action=\"http://127.0.0.1:9/drs/vacant2.cgi\""), std::string::npos);
    EXPECT_FALSE(fs::exists(out() / "JAS_send.htm"));
}

TEST_F(InquiryCli, BadArgumentsAreRefused) {
    for (const char* args :
         {"--from 東京／羽田 --to 福岡", "--from 東京／羽田 --to 福岡 --date 2027/01/15 --colour red",
          "--from 福岡 --to 福岡 --date 2027/01/15"}) {
        const CliRun r = inquiry(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_FALSE(fs::exists(out())) << args;
    }
}

}  // namespace
