// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browser_search.hpp"

#include <algorithm>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "common/text.hpp"
#include "platform/browser_detect.hpp"

namespace quorvel {

namespace fs = std::filesystem;

bool is_pseudo_file_system(const fs::path& dir) {
    const fs::path norm = dir.lexically_normal();
    auto it = norm.begin();
    if (it == norm.end() || *it != "/") return false;
    ++it;
    return it != norm.end() && (*it == "proc" || *it == "sys" || *it == "dev");
}

std::vector<fs::path> browser_search_roots(std::string_view path_env) {
    std::vector<fs::path> roots;
    const auto add = [&roots](const fs::path& p) {
        if (!p.is_absolute() || is_pseudo_file_system(p)) return;
        fs::path norm = p.lexically_normal();
        if (norm.has_filename() == false && norm != "/") norm = norm.parent_path();
        if (std::find(roots.begin(), roots.end(), norm) == roots.end()) roots.push_back(norm);
    };
    std::size_t start = 0;
    while (start < path_env.size()) {
        auto end = path_env.find(':', start);
        if (end == std::string_view::npos) end = path_env.size();
        if (end > start) add(fs::path(path_env.substr(start, end - start)));
        start = end + 1;
    }
    for (const char* r : {"/usr", "/opt", "/snap", "/usr/local"}) add(r);
    return roots;
}

std::vector<std::string> search_targets_for(int option) {
    std::vector<std::string> targets{option == 1 ? "IEXPLORE.EXE" : "NETSCAPE.EXE"};
    for (const auto& n : option == 1 ? chromium_family() : firefox_family())
        targets.push_back(to_upper_ascii(n));
    return targets;
}

bool BrowserSearch::matches(const fs::directory_entry& entry) const {
    const std::string upper = to_upper_ascii(entry.path().filename().string());
    if (std::find(targets_.begin(), targets_.end(), upper) == targets_.end()) return false;
    return ::access(entry.path().c_str(), X_OK) == 0;
}

void BrowserSearch::search_tree(const fs::path& current, int& hit) {
    if (is_pseudo_file_system(current)) return;
    struct stat st {};
    if (::stat(current.c_str(), &st) != 0) return;
    if (!walked_
             .insert({static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)})
             .second)
        return;

    std::vector<fs::path> subdirs;
    std::error_code ec;
    fs::directory_iterator it(current, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && !stopped_ && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::error_code e2;
        if (entry.is_symlink(e2)) {
            // A link counts as the file it names, but a linked directory is never entered.
            if (!entry.is_regular_file(e2)) continue;
        } else if (entry.is_directory(e2)) {
            subdirs.push_back(entry.path());
            continue;
        } else if (!entry.is_regular_file(e2)) {
            continue;
        }
        ++files_seen_;
        if (on_file_) on_file_(entry.path());
        if (matches(entry)) {
            hit = 1;
            search_target_ = entry.path().string();
            return;
        }
    }
    for (const auto& dir : subdirs) {
        search_tree(dir, hit);
        if (hit == 1 || stopped_) return;
    }
}

bool BrowserSearch::search(const std::vector<fs::path>& roots) {
    for (const auto& root : roots) {
        int hit = 0;
        search_tree(root, hit);
        if (hit == 1) return true;
        if (stopped_) return false;
    }
    return false;
}

}  // namespace quorvel
