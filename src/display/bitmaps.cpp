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
    platform().messageBox(failureCaption, text);
    return 0;
}

}  // namespace

const std::array<std::unique_ptr<SpriteSheet>*, 11>& allSheets() {
    static const std::array<std::unique_ptr<SpriteSheet>*, 11> sheets = {
        &backgroundSheet, &characterSheet, &swordSheet,   &enemySheet,
        &hpSheet,         &exSheet,        &digitSheet,   &bossSheet,
        &openingSheet,    &opening2Sheet,  &endingSheet};
    return sheets;
}

const std::array<const char*, 11>& sheetFiles() {
    static const std::array<const char*, 11> files = {
        "Bitmap/背景.bmp",         "Bitmap/キャラ.bmp",        "Bitmap/剣.bmp",
        "Bitmap/敵.bmp",           "Bitmap/HP.bmp",           "Bitmap/EX.bmp",
        "Bitmap/数字.bmp",         "Bitmap/ボス.bmp",          "Bitmap/オープニング.bmp",
        "Bitmap/オープニング2.bmp", "Bitmap/エンディング.bmp"};
    return files;
}

int loadAllBitmaps() {
    for (size_t i = 0; i < allSheets().size(); ++i) {
        std::unique_ptr<SpriteSheet>& sheet = *allSheets()[i];
        if (!loadBitmapSurface(appInstance, mainWindow, dataPath(sheetFiles()[i]), sheet, 0)) {
            sheet.reset();
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
    if (!readWholeFile(path, bytes) || !decodeBitmap(bytes.data(), bytes.size(), image)) {
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
