// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg_desktop.hpp"

#include <system_error>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"

namespace quorvel {

namespace {

std::string decode_value_escapes(std::string_view v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        switch (v[++i]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                out += '\\';
                out += v[i];
                break;
        }
    }
    return out;
}

// Calls f(group, key, value) for every key line of an ini-like text; returns early when f is true.
template <class F>
void for_each_key(std::string_view text, F f) {
    std::string group;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line = trim(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            group =
                line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1);
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (f(group, trim(std::string_view(line).substr(0, eq)), trim(std::string_view(line).substr(eq + 1))))
            return;
    }
}

std::vector<std::filesystem::path> split_dirs(std::string_view list) {
    std::vector<std::filesystem::path> dirs;
    std::size_t start = 0;
    while (start < list.size()) {
        auto end = list.find(':', start);
        if (end == std::string_view::npos) end = list.size();
        if (end > start && list[start] == '/') dirs.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return dirs;
}

std::optional<std::string> read_text(const std::filesystem::path& file) {
    auto bytes = read_file_bytes(file);
    if (!bytes) return std::nullopt;
    return std::string(as_chars(*bytes));
}

}  // namespace

std::optional<std::string> desktop_entry_value(std::string_view desktop_text, std::string_view key) {
    std::optional<std::string> value;
    for_each_key(desktop_text, [&](const std::string& group, const std::string& k, const std::string& v) {
        if (group != "Desktop Entry" || k != key) return false;
        value = decode_value_escapes(v);
        return true;
    });
    return value;
}

std::vector<std::string> split_exec_line(std::string_view exec) {
    std::vector<std::string> args;
    std::string current;
    bool in_arg = false, quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '\\' && i + 1 < exec.size() &&
                std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos)
                current += exec[++i];
            else if (c == '"')
                quoted = false;
            else
                current += c;
        } else if (c == '"') {
            quoted = in_arg = true;
        } else if (c == ' ' || c == '\t') {
            if (in_arg) args.push_back(current);
            current.clear();
            in_arg = false;
        } else if (c == '%' && i + 1 < exec.size()) {
            // Field codes stand for what the launcher fills in; we pass our own argument instead.
            if (exec[++i] == '%') current += '%';
            in_arg = true;
        } else {
            current += c;
            in_arg = true;
        }
    }
    if (in_arg) args.push_back(current);
    std::erase_if(args, [](const std::string& a) { return a.empty(); });
    return args;
}

std::optional<std::string> mimeapps_default(std::string_view mimeapps_text, std::string_view mime_type) {
    std::optional<std::string> id;
    for_each_key(mimeapps_text, [&](const std::string& group, const std::string& k, const std::string& v) {
        if (group != "Default Applications" || k != mime_type) return false;
        const std::string first = trim(std::string_view(v).substr(0, v.find(';')));
        if (first.empty()) return false;
        id = first;
        return true;
    });
    return id;
}

XdgDirs xdg_dirs(std::string_view home, std::string_view config_home, std::string_view config_dirs,
                 std::string_view data_home, std::string_view data_dirs) {
    XdgDirs d;
    const std::filesystem::path h(home);
    d.config_dirs.push_back(config_home.empty() ? h / ".config" : std::filesystem::path(config_home));
    for (auto& p : split_dirs(config_dirs.empty() ? "/etc/xdg" : config_dirs)) d.config_dirs.push_back(p);
    d.data_dirs.push_back(data_home.empty() ? h / ".local/share" : std::filesystem::path(data_home));
    for (auto& p : split_dirs(data_dirs.empty() ? "/usr/local/share:/usr/share" : data_dirs))
        d.data_dirs.push_back(p);
    return d;
}

std::optional<std::filesystem::path> find_desktop_file(const XdgDirs& dirs, std::string_view desktop_id) {
    if (desktop_id.empty() || desktop_id.find('/') != std::string_view::npos) return std::nullopt;
    for (const auto& dir : dirs.data_dirs) {
        const auto apps = dir / "applications";
        std::error_code ec;
        if (std::filesystem::is_regular_file(apps / desktop_id, ec)) return apps / desktop_id;
        // Subdirectories turn into "-" in an id; try each split from the left.
        std::string id(desktop_id);
        for (auto dash = id.find('-'); dash != std::string::npos; dash = id.find('-', dash + 1)) {
            std::string rel = id;
            rel[dash] = '/';
            if (std::filesystem::is_regular_file(apps / rel, ec)) return apps / rel;
        }
    }
    return std::nullopt;
}

std::optional<std::string> default_browser_id_from_mimeapps(const XdgDirs& dirs) {
    std::vector<std::filesystem::path> files;
    for (const auto& d : dirs.config_dirs) files.push_back(d / "mimeapps.list");
    for (const auto& d : dirs.data_dirs) files.push_back(d / "applications" / "mimeapps.list");
    for (const auto& f : files) {
        if (auto text = read_text(f))
            if (auto id = mimeapps_default(*text, "x-scheme-handler/http")) return id;
    }
    return std::nullopt;
}

}  // namespace quorvel
