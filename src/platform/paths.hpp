#pragma once

#include <filesystem>
#include <string_view>

namespace quorvel {

// Where the program's files are. Data, help and the deployment configuration are always read from
// app_dir (the program's directory). The user's files (settings, own hotels, generated pages) go
// there too unless the directory cannot be written, as in an installed copy; then they go to a
// per-user directory.
struct AppPaths {
    std::filesystem::path app_dir;
    std::filesystem::path user_dir;

    std::filesystem::path data(std::string_view name) const { return app_dir / name; }
    std::filesystem::path user(std::string_view name) const { return user_dir / name; }
    std::filesystem::path tmp_dir() const { return user_dir / "tmp"; }
};

// app_dir itself when writable; otherwise <XDG config home>/quorvel, where the config home is
// $XDG_CONFIG_HOME or, when that is empty, $HOME/.config.
AppPaths choose_app_paths(const std::filesystem::path& app_dir, bool app_dir_writable,
                          std::string_view xdg_config_home, std::string_view home);

// True when a file can be created in dir.
bool directory_writable(const std::filesystem::path& dir);

// Removes the generated pages' directory and everything in it. Nothing is reported: it may not
// exist, or a browser may still hold a file.
void remove_directory(const std::filesystem::path& tmp_dir);

}  // namespace quorvel
