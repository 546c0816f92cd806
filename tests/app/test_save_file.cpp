// The saved game: its 19 bytes, its messages, and what it never destroys.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/game_state.h"
#include "app/save_file.h"
#include "app/startup.h"
#include "app/window_commands.h"
#include "platform/files.h"
#include "platform/headless/input_script.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes startRecord = {0x0F, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x28, 0x23, 0x00, 0x00,
                           0x28, 0x23, 0x00, 0x00, 0x01, 0x01, 0x00, 0x01, 0x00};

const char* const loaded = "　ＬＯＡＤしました\n\n洞窟の外に戻ります";
const char* const notSaved = "ＳＡＶＥできません";
const char* const noSave = "ＳＡＶＥされていません";
const char* const cannotLoad = "ＬＯＡＤできません";

class SaveFile : public ::testing::Test {
protected:
    // A started game in play, in an empty folder of the test's own, with
    // the keys of this script held.
    void start(const std::string& script = "") {
        HeadlessOptions options;
        std::string error;
        ASSERT_TRUE(parseInputScript(script, options.script, error)) << error;
        backend = &testing_support::freshHeadlessGame(options);
        ASSERT_EQ(initGame(1, 0, 1), 1);
        scene = 1;
        std::filesystem::current_path(testing_support::scratchDirectory("save_file"));
    }
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(start()); }
    void TearDown() override {
        limitFileWrites(-1);
        std::filesystem::current_path(previous);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const RecordedEvent& e : backend->events()) {
            if (e.kind == RecordedKind::Message) texts.push_back(e.text);
        }
        return texts;
    }
    static Bytes file() {
        Bytes bytes;
        readWholeFile(saveFileName, bytes);
        return bytes;
    }
    HeadlessBackend* backend = nullptr;
    const std::filesystem::path previous = std::filesystem::current_path();
};

TEST_F(SaveFile, SavesTheStartStatisticsAsNineteenBytes) {
    saveGame();
    EXPECT_EQ(file(), startRecord);
    EXPECT_EQ(messages(), std::vector<std::string>{"ＳＡＶＥしました"});
}

TEST_F(SaveFile, LoadsHalfTheHitPointsAndStaminaAndGoesBackOutsideAlive) {
    testing_support::writeFile(saveFileName, startRecord);
    std::tie(areaId, fallCount, hp, playing) = std::tuple(11, 4, -3, 0);
    loadGame();
    EXPECT_EQ(std::tuple(maxHp, hp, playing, maxStamina, stamina), std::tuple(15, 7, 1, 9000, 4500));
    EXPECT_EQ(std::tuple(fadingOut, areaId, entrySide, fallCount), std::tuple(1, 40, 0, 0));
    EXPECT_EQ(messages(), std::vector<std::string>{loaded});
}

TEST_F(SaveFile, AWriteThatStopsShortLeavesTheOldSaveByteForByte) {
    const Bytes old = {0x20, 0x00, 0x10, 0x00, 0x05, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 3, 4, 5, 1, 2};
    testing_support::writeFile(saveFileName, old);
    limitFileWrites(10);
    saveGame();
    EXPECT_EQ(file(), old);
    EXPECT_EQ(messages(), std::vector<std::string>{notSaved});
}

TEST_F(SaveFile, ADeadPlayerIsNotSaved) {
    testing_support::writeFile(saveFileName, startRecord);
    std::tie(hp, playing) = std::tuple(0, 0);
    saveGame();
    EXPECT_EQ(file(), startRecord);
    EXPECT_EQ(messages(), std::vector<std::string>{notSaved});
}

TEST_F(SaveFile, ALongerFileKeepsWhatFollowsTheRecord) {
    testing_support::writeFile(saveFileName, Bytes(25, 0xEE));
    saveGame();
    Bytes expected = startRecord;
    expected.resize(25, 0xEE);
    EXPECT_EQ(file(), expected);
}

// The saved game's place is taken by a folder: it can be neither opened
// nor created. The record still takes the statistics, so a load in the
// same run gives them back, after saying that the file failed.
TEST_F(SaveFile, ARecordSavedWithoutAFileIsLoadedLaterInTheRun) {
    std::filesystem::create_directory(saveFileName);
    std::tie(maxHp, hp, maxStamina, stamina, level) = std::tuple(40, 30, 12000, 8000, 7);
    saveGame();
    EXPECT_EQ(messages(), (std::vector<std::string>{"ファイルを開けません", notSaved}));
    const Bytes expected = {40, 0, 30, 0, 0, 0, 0xE0, 0x2E, 0, 0, 0x40, 0x1F, 0, 0, 1, 7, 0, 1, 0};
    EXPECT_EQ(Bytes(saveRecord, saveRecord + saveRecordBytes), expected);

    std::tie(maxHp, hp, maxStamina, stamina, level) = std::tuple(15, 1, 9000, 100, 1);
    loadGame();
    EXPECT_EQ(messages(), (std::vector<std::string>{"ファイルを開けません", notSaved, "ファイルを開けません",
                                                    cannotLoad}));
    EXPECT_EQ(std::tuple(maxHp, hp, maxStamina, stamina, level), std::tuple(40, 15, 12000, 4000, 7));
    EXPECT_EQ(std::tuple(fadingOut, areaId), std::tuple(1, 40));
}

// A longer file whose rest cannot be read whole (65 MiB, more than the
// game reads at once) keeps all its bytes; the save says it failed.
TEST_F(SaveFile, AFileWhoseRestCannotBeReadIsLeftAsItWas) {
    testing_support::writeFile(saveFileName, Bytes(25, 0xEE));
    const uintmax_t size = uintmax_t{65} << 20;
    std::filesystem::resize_file(saveFileName, size);
    saveGame();
    EXPECT_EQ(messages(), std::vector<std::string>{notSaved});
    EXPECT_EQ(std::filesystem::file_size(saveFileName), size);
    const int handle = fileOpenReadWrite(saveFileName);
    uint8_t head[25] = {};
    EXPECT_EQ(fileRead(handle, head, 25), 25);
    fileClose(handle);
    EXPECT_EQ(Bytes(head, head + 25), Bytes(25, 0xEE));
}

TEST_F(SaveFile, ItsBoxesAreInformation) {
    saveGame();
    loadGame();
    ASSERT_EQ(messages().size(), 2u);
    for (const RecordedEvent& e : backend->events()) {
        if (e.kind == RecordedKind::Message) {
            EXPECT_EQ(e.icon, BoxIcon::Information) << e.text;
        }
    }
}

TEST_F(SaveFile, NoFileIsCreatedEmptyAndHoldsNoSave) {
    loadGame();
    EXPECT_TRUE(file().empty());
    EXPECT_EQ(messages(), (std::vector<std::string>{loaded, noSave}));
    EXPECT_EQ(std::tuple(fadingOut, hp), std::tuple(0, 15));
}

TEST_F(SaveFile, AnEarlierSaveOfThisRunIsLoadedFromAnEmptyFile) {
    saveGame();
    testing_support::writeFile(saveFileName, {});
    hp = 2;
    loadGame();
    EXPECT_EQ(std::tuple(hp, fadingOut), std::tuple(7, 1));
}

// A file cut short cannot be loaded; a whole record that is no saved game
// loads, but holds no save.
TEST_F(SaveFile, ADamagedRecordRestoresNothing) {
    const auto cut = [](int size) { return Bytes(startRecord.begin(), startRecord.begin() + size); };
    const auto withByte = [](int at, uint8_t value) {
        Bytes record = startRecord;
        record[at] = value;
        return record;
    };
    const struct { Bytes record; const char* said; } cases[] = {
        {cut(1), cannotLoad},           {cut(10), cannotLoad},        {cut(18), cannotLoad},
        {withByte(0, 0), loaded}, {withByte(18, 3), loaded}, {withByte(17, 2), loaded}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.record));
        ASSERT_NO_FATAL_FAILURE(start());
        testing_support::writeFile(saveFileName, c.record);
        hp = 5;
        loadGame();
        EXPECT_EQ(std::tuple(hp, fadingOut), std::tuple(5, 0));
        EXPECT_EQ(messages(), (std::vector<std::string>{c.said, noSave}));
        EXPECT_EQ(file(), c.record) << "loading never changes the file";
    }
}

TEST_F(SaveFile, TheSaveKeyWorksOnlyInPlayOutsideFades) {
    const struct { const char* what; int32_t scene, fadingOut, fadingIn; bool acts; } cases[] = {
        {"play", 1, 0, 0, true},      {"opening", 0, 0, 0, false}, {"ending", 2, 0, 0, false},
        {"fade-out", 1, 1, 0, false}, {"fade-in", 1, 0, 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(start("1 F7\n"));
        std::tie(scene, fadingOut, fadingIn) = std::tie(c.scene, c.fadingOut, c.fadingIn);
        backend->startFrame();
        pollCommandKeys();
        pollCommandKeys();  // held: it acts again
        EXPECT_EQ(messages().size(), c.acts ? 2u : 0u);
    }
}

}  // namespace
