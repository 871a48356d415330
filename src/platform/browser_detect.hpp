#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The browser that is set up: kind "1" (Internet Explorer, or on this platform the Chromium
// family), "2" (Netscape, or the Firefox family), "3" (the user does without), "" or "0" (not yet
// set up); path is the program that is started with the page as its one argument.
struct BrowserValues {
    std::string browser_kind;
    std::string browser_path;
};

inline bool browser_ready(const BrowserValues& b) { return b.browser_kind == "1" || b.browser_kind == "2"; }
inline bool browser_unset(const BrowserValues& b) { return b.browser_kind.empty() || b.browser_kind == "0"; }

// Program names of the two families this platform has, lower case as they are installed.
const std::vector<std::string>& chromium_family();
const std::vector<std::string>& firefox_family();

// Looks for a browser in a handler command. The Windows program names are looked for first, in
// exact case as they are written there ("iexplore.exe" or "IEXPLORE.EXE"); the command is then cut
// right after the name and its double quotes removed. Otherwise the command is read as a desktop
// Exec line: wrappers such as `env VAR=value` and field codes such as %U are skipped and the
// program's own name must be one of the two families, whole and in lower case. On a find,
// wk_text becomes the program, browser receives kind and path, and "1" or "2" is returned;
// otherwise "err" and nothing changes.
std::string chk_chr(std::string& wk_text, BrowserValues& browser);

// Where this platform keeps what the Windows registry holds. The only keys the program reads are
// the default http handler command ("http\shell\open\command") and "DefautIcon".
class KeyValueSource {
  public:
    virtual ~KeyValueSource() = default;
    // True with KeyVal set when the value exists; false with KeyVal empty otherwise.
    virtual bool GetKeyValue(std::string_view KeyName, std::string_view SubKeyRef,
                             std::string& KeyVal) const = 0;
};

inline constexpr std::string_view http_command_key = "http\\shell\\open\\command";
inline constexpr std::string_view default_icon_key = "DefautIcon";

// The detection run at start-up and by the re-registration button. browser changes only when a
// browser is recognised. path_env (the PATH value) turns a bare program name into a full path.
void detect_default_browser(const KeyValueSource& keys, BrowserValues& browser, std::string_view path_env);

// The first executable file called `name` in the PATH directories, or nothing.
std::optional<std::string> find_in_path(std::string_view name, std::string_view path_env);

}  // namespace quorvel
