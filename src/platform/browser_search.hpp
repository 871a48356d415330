// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// The roots the browser search walks, in order: the PATH directories, then /usr, /opt, /snap and
// /usr/local. Relative, repeated and kernel (/proc, /sys, /dev) directories are left out.
std::vector<std::filesystem::path> browser_search_roots(std::string_view path_env);

// True for directories the search never enters.
bool is_pseudo_file_system(const std::filesystem::path& dir);

// The program file names a choice of the set-up window searches for, upper case: option 1
// (the Chromium family) or option 2 (the Firefox family).
std::vector<std::string> search_targets_for(int option);

// A depth-first search for a browser's program file. Every file name is compared in upper case
// with the targets; only executable files count. Symbolic links to directories are not followed
// and a directory is walked once, so loops and bind mounts cannot make it run forever.
class BrowserSearch {
  public:
    using Visit = std::function<void(const std::filesystem::path& file)>;

    BrowserSearch(std::vector<std::string> targets_upper, Visit on_file)
        : targets_(std::move(targets_upper)), on_file_(std::move(on_file)) {}

    // Walks current: its files first, in listing order, then its subdirectories. hit
    // becomes 1 when the file is found; search_target() then holds its full path.
    void search_tree(const std::filesystem::path& current, int& hit);

    // Walks the roots in order and stops after the first that holds the file.
    bool search(const std::vector<std::filesystem::path>& roots);

    // Ends a running search at the next file (the user closed the window).
    void stop() { stopped_ = true; }

    const std::string& search_target() const { return search_target_; }
    long files_seen() const { return files_seen_; }

  private:
    bool matches(const std::filesystem::directory_entry& entry) const;

    std::vector<std::string> targets_;
    Visit on_file_;
    std::string search_target_;
    std::set<std::pair<unsigned long long, unsigned long long>> walked_;  // (device, inode)
    long files_seen_ = 0;
    bool stopped_ = false;
};

}  // namespace quorvel
