// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browser_detect.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "platform/xdg_desktop.hpp"

namespace quorvel {

const std::vector<std::string>& chromium_family() {
    static const std::vector<std::string> names{
        "chromium",           "chromium-browser",       "google-chrome", "google-chrome-stable",
        "google-chrome-beta", "google-chrome-unstable", "chrome"};
    return names;
}

const std::vector<std::string>& firefox_family() {
    static const std::vector<std::string> names{"firefox", "firefox-esr", "firefox-bin"};
    return names;
}

namespace {

std::string without_quotes(std::string_view text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char c) { return c != '"'; });
    return out;
}

// The Windows handler commands: the program name anywhere in the text, in one of two cases.
bool find_windows_program(std::string& command, BrowserValues& browser) {
    struct Name {
        BrowserKind kind;
        const char* text;
    };
    static constexpr Name names[] = {{BrowserKind::chromium_family, "iexplore.exe"},
                                     {BrowserKind::chromium_family, "IEXPLORE.EXE"},
                                     {BrowserKind::firefox_family, "netscape.exe"},
                                     {BrowserKind::firefox_family, "NETSCAPE.EXE"}};
    for (const Name& n : names) {
        const std::string_view name = n.text;
        const auto pos = command.find(name);
        if (pos == std::string::npos) continue;
        command = without_quotes(std::string_view(command).substr(0, pos + name.size()));
        browser = BrowserValues{n.kind, command};
        return true;
    }
    return false;
}

bool is_env_assignment(const std::string& arg) {
    const auto eq = arg.find('=');
    return eq != std::string::npos && eq > 0 && arg.find('/') > eq;
}

// The program an Exec-style command starts, with `env [-options] [VAR=value…]` in front skipped.
std::string program_of(std::string_view command) {
    const std::vector<std::string> args = split_exec_line(command);
    std::size_t i = 0;
    if (i < args.size() && std::filesystem::path(args[i]).filename() == "env") {
        ++i;
        while (i < args.size() && (is_env_assignment(args[i]) || args[i].starts_with('-'))) {
            // These options of env take the next word as their value.
            const bool takes_value =
                args[i] == "-u" || args[i] == "-C" || args[i] == "--unset" || args[i] == "--chdir";
            i += takes_value ? 2 : 1;
        }
    }
    while (i < args.size() && is_env_assignment(args[i])) ++i;
    return i < args.size() ? args[i] : std::string();
}

std::optional<BrowserKind> family_kind(const std::string& program) {
    const std::string name = std::filesystem::path(program).filename().string();
    const auto in = [&name](const std::vector<std::string>& family) {
        return std::find(family.begin(), family.end(), name) != family.end();
    };
    if (in(chromium_family())) return BrowserKind::chromium_family;
    if (in(firefox_family())) return BrowserKind::firefox_family;
    return std::nullopt;
}

}  // namespace

std::optional<BrowserKind> recognise_browser(std::string& command, BrowserValues& browser) {
    if (find_windows_program(command, browser)) return browser.kind;
    const std::string program = program_of(command);
    const std::optional<BrowserKind> kind = program.empty() ? std::nullopt : family_kind(program);
    if (!kind) return std::nullopt;
    command = program;
    browser = BrowserValues{*kind, program};
    return kind;
}

BrowserValues browser_of_digit(int digit, std::string path) {
    static constexpr BrowserKind kinds[] = {BrowserKind::not_set, BrowserKind::chromium_family,
                                            BrowserKind::firefox_family, BrowserKind::none_wanted};
    if (digit >= 0 && digit <= 3) return {kinds[digit], std::move(path)};
    return {BrowserKind::unrecognised, std::move(path), digit};
}

std::string stored_browser_kind(const BrowserValues& browser) {
    switch (browser.kind) {
        case BrowserKind::never_chosen:
            return "";
        case BrowserKind::not_set:
            return "0";
        case BrowserKind::chromium_family:
            return "1";
        case BrowserKind::firefox_family:
            return "2";
        case BrowserKind::none_wanted:
            return "3";
        case BrowserKind::unrecognised:
            break;
    }
    return std::to_string(browser.unrecognised_digit);
}

std::optional<std::string> find_in_path(std::string_view name, std::string_view path_env) {
    if (name.empty() || name.find('/') != std::string_view::npos) return std::nullopt;
    std::size_t start = 0;
    while (start <= path_env.size()) {
        auto end = path_env.find(':', start);
        if (end == std::string_view::npos) end = path_env.size();
        const std::string_view dir = path_env.substr(start, end - start);
        if (!dir.empty() && dir.front() == '/') {
            const std::filesystem::path candidate = std::filesystem::path(dir) / name;
            std::error_code ec;
            if (std::filesystem::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0)
                return candidate.string();
        }
        start = end + 1;
    }
    return std::nullopt;
}

void detect_default_browser(const KeyValueSource& keys, BrowserValues& browser, std::string_view path_env) {
    std::string found;
    std::optional<BrowserKind> result;
    if (keys.read_value(http_command_key, "", found)) result = recognise_browser(found, browser);
    if (!result && keys.read_value(default_icon_key, "", found)) result = recognise_browser(found, browser);
    if (!result) return;
    // A desktop entry usually names its program without a directory; the settings keep a full path.
    if (auto full = find_in_path(browser.path, path_env)) browser.path = *full;
}

}  // namespace quorvel
