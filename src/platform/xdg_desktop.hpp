// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The value of `key` in the [Desktop Entry] group of a .desktop file's text, with the file
// format's escapes (\s \n \t \r \\) decoded; nothing when the key is absent.
std::optional<std::string> desktop_entry_value(std::string_view desktop_text, std::string_view key);

// Splits an Exec value into arguments as the desktop entry rules quote them: double quotes, and
// inside them a backslash before a quote, backquote, dollar or backslash.
// Field codes (%u, %U, %f …) are dropped, "%%" becomes "%".
std::vector<std::string> split_exec_line(std::string_view exec);

// The default handler of a scheme ("x-scheme-handler/http") in a mimeapps.list text: the first
// desktop id listed under [Default Applications], or nothing.
std::optional<std::string> mimeapps_default(std::string_view mimeapps_text, std::string_view mime_type);

// Where desktop files and mimeapps.list files are looked for, from the XDG environment values
// (empty values take the defaults of the base directory rules).
struct XdgDirs {
    std::vector<std::filesystem::path> config_dirs;  // user's first, for mimeapps.list
    std::vector<std::filesystem::path> data_dirs;    // user's first; desktop files are in <dir>/applications
};
XdgDirs xdg_dirs(std::string_view home, std::string_view config_home, std::string_view config_dirs,
                 std::string_view data_home, std::string_view data_dirs);

// The desktop file of a desktop id ("firefox-esr.desktop"), the first found in the data dirs.
// A "-" in an id may stand for a subdirectory ("kde4-foo.desktop" is kde4/foo.desktop).
std::optional<std::filesystem::path> find_desktop_file(const XdgDirs& dirs, std::string_view desktop_id);

// The default http handler from the mimeapps.list files alone (used when xdg-settings is absent).
std::optional<std::string> default_browser_id_from_mimeapps(const XdgDirs& dirs);

}  // namespace quorvel
