#include "font.h"

#include <array>

#include "palette.h"

namespace {

struct Glyph {
    char letter;
    std::array<const char*, 7> rows;
};

constexpr Glyph glyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'J', {"..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'!', {"#", "#", "#", "#", "#", ".", "#"}},
    {'.', {".", ".", ".", ".", ".", ".", "#"}},
    {',', {"..", "..", "..", "..", "..", ".#", "#."}},
    {'\'', {"#", "#", ".", ".", ".", ".", "."}},
    {'-', {"....", "....", "....", "####", "....", "....", "...."}},
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
    {':', {".", ".", "#", ".", ".", "#", "."}},
    {' ', {"...", "...", "...", "...", "...", "...", "..."}},
};

const Glyph& glyphFor(char c) {
    for (const Glyph& g : glyphs)
        if (g.letter == c) return g;
    return glyphs[sizeof glyphs / sizeof glyphs[0] - 1];  // unknown letters leave a gap
}

int glyphColumns(const Glyph& g) { return static_cast<int>(std::string_view(g.rows[0]).size()); }

constexpr int fontRows = 7;

// Width of the letters alone, in scaled pixels.
int inkWidth(std::string_view text, const TextStyle& s) {
    int columns = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        columns += glyphColumns(glyphFor(text[i]));
        if (i + 1 < text.size()) columns += s.spacing;
    }
    return columns * s.scale + (s.bold ? s.scale : 0);
}

int margin(const TextStyle& s) { return s.outline ? 1 : 0; }

}  // namespace

int textWidth(std::string_view text, const TextStyle& s) { return inkWidth(text, s) + 2 * margin(s) + s.shadow; }

int textHeight(const TextStyle& s) { return fontRows * s.scale * s.tall + 2 * margin(s) + s.shadow; }

void drawText(Canvas& canvas, int x, int y, std::string_view text, const TextStyle& s) {
    const int sx = s.scale, sy = s.scale * s.tall;
    const int inkHeight = fontRows * sy;
    Canvas mask(inkWidth(text, s) + 2, inkHeight + 2);
    int penX = 1;
    for (char c : text) {
        const Glyph& g = glyphFor(c);
        const int columns = glyphColumns(g);
        auto on = [&](int col, int row) {
            if (col < 0 || row < 0 || col >= columns || row >= fontRows) return false;
            return g.rows[row][col] == '#';
        };
        for (int row = 0; row < fontRows; ++row)
            for (int col = 0; col < columns; ++col) {
                if (!on(col, row)) continue;
                const int extra = s.bold ? sx : 0;
                for (int py = 0; py < sy; ++py)
                    for (int px = 0; px < sx + extra; ++px) {
                        // Rounded letters lose the outer corner of a block
                        // when neither neighbour on that side is inked.
                        if (s.rounded && sx >= 3) {
                            const int cut = sx / 3;
                            const bool left = px < cut, right = px >= sx + extra - cut;
                            const bool top = py < cut, bottom = py >= sy - cut;
                            auto bare = [&](int dx, int dy) {
                                return !on(col + dx, row) && !on(col, row + dy) && !on(col + dx, row + dy);
                            };
                            if (top && left && bare(-1, -1)) continue;
                            if (top && right && bare(1, -1)) continue;
                            if (bottom && left && bare(-1, 1)) continue;
                            if (bottom && right && bare(1, 1)) continue;
                        }
                        mask.set(penX + col * sx + px, 1 + row * sy + py, 1);
                    }
            }
        // Rounded letters join diagonal strokes with a wedge in the empty
        // cell between them, so a V or an N stays one solid stroke.
        if (s.rounded && sx >= 3)
            for (int row = 0; row < fontRows; ++row)
                for (int col = 0; col < columns; ++col) {
                    if (on(col, row)) continue;
                    for (int dy = -1; dy <= 1; dy += 2)
                        for (int dx = -1; dx <= 1; dx += 2) {
                            if (!on(col + dx, row) || !on(col, row + dy)) continue;
                            for (int py = 0; py < sy; ++py)
                                for (int px = 0; px < sx; ++px) {
                                    const int fromX = dx > 0 ? sx - 1 - px : px, fromY = dy > 0 ? sy - 1 - py : py;
                                    if (fromX * sy + fromY * sx < sx * sy / 2)
                                        mask.set(penX + col * sx + px, 1 + row * sy + py, 1);
                                }
                        }
                }
        penX += (columns + s.spacing) * sx;
    }

    // Shade the ink top to bottom, then ring it.
    Canvas letters(mask.width() + 2, mask.height() + 2);
    for (int my = 0; my < mask.height(); ++my)
        for (int mx = 0; mx < mask.width(); ++mx) {
            if (!mask.at(mx, my)) continue;
            const double t = inkHeight > 1 ? static_cast<double>(my - 1) / (inkHeight - 1) : 0.0;
            const int k = s.topShade + static_cast<int>((s.bottomShade - s.topShade) * t + (s.bottomShade > s.topShade ? 0.5 : -0.5));
            letters.set(mx + 1, my + 1, pal::shade(s.ramp, k));
        }
    if (s.outline) letters.outline(s.outline, s.scale >= 3);
    if (s.shadow) {
        Canvas shadow = letters;
        for (int yy = 0; yy < shadow.height(); ++yy)
            for (int xx = 0; xx < shadow.width(); ++xx)
                if (shadow.at(xx, yy)) shadow.set(xx, yy, s.shadowColour);
        canvas.blit(shadow, x - 2 + margin(s) + s.shadow, y - 2 + margin(s) + s.shadow);
    }
    canvas.blit(letters, x - 2 + margin(s), y - 2 + margin(s));
}

void drawTextCentred(Canvas& canvas, const layout::Rect& area, std::string_view text, const TextStyle& s,
                     int nudgeY) {
    const int x = area.left + (area.width() - textWidth(text, s)) / 2;
    const int y = area.top + (area.height() - textHeight(s)) / 2 + nudgeY;
    drawText(canvas, x, y, text, s);
}
