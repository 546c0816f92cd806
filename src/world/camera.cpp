#include "world/camera.h"

#include <cstring>

#include "app/game_state.h"
#include "display/bitmaps.h"
#include "display/palette.h"

namespace varnholt {

PaletteEntry workPalette[256] = {};
int32_t glintCells[areaMapRows][areaMapCols] = {};

namespace {

constexpr int32_t cellSize = 64;
constexpr int32_t glintAreaId = 40;
constexpr int16_t glintingWallCode = 1;
constexpr int32_t tileClockMask = 511;
constexpr int32_t firstGlintFrom = 250;   // tileClock from which walls start to glint
constexpr int32_t secondGlintFrom = 335;  // the larger picture, and the red sinks
constexpr Rect firstGlint{0, 64, 64, 128};
constexpr Rect secondGlint{64, 64, 128, 128};

// One axis of the view: the origin stops at 0 and at the far edge.
void clampAxis(int32_t origin, int32_t farEdge, int32_t& scroll, int32_t& offset) {
    if (origin <= 0) {
        scroll = 0;
        offset = origin;
    } else if (origin < farEdge) {
        scroll = origin;
        offset = 0;
    } else {
        scroll = farEdge;
        offset = origin - farEdge;
    }
}

// Draws the cell's picture, shrinking its source so that the copy lies on
// the screen; a cell wholly off screen ends with an empty source.
void drawCell(int32_t code, int32_t x, int32_t y) {
    const int32_t sheetLeft = cellSize * (code % 10);
    const int32_t sheetTop = cellSize * (code / 10);
    Rect source{sheetLeft, sheetTop, sheetLeft + cellSize, sheetTop + cellSize};
    if (x <= 0) source.left -= x;
    if (x + cellSize >= screenWidth) source.right -= x + cellSize - screenWidth;
    if (y <= 0) source.top -= y;
    if (y + cellSize >= screenHeight) source.bottom -= y + cellSize - screenHeight;
    drawSprite(backgroundSheet.get(), source, x + source.left - sheetLeft, y + source.top - sheetTop);
}

// The glint of one crag wall of area 40, drawn a cell to the right of and
// below the wall. Answers whether the cell glints.
bool glint(int32_t code, int32_t row, int32_t col) {
    if (areaId != glintAreaId || code != glintingWallCode) return false;
    if ((row + 1) * (col + 1) != roll500 && glintCells[row][col] != 1) return false;
    const int32_t x = cellSize * (col + 1) - scrollX + shakeX;
    const int32_t y = cellSize * (row + 1) - scrollY;
    glintCells[row][col] = 0;
    if (tileClock >= firstGlintFrom && tileClock < secondGlintFrom) {
        drawSprite(backgroundSheet.get(), firstGlint, x, y);
        glintCells[row][col] = 1;
    }
    if (tileClock >= secondGlintFrom) {
        workPalette[glintEntry].red = static_cast<uint8_t>(workPalette[glintEntry].red -
                                                           (tileClock - secondGlintFrom));
        drawSprite(backgroundSheet.get(), secondGlint, x, y);
        glintCells[row][col] = 1;
    }
    return true;
}

}  // namespace

void updateCamera() {
    clampAxis(playerX, mapCols * cellSize - screenWidth, scrollX, playerOffsetX);
    clampAxis(playerY, mapRows * cellSize - screenHeight, scrollY, playerOffsetY);
}

void drawTiles() {
    tileClock = (tileClock + 1) & tileClockMask;
    readPalette(workPalette);
    if (scene == 1 && playing == 1) {
        for (curRow = 0; curRow < mapRows && curRow < areaMapRows; ++curRow) {
            for (curCol = 0; curCol < mapCols && curCol < areaMapCols; ++curCol) {
                const int32_t code = areaMap[curRow][curCol];
                drawCell(code, cellSize * curCol - scrollX + shakeX, cellSize * curRow - scrollY);
                // Outside a glint the red comes back every cell, so the fades
                // never darken it while cells are drawn.
                if (!glint(code, curRow, curCol)) {
                    workPalette[glintEntry].red = paletteCopy[glintEntry].red;
                }
            }
        }
    }
    writePalette(workPalette);
}

void resetTiles() {
    std::memset(glintCells, 0, sizeof glintCells);
    std::memset(workPalette, 0, sizeof workPalette);
}

}  // namespace varnholt
