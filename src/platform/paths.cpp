// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paths.hpp"

#include <system_error>

namespace quorvel {

namespace fs = std::filesystem;

AppPaths choose_app_paths(const fs::path& app_dir, bool build_tree, std::string_view xdg_config_home,
                          std::string_view home) {
    AppPaths p{app_dir, app_dir};
    if (build_tree) return p;
    const fs::path config = !xdg_config_home.empty() && xdg_config_home.front() == '/'
                                ? fs::path(xdg_config_home)
                                : fs::path(home) / ".config";
    p.user_dir = config / "quorvel";
    return p;
}

bool is_build_tree(const fs::path& app_dir) {
    std::error_code ec;
    return fs::is_regular_file(app_dir / build_tree_marker, ec);
}

void remove_directory(const fs::path& tmp_dir) {
    std::error_code ec;
    fs::remove_all(tmp_dir, ec);
}

}  // namespace quorvel
