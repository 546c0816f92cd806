// The hero: brown hair, blue tunic, red cape, drawn in four facings with
// two walking steps each, and the charge gauge beside them.
#include "palette.h"
#include "sheets.h"
#include "sprite_parts.h"

namespace {

constexpr int cell = layout::hero::cell;
constexpr uint8_t hair = pal::leather, tunic = pal::blue, cape = pal::red;

void legs(Canvas& s, int facing, int phase) {
    // Front and back views: one leg steps toward the viewer (longer) while
    // the other lifts; side view: the legs scissor.
    if (facing == 0 || facing == 2) {
        const int lift = phase == 0 ? 0 : 2, lift2 = phase == 0 ? 2 : 0;
        addPart(s, pal::leather, 1, 3, [&](Canvas& p) { p.fillRect(25, 44, 31, 57 - lift, 1); });
        addPart(s, pal::leather, 1, 3, [&](Canvas& p) { p.fillRect(33, 44, 39, 57 - lift2, 1); });
        addPart(s, pal::leather, 2, 4, [&](Canvas& p) { p.fillRect(24, 52 - lift, 31, 58 - lift, 1); });
        addPart(s, pal::leather, 2, 4, [&](Canvas& p) { p.fillRect(33, 52 - lift2, 40, 58 - lift2, 1); });
        return;
    }
    if (phase == 0) {
        addPart(s, pal::leather, 1, 3, [](Canvas& p) { p.thickLine(29, 45, 23, 54, 2.6, 1); });
        addPart(s, pal::leather, 1, 3, [](Canvas& p) { p.thickLine(34, 45, 40, 54, 2.6, 1); });
        addPart(s, pal::leather, 2, 4, [](Canvas& p) { p.fillRect(19, 53, 26, 58, 1); });
        addPart(s, pal::leather, 2, 4, [](Canvas& p) { p.fillRect(38, 53, 45, 58, 1); });
    } else {
        addPart(s, pal::leather, 1, 3, [](Canvas& p) { p.fillRect(28, 44, 34, 55, 1); });
        addPart(s, pal::leather, 1, 3, [](Canvas& p) { p.fillRect(32, 44, 37, 53, 1); });
        addPart(s, pal::leather, 2, 4, [](Canvas& p) { p.fillRect(27, 52, 36, 58, 1); });
    }
}

void torso(Canvas& s, int facing) {
    const bool side = facing == 1;
    const int left = side ? 24 : 21, right = side ? 41 : 43;
    addPart(s, tunic, 2, 6, [&](Canvas& p) {
        p.fillEllipse((left + right) / 2.0, 33, (right - left) / 2.0, 5, 1);  // shoulders
        p.fillRect(left + 1, 33, right - 1, 47, 1);
        p.fillRect(left, 44, right, 48, 1);                                    // tunic skirt
    });
    // Belt with a gold buckle.
    s.fillRect(left + 1, 42, right - 1, 44, pal::shade(pal::leather, 2));
    s.fillRect(left + 1, 41, right - 1, 42, pal::shade(pal::leather, 4));
    const int buckle = side ? 36 : 31;
    if (facing != 0) {
        s.fillRect(buckle, 41, buckle + 3, 44, pal::shade(pal::gold, 5));
        s.set(buckle + 2, 43, pal::shade(pal::gold, 2));
    }
}

void capeBack(Canvas& s, int facing, int phase) {
    if (facing == 0) {
        // Seen from behind the cape covers the back, with two folds.
        addPart(s, cape, 2, 5, [&](Canvas& p) {
            p.fillPolygon({{21, 31}, {43, 31}, {46, 50 + phase}, {18, 50 + (1 - phase)}}, 1);
        });
        for (int y = 36; y < 49; ++y) {
            s.set(27, y, pal::shade(cape, 1));
            s.set(37, y, pal::shade(cape, 1));
            s.set(28, y, pal::shade(cape, 5));
        }
    } else if (facing == 1) {
        addPart(s, cape, 1, 4, [&](Canvas& p) {
            p.fillPolygon({{30, 30}, {25, 31}, {16 - 2 * phase, 47}, {22, 49}, {27, 46}}, 1);
        });
    } else {
        // From the front only the lining shows past the shoulders.
        addPart(s, cape, 1, 3, [](Canvas& p) { p.fillPolygon({{20, 32}, {44, 32}, {46, 47}, {18, 47}}, 1); });
    }
}

void arm(Canvas& s, double x0, double y0, double x1, double y1) {
    addPart(s, tunic, 2, 5, [&](Canvas& p) { p.thickLine(x0, y0, x1, y1, 2.8, 1); });
    addPart(s, pal::skin, 3, 6, [&](Canvas& p) { p.fillEllipse(x1, y1 + 1.5, 2.8, 2.8, 1); });
}

void head(Canvas& s, int facing) {
    const double cx = facing == 1 ? 33 : 32, cy = 21;
    if (facing == 0) {
        addPart(s, hair, 1, 5, [&](Canvas& p) {
            p.fillEllipse(cx, cy, 11.5, 11, 1);
            p.fillRect(24, 24, 41, 31, 1);  // hair down the nape
        });
        for (int x = 25; x < 40; x += 4) s.line(x, 23, x + 1, 29, pal::shade(hair, 1));
        return;
    }
    addPart(s, pal::skin, 3, 7, [&](Canvas& p) { p.fillEllipse(cx, cy + 1, 10.5, 10, 1); });
    // Hair: a cap over the crown with a ragged fringe.
    addPart(s, hair, 1, 5, [&](Canvas& p) {
        if (facing == 2) {
            p.fillEllipse(cx, cy - 4, 12, 8, 1);
            p.fillRect(20, 16, 24, 27, 1);
            p.fillRect(40, 16, 44, 27, 1);
            for (int x = 23; x <= 39; x += 4) p.fillPolygon({{x - 0.5, 17}, {x + 4.5, 17}, {x + 1.5, 21}}, 1);
        } else {
            p.fillEllipse(cx - 2, cy - 4, 11.5, 8, 1);
            p.fillEllipse(cx - 6, cy + 1, 6, 8, 1);  // back of the head
            for (int x = 30; x <= 38; x += 4) p.fillPolygon({{x - 0.5, 17}, {x + 4.5, 17}, {x + 2.5, 21}}, 1);
        }
    });
    const uint8_t eye = pal::ink, gleam = pal::white;
    if (facing == 2) {
        s.fillRect(26, 23, 29, 27, eye);
        s.fillRect(35, 23, 38, 27, eye);
        s.set(27, 23, gleam);
        s.set(36, 23, gleam);
        s.fillRect(31, 29, 34, 30, pal::shade(pal::skin, 2));  // mouth
    } else {
        s.fillRect(38, 23, 40, 27, eye);
        s.set(38, 23, gleam);
        s.set(43, 25, pal::shade(pal::skin, 5));                // nose tip
        s.set(44, 25, pal::ink);
        s.fillRect(39, 29, 42, 30, pal::shade(pal::skin, 2));
        s.fillRect(32, 22, 35, 26, pal::shade(pal::skin, 4));  // ear
        s.set(33, 23, pal::shade(pal::skin, 2));
        s.set(31, 23, pal::ink);
        s.set(31, 24, pal::ink);
    }
}

Canvas drawHero(int facing, int phase) {
    // The left-facing frames are the right-facing ones mirrored.
    if (facing == 3) return drawHero(1, phase).mirrored();
    Canvas s(cell, cell);
    groundShadow(s, 32, 57, 14, 4);
    const int swing = phase == 0 ? 2 : -2;
    if (facing == 1) {
        capeBack(s, facing, phase);
        arm(s, 28, 33, 25 - swing, 42);  // far arm, behind the body
        legs(s, facing, phase);
        torso(s, facing);
        head(s, facing);
        arm(s, 34, 33, 36 + swing * 2, 43);
        return s;
    }
    capeBack(s, facing, phase);  // behind everything when seen from the front
    legs(s, facing, phase);
    arm(s, 21, 33, 18, 43 + swing);
    arm(s, 43, 33, 46, 43 - swing);
    if (facing == 0) {
        capeBack(s, facing, phase);  // seen from behind it hangs over the back
        head(s, facing);
    } else {
        torso(s, facing);
        head(s, facing);
    }
    return s;
}

void drawGauge(Canvas& sheet) {
    using layout::hero::gaugeEmpty, layout::hero::gaugeFill;
    // Empty: an inked tube with notches every ten rows.
    sheet.fillRect(gaugeEmpty.left, gaugeEmpty.top, gaugeEmpty.right, gaugeEmpty.bottom, pal::ink);
    sheet.fillRect(gaugeEmpty.left + 1, gaugeEmpty.top + 1, gaugeEmpty.right - 1, gaugeEmpty.bottom - 1,
                   pal::shade(pal::night, 1));
    for (int y = gaugeEmpty.top + 11; y < gaugeEmpty.bottom - 1; y += 10)
        sheet.fillRect(gaugeEmpty.left + 1, y, gaugeEmpty.left + 3, y + 1, pal::shade(pal::steel, 4));
    // Filling: the game shows its top rows first, so the bright surface
    // line is row 0 and the body below it is the same all the way down.
    for (int y = gaugeFill.top; y < gaugeFill.bottom; ++y)
        for (int x = gaugeFill.left; x < gaugeFill.right; ++x) {
            const int column = x - gaugeFill.left;
            uint8_t c = pal::ink;
            if (column > 0 && column < 7) {
                c = column <= 2 ? pal::shade(pal::fire, 6) : column <= 4 ? pal::shade(pal::fire, 5)
                                                                         : pal::shade(pal::fire, 3);
                if (y == gaugeFill.top) c = pal::shade(pal::fire, 7);
            }
            sheet.set(x, y, c);
        }
}

}  // namespace

Canvas drawCharacterSheet() {
    const layout::Sheet& sheet = layout::sheets[1];
    Canvas canvas(sheet.width, sheet.height);
    for (int facing = 0; facing < 4; ++facing)
        for (int phase = 0; phase < 2; ++phase)
            canvas.place(drawHero(facing, phase), layout::hero::frame(facing, phase, ""));
    drawGauge(canvas);
    return canvas;
}
