// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browser_detect.hpp"

#include <filesystem>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct DetectCase {
    const char* command;
    const char* result;
    const char* path;  // the browser's path afterwards
};

TEST(ChkChr, RecognisesBrowsersAndCutsTheCommand) {
    const DetectCase cases[] = {
        // The Windows handler commands: quoted, with options, either case of the whole name.
        {"\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" -nohome", "1",
         "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"},
        {"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" %1", "1",
         "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
        {"C:\\Netscape\\Program\\NETSCAPE.EXE -h \"%1\"", "2", "C:\\Netscape\\Program\\NETSCAPE.EXE"},
        {"\"C:\\Program Files\\Internet Explorer\\IExplore.exe\" -nohome", "err", ""},
        {"C:\\Netscape\\Netscape.exe", "err", ""},
        // This platform's desktop Exec lines.
        {"/usr/bin/firefox-esr %u", "2", "/usr/bin/firefox-esr"},
        {"firefox %u", "2", "firefox"},
        {"env MOZ_ENABLE_WAYLAND=1 /usr/lib/firefox/firefox %u", "2", "/usr/lib/firefox/firefox"},
        {"env -u FOO BAR=1 chromium %U", "1", "chromium"},
        {"/usr/bin/chromium-browser --enable-features=X %U", "1", "/usr/bin/chromium-browser"},
        {"\"/opt/google/chrome/google-chrome\" --incognito %U", "1", "/opt/google/chrome/google-chrome"},
        {"/usr/bin/google-chrome-stable %U", "1", "/usr/bin/google-chrome-stable"},
        // Whole names only, in lower case: neither a longer nor a capitalised name is a browser.
        {"/usr/bin/chromium-browser-wrapper %U", "err", ""},
        {"/usr/bin/Firefox %u", "err", ""},
        {"/usr/bin/epiphany %U", "err", ""},
        {"", "err", ""},
        {"%U", "err", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        BrowserValues b = browser_of_digit(0);
        std::string command = c.command;
        const std::optional<BrowserKind> kind = recognise_browser(command, b);
        EXPECT_EQ(kind ? stored_browser_kind({*kind, {}, 0}) : "err", c.result);
        EXPECT_EQ(b.path, c.path);
        if (std::string(c.result) == "err") {
            EXPECT_EQ(stored_browser_kind(b), "0");
            EXPECT_EQ(command, c.command);
        } else {
            EXPECT_EQ(stored_browser_kind(b), c.result);
            EXPECT_EQ(command, c.path);
        }
    }
}

class MapKeys final : public KeyValueSource {
  public:
    std::map<std::string, std::string> values;
    mutable std::vector<std::string> asked;
    bool read_value(std::string_view key, std::string_view, std::string& found) const override {
        asked.emplace_back(key);
        auto it = values.find(std::string(key));
        found = it == values.end() ? "" : it->second;
        return it != values.end();
    }
};

TEST(detect_default_browser, ReadsTheHttpHandlerThenTheIconKey) {
    MapKeys keys;
    BrowserValues b = browser_of_digit(0);
    detect_default_browser(keys, b, "");
    EXPECT_EQ(stored_browser_kind(b), "0") << "nothing registered leaves the values alone";
    EXPECT_EQ(keys.asked,
              (std::vector<std::string>{std::string(http_command_key), std::string(default_icon_key)}));

    keys.values[std::string(http_command_key)] = "/usr/bin/Epiphany %U";
    keys.values[std::string(default_icon_key)] = "\"C:\\IE\\iexplore.exe\",1";
    detect_default_browser(keys, b, "");
    EXPECT_EQ(stored_browser_kind(b), "1");
    EXPECT_EQ(b.path, "C:\\IE\\iexplore.exe");

    keys.values[std::string(http_command_key)] = "\"C:\\Program Files\\Netscape\\NETSCAPE.EXE\" -url \"%1\"";
    keys.asked.clear();
    detect_default_browser(keys, b, "");
    EXPECT_EQ(stored_browser_kind(b), "2");
    EXPECT_EQ(b.path, "C:\\Program Files\\Netscape\\NETSCAPE.EXE");
    EXPECT_EQ(keys.asked.size(), 1u) << "a recognised handler needs no second key";
}

TEST(detect_default_browser, TurnsABareProgramNameIntoItsPathOnPath) {
    const auto dir = std::filesystem::temp_directory_path() / "quorvel_detect_path";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "bin");
    std::ofstream(dir / "bin" / "firefox-esr") << "#!/bin/sh\n";
    std::filesystem::permissions(dir / "bin" / "firefox-esr", std::filesystem::perms::owner_all);

    MapKeys keys;
    keys.values[std::string(http_command_key)] = "firefox-esr %u";
    BrowserValues b;
    detect_default_browser(keys, b, "relative:" + (dir / "none").string() + ":" + (dir / "bin").string());
    EXPECT_EQ(stored_browser_kind(b), "2");
    EXPECT_EQ(b.path, (dir / "bin" / "firefox-esr").string());

    keys.values[std::string(http_command_key)] = "chromium %U";  // not installed there: kept as it is
    detect_default_browser(keys, b, (dir / "bin").string());
    EXPECT_EQ(b.path, "chromium");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorvel
