// Status labels, the stamina cells, the level-up caption and the notices
// shown over the play field.
#include "font.h"
#include "palette.h"
#include "sheets.h"
#include "ui.h"

namespace {

TextStyle labelStyle(uint8_t ramp) {
    TextStyle s;
    s.scale = 2;
    s.ramp = ramp;
    s.topShade = 7;
    s.bottomShade = 4;
    return s;
}

// A stamina cell: an inked socket, empty or holding a green gem that the
// game may show only the left part of.
void staminaCell(Canvas& c, const layout::Rect& r, bool full) {
    const int x0 = r.left, y0 = r.top;
    c.fillRect(x0 + 2, y0 + 1, x0 + 16, y0 + 17, pal::ink);
    c.fillRect(x0 + 1, y0 + 2, x0 + 17, y0 + 16, pal::ink);
    for (int y = 2; y < 16; ++y)
        for (int x = 2; x < 16; ++x) {
            uint8_t colour;
            if (!full) colour = (x == 2 || y == 2) ? pal::shade(pal::night, 0) : pal::shade(pal::night, 2);
            else if (y <= 3) colour = pal::shade(pal::slime, 7);
            else if (y <= 7) colour = pal::shade(pal::slime, 5);
            else if (y <= 12) colour = pal::shade(pal::slime, 4);
            else colour = pal::shade(pal::slime, 2);
            c.set(x0 + x, y0 + y, colour);
        }
    if (full) {
        c.set(x0 + 4, y0 + 5, pal::white);
        c.set(x0 + 5, y0 + 5, pal::white);
    }
}

}  // namespace

Canvas drawExSheet() {
    using namespace layout::ex;
    const layout::Sheet& sheet = layout::sheets[5];
    Canvas canvas(sheet.width, sheet.height);
    drawTextCentred(canvas, expLabel, "EX", labelStyle(pal::gold));
    // The level label stops short of its last column, which the stamina
    // label's first column shares.
    drawTextCentred(canvas, {levelLabel.left, 0, levelLabel.right - 1, 18, ""}, "LV", labelStyle(pal::teal));
    drawTextCentred(canvas, {staminaLabel.left + 1, 0, staminaLabel.right, 18, ""}, "ST", labelStyle(pal::slime));
    staminaCell(canvas, cellEmpty, false);
    staminaCell(canvas, cellFull, true);

    TextStyle rise;
    rise.tall = 2;
    rise.bold = true;
    rise.spacing = 2;
    rise.ramp = pal::gold;
    rise.topShade = 7;
    rise.bottomShade = 3;
    rise.shadow = 1;
    drawTextCentred(canvas, levelUp, "LEVEL UP!", rise);

    // The start and earthquake notices share rows 129..131, which both
    // leave clear: each plate is 45 rows like the boss notices.
    drawNotice(canvas, {0, startNotice.top, 256, startNotice.top + 45, ""}, "YOUR QUEST BEGINS", "FIND THE PIT THAT LEADS BELOW");
    drawNotice(canvas, {0, quakeNotice.bottom - 45, 256, quakeNotice.bottom, ""}, "THE EARTH SHAKES!", "SOMETHING DEEP BELOW HAS STIRRED");
    drawNotice(canvas, bossNotice(3, ""), "!", nullptr);
    drawNotice(canvas, bossNotice(2, ""), "A DARK PRESENCE...", "THE AIR TURNS COLD");
    drawNotice(canvas, bossNotice(1, ""), "THE CAVE LORD", "RISES FROM THE DEPTHS");
    drawNotice(canvas, bossNotice(0, ""), "DEFEAT HIM!", "STAND YOUR GROUND");
    return canvas;
}
