// Bold digits for the status bar and the score, and the MAX sign that
// stands in for level 99. A digit keeps to ten columns of its cell since
// the game sets digits ten pixels apart.
#include <array>

#include "font.h"
#include "palette.h"
#include "sheets.h"

namespace {

using Pattern = std::array<const char*, 10>;

constexpr Pattern patterns[10] = {
    {{".####.", "##..##", "##..##", "##.###", "##.###", "###.##", "###.##", "##..##", "##..##", ".####."}},
    {{"..##..", ".###..", "####..", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", "######"}},
    {{".####.", "##..##", "....##", "....##", "...##.", "..##..", ".##...", "##....", "##....", "######"}},
    {{".####.", "##..##", "....##", "....##", "..###.", "....##", "....##", "....##", "##..##", ".####."}},
    {{"...##.", "..###.", ".####.", "##.##.", "##.##.", "######", "...##.", "...##.", "...##.", "...##."}},
    {{"######", "##....", "##....", "#####.", "....##", "....##", "....##", "....##", "##..##", ".####."}},
    {{".####.", "##..##", "##....", "##....", "#####.", "##..##", "##..##", "##..##", "##..##", ".####."}},
    {{"######", "....##", "....##", "...##.", "...##.", "..##..", "..##..", "..##..", "..##..", "..##.."}},
    {{".####.", "##..##", "##..##", "##..##", ".####.", "##..##", "##..##", "##..##", "##..##", ".####."}},
    {{".####.", "##..##", "##..##", "##..##", "##..##", ".#####", "....##", "....##", "##..##", ".####."}},
};

void drawDigit(Canvas& sheet, int d) {
    // Shaded white-gold, inked, with a one-pixel drop shadow: 9 columns.
    constexpr int shades[10] = {7, 7, 7, 6, 6, 6, 5, 5, 4, 4};
    Canvas glyph(layout::digits::cellWidth, layout::digits::cellHeight);
    const int x0 = layout::digits::glyphLeft + 1, y0 = 3;
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 6; ++col)
            if (patterns[d][row][col] == '#') glyph.set(x0 + col, y0 + row, pal::shade(pal::gold, shades[row]));
    glyph.outline(pal::ink);
    Canvas shadow = glyph;
    for (int y = 0; y < shadow.height(); ++y)
        for (int x = 0; x < shadow.width(); ++x)
            if (shadow.at(x, y)) shadow.set(x, y, pal::black);
    sheet.blit(shadow, 16 * d + 1, 1);
    sheet.blit(glyph, 16 * d, 0);
}

}  // namespace

Canvas drawDigitSheet() {
    const layout::Sheet& sheet = layout::sheets[6];
    Canvas canvas(sheet.width, sheet.height);
    for (int d = 0; d < 10; ++d) drawDigit(canvas, d);
    TextStyle max;
    max.tall = 2;
    max.bold = true;
    max.spacing = 2;
    max.ramp = pal::fire;
    max.topShade = 7;
    max.bottomShade = 3;
    max.shadow = 1;
    drawTextCentred(canvas, layout::digits::maxLevel, "MAX", max);
    return canvas;
}
