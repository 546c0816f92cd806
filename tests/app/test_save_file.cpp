// The saved game: its 19 bytes, its messages, and what it never destroys.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/save_file.h"
#include "app/startup.h"
#include "app/window_commands.h"
#include "platform/files.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

const std::vector<uint8_t> startRecord = {0x0F, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x28, 0x23, 0x00, 0x00,
                                          0x28, 0x23, 0x00, 0x00, 0x01, 0x01, 0x00, 0x01, 0x00};

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        scene = 1;
        folder = testing_support::scratchDirectory("save_file");
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous = here;
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override {
        limitFileWrites(-1);
        ASSERT_EQ(chdir(previous.c_str()), 0);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const RecordedEvent& e : backend->events()) {
            if (e.kind == RecordedKind::Message) texts.push_back(e.text);
        }
        return texts;
    }
    std::vector<uint8_t> file() const {
        std::vector<uint8_t> bytes;
        readWholeFile(saveFileName, bytes);
        return bytes;
    }
    HeadlessBackend* backend = nullptr;
    std::string folder, previous;
};

const char* const loaded = "　ＬＯＡＤしました\n\n洞窟の外に戻ります";

TEST_F(SaveFile, SavesTheStartStatisticsAsNineteenBytes) {
    saveGame();
    EXPECT_EQ(file(), startRecord);
    EXPECT_EQ(messages(), std::vector<std::string>{"ＳＡＶＥしました"});
}

TEST_F(SaveFile, LoadsHalfTheHitPointsAndStaminaAndGoesBackOutside) {
    testing_support::writeFile(saveFileName, startRecord);
    areaId = 11;
    fallCount = 4;
    hp = 3;
    loadGame();
    EXPECT_EQ(maxHp, 15);
    EXPECT_EQ(hp, 7);
    EXPECT_EQ(maxStamina, 9000);
    EXPECT_EQ(stamina, 4500);
    EXPECT_EQ(fadingOut, 1);
    EXPECT_EQ(areaId, 40);
    EXPECT_EQ(entrySide, 0);
    EXPECT_EQ(fallCount, 0);
    EXPECT_EQ(messages(), std::vector<std::string>{loaded});
}

TEST_F(SaveFile, LoadingAfterDeathBringsThePlayerBack) {
    testing_support::writeFile(saveFileName, startRecord);
    hp = -3;
    playing = 0;
    loadGame();
    EXPECT_EQ(playing, 1);
    EXPECT_EQ(hp, 7);
}

TEST_F(SaveFile, AWriteThatStopsShortLeavesTheOldSaveByteForByte) {
    const std::vector<uint8_t> old = {0x20, 0x00, 0x10, 0x00, 0x05, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 3, 4, 5, 1, 2};
    testing_support::writeFile(saveFileName, old);
    limitFileWrites(10);
    saveGame();
    EXPECT_EQ(file(), old);
    EXPECT_EQ(messages(), std::vector<std::string>{"ＳＡＶＥできません"});
}

TEST_F(SaveFile, ADeadPlayerIsNotSaved) {
    testing_support::writeFile(saveFileName, startRecord);
    hp = 0;
    playing = 0;
    saveGame();
    EXPECT_EQ(file(), startRecord);
    EXPECT_EQ(messages(), std::vector<std::string>{"ＳＡＶＥできません"});
}

TEST_F(SaveFile, ALongerFileKeepsWhatFollowsTheRecord) {
    std::vector<uint8_t> longer(25, 0xEE);
    testing_support::writeFile(saveFileName, longer);
    saveGame();
    std::vector<uint8_t> expected = startRecord;
    expected.resize(25, 0xEE);
    EXPECT_EQ(file(), expected);
}

TEST_F(SaveFile, NoFileIsCreatedEmptyAndHoldsNoSave) {
    loadGame();
    EXPECT_TRUE(file().empty());
    EXPECT_EQ(messages(), (std::vector<std::string>{loaded, "ＳＡＶＥされていません"}));
    EXPECT_EQ(fadingOut, 0);
    EXPECT_EQ(hp, 15);
}

TEST_F(SaveFile, AnEarlierSaveOfThisRunIsLoadedFromAnEmptyFile) {
    saveGame();
    testing_support::writeFile(saveFileName, {});
    hp = 2;
    loadGame();
    EXPECT_EQ(hp, 7);
    EXPECT_EQ(fadingOut, 1);
}

class SaveFileRefuses : public SaveFile, public ::testing::WithParamInterface<std::vector<uint8_t>> {};

TEST_P(SaveFileRefuses, ADamagedRecordAndRestoresNothing) {
    testing_support::writeFile(saveFileName, GetParam());
    hp = 5;
    loadGame();
    EXPECT_EQ(hp, 5);
    EXPECT_EQ(fadingOut, 0);
    EXPECT_EQ(messages().back(), "ＳＡＶＥされていません");
    EXPECT_EQ(file(), GetParam()) << "loading never changes the file";
}

std::vector<uint8_t> withByte(int at, uint8_t value) {
    std::vector<uint8_t> record = startRecord;
    record[at] = value;
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    Records, SaveFileRefuses,
    ::testing::Values(std::vector<uint8_t>(startRecord.begin(), startRecord.begin() + 1),
                      std::vector<uint8_t>(startRecord.begin(), startRecord.begin() + 6),
                      std::vector<uint8_t>(startRecord.begin(), startRecord.begin() + 10),
                      std::vector<uint8_t>(startRecord.begin(), startRecord.begin() + 18),
                      withByte(0, 0), withByte(18, 3), withByte(17, 2)));

TEST_F(SaveFile, AShortFileSaysItCouldNotLoad) {
    testing_support::writeFile(saveFileName, std::vector<uint8_t>(startRecord.begin(), startRecord.begin() + 10));
    loadGame();
    EXPECT_EQ(messages(), (std::vector<std::string>{"ＬＯＡＤできません", "ＳＡＶＥされていません"}));
}

struct KeyCase {
    const char* what;
    int32_t scene, fadingOut, fadingIn;
    bool acts;
};

class SaveKey : public SaveFile, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(SaveKey, WorksOnlyInPlayOutsideFades) {
    const KeyCase& c = GetParam();
    HeadlessOptions options;
    std::string error;
    ASSERT_TRUE(parseInputScript("1 F7\n", options.script, error));
    backend = &testing_support::freshHeadlessGame(options);
    ASSERT_EQ(chdir(folder.c_str()), 0);
    hp = 15;
    scene = c.scene;
    fadingOut = c.fadingOut;
    fadingIn = c.fadingIn;
    backend->startFrame();
    pollCommandKeys();
    pollCommandKeys();  // held: it acts again
    EXPECT_EQ(messages().size(), c.acts ? 2u : 0u) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveKey,
                         ::testing::Values(KeyCase{"play", 1, 0, 0, true}, KeyCase{"opening", 0, 0, 0, false},
                                           KeyCase{"ending", 2, 0, 0, false},
                                           KeyCase{"fade-out", 1, 1, 0, false},
                                           KeyCase{"fade-in", 1, 0, 1, false}));

}  // namespace
