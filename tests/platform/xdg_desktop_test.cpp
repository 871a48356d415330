// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg_desktop.hpp"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(DesktopEntry, ReadsTheExecOfTheMainGroupOnly) {
    const std::string text =
        "# comment\r\n[Desktop Entry]\r\nName=Firefox ESR\r\nExec=/usr/lib/firefox-esr/firefox-esr %u\r\n"
        "Icon=firefox-esr\r\n\r\n[Desktop Action new-window]\r\nExec=/usr/lib/firefox-esr/firefox-esr "
        "--new-window %u\r\n";
    EXPECT_EQ(desktop_entry_value(text, "Exec"), "/usr/lib/firefox-esr/firefox-esr %u");
    EXPECT_EQ(desktop_entry_value(text, "Icon"), "firefox-esr");
    EXPECT_FALSE(desktop_entry_value(text, "TryExec"));
    EXPECT_FALSE(desktop_entry_value("[Other]\nExec=x\n", "Exec"));
    EXPECT_EQ(desktop_entry_value("[Desktop Entry]\nExec=a\\sb \\\\x\n", "Exec"), "a b \\x");
}

TEST(DesktopEntry, SplitsExecLinesAsTheLauncherDoes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(split_exec_line("firefox %u"), (V{"firefox"}));
    EXPECT_EQ(split_exec_line("  chromium   --flag  %U "), (V{"chromium", "--flag"}));
    EXPECT_EQ(split_exec_line("\"/opt/My Browser/chrome\" --x=\"a b\" %U"),
              (V{"/opt/My Browser/chrome", "--x=a b"}));
    EXPECT_EQ(split_exec_line("\"a\\\"q\\\\\" 100%%"), (V{"a\"q\\", "100%"}));
    EXPECT_EQ(split_exec_line(""), V{});
}

TEST(MimeApps, FindsTheDefaultHttpHandler) {
    const std::string text =
        "[Added Associations]\nx-scheme-handler/http=other.desktop;\n"
        "[Default "
        "Applications]\ntext/html=firefox.desktop\nx-scheme-handler/http=chromium.desktop;firefox.desktop;\n";
    EXPECT_EQ(mimeapps_default(text, "x-scheme-handler/http"), "chromium.desktop");
    EXPECT_FALSE(mimeapps_default(text, "x-scheme-handler/ftp"));
    EXPECT_FALSE(
        mimeapps_default("[Default Applications]\nx-scheme-handler/http=\n", "x-scheme-handler/http"));
}

TEST(MimeApps, UserFilesComeFirstAndDesktopIdsMayNameSubdirectories) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "quorvel_xdg_test";
    fs::remove_all(root);
    fs::create_directories(root / "home/.config");
    fs::create_directories(root / "etc");
    fs::create_directories(root / "share/applications/kde4");
    std::ofstream(root / "etc/mimeapps.list")
        << "[Default Applications]\nx-scheme-handler/http=sys.desktop\n";
    std::ofstream(root / "share/applications/kde4/konq.desktop") << "[Desktop Entry]\nExec=konqueror\n";

    const XdgDirs dirs =
        xdg_dirs((root / "home").string(), "", (root / "etc").string(), "", (root / "share").string());
    EXPECT_EQ(default_browser_id_from_mimeapps(dirs), "sys.desktop");
    std::ofstream(root / "home/.config/mimeapps.list")
        << "[Default Applications]\nx-scheme-handler/http=me.desktop\n";
    EXPECT_EQ(default_browser_id_from_mimeapps(dirs), "me.desktop");

    EXPECT_EQ(find_desktop_file(dirs, "kde4-konq.desktop"), root / "share/applications/kde4/konq.desktop");
    EXPECT_FALSE(find_desktop_file(dirs, "missing.desktop"));
    EXPECT_FALSE(find_desktop_file(dirs, "../etc/x.desktop"));
    fs::remove_all(root);
}

}  // namespace
}  // namespace quorvel
