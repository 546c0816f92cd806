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
    // Every box of the save and the load is an information box.
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const RecordedEvent& e : backend->events()) {
            if (e.kind != RecordedKind::Message) continue;
            EXPECT_EQ(e.icon, BoxIcon::Information) << e.text;
            texts.push_back(e.text);
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

// Into a new file, and over the start of a longer one, which keeps the rest.
TEST_F(SaveFile, SavesTheStartStatisticsAsNineteenBytes) {
    saveGame();
    EXPECT_EQ(file(), startRecord);
    EXPECT_EQ(messages(), std::vector<std::string>{"ＳＡＶＥしました"});
    testing_support::writeFile(saveFileName, Bytes(25, 0xEE));
    saveGame();
    Bytes expected = startRecord;
    expected.resize(25, 0xEE);
    EXPECT_EQ(file(), expected);
}

TEST_F(SaveFile, LoadsHalfTheHitPointsAndStaminaAndGoesBackOutsideAlive) {
    testing_support::writeFile(saveFileName, startRecord);
    std::tie(areaId, fallCount, hp, playing) = std::tuple(11, 4, -3, 0);
    loadGame();
    EXPECT_EQ(std::tuple(maxHp, hp, playing, maxStamina, stamina), std::tuple(15, 7, 1, 9000, 4500));
    EXPECT_EQ(std::tuple(fadingOut, areaId, entrySide, fallCount), std::tuple(1, 40, 0, 0));
    EXPECT_EQ(messages(), std::vector<std::string>{loaded});
}

// A write that stops short, a dead player, or a file whose rest cannot be
// read whole (65 MiB, more than the game reads at once): the old save stays
// byte for byte, and the save says it failed.
TEST_F(SaveFile, ASaveThatCannotBeMadeLeavesTheOldSave) {
    const Bytes old = {0x20, 0x00, 0x10, 0x00, 0x05, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 3, 4, 5, 1, 2};
    for (const char* why : {"short write", "dead", "long file"}) {
        ASSERT_NO_FATAL_FAILURE(start());
        testing_support::writeFile(saveFileName, old);
        const uintmax_t size = why[0] == 'l' ? uintmax_t{65} << 20 : 19;
        std::filesystem::resize_file(saveFileName, size);
        limitFileWrites(why[0] == 's' ? 10 : -1);
        if (why[0] == 'd') std::tie(hp, playing) = std::tuple(0, 0);
        saveGame();
        EXPECT_EQ(std::filesystem::file_size(saveFileName), size) << why;
        const int handle = fileOpenReadWrite(saveFileName);
        uint8_t head[19] = {};
        EXPECT_EQ(fileRead(handle, head, 19), 19);
        fileClose(handle);
        EXPECT_EQ(Bytes(head, head + 19), old) << why;
        EXPECT_EQ(messages(), std::vector<std::string>{notSaved}) << why;
    }
}

// The saved game's place is taken by a folder: it can be neither opened
// nor created. Nothing is loaded until a save; the record then takes the
// statistics, so a load in the same run gives them back, after saying
// that the file failed.
TEST_F(SaveFile, ARecordSavedWithoutAFileIsLoadedLaterInTheRun) {
    std::filesystem::create_directory(saveFileName);
    loadGame();
    EXPECT_EQ(messages(), (std::vector<std::string>{"ファイルを開けません", cannotLoad, noSave}));
    EXPECT_EQ(std::tuple(fadingOut, areaId, hp), std::tuple(0, 40, 15));
    backend = &testing_support::freshHeadlessGame();
    ASSERT_EQ(initGame(1, 0, 1), 1);
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

// F7 and F8 held for two frames, or the menu's items chosen twice. The
// first load starts a fade-out, so the second is refused.
TEST_F(SaveFile, SaveAndLoadActOnlyInPlayOutsideFades) {
    const struct { const char* what; int32_t scene, fadingOut, fadingIn; bool acts; } states[] = {
        {"play", 1, 0, 0, true},      {"opening", 0, 0, 0, false}, {"ending", 2, 0, 0, false},
        {"fade-out", 1, 1, 0, false}, {"fade-in", 1, 0, 1, false}};
    const std::vector<std::string> saved = {"ＳＡＶＥしました", "ＳＡＶＥしました"};
    const struct { const char* key; int32_t command; std::vector<std::string> said; int32_t hp, area; } routes[] = {
        {"F7", 0, saved, 3, 11}, {"F8", 0, {loaded}, 7, 40}, {"", command::save, saved, 3, 11},
        {"", command::load, {loaded}, 7, 40}};
    for (const auto& r : routes) {
        for (const auto& s : states) {
            SCOPED_TRACE(std::string(r.key) + " " + std::to_string(r.command) + " in " + s.what);
            ASSERT_NO_FATAL_FAILURE(start(std::string("1 ") + r.key + "\n"));
            testing_support::writeFile(saveFileName, startRecord);
            std::tie(scene, fadingOut, fadingIn, hp, areaId) = std::tuple(s.scene, s.fadingOut, s.fadingIn, 3, 11);
            backend->startFrame();
            for (int n = 0; n < 2; ++n) r.command ? windowProc({MessageKind::Command, r.command}) : void(pollCommandKeys());
            EXPECT_EQ(messages(), s.acts ? r.said : std::vector<std::string>{});
            EXPECT_EQ(std::tuple(hp, areaId), s.acts ? std::tuple(r.hp, r.area) : std::tuple(3, 11));
            if (!s.acts) {
                EXPECT_EQ(file(), startRecord);
            }
        }
    }
}

}  // namespace
