// SPDX-License-Identifier: GPL-3.0-or-later
#include "inquiry/inquiry_pages.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/sjis.hpp"
#include "config/sites.hpp"
#include "search/search_types.hpp"

namespace quorvel {
namespace {

struct TestAirport {
    const char* name;
    const char* jal;
    const char* ana;
    const char* jas;
    const char* list;  // airport_code4
};

// A small airport table with codes stored as the reader leaves them: padded to 3 characters.
std::unique_ptr<Timetable> small_table() {
    static const TestAirport airports[] = {
        {"東京／羽田", "HND", "HND", "HND", "HND"},
        {"福岡", "FUK", "FUK", "FUK", "FUK"},
        {"札幌", "CTS", "CTS", "   ", "CTS"},
        {"大阪／伊丹", "ITM", "   ", "ITM", "ITM"},
        {"沖縄", "OKA", "OKA", "   ", "OKA"},
        {"但馬", "   ", "   ", "TJ ", "TJH"},  // only JAS serves it
        {"奥尻", "   ", "   ", "   ", "   "},  // no airline takes enquiries
    };
    auto tt = std::make_unique<Timetable>();
    for (const TestAirport& a : airports) {
        const auto i = static_cast<std::size_t>(++tt->airport_count);
        tt->airport_name[i] = a.name;
        tt->airport_code1[i] = a.jal;
        tt->airport_code2[i] = a.ana;
        tt->airport_code3[i] = a.jas;
        tt->airport_code4[i] = a.list;
    }
    return tt;
}

SearchConditions route(const char* from, const char* to, int month = 1, int day = 15) {
    SearchConditions c;
    c.from_airport = from;
    c.to_airport = to;
    c.travel_month = month;
    c.travel_day = day;
    return c;
}

Sites all_hosts() {
    return read_sites_text(
        "jal_inquiry_host=http://127.0.0.1:8001/\nana_inquiry_host=http://127.0.0.1:8002\n"
        "jas_inquiry_host=http://127.0.0.1:8003/base\n");
}

std::string inq_page(const Timetable& tt, const SearchConditions& cond, InquiryFlags flags) {
    auto pages = build_inquiry_pages(tt, cond, flags, all_hosts());
    EXPECT_TRUE(pages.ok()) << (pages.ok() ? "" : pages.error().message);
    if (!pages.ok()) return {};
    const InquiryPage* inq = pages->find("inq.htm");
    return inq == nullptr ? std::string() : inq->text;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The options of one SELECT of the page, as "value|text".
std::vector<std::string> options_of(const std::string& page, const std::string& select) {
    std::vector<std::string> out;
    bool inside = false;
    for (const std::string& line : lines_of(page)) {
        if (line == "<SELECT name=\"" + select + "\">")
            inside = true;
        else if (inside && line == "</SELECT>")
            break;
        else if (inside) {
            const auto q1 = line.find('"'), q2 = line.find('"', q1 + 1), gt = line.find('>');
            out.push_back(line.substr(q1 + 1, q2 - q1 - 1) + "|" + line.substr(gt + 1));
        }
    }
    return out;
}

// The elements of the airport arrays of open_kuseki, one list per block in block order.
std::vector<std::vector<std::string>> airport_arrays(const std::string& page) {
    std::vector<std::vector<std::string>> arrays;
    const std::string head = "        var airport = new Array(";
    for (const std::string& line : lines_of(page)) {
        if (line.rfind(head, 0) != 0) continue;
        std::vector<std::string> items;
        const std::string list = line.substr(head.size(), line.size() - head.size() - 2);
        for (std::size_t at = 0; at < list.size();) {
            const auto close = list.find('"', at + 1);
            items.push_back(list.substr(at + 1, close - at - 1));
            at = close + 2;
        }
        arrays.push_back(items);
    }
    return arrays;
}

TEST(InquiryPages, AirportListsAndCodeArraysStayAligned) {
    const auto tt = small_table();
    const std::string page = inq_page(*tt, route("東京／羽田", "福岡"), {1, 1, 1});
    const auto from = options_of(page, "FROM");
    // 奥尻 has no enquiry code at all and is left out; 但馬 is listed for JAS.
    const std::vector<std::string> expected = {"HND|東京／羽田", "FUK|福岡", "CTS|札幌",
                                               "ITM|大阪／伊丹", "OKA|沖縄", "TJH|但馬"};
    EXPECT_EQ(from, expected);
    EXPECT_EQ(options_of(page, "TO"), expected);
    const auto arrays = airport_arrays(page);
    ASSERT_EQ(arrays.size(), 3u);
    EXPECT_EQ(arrays[0], (std::vector<std::string>{"HND", "FUK", "CTS", "ITM", "OKA", ""}));
    EXPECT_EQ(arrays[1], (std::vector<std::string>{"HND", "FUK", "CTS", "", "OKA", ""}));
    EXPECT_EQ(arrays[2], (std::vector<std::string>{"HND", "FUK", "", "ITM", "", "TJ"}));  // trimmed
    EXPECT_NE(page.find("<OPTION value=\"HND\" selected>東京／羽田"), std::string::npos);
    EXPECT_NE(page.find("<OPTION value=\"FUK\" selected>福岡"), std::string::npos);

    // Without JAS, 但馬 leaves the lists and every array, so the k-th element still belongs to the k-th
    // option.
    const std::string no_jas = inq_page(*tt, route("東京／羽田", "福岡"), {1, 1, 0});
    EXPECT_EQ(options_of(no_jas, "FROM").size(), 5u);
    for (const auto& a : airport_arrays(no_jas)) EXPECT_EQ(a.size(), 5u);

    const AirportCheck check = check_enquiry_airports(*tt, route("大阪／伊丹", "沖縄"), {0, 1, 0});
    EXPECT_EQ(check.enquiry_from_row, 4);
    EXPECT_EQ(check.enquiry_to_row, 5);
    EXPECT_EQ(check.offer_flag[4], "");  // ANA has no code for 大阪／伊丹 here
    EXPECT_EQ(airport_options(Airline::ana, *tt, check), "\"HND\",\"FUK\",\"CTS\",\"OKA\"");
}

TEST(InquiryPages, BlocksFormsAndBoxesFollowTheOfferedAirlines) {
    const auto tt = small_table();
    const std::string ana = inq_page(*tt, route("東京／羽田", "沖縄"), {0, 1, 0});
    EXPECT_NE(ana.find("    var company = new Array(\"ANA\");"), std::string::npos);
    EXPECT_NE(ana.find("\n    if (i == 0) {\n        var month = new Array(\"JAN\", \"FEB\""),
              std::string::npos);
    EXPECT_EQ(ana.find("if (i == 1)"), std::string::npos);
    EXPECT_EQ(ana.find("航空会社の選択"), std::string::npos);
    EXPECT_EQ(ana.find("複数の航空会社を選択した場合"), std::string::npos);
    EXPECT_NE(ana.find("<INPUT type=\"button\" value=\"空席照会\" onclick=\"open_kuseki(0)\">"),
              std::string::npos);
    EXPECT_NE(ana.find("<FORM name=\"ana\">"), std::string::npos);
    EXPECT_EQ(ana.find("<FORM name=\"jal\">"), std::string::npos);

    const std::string jal_jas = inq_page(*tt, route("東京／羽田", "福岡"), {1, 0, 1});
    const auto jas_block = jal_jas.find("\n        if (i == 1) {\n        var month = new Array(\"1\"");
    ASSERT_NE(jas_block, std::string::npos);
    EXPECT_LT(jas_block, jal_jas.find("para_mon = \"0\" + para_mon"));  // JAS pads, inside its own block
    EXPECT_LT(jal_jas.find("<FORM name=\"jal\">"), jal_jas.find("<FORM name=\"jas\">"));
    EXPECT_NE(jal_jas.find("<INPUT type=\"checkbox\" name=\"1\" checked>JAS空席照会"), std::string::npos);
    EXPECT_NE(jal_jas.find("<TH colspan=\"2\">航空会社の選択</TH>"), std::string::npos);
    EXPECT_NE(jal_jas.find("onclick=\"sub()\""), std::string::npos);
    EXPECT_NE(jal_jas.find("for (var i = 0; i < 2; i++)"), std::string::npos);
}

TEST(InquiryPages, JalTimeBandOnlyOnItsRoutes) {
    const auto tt = small_table();
    struct Case {
        int from, to;
        bool band;
    };
    // 1 東京／羽田, 2 福岡, 3 札幌, 4 大阪／伊丹, 5 沖縄
    const Case cases[] = {{1, 2, true},  {2, 1, true},  {1, 3, true},  {3, 1, true},  {4, 1, true},
                          {1, 5, false}, {2, 3, false}, {4, 2, false}, {0, 2, false}, {1, 0, false}};
    for (const Case& c : cases) EXPECT_EQ(jal_time_band(*tt, c.from, c.to), c.band) << c.from << "-" << c.to;

    const std::string band = inq_page(*tt, route("福岡", "東京／羽田"), {1, 1, 1});
    EXPECT_NE(band.find("<SELECT name=\"TIME\">"), std::string::npos);
    EXPECT_NE(band.find("document.jal.TIME.value = document.INPUT1.TIME.selectedIndex;"), std::string::npos);
    EXPECT_NE(band.find("利用時間帯（ＪＡＬのみ）を指定してください。<BR>"), std::string::npos);
    EXPECT_NE(band.find("東京-沖縄</STRONG>"), std::string::npos);

    // 東京-沖縄 is named in the instruction line, but JAL's form takes no time band for it.
    for (const auto& [cond, flags] : {std::pair{route("東京／羽田", "沖縄"), InquiryFlags{1, 1, 0}},
                                      std::pair{route("東京／羽田", "福岡"), InquiryFlags{0, 1, 1}}}) {
        const std::string page = inq_page(*tt, cond, flags);
        EXPECT_EQ(page.find("TIME\">"), std::string::npos);
        EXPECT_EQ(page.find("INPUT1.TIME"), std::string::npos);
        EXPECT_NE(page.find("搭乗予定月日、出発地、到着地を指定してください。<BR>"), std::string::npos);
        EXPECT_EQ(page.find("東京-沖縄</STRONG>"), std::string::npos);
    }
}

TEST(InquiryPages, DateSelectionsStartAtTheSearchedDay) {
    const auto tt = small_table();
    const std::string page = inq_page(*tt, route("東京／羽田", "福岡", 12, 31), {0, 1, 0});
    const auto month = options_of(page, "MONTH");
    const auto day = options_of(page, "DAY");
    ASSERT_EQ(month.size(), 12u);
    ASSERT_EQ(day.size(), 31u);
    EXPECT_EQ(month[11], "12|12");
    EXPECT_NE(page.find("<OPTION value=\"12\" selected>12\n</SELECT>\n月"), std::string::npos);
    EXPECT_NE(page.find("<OPTION value=\"31\" selected>31\n</SELECT>\n日"), std::string::npos);
    EXPECT_NE(page.find("<OPTION value=\"1\">1\n<OPTION value=\"2\">2\n"), std::string::npos);
}

TEST(InquiryPages, DataCannotBreakThePage) {
    EXPECT_EQ(html_escape("<a href=\"x\">&'</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(js_escape("a\"b'c\\d"), "a\\\"b\\'c\\\\d");
    EXPECT_EQ(js_escape("</SCRIPT><!--\n"), "\\x3C/SCRIPT\\x3E\\x3C!--\\x0A");
    EXPECT_EQ(js_escape("東京\xE2\x80\xA8"), "東京\\u2028");

    auto tt = small_table();
    tt->airport_name[7] = "奥尻<script>alert(1)</script>\"'&";
    tt->airport_code1[7] = "\"<\\";
    tt->airport_code4[7] = "\">x";
    const std::string page = inq_page(*tt, route("東京／羽田", tt->airport_name[7].c_str()), {1, 0, 0});
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("<OPTION value=\"&quot;&gt;x\" "
                        "selected>奥尻&lt;script&gt;alert(1)&lt;/script&gt;&quot;&#39;&amp;"),
              std::string::npos);
    EXPECT_NE(page.find("<H2>東京／羽田　→　奥尻&lt;script&gt;"), std::string::npos);
    EXPECT_NE(page.find(",\"\\\"\\x3C\\\\\");"), std::string::npos);
}

TEST(InquiryPages, RelayPagesPostToTheConfiguredHosts) {
    const auto tt = small_table();
    auto pages = build_inquiry_pages(*tt, route("東京／羽田", "福岡"), {1, 1, 1}, all_hosts());
    ASSERT_TRUE(pages.ok());
    std::vector<std::string> names;
    for (const InquiryPage& p : pages->pages) names.push_back(p.file_name);
    EXPECT_EQ(names, (std::vector<std::string>{"JAL_send.htm", "ANA_send.htm", "JAS_send.htm", "calender.htm",
                                               "inq.htm"}));
    const auto has = [&](const char* file, const std::string& text) {
        EXPECT_NE(pages->find(file)->text.find(text), std::string::npos) << file << ": " << text;
    };
    has("JAL_send.htm",
        "<FORM name=\"jal\" method=\"post\" "
        "action=\"http://127.0.0.1:8001/cgi-bin/db2www/avarvout.d2w/report\">");
    has("ANA_send.htm",
        "<FORM name=\"ana\" method=\"post\" action=\"http://127.0.0.1:8002/drs/vacant2.cgi\">");
    has("JAS_send.htm",
        "<FORM name=\"jas\" method=\"GET\" action=\"http://127.0.0.1:8003/base/cgi/rsvn/r02v.asp\">");
    has("ANA_send.htm", "    document.ana.D_PLACE.value = kuseki_value(\"FROM\");");
    for (const InquiryPage& p : pages->pages) {
        EXPECT_NE(p.text.find("charset=Shift_JIS"), std::string::npos) << p.file_name;
        EXPECT_EQ(p.text.find("opener.document"), std::string::npos) << p.file_name;
    }
}

TEST(InquiryPages, AnOfferedAirlineWithoutHostIsRefused) {
    const auto tt = small_table();
    const Sites no_jas =
        read_sites_text("jal_inquiry_host=http://a.example\nana_inquiry_host=http://b.example\n");
    auto refused = build_inquiry_pages(*tt, route("東京／羽田", "福岡"), {1, 0, 1}, no_jas);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message.find("jas_inquiry_host"), std::string::npos);
    EXPECT_EQ(refused.error().message.find("jal_inquiry_host"), std::string::npos);
    EXPECT_NE(refused.error().message.find("sites.ini"), std::string::npos);

    // An airline the route does not offer needs no host; its relay page is simply not written.
    auto fine = build_inquiry_pages(*tt, route("東京／羽田", "福岡"), {1, 1, 0}, no_jas);
    ASSERT_TRUE(fine.ok());
    EXPECT_EQ(fine->find("JAS_send.htm"), nullptr);
    EXPECT_NE(fine->find("ANA_send.htm"), nullptr);
}

class InquiryFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("quorvel_inquiry_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(InquiryFiles, WrittenInShiftJisWithCrLf) {
    const auto tt = small_table();
    auto pages = build_inquiry_pages(*tt, route("東京／羽田", "福岡"), {1, 1, 1}, all_hosts());
    ASSERT_TRUE(pages.ok());
    auto inq = write_inquiry_pages(dir_ / "tmp", *pages);
    ASSERT_TRUE(inq.ok()) << inq.error().message;
    EXPECT_EQ(*inq, dir_ / "tmp" / "inq.htm");
    // A second run over the existing folder replaces the pages.
    ASSERT_TRUE(write_inquiry_pages(dir_ / "tmp", *pages).ok());
    for (const InquiryPage& page : pages->pages) {
        const std::string bytes = slurp(dir_ / "tmp" / page.file_name);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != '\n') continue;
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << page.file_name << " at " << i;
        }
        auto text = sjis_to_utf8(bytes);
        ASSERT_TRUE(text.ok()) << page.file_name;
        std::string lf = *text;
        std::erase(lf, '\r');
        EXPECT_EQ(lf, page.text) << page.file_name;
    }
    EXPECT_NE(slurp(*inq).find("\x93\x8C\x8B\x9E\x81\x5E\x89\x48\x93\x63"), std::string::npos);  // 東京／羽田
}

TEST_F(InquiryFiles, AFailedWriteIsReported) {
    const auto tt = small_table();
    auto pages = build_inquiry_pages(*tt, route("東京／羽田", "福岡"), {1, 0, 0}, all_hosts());
    ASSERT_TRUE(pages.ok());
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "tmp") << "a file where the folder should be";
    auto blocked = write_inquiry_pages(dir_ / "tmp", *pages);
    ASSERT_FALSE(blocked.ok());
    EXPECT_NE(blocked.error().message.find((dir_ / "tmp").string()), std::string::npos);

    // A text the code page cannot hold is an error, not a page with question marks.
    InquiryPages bad = *pages;
    bad.pages.back().text += "\xF0\x9F\x98\x80\n";
    auto unencodable = write_inquiry_pages(dir_ / "ok", bad);
    ASSERT_FALSE(unencodable.ok());
    EXPECT_NE(unencodable.error().message.find("inq.htm"), std::string::npos);
}

}  // namespace
}  // namespace quorvel
