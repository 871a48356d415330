// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browser_search.hpp"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/paths.hpp"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class SearchTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("quorvel_search_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path file(const fs::path& rel, bool executable = true) {
        fs::create_directories((root_ / rel).parent_path());
        std::ofstream(root_ / rel) << "x";
        fs::permissions(root_ / rel,
                        executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
        return root_ / rel;
    }

    fs::path root_;
};

TEST_F(SearchTree, FindsALowerCaseProgramFileComparedInUpperCase) {
    file("a/readme.txt");
    const fs::path target = file("b/c/iexplore.exe");
    std::vector<fs::path> seen;
    BrowserSearch search(search_targets_for(1), [&](const fs::path& p) { seen.push_back(p); });
    int hit = 0;
    search.search_tree(root_, hit);
    EXPECT_EQ(hit, 1);
    EXPECT_EQ(search.search_target(), target.string());
    EXPECT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), target) << "the search stops at the find";
}

TEST_F(SearchTree, FilesComeBeforeSubdirectoriesAndOnlyProgramsCount) {
    file("deep/firefox");    // found only when nothing shallower matches
    file("firefox", false);  // not executable: a data file of that name
    file("share/firefox.png");
    const fs::path shallow = file("FireFox-ESR");  // upper-cased comparison finds it
    BrowserSearch search(search_targets_for(2), nullptr);
    int hit = 0;
    search.search_tree(root_, hit);
    EXPECT_EQ(search.search_target(), shallow.string());

    BrowserSearch chromium(search_targets_for(1), nullptr);
    hit = 0;
    chromium.search_tree(root_, hit);
    EXPECT_EQ(hit, 0);
    EXPECT_EQ(chromium.search_target(), "");
}

TEST_F(SearchTree, SymbolicLinkLoopsEndAndLinkedProgramsAreFound) {
    fs::create_directories(root_ / "x/y");
    fs::create_directory_symlink(root_ / "x", root_ / "x/y/loop");
    fs::create_directory_symlink(root_, root_ / "x/up");
    const fs::path real = file("opt/chromium/chrome");
    fs::create_symlink(real, root_ / "x/y/chromium");
    BrowserSearch search(search_targets_for(1), nullptr);
    int hit = 0;
    search.search_tree(root_, hit);
    EXPECT_EQ(hit, 1);
    EXPECT_EQ(search.search_target(), (root_ / "x/y/chromium").string());
    EXPECT_LT(search.files_seen(), 10);
}

TEST_F(SearchTree, RootsAreWalkedInOrderAndEachDirectoryOnce) {
    file("first/bin/tool");
    const fs::path found = file("second/netscape.exe");
    file("third/netscape.exe");
    long visits = 0;
    BrowserSearch search(search_targets_for(2), [&](const fs::path&) { ++visits; });
    EXPECT_TRUE(search.search(
        {root_ / "missing", root_ / "first", root_ / "first/bin", root_ / "second", root_ / "third"}));
    EXPECT_EQ(search.search_target(), found.string());
    EXPECT_EQ(visits, 2) << "first/bin is not walked a second time";
}

TEST(BrowserSearchRoots, PathFirstThenTheSystemTreesNeverTheKernelOnes) {
    const auto roots = browser_search_roots("/usr/local/bin:/usr/bin:bin::/proc/self:/usr/bin/:/dev");
    const std::vector<fs::path> expected{"/usr/local/bin", "/usr/bin", "/usr", "/opt", "/snap", "/usr/local"};
    EXPECT_EQ(roots, expected);
    EXPECT_TRUE(is_pseudo_file_system("/sys/class"));
    EXPECT_TRUE(is_pseudo_file_system("/usr/../proc"));
    EXPECT_FALSE(is_pseudo_file_system("/usr/share/dev"));
}

TEST(AppPaths, UserFilesStayBesideTheProgramsOnlyInABuildTree) {
    auto p = choose_app_paths("/opt/quorvel", true, "/cfg", "/home/u");
    EXPECT_EQ(p.user("quorvel6.ini"), fs::path("/opt/quorvel/quorvel6.ini"));
    p = choose_app_paths("/opt/quorvel", false, "/cfg", "/home/u");
    EXPECT_EQ(p.user("quorvel6.ini"), fs::path("/cfg/quorvel/quorvel6.ini"));
    EXPECT_EQ(p.data("timedata.dat"), fs::path("/opt/quorvel/timedata.dat"));
    EXPECT_EQ(choose_app_paths("/opt/q", false, "", "/home/u").tmp_dir(),
              fs::path("/home/u/.config/quorvel/tmp"));
    EXPECT_EQ(choose_app_paths("/opt/q", false, "rel", "/home/u").user_dir,
              fs::path("/home/u/.config/quorvel"));
    EXPECT_TRUE(is_build_tree(QUORVEL_BIN_DIR));
    EXPECT_FALSE(is_build_tree("/usr/bin"));
}

TEST_F(SearchTree, DelFileRemovesTheGeneratedPagesAndIgnoresAMissingDirectory) {
    file("tmp/a.htm");
    file("tmp/sub/b.htm");
    remove_directory(root_ / "tmp");
    EXPECT_FALSE(fs::exists(root_ / "tmp"));
    remove_directory(root_ / "tmp");  // nothing to remove: no error
}

}  // namespace
}  // namespace quorvel
