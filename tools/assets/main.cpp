// make_assets OUTDIR: draws the game's eleven bitmaps into OUTDIR/Bitmap,
// synthesises its seven sound effects into OUTDIR/音楽 and composes its
// two pieces of music beside them. The desktop icon goes to OUTDIR/icons,
// apart from the game's data.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "icon.h"
#include "music.h"
#include "palette.h"
#include "sheets.h"
#include "sounds.h"
#include "platform/headless/png_writer.h"
#include "wav_writer.h"

namespace {

namespace fs = std::filesystem;

bool writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

bool makeFolder(const fs::path& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error || !fs::is_directory(path)) {
        std::fprintf(stderr, "make_assets: cannot create %s: %s\n", path.string().c_str(), error.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets OUTDIR\n");
        return 2;
    }
    const fs::path root(argv[1]);
    const fs::path bitmaps = root / "Bitmap";
    const fs::path sounds = root / "音楽";
    if (!makeFolder(bitmaps) || !makeFolder(sounds)) return 1;

    // Same order as the layout table, which is the game's load order.
    const std::function<Canvas()> painters[] = {
        drawBackgroundSheet, drawCharacterSheet, drawSwordSheet,   drawEnemySheet,
        drawHpSheet,         drawExSheet,        drawDigitSheet,   drawBossSheet,
        drawOpeningSheet,    drawOpening2Sheet,  drawEndingSheet};
    const auto colours = gamePaletteColours();
    bool ok = true;
    for (size_t i = 0; i < layout::sheets.size(); ++i) {
        const Canvas picture = painters[i]();
        ok = writeFile(bitmaps / layout::sheets[i].fileName, encodeBitmap(picture, colours)) && ok;
    }

    const struct {
        const char* name;
        std::vector<int16_t> (*synthesise)();
    } effects[] = {{"剣.wav", soundSword},       {"敵.wav", soundEnemyDies},
                   {"ボス.wav", soundBossDies},  {"魔法.wav", soundMagic},
                   {"レベルアップ.wav", soundLevelUp}, {"キャラ.wav", soundPlayerDies},
                   {"地震.wav", soundEarthquake}};
    for (const auto& effect : effects) ok = writeFile(sounds / effect.name, encodeWave(effect.synthesise())) && ok;

    ok = writeFile(sounds / "通常.mds", composeOpeningTheme()) && ok;
    ok = writeFile(sounds / "back.mds", composeCaveTheme()) && ok;

    const fs::path icons = root / "icons";
    if (!makeFolder(icons)) return 1;
    const Canvas icon = drawIcon();
    for (const int scale : {1, 4}) {
        const int size = iconSize * scale;
        const fs::path file = icons / ("varnholt-" + std::to_string(size) + ".png");
        if (!writePng(file.string(), iconPixels(icon, colours, scale).data(), size, size)) {
            std::fprintf(stderr, "make_assets: cannot write %s\n", file.string().c_str());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
