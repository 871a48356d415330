// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string_view>

namespace quorvel {

// Where the program's files are. Data, help and the deployment configuration are always read from
// app_dir (the program's directory). The user's files (settings, own hotels, generated pages) go to
// a per-user directory, except in a build tree, where they stay beside the programs.
struct AppPaths {
    std::filesystem::path app_dir;
    std::filesystem::path user_dir;

    std::filesystem::path data(std::string_view name) const { return app_dir / name; }
    std::filesystem::path user(std::string_view name) const { return user_dir / name; }
    std::filesystem::path tmp_dir() const { return user_dir / "tmp"; }
};

// The user's files: app_dir itself in a build tree; otherwise <XDG config home>/quorvel, where the
// config home is $XDG_CONFIG_HOME or, when that is empty or relative, $HOME/.config.
AppPaths choose_app_paths(const std::filesystem::path& app_dir, bool build_tree,
                          std::string_view xdg_config_home, std::string_view home);

// The build writes this file beside the programs; an installed copy never has it. (A writable
// program folder is no sign: root can write into an installed one.)
inline constexpr std::string_view build_tree_marker = "quorvel-build-tree";
bool is_build_tree(const std::filesystem::path& app_dir);

// Removes the generated pages' directory and everything in it. Nothing is reported: it may not
// exist, or a browser may still hold a file.
void remove_directory(const std::filesystem::path& tmp_dir);

}  // namespace quorvel
