// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"

namespace quorvel {

// The web addresses that belong to the deployment rather than to the program: the maker's pages of
// the main menu, the hosts the seat-enquiry relay pages post to, and the hotel services' hosts.
// They live in sites.ini beside the program (UTF-8, key=value lines, '#' starts a comment), so a
// deployment can point them elsewhere (tests point the airline hosts at a local server).

inline constexpr std::string_view sites_file_name = "sites.ini";

enum class Site : std::size_t {
    maker_home,          // the help menu's web page "ﾎｰﾑﾍﾟｰｼﾞ"
    maker_timetable,     // the help menu's web page "国内線時刻表"
    maker_shinkansen,    // the help menu's web page "新幹線時刻表"
    maker_hotel,         // the help menu's web page "出張者向けﾎﾃﾙ情報"
    maker_download,      // the help menu's web page "ﾀﾞｳﾝﾛｰﾄﾞ"
    jal_inquiry,         // JAL seat enquiry; the relay page appends its form path
    ana_inquiry,         // ANA seat enquiry
    jas_inquiry,         // JAS seat enquiry
    tabinomado_info,     // "旅の窓口" hotel information pages
    tabinomado_reserve,  // "旅の窓口" reservation
    bestreserve,         // "ベストリザーブ"
};
inline constexpr std::size_t site_count = 11;

struct SiteKey {
    Site site;
    std::string_view key;  // the key in sites.ini
    bool is_host;          // true: a base address that paths are appended to; false: a whole page address
};

inline constexpr std::array<SiteKey, site_count> site_keys = {{
    {Site::maker_home, "maker_home_url", false},
    {Site::maker_timetable, "maker_timetable_url", false},
    {Site::maker_shinkansen, "maker_shinkansen_url", false},
    {Site::maker_hotel, "maker_hotel_url", false},
    {Site::maker_download, "maker_download_url", false},
    {Site::jal_inquiry, "jal_inquiry_host", true},
    {Site::ana_inquiry, "ana_inquiry_host", true},
    {Site::jas_inquiry, "jas_inquiry_host", true},
    {Site::tabinomado_info, "tabinomado_info_host", true},
    {Site::tabinomado_reserve, "tabinomado_reserve_host", true},
    {Site::bestreserve, "bestreserve_host", true},
}};

std::string_view site_key(Site site);

struct Sites {
    // Indexed by Site; empty = not configured.
    std::array<std::string, site_count> values;
    // Lines that were ignored, with their line numbers (unknown keys, bad addresses, no "=").
    std::vector<std::string> warnings;

    bool configured(Site site) const { return !values[static_cast<std::size_t>(site)].empty(); }

    // The address of a page: for a host, the configured base followed by `path` (which starts with
    // "/"); for a whole page address, the value itself. Nothing when the site is not configured, so
    // the command can say so instead of opening a broken address.
    std::optional<std::string> address(Site site, std::string_view path = {}) const;
};

// Reads the text of a sites.ini. Values must be http:// or https:// addresses without blanks,
// quotes or control characters, since they end up on the browser's command line; anything else
// leaves its key unconfigured and adds a warning.
Sites read_sites_text(std::string_view utf8);
// The same from a file; a missing file configures nothing. Only a file that exists but cannot be
// read is an error.
Result<Sites> read_sites(const std::filesystem::path& path);

}  // namespace quorvel
