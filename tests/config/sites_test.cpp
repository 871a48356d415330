// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/sites.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

TEST(Sites, ReadsKeysCommentsAndLineEnds) {
    const Sites s = read_sites_text(
        "\xEF\xBB\xBF# deployment addresses\r\n"
        "\r\n"
        "maker_home_url = https://www.example.com/ \r\n"
        "  # jal_inquiry_host=https://commented.example.com\n"
        "jal_inquiry_host=http://127.0.0.1:8123/\n"
        "ana_inquiry_host=http://127.0.0.1:8123\n"
        "bestreserve_host=https://best.example.com/prefix\n"
        "tabinomado_info_host=\n"
        "colour=blue\n"
        "just text\n");
    EXPECT_EQ(s.address(Site::maker_home), "https://www.example.com/");
    EXPECT_EQ(s.address(Site::jal_inquiry, "/cgi-bin/db2www/avarvout.d2w/report"),
              "http://127.0.0.1:8123/cgi-bin/db2www/avarvout.d2w/report");
    EXPECT_EQ(s.address(Site::ana_inquiry, "/drs/vacant2.cgi"), "http://127.0.0.1:8123/drs/vacant2.cgi");
    EXPECT_EQ(s.address(Site::bestreserve, "/best/s?a=1"), "https://best.example.com/prefix/best/s?a=1");
    // Missing or empty: not configured, so the command can say so.
    EXPECT_FALSE(s.configured(Site::jas_inquiry));
    EXPECT_EQ(s.address(Site::jas_inquiry, "/cgi/rsvn/r02v.asp"), std::nullopt);
    EXPECT_EQ(s.address(Site::tabinomado_info, "/HOTEL/1/1.html"), std::nullopt);
    ASSERT_EQ(s.warnings.size(), 2u);
    EXPECT_NE(s.warnings[0].find("line 9"), std::string::npos);
    EXPECT_NE(s.warnings[1].find("line 10"), std::string::npos);
}

TEST(Sites, RefusesValuesThatAreNoSafeAddress) {
    for (const char* value :
         {"www.example.com", "ftp://example.com", "javascript:alert(1)", "http://", "http:///path",
          "https://a.example.com/x y", "https://a.example.com/\"&calc", "https://a.example.com/\x01"}) {
        const Sites s = read_sites_text(std::string("maker_download_url=https://ok.example.com\n"
                                                    "maker_download_url=") +
                                        value + "\n");
        EXPECT_FALSE(s.configured(Site::maker_download)) << value;
        EXPECT_EQ(s.warnings.size(), 1u) << value;
    }
}

TEST(Sites, ShippedFileConfiguresEveryKeyUnderExampleCom) {
    auto s = read_sites(fs::path(QUORVEL_SOURCE_DIR) / "data" / "sites.ini");
    ASSERT_TRUE(s.ok());
    EXPECT_TRUE(s->warnings.empty());
    for (const SiteKey& k : site_keys) {
        const auto address = s->address(k.site);
        ASSERT_TRUE(address.has_value()) << k.key;
        const std::string host = address->substr(address->find("://") + 3);
        const std::string name = host.substr(0, host.find('/'));
        EXPECT_TRUE(name == "example.com" || name.ends_with(".example.com")) << k.key << " " << *address;
    }
    auto missing = read_sites(fs::path(QUORVEL_SOURCE_DIR) / "data" / "no-such-sites.ini");
    ASSERT_TRUE(missing.ok());
    EXPECT_FALSE(missing->configured(Site::maker_home));
}

}  // namespace
}  // namespace quorvel
