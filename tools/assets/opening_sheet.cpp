// The title and its menu, and the small pieces of the opening scene: the
// crack of light in the standing stone, the flash as it bursts, and three
// shards. Pictures that share rows or columns with a neighbour leave the
// shared pixels clear.
#include <cmath>
#include <iterator>
#include <vector>

#include "font.h"
#include "palette.h"
#include "shading.h"
#include "sheets.h"
#include "sprite_parts.h"
#include "ui.h"

namespace {

using namespace layout::opening;

constexpr const char* name = "VARNHOLT";
constexpr const char* tagline = "THE CAVE BENEATH THE MOOR";
constexpr int logoTop = 8;  // rows into the title picture

TextStyle logoStyle(uint8_t ramp, int top, int bottom) {
    TextStyle s;
    s.scale = 8;
    s.rounded = true;
    s.ramp = ramp;
    s.topShade = top;
    s.bottomShade = bottom;
    s.shadow = 3;
    return s;
}

// The logo with its tagline, with its top-left at (x, y): carved stone in
// the title, gold once the menu lights it up.
void drawLogo(Canvas& c, int x, int y, bool lit) {
    const TextStyle logo = lit ? logoStyle(pal::gold, 7, 2) : logoStyle(pal::stone, 7, 2);
    const int width = textWidth(name, logo);
    drawText(c, x + (title.width() - width) / 2, y, name, logo);
    // Chisel marks across the letters: a lit line under a dark one.
    for (int row = 18; row < 56; row += 19)
        for (int px = 0; px < title.width(); ++px) {
            const int sx = x + px, sy = y + 1 + row;
            const uint8_t here = c.at(sx, sy);
            const uint8_t ramp = lit ? pal::gold : pal::stone;
            if (here > ramp + 1 && here <= ramp + 7) {
                c.set(sx, sy, static_cast<uint8_t>(ramp + 1));
                if (c.at(sx, sy + 1) > ramp + 1 && c.at(sx, sy + 1) <= ramp + 7) c.set(sx, sy + 1, static_cast<uint8_t>(ramp + 7));
            }
        }
    TextStyle small;
    small.ramp = lit ? pal::steel : pal::gold;
    small.topShade = 7;
    small.bottomShade = lit ? 6 : 4;
    small.shadow = 1;
    const int tagY = y + textHeight(logo) + 6;
    drawText(c, x + (title.width() - textWidth(tagline, small)) / 2, tagY, tagline, small);
    // A thin rule either side of the tagline.
    const int ruleY = tagY + 4;
    const int half = textWidth(tagline, small) / 2 + 10;
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 70; ++i) {
            const int px = x + title.width() / 2 + side * (half + i);
            c.set(px, ruleY, pal::shade(lit ? pal::gold : pal::stone, i < 60 ? 5 : 3));
            c.set(px, ruleY + 1, pal::ink);
        }
}

void drawChoice(Canvas& c, const layout::Rect& area, const char* text, uint8_t ramp) {
    TextStyle s;
    s.scale = 4;
    s.rounded = true;
    s.ramp = ramp;
    s.topShade = 7;
    s.bottomShade = 3;
    s.shadow = 2;
    drawTextCentred(c, area, text, s);
}

void drawCursor(Canvas& c) {
    drawPlate(c, cursor);
    // Small gold points at either end aim at the choice.
    for (int side = 0; side < 2; ++side) {
        const int x = side == 0 ? cursor.left + 8 : cursor.right - 9;
        const int dir = side == 0 ? 1 : -1;
        for (int i = 0; i < 5; ++i)
            for (int dy = -i; dy <= i; ++dy)
                c.set(x + dir * (4 - i), cursor.top + 21 + dy, pal::shade(pal::gold, 6 - (dy != 0 ? 2 : 0)));
    }
}

// Light breaking out of the stone: a jagged white seam in a gold glow.
void drawCrack(Canvas& c) {
    const int x0 = crack.left, y0 = crack.top;
    // Rows 0..2 belong to the menu picture as well and stay clear.
    const int seam[][2] = {{14, 5}, {12, 9}, {15, 13}, {11, 18}, {14, 23}, {10, 28}, {13, 32}};
    Canvas glow(crack.width(), crack.height());
    for (size_t i = 0; i + 1 < std::size(seam); ++i)
        glow.thickLine(seam[i][0], seam[i][1], seam[i + 1][0], seam[i + 1][1], 1.8, pal::shade(pal::gold, 5));
    glow.thickLine(15, 13, 18, 16, 1.2, pal::shade(pal::gold, 5));  // a branch
    glow.thickLine(11, 18, 9, 21, 1.2, pal::shade(pal::gold, 5));
    for (size_t i = 0; i + 1 < std::size(seam); ++i)
        glow.line(seam[i][0], seam[i][1], seam[i + 1][0], seam[i + 1][1], pal::white);
    c.blit(glow, x0, y0);
}

// The flash when the stone bursts: rays round a white core.
void drawBurst(Canvas& c) {
    const double cx = burst.left + 19.5, cy = burst.top + 17.5;
    for (int y = burst.top + 3; y < burst.bottom; ++y)
        for (int x = burst.left + 5; x < burst.right; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double r = std::hypot(dx, dy);
            const double ray = std::pow(std::fabs(std::cos(std::atan2(dy, dx) * 4)), 6);
            const double reach = 5 + 10 * ray;
            if (r > reach) continue;
            const double t = r / reach;
            if (t > 0.7 && !ditherOn(x, y, (1 - t) * 3)) continue;
            c.set(x, y, t < 0.35 ? pal::white : t < 0.6 ? pal::shade(pal::gold, 7) : pal::shade(pal::gold, 5));
        }
}

void drawShard(Canvas& c, const layout::Rect& r, const std::vector<std::pair<double, double>>& outline) {
    Canvas shard(r.width(), r.height());
    shard.fillPolygon(outline, 1);
    domeShade(shard, pal::stone, 2, 6);
    shard.outline(pal::ink);
    c.blit(shard, r.left, r.top);
}

}  // namespace

Canvas drawOpeningSheet() {
    const layout::Sheet& sheet = layout::sheets[8];
    Canvas canvas(sheet.width, sheet.height);
    drawLogo(canvas, title.left, logoTop, false);
    // The menu picture is drawn 20 left and 10 up of the title, so its
    // copy of the logo sits that much further in to land on the title's.
    drawLogo(canvas, menu.left + menuShiftX, menu.top + menuShiftY + logoTop, true);
    // Choices EASY and HARD reach row 378, the menu starts at 376: both
    // keep rows 376..378 clear.
    drawChoice(canvas, {easy.left, easy.top, easy.right, menu.top}, "EASY", pal::slime);
    drawChoice(canvas, normalLabel, "NORMAL", pal::gold);
    drawChoice(canvas, {hard.left, hard.top, hard.right, menu.top}, "HARD", pal::red);
    drawCursor(canvas);
    drawCrack(canvas);
    drawBurst(canvas);
    drawShard(canvas, shard1, {{2, 4}, {10, 1}, {15, 7}, {9, 15}, {3, 12}});
    drawShard(canvas, shard2, {{4, 2}, {14, 3}, {12, 12}, {6, 15}, {1, 8}});
    drawShard(canvas, shard3, {{1, 6}, {7, 1}, {15, 4}, {13, 13}, {5, 14}});
    return canvas;
}
