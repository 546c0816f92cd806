#include "app/save_file.h"

#include <cstring>
#include <vector>

#include "app/game_state.h"
#include "app/little_endian.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace varnholt {

uint8_t saveRecord[saveRecordBytes] = {};

namespace {

constexpr const char* caption = "DirectDrawFailed";
constexpr uint32_t pieces[3] = {6, 8, 5};

void say(const char* text) { platform().messageBox(caption, text, BoxIcon::Information); }

// Opens the file without emptying it, creating it empty when missing.
int openSaveFile() {
    const int handle = fileOpenOrCreate(writePath(saveFileName));
    if (handle < 0) say("ファイルを開けません");
    return handle;
}

void fillRecord(uint8_t* r) {
    r[0] = uint8_t(maxHp), r[1] = uint8_t(maxHp >> 8);
    r[2] = uint8_t(hp), r[3] = uint8_t(hp >> 8);
    r[4] = uint8_t(playSeconds), r[5] = uint8_t(playSeconds >> 8);
    writeU32(r + 6, uint32_t(maxStamina));
    writeU32(r + 10, uint32_t(stamina));
    r[14] = uint8_t(attack);
    r[15] = uint8_t(level);
    r[16] = uint8_t(exp);
    r[17] = uint8_t(playing);
    r[18] = uint8_t(difficulty);
}

// A record is a saved game when it has hit points to restore, a known
// difficulty and a plain alive flag.
bool isSavedGame(const uint8_t* r) { return readU16(r) != 0 && r[17] <= 1 && r[18] <= 2; }

void restore(const uint8_t* r) {
    maxHp = readU16(r);
    hp = readU16(r + 2) / 2;
    playSeconds = readU16(r + 4);
    maxStamina = int32_t(readU32(r + 6));
    stamina = int32_t(readU32(r + 10)) / 2;
    attack = r[14];
    level = r[15];
    exp = r[16];
    playing = r[17];
    difficulty = r[18];
}

}  // namespace

void saveGame() {
    const int handle = openSaveFile();
    fileClose(handle);
    if (hp < 1) {
        // A dead player would load into a game over: nothing is kept.
        say("ＳＡＶＥできません");
        return;
    }
    // The record is taken whatever the file does, so a load later in this
    // run gives it back even when the file could not be opened or written.
    fillRecord(saveRecord);
    // Whatever follows the record in a longer file stays; a file that
    // cannot be read whole is left as it is.
    std::vector<uint8_t> bytes;
    if (handle < 0 || !readWholeFile(writePath(saveFileName), bytes)) {
        say("ＳＡＶＥできません");
        return;
    }
    if (bytes.size() < size_t(saveRecordBytes)) bytes.resize(saveRecordBytes);
    std::memcpy(bytes.data(), saveRecord, saveRecordBytes);
    say(fileReplace(writePath(saveFileName), bytes) ? "ＳＡＶＥしました" : "ＳＡＶＥできません");
}

void loadGame() {
    const int handle = openSaveFile();
    uint8_t scratch[saveRecordBytes];
    std::memcpy(scratch, saveRecord, saveRecordBytes);
    bool failed = false;
    uint32_t got = 0;
    for (uint32_t size : pieces) {
        const int32_t moved = fileRead(handle, scratch + got, size);
        if (moved < 0) {
            failed = true;
            break;
        }
        got += uint32_t(moved);
        if (uint32_t(moved) < size) break;
    }
    // A whole record replaces the buffer; an empty file leaves it as it
    // was; anything between is a damaged file and changes nothing.
    if (got > 0 && got < uint32_t(saveRecordBytes)) failed = true;
    if (!failed && got == uint32_t(saveRecordBytes)) std::memcpy(saveRecord, scratch, saveRecordBytes);
    say(failed ? "ＬＯＡＤできません" : "　ＬＯＡＤしました\n\n洞窟の外に戻ります");
    fileSeek(handle, 0, 0);
    fileClose(handle);

    if (!isSavedGame(saveRecord)) {
        say("ＳＡＶＥされていません");
        return;
    }
    restore(saveRecord);
    fallCount = 0;
    fadingOut = 1;
    areaId = 40;
    entrySide = 0;
}

}  // namespace varnholt
