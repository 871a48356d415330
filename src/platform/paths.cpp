#include "platform/paths.hpp"

#include <system_error>

#include <unistd.h>

namespace quorvel {

namespace fs = std::filesystem;

AppPaths choose_app_paths(const fs::path& app_dir, bool app_dir_writable, std::string_view xdg_config_home,
                          std::string_view home) {
    AppPaths p{app_dir, app_dir};
    if (app_dir_writable) return p;
    const fs::path config = !xdg_config_home.empty() && xdg_config_home.front() == '/'
                                ? fs::path(xdg_config_home)
                                : fs::path(home) / ".config";
    p.user_dir = config / "quorvel";
    return p;
}

bool directory_writable(const fs::path& dir) { return ::access(dir.c_str(), W_OK | X_OK) == 0; }

void remove_directory(const fs::path& tmp_dir) {
    std::error_code ec;
    fs::remove_all(tmp_dir, ec);
}

}  // namespace quorvel
