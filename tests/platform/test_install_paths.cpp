// Where an installed game keeps the player's files, and the write folder
// the saved game and the score go through.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "platform/files.h"
#include "platform/install_paths.h"
#include "support/headless_game.h"

namespace {

struct FolderCase {
    const char* what;
    const char* xdgDataHome;
    const char* home;
    const char* expected;
};

TEST(PlayerFolder, FollowsTheXdgRules) {
    const FolderCase cases[] = {{"XDG_DATA_HOME set", "/x/data", "/home/ann", "/x/data/varnholt"},
                                {"unset", nullptr, "/home/ann", "/home/ann/.local/share/varnholt"},
                                {"empty", "", "/home/ann", "/home/ann/.local/share/varnholt"},
                                {"relative", "data", "/home/ann", "/home/ann/.local/share/varnholt"},
                                {"HOME with a slash", nullptr, "/home/ann/", "/home/ann/.local/share/varnholt"},
                                {"no HOME", nullptr, nullptr, ""},
                                {"relative HOME", "", "ann", ""}};
    for (const FolderCase& c : cases) EXPECT_EQ(playerDataDirectory(c.xdgDataHome, c.home), c.expected) << c.what;
}

TEST(WriteFolder, IsMadeForThePlayerAloneWhenFirstUsed) {
    const std::string folder = testing_support::scratchDirectory("write_folder");
    setWriteDirectory(folder + "/a/b");
    EXPECT_EQ(writePath("score.slf"), folder + "/a/b/score.slf");
    struct stat info {};
    ASSERT_EQ(::stat((folder + "/a/b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat((folder + "/a").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    setWriteDirectory("");
    EXPECT_EQ(writePath("score.slf"), "score.slf");
}

}  // namespace
