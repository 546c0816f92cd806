#include "display/palette.h"

#include <algorithm>

#include "app/game_state.h"

namespace varnholt {

std::unique_ptr<Palette> gamePalette;
PaletteEntry paletteCopy[256] = {};

namespace {

Palette windowedStartTable() {
    Palette table{};
    for (int i = 0; i < 10; ++i) table[i] = {uint8_t(i), 0, 0, paletteExplicit};
    for (int k = 0; k < 216; ++k) {
        table[10 + k] = {uint8_t(k / 36), uint8_t(k / 6 % 6), uint8_t(k % 6),
                         paletteReserved | paletteNoCollapse};
    }
    for (int i = 226; i < 246; ++i) table[i] = {0, 0, 0, paletteNoCollapse};
    for (int i = 246; i < 256; ++i) table[i] = {uint8_t(i), 0, 0, paletteExplicit};
    return table;
}

Palette fullScreenStartTable() {
    Palette table = systemPalette();
    for (int i = 0; i < 32; ++i) table[i].red = uint8_t(i * 255 / 31), table[i].green = 0, table[i].blue = 0;
    return table;
}

}  // namespace

Palette systemPalette() {
    static const PaletteEntry low[10] = {
        {0, 0, 0, 0},     {128, 0, 0, 0},   {0, 128, 0, 0},     {128, 128, 0, 0},
        {0, 0, 128, 0},   {128, 0, 128, 0}, {0, 128, 128, 0},   {192, 192, 192, 0},
        {192, 220, 192, 0}, {166, 202, 240, 0}};
    static const PaletteEntry high[10] = {
        {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},
        {0, 255, 0, 0},     {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},
        {0, 255, 255, 0},   {255, 255, 255, 0}};
    Palette table{};
    std::copy(std::begin(low), std::end(low), table.begin());
    std::copy(std::begin(high), std::end(high), table.begin() + 246);
    return table;
}

void createPalette() {
    gamePalette.reset();
    if (displayMode == 1) {
        if (!platform().displayStep(DisplayStep::CreatePalette, displayMode)) return;
        gamePalette = std::make_unique<Palette>(windowedStartTable());
    } else if (platform().paletteDevice()) {
        if (!platform().displayStep(DisplayStep::CreatePalette, displayMode)) return;
        gamePalette = std::make_unique<Palette>(fullScreenStartTable());
    }
}

void readPalette(PaletteEntry entries[256]) {
    if (gamePalette) std::copy(gamePalette->begin(), gamePalette->end(), entries);
}

void writePalette(const PaletteEntry entries[256]) {
    if (gamePalette) std::copy(entries, entries + 256, gamePalette->begin());
}

}  // namespace varnholt
