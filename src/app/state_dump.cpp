#include "app/state_dump.h"

#include <sstream>
#include <utility>
#include <vector>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/json.h"
#include "app/random.h"
#include "app/save_file.h"
#include "audio/music_player.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "display/palette.h"
#include "enemies/boss.h"
#include "enemies/collision.h"
#include "enemies/roster.h"
#include "world/area_maps.h"
#include "world/camera.h"

namespace varnholt {

namespace {

const std::vector<std::pair<const char*, int32_t*>>& intVariables() {
    static const std::vector<std::pair<const char*, int32_t*>> table = {
#define VARNHOLT_ENTRY(name, start) {#name, &name},
        VARNHOLT_GAME_STATE(VARNHOLT_ENTRY)
#undef VARNHOLT_ENTRY
        {"appInstance", &appInstance},
        {"mainWindow", &mainWindow},
    };
    return table;
}

template <typename T>
void writeArray(std::ostream& out, const T* values, int count) {
    out << '[';
    for (int i = 0; i < count; ++i) out << (i ? "," : "") << +values[i];
    out << ']';
}

void writePalette(std::ostream& out, const PaletteEntry* entries) {
    out << '[';
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = entries[i];
        out << (i ? "," : "") << '[' << +e.red << ',' << +e.green << ',' << +e.blue << ','
            << +e.flags << ']';
    }
    out << ']';
}

void writeSheet(std::ostream& out, const SpriteSheet* sheet) {
    if (sheet == nullptr) {
        out << "null";
    } else {
        out << "{\"width\":" << sheet->width << ",\"height\":" << sheet->height << '}';
    }
}

void writeJoyInfo(std::ostream& out, const JoyInfo& j) {
    out << "{\"size\":" << j.size << ",\"flags\":" << j.flags << ",\"x\":" << j.x
        << ",\"y\":" << j.y << ",\"z\":" << j.z << ",\"r\":" << j.r << ",\"u\":" << j.u
        << ",\"v\":" << j.v << ",\"buttons\":" << j.buttons << ",\"buttonNumber\":" << j.buttonNumber
        << ",\"pov\":" << j.pov << ",\"reserved1\":" << j.reserved1
        << ",\"reserved2\":" << j.reserved2 << '}';
}

void writeEnemySlot(std::ostream& out, const EnemySlot& s) {
    out << "{\"kind\":" << s.kind << ",\"power\":" << s.power << ",\"hp\":" << s.hp
        << ",\"expValue\":" << s.expValue << ",\"expLevel\":" << s.expLevel
        << ",\"speed\":" << s.speed << ",\"spare\":" << s.spare << ",\"x\":" << s.x
        << ",\"prevX\":" << s.prevX << ",\"y\":" << s.y << ",\"prevY\":" << s.prevY
        << ",\"active\":" << s.active << '}';
}

void writeRect(std::ostream& out, const Rect& r) {
    out << "{\"left\":" << r.left << ",\"top\":" << r.top << ",\"right\":" << r.right
        << ",\"bottom\":" << r.bottom << '}';
}

}  // namespace

int32_t* findIntVariable(const std::string& name) {
    for (const auto& [entryName, pointer] : intVariables()) {
        if (name == entryName) return pointer;
    }
    return nullptr;
}

std::string dumpState(uint32_t framesRun) {
    std::ostringstream out;
    out << "{\n\"frame\":" << framesRun;
    for (const auto& [name, pointer] : intVariables()) out << ",\n\"" << name << "\":" << *pointer;

    out << ",\n\"keyState\":";
    writeArray(out, keyState, 256);
    out << ",\n\"joyInfo\":";
    writeJoyInfo(out, joyInfo);
    out << ",\n\"dirRoll\":";
    writeArray(out, dirRoll, 8);
    out << ",\n\"saveRecord\":";
    writeArray(out, saveRecord, saveRecordBytes);
    out << ",\n\"fragmentDrift\":";
    writeArray(out, fragmentDrift, 3);
    out << ",\n\"randomState\":" << randomState;
    out << ",\n\"lastFrameTime\":" << lastFrameTime;
    out << ",\n\"firstFrameTaken\":" << (firstFrameTaken ? 1 : 0);

    out << ",\n\"directDraw\":" << (directDraw ? 1 : 0);
    out << ",\n\"primarySurface\":" << (primarySurface ? 1 : 0);
    out << ",\n\"windowClipper\":" << (windowClipper ? 1 : 0);
    out << ",\n\"backBuffer\":";
    writeSheet(out, backBuffer.get());
    for (const SheetEntry& entry : allSheets()) {
        out << ",\n\"" << entry.name << "\":";
        writeSheet(out, entry.sheet->get());
    }
    out << ",\n\"gamePalette\":";
    if (gamePalette) writePalette(out, gamePalette->data()); else out << "null";
    out << ",\n\"paletteCopy\":";
    writePalette(out, paletteCopy);
    out << ",\n\"workPalette\":";
    writePalette(out, workPalette);

    out << ",\n\"areaMap\":[";
    for (int row = 0; row < areaMapRows; ++row) {
        out << (row ? ",\n  " : "\n  ");
        writeArray(out, areaMap[row].data(), areaMapCols);
    }
    out << ']';
    out << ",\n\"glintCells\":[";
    for (int row = 0; row < areaMapRows; ++row) {
        out << (row ? ",\n  " : "\n  ");
        writeArray(out, glintCells[row], areaMapCols);
    }
    out << ']';

    out << ",\n\"enemySlots\":[";
    for (int s = 0; s < enemySlotCount; ++s) {
        out << (s ? ",\n  " : "\n  ");
        writeEnemySlot(out, enemySlots[s]);
    }
    out << ']';
    const std::pair<const char*, const int32_t*> slotArrays[] = {
        {"enemyScreenX", enemyScreenX}, {"enemyScreenY", enemyScreenY},
        {"enemyBump", enemyBump},       {"detourX", detourX},
        {"detourY", detourY},           {"wanderX", wanderX},
        {"wanderY", wanderY},           {"contactFrames", contactFrames},
        {"enemyHitTimer", enemyHitTimer}};
    for (const auto& [name, values] : slotArrays) {
        out << ",\n\"" << name << "\":";
        writeArray(out, values, enemySlotCount);
    }
    out << ",\n\"enemySrcRect\":";
    writeRect(out, enemySrcRect);

    out << ",\n\"bossShots\":[";
    for (int i = 0; i < bossShotCount; ++i) {
        const BossShot& shot = bossShots[i];
        out << (i ? ",\n  " : "\n  ") << "{\"kind\":" << shot.kind << ",\"drawX\":" << shot.drawX
            << ",\"drawY\":" << shot.drawY << ",\"x\":" << shot.x << ",\"y\":" << shot.y
            << ",\"life\":" << shot.life << '}';
    }
    out << ']';
    out << ",\n\"shotPhase\":";
    writeArray(out, shotPhase, bossShotCount);
    out << ",\n\"shotSway\":";
    writeArray(out, shotSway, bossShotCount);
    out << ",\n\"sineTable\":";
    writeArray(out, sineTable, sineTableSize);
    out << ",\n\"bossSrcRect\":";
    writeRect(out, bossSrcRect);
    out << ",\n\"shotSrcRect\":";
    writeRect(out, shotSrcRect);
    const MusicState music = musicState();
    out << ",\n\"musicStream\":" << (music.streamOpen ? 1 : 0) << ",\n\"timeFormat\":" << music.timeFormat
        << ",\n\"maxBufferSize\":" << music.maxBufferSize << ",\n\"blockCount\":" << music.blockCount
        << ",\n\"manyBlocks\":" << music.manyBlocks << ",\n\"musicPlaying\":" << music.musicPlaying
        << ",\n\"musicLoop\":" << music.musicLoop << ",\n\"nextBlock\":" << music.nextBlock
        << ",\n\"musicRound\":" << music.round;
    out << "\n}\n";
    return out.str();
}

}  // namespace varnholt
