#include "display/bitmaps.h"

#include <algorithm>
#include <cstring>

#include "app/game_state.h"
#include "audio/sound_effects.h"
#include "display/bmp_reader.h"
#include "display/palette.h"
#include "platform/files.h"

namespace varnholt {

std::unique_ptr<SpriteSheet> backgroundSheet;
std::unique_ptr<SpriteSheet> characterSheet;
std::unique_ptr<SpriteSheet> swordSheet;
std::unique_ptr<SpriteSheet> enemySheet;
std::unique_ptr<SpriteSheet> hpSheet;
std::unique_ptr<SpriteSheet> exSheet;
std::unique_ptr<SpriteSheet> digitSheet;
std::unique_ptr<SpriteSheet> bossSheet;
std::unique_ptr<SpriteSheet> openingSheet;
std::unique_ptr<SpriteSheet> opening2Sheet;
std::unique_ptr<SpriteSheet> endingSheet;

namespace {

constexpr const char* failureCaption = "DirectDrawFailed";
constexpr int32_t widestSheet = 640;

int fail(const char* text) {
    platform().messageBox(failureCaption, text, BoxIcon::Error);
    return 0;
}

}  // namespace

const std::array<SheetEntry, 11>& allSheets() {
    static const std::array<SheetEntry, 11> sheets = {{
        {"backgroundSheet", "Bitmap/背景.bmp", &backgroundSheet},
        {"characterSheet", "Bitmap/キャラ.bmp", &characterSheet},
        {"swordSheet", "Bitmap/剣.bmp", &swordSheet},
        {"enemySheet", "Bitmap/敵.bmp", &enemySheet},
        {"hpSheet", "Bitmap/HP.bmp", &hpSheet},
        {"exSheet", "Bitmap/EX.bmp", &exSheet},
        {"digitSheet", "Bitmap/数字.bmp", &digitSheet},
        {"bossSheet", "Bitmap/ボス.bmp", &bossSheet},
        {"openingSheet", "Bitmap/オープニング.bmp", &openingSheet},
        {"opening2Sheet", "Bitmap/オープニング2.bmp", &opening2Sheet},
        {"endingSheet", "Bitmap/エンディング.bmp", &endingSheet},
    }};
    return sheets;
}

int loadAllBitmaps() {
    for (const SheetEntry& entry : allSheets()) {
        if (!loadBitmapSurface(appInstance, mainWindow, dataPath(entry.file), *entry.sheet, 0)) {
            entry.sheet->reset();
            return 0;
        }
    }
    initSound();
    return 1;
}

int loadBitmapSurface(int32_t, int32_t, const std::string& path,
                      std::unique_ptr<SpriteSheet>& sheet, uint8_t colorKey) {
    std::vector<uint8_t> bytes;
    BitmapImage image;
    const FileRead read = readFile(path, bytes);
    if (read != FileRead::Read || !decodeBitmap(bytes.data(), bytes.size(), image)) {
        // The box names no file; the terminal hears which one and where.
        reportDataFile(path, read != FileRead::Read ? fileReadProblem(read) : "not an 8-bit bitmap");
        return fail("エラー　010");
    }
    const int32_t width = std::min(image.width, widestSheet);

    if (!platform().displayStep(DisplayStep::CreateSheet, displayMode)) return fail("エラー　020");
    sheet = std::make_unique<SpriteSheet>();
    sheet->width = width;
    sheet->height = image.height;
    if (!platform().displayStep(DisplayStep::SetColorKey, displayMode)) return fail("エラー　021");
    sheet->colorKey = colorKey;

    std::copy(std::begin(image.colours), std::end(image.colours), paletteCopy);
    if (!gamePalette) return fail("パレットが作成されていない");
    writePalette(image.colours);

    sheet->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(image.height));
    for (int32_t row = 0; row < image.height; ++row) {
        std::memcpy(sheet->pixels.data() + static_cast<size_t>(row) * width,
                    image.pixels.data() + static_cast<size_t>(row) * image.width,
                    static_cast<size_t>(width));
    }
    return 1;
}

}  // namespace varnholt
