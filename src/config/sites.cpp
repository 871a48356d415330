// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/sites.hpp"

#include <algorithm>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"

namespace quorvel {

namespace {

// Why a value cannot serve as an address, or nothing when it can.
std::optional<std::string> address_problem(std::string_view value) {
    if (!starts_with(value, "http://") && !starts_with(value, "https://"))
        return "does not start with http:// or https://";
    const std::size_t host = value.find("://") + 3;
    if (host >= value.size() || value[host] == '/') return "has no host";
    for (char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7f || c == '"' || c == '\'' || c == '<' || c == '>' || c == '\\' || c == '`')
            return "holds a blank, a quote or a control character";
    }
    return std::nullopt;
}

std::string line_warning(std::size_t number, std::string_view what) {
    return std::string(sites_file_name) + " line " + std::to_string(number) + ": " + std::string(what);
}

}  // namespace

std::string_view site_key(Site site) { return site_keys[static_cast<std::size_t>(site)].key; }

std::optional<std::string> Sites::address(Site site, std::string_view path) const {
    const std::string& base = values[static_cast<std::size_t>(site)];
    if (base.empty()) return std::nullopt;
    if (!site_keys[static_cast<std::size_t>(site)].is_host || path.empty()) return base;
    std::string_view b = base;
    while (b.ends_with('/')) b.remove_suffix(1);
    std::string out(b);
    if (!path.starts_with('/')) out += '/';
    out += path;
    return out;
}

Sites read_sites_text(std::string_view text) {
    Sites sites;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a BOM left by an editor
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (raw.ends_with('\r')) raw.remove_suffix(1);
        const std::string line = trim(raw);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) {
            sites.warnings.push_back(line_warning(number, "no \"=\""));
            continue;
        }
        const std::string key = trim(std::string_view(line).substr(0, eq));
        const std::string value = trim(std::string_view(line).substr(eq + 1));
        const auto it =
            std::find_if(site_keys.begin(), site_keys.end(), [&](const SiteKey& k) { return k.key == key; });
        if (it == site_keys.end()) {
            sites.warnings.push_back(line_warning(number, "unknown key " + key + " ignored"));
            continue;
        }
        std::string& slot = sites.values[static_cast<std::size_t>(it->site)];
        if (value.empty()) {
            slot.clear();
            continue;
        }
        if (auto problem = address_problem(value)) {
            slot.clear();
            sites.warnings.push_back(line_warning(number, key + " " + *problem + "; left unconfigured"));
            continue;
        }
        slot = value;
    }
    return sites;
}

Result<Sites> read_sites(const std::filesystem::path& path) {
    auto bytes = read_file_bytes(path);
    if (!bytes) {
        if (bytes.error().code == ErrorCode::missing) return Sites{};
        return bytes.error();
    }
    return read_sites_text(as_chars(*bytes));
}

}  // namespace quorvel
