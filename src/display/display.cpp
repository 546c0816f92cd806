#include "display/display.h"

#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

#include <algorithm>

#include "app/game_state.h"
#include "display/bitmaps.h"
#include "display/palette.h"

namespace varnholt {

bool directDraw = false;
bool primarySurface = false;
bool windowClipper = false;
std::unique_ptr<SpriteSheet> backBuffer;

namespace {

constexpr const char* failureCaption = "DirectDrawFailed";

int fail(const char* text) {
    platform().messageBox(failureCaption, text, BoxIcon::Error);
    return 0;
}

bool step(DisplayStep which) { return platform().displayStep(which, displayMode); }

bool sourceInside(const SpriteSheet& sheet, const Rect& source) {
    return source.left >= 0 && source.top >= 0 && source.right > source.left &&
           source.bottom > source.top && source.right <= sheet.width &&
           source.bottom <= sheet.height;
}

bool destinationInside(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return left >= 0 && top >= 0 && right > left && bottom > top && right <= screenWidth &&
           bottom <= screenHeight;
}

// Releases what setupSurfaces makes, in its order.
void releaseSurfaces() {
    backBuffer.reset();
    if (primarySurface) platform().releaseDisplay();
    primarySurface = false;
    gamePalette.reset();
    windowClipper = false;
}

// Copies one row of a sprite, keeping the destination under the colour
// key. Written as a select of two values both loaded, rather than a
// skipped store or a conditional load, so that GCC and clang (for
// WebAssembly too) turn it into whole-vector blends: this is most of a
// frame's work.
// Under the sanitizers this loop would be checked byte by byte and stay
// scalar, slowing a sanitized frame twentyfold; the rows it is given are
// checked whole before it runs instead (checkRow).
#if defined(__GNUC__)
__attribute__((no_sanitize("address", "undefined")))
#endif
void copyRow(const uint8_t* from, uint8_t* to, int32_t width, uint8_t key) {
    for (int32_t col = 0; col < width; ++col) {
        const uint8_t source = from[col];
        const uint8_t under = to[col];
        to[col] = source == key ? under : source;
    }
}

// Under AddressSanitizer, a row of the blitter that reaches outside its
// sheet or the back buffer is reported where copyRow would have been.
void checkRow([[maybe_unused]] const uint8_t* row, [[maybe_unused]] int32_t width) {
#if defined(__SANITIZE_ADDRESS__)
    if (width <= 0) return;
    if (void* bad = __asan_region_is_poisoned(const_cast<uint8_t*>(row), size_t(width))) {
        __asan_report_error(__builtin_return_address(0), __builtin_frame_address(0),
                            __builtin_frame_address(0), bad, 0, 1);
    }
#endif
}

bool canDraw(const SpriteSheet* sheet) {
    return sheet != nullptr && backBuffer != nullptr && !sheet->pixels.empty();
}

}  // namespace

int createDisplay() {
    if (!step(DisplayStep::CreateDevice)) return fail("エラー　002");
    directDraw = true;
    if (!step(DisplayStep::SetCooperativeLevel)) return fail("エラー　003");
    if (!setupSurfaces(screenWidth, screenHeight, 8)) return fail("エラー　004");
    return 1;
}

int setupSurfaces(int width, int height, int) {
    if (displayMode == 2 && !step(DisplayStep::SetDisplayMode)) return fail("エラー　005");

    releaseSurfaces();

    if (!step(DisplayStep::CreatePrimary)) return fail("エラー　006");
    primarySurface = true;
    if (displayMode == 1) {
        if (!step(DisplayStep::CreateClipper)) return fail("クリッパーエラー1");
        windowClipper = true;
        if (!step(DisplayStep::BindClipper)) return fail("クリッパーエラー2");
        if (!step(DisplayStep::AttachClipper)) return fail("クリッパーエラー3");
    }
    if (!step(DisplayStep::CreateBackBuffer)) return fail("エラー　007");
    backBuffer = std::make_unique<SpriteSheet>();
    backBuffer->width = width;
    backBuffer->height = height;
    backBuffer->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);

    createPalette();
    return 1;
}

void releaseDisplay() {
    releaseSurfaces();
    for (const SheetEntry& entry : allSheets()) entry.sheet->reset();
    directDraw = false;
}

void restoreIfLost() {
    if (primarySurface && platform().primaryLost()) platform().restorePrimary();
}

void clearBackBuffer() {
    if (backBuffer) std::memset(backBuffer->pixels.data(), 0, backBuffer->pixels.size());
}

void drawSprite(const SpriteSheet* sheet, const Rect& source, int32_t x, int32_t y) {
    if (!canDraw(sheet) || !sourceInside(*sheet, source)) return;
    const int32_t width = source.right - source.left;
    const int32_t height = source.bottom - source.top;
    if (!destinationInside(x, y, int64_t(x) + width, int64_t(y) + height)) return;
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* from = sheet->pixels.data() +
                              static_cast<size_t>(source.top + row) * sheet->width + source.left;
        uint8_t* to = backBuffer->pixels.data() + static_cast<size_t>(y + row) * screenWidth + x;
        checkRow(from, width);
        checkRow(to, width);
        copyRow(from, to, width, sheet->colorKey);
    }
}

void drawSpriteScaled(const SpriteSheet* sheet, const Rect& source, const Rect& destination) {
    if (!canDraw(sheet) || !sourceInside(*sheet, source)) return;
    if (!destinationInside(destination.left, destination.top, destination.right,
                           destination.bottom)) {
        return;
    }
    const int32_t sourceWidth = source.right - source.left;
    const int32_t sourceHeight = source.bottom - source.top;
    const int32_t width = destination.right - destination.left;
    const int32_t height = destination.bottom - destination.top;
    for (int32_t row = 0; row < height; ++row) {
        const int32_t sourceRow = source.top + row * sourceHeight / height;
        const uint8_t* from = sheet->pixels.data() + static_cast<size_t>(sourceRow) * sheet->width;
        uint8_t* to = backBuffer->pixels.data() +
                      static_cast<size_t>(destination.top + row) * screenWidth + destination.left;
        for (int32_t col = 0; col < width; ++col) {
            const uint8_t pixel = from[source.left + col * sourceWidth / width];
            if (pixel != sheet->colorKey) to[col] = pixel;
        }
    }
}

void present() {
    if (!primarySurface || !backBuffer) return;
    static const PaletteEntry black[256] = {};
    platform().present(backBuffer->pixels.data(), gamePalette ? gamePalette->data() : black,
                       displayMode);
}

}  // namespace varnholt
