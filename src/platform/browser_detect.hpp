// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// How the user's browser was chosen. The settings file keeps it as one digit: "" (never asked),
// "0" (not set up), "1" (the Chromium family), "2" (the Firefox family), "3" (the user does
// without); any other digit is kept as read and written back.
enum class BrowserKind { never_chosen, not_set, chromium_family, firefox_family, none_wanted, unrecognised };

// The browser that is set up; path is the program that is started with the page as its one
// argument.
struct BrowserValues {
    BrowserKind kind = BrowserKind::never_chosen;
    std::string path;
    int unrecognised_digit = 0;  // the stored digit of an unrecognised kind
    bool operator==(const BrowserValues&) const = default;
};

// The kind from the digit the settings file holds, and back.
BrowserValues browser_of_digit(int digit, std::string path = {});
std::string stored_browser_kind(const BrowserValues& browser);

inline bool browser_ready(const BrowserValues& b) {
    return b.kind == BrowserKind::chromium_family || b.kind == BrowserKind::firefox_family;
}
inline bool browser_unset(const BrowserValues& b) {
    return b.kind == BrowserKind::never_chosen || b.kind == BrowserKind::not_set;
}

// Program names of the two families this platform has, lower case as they are installed.
const std::vector<std::string>& chromium_family();
const std::vector<std::string>& firefox_family();

// Looks for a browser in a handler command. The Windows program names are looked for first, in
// exact case as they are written there ("iexplore.exe" or "IEXPLORE.EXE"); the command is then cut
// right after the name and its double quotes removed. Otherwise the command is read as a desktop
// Exec line: wrappers such as `env VAR=value` and field codes such as %U are skipped and the
// program's own name must be one of the two families, whole and in lower case. On a find,
// command becomes the program, browser receives kind and path, and the kind is returned;
// otherwise nothing, and nothing changes.
std::optional<BrowserKind> recognise_browser(std::string& command, BrowserValues& browser);

// Where this platform keeps what the Windows registry holds. The only keys the program reads are
// the default http handler command ("http\shell\open\command") and "DefautIcon".
class KeyValueSource {
  public:
    virtual ~KeyValueSource() = default;
    // True with found set when the value exists; false with found empty otherwise.
    virtual bool read_value(std::string_view key, std::string_view sub_key, std::string& found) const = 0;
};

inline constexpr std::string_view http_command_key = "http\\shell\\open\\command";
inline constexpr std::string_view default_icon_key = "DefautIcon";

// The detection run at start-up and by the re-registration button. browser changes only when a
// browser is recognised. path_env (the PATH value) turns a bare program name into a full path.
void detect_default_browser(const KeyValueSource& keys, BrowserValues& browser, std::string_view path_env);

// The first executable file called `name` in the PATH directories, or nothing.
std::optional<std::string> find_in_path(std::string_view name, std::string_view path_env);

}  // namespace quorvel
