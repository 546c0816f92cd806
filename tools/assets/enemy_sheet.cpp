// The six kinds of cave dweller and the boss's two shots, one 64×64 cell
// each, all facing the viewer since they are drawn the same whichever
// way they move.
#include <cmath>

#include "palette.h"
#include "shading.h"
#include "sheets.h"
#include "sprite_parts.h"

namespace {

constexpr int cell = 64;

void eye(Canvas& s, int x, int y, uint8_t pupil) {
    s.fillRect(x, y, x + 4, y + 5, pal::white);
    s.fillRect(x + 1, y + 2, x + 3, y + 5, pupil);
    s.set(x - 1, y + 1, pal::ink);
    s.fillRect(x, y - 1, x + 4, y, pal::ink);
}

Canvas slime() {
    Canvas s(cell, cell);
    groundShadow(s, 32, 55, 21, 4);
    addPart(s, pal::slime, 1, 6, [](Canvas& p) {
        p.fillEllipse(32, 42, 21, 16, 1);
        p.fillRect(10, 42, 54, 56, 0);
        p.fillEllipse(32, 46, 22, 10, 1);
        p.fillEllipse(32, 24, 5, 6, 1);  // the wobbling tip
    });
    s.fillEllipse(21, 35, 3, 2, pal::white);
    s.set(26, 31, pal::white);
    eye(s, 23, 40, pal::ink);
    eye(s, 37, 40, pal::ink);
    s.line(29, 50, 35, 50, pal::shade(pal::slime, 1));
    return s;
}

Canvas wraith() {
    Canvas s(cell, cell);
    groundShadow(s, 32, 58, 11, 3);
    addPart(s, pal::teal, 2, 7, [](Canvas& p) {
        p.fillEllipse(32, 22, 14, 14, 1);
        p.fillPolygon({{18, 24}, {46, 24}, {44, 44}, {40, 52}, {36, 47}, {32, 54}, {28, 47}, {24, 52}, {20, 44}}, 1);
    });
    addPart(s, pal::teal, 2, 5, [](Canvas& p) { p.thickLine(18, 30, 10, 38, 2.5, 1); });
    addPart(s, pal::teal, 2, 5, [](Canvas& p) { p.thickLine(46, 30, 54, 38, 2.5, 1); });
    // Hollow eyes with a cold light in them, and a gaping mouth.
    s.fillEllipse(26, 21, 3.5, 4.5, pal::ink);
    s.fillEllipse(38, 21, 3.5, 4.5, pal::ink);
    s.fillRect(25, 21, 27, 23, pal::shade(pal::slime, 6));
    s.fillRect(37, 21, 39, 23, pal::shade(pal::slime, 6));
    s.fillEllipse(32, 31, 3, 3.5, pal::ink);
    return s;
}

Canvas bat() {
    Canvas s(cell, cell);
    groundShadow(s, 32, 56, 12, 3);
    for (int side = -1; side <= 1; side += 2) {
        addPart(s, pal::violet, 1, 4, [&](Canvas& p) {
            auto X = [&](double dx) { return 32 + side * dx; };
            p.fillPolygon({{X(6), 24}, {X(18), 14}, {X(30), 16}, {X(29), 36}, {X(24), 31}, {X(19), 37},
                           {X(14), 32}, {X(8), 36}},
                          1);
        });
        for (int i = 0; i < 3; ++i) s.line(32 + side * 17, 16, 32 + side * (12 + 6 * i), 33, pal::shade(pal::violet, 1));
    }
    addPart(s, pal::leather, 1, 4, [](Canvas& p) {
        p.fillEllipse(32, 28, 8, 10, 1);
        p.fillPolygon({{25, 22}, {27, 12}, {30, 20}}, 1);  // ears
        p.fillPolygon({{39, 22}, {37, 12}, {34, 20}}, 1);
    });
    s.fillRect(28, 25, 30, 27, pal::shade(pal::red, 6));
    s.fillRect(34, 25, 36, 27, pal::shade(pal::red, 6));
    s.set(30, 31, pal::white);
    s.set(34, 31, pal::white);
    return s;
}

Canvas beetle() {
    Canvas s(cell, cell);
    groundShadow(s, 32, 56, 19, 4);
    for (int i = 0; i < 3; ++i) {
        const int y = 30 + 8 * i;
        s.line(15, y, 8, y + 4 + i, pal::ink);
        s.line(16, y + 1, 9, y + 5 + i, pal::ink);
        s.line(49, y, 56, y + 4 + i, pal::ink);
        s.line(48, y + 1, 55, y + 5 + i, pal::ink);
    }
    addPart(s, pal::leather, 1, 3, [](Canvas& p) {
        p.fillEllipse(32, 17, 9, 7, 1);
        p.fillPolygon({{26, 13}, {22, 4}, {29, 11}}, 1);  // mandibles
        p.fillPolygon({{38, 13}, {42, 4}, {35, 11}}, 1);
    });
    addPart(s, pal::red, 1, 6, [](Canvas& p) { p.fillEllipse(32, 37, 17, 19, 1); });
    s.line(32, 20, 32, 55, pal::shade(pal::red, 0));
    s.fillEllipse(25, 29, 2.5, 4, pal::shade(pal::red, 7));
    s.fillEllipse(39, 31, 1.5, 2.5, pal::shade(pal::red, 6));
    s.fillRect(27, 15, 29, 17, pal::shade(pal::gold, 6));
    s.fillRect(35, 15, 37, 17, pal::shade(pal::gold, 6));
    return s;
}

Canvas boneKnight() {
    Canvas s(cell, cell);
    groundShadow(s, 32, 58, 17, 4);
    addPart(s, pal::bone, 2, 5, [](Canvas& p) {
        p.fillRect(25, 44, 29, 57, 1);
        p.fillRect(35, 44, 39, 57, 1);
    });
    addPart(s, pal::steel, 1, 5, [](Canvas& p) {
        p.fillEllipse(32, 33, 12, 6, 1);
        p.fillRect(22, 33, 42, 47, 1);
    });
    for (int y = 36; y < 46; y += 3) s.line(27, y, 37, y, pal::shade(pal::steel, 1));  // ribbed mail
    // Sword raised on the right, round shield on the left.
    addInked(s, [](Canvas& p) {
        p.thickLine(49, 40, 55, 8, 1.5, pal::shade(pal::steel, 6));
        p.thickLine(45, 38, 53, 40, 1.2, pal::shade(pal::gold, 4));
    });
    addPart(s, pal::bone, 3, 6, [](Canvas& p) { p.fillEllipse(47, 41, 3, 3, 1); });
    addPart(s, pal::red, 1, 4, [](Canvas& p) { p.fillEllipse(17, 40, 9, 10, 1); });
    s.fillRect(16, 33, 19, 48, pal::shade(pal::gold, 5));
    s.fillRect(12, 39, 23, 42, pal::shade(pal::gold, 5));
    addPart(s, pal::bone, 3, 7, [](Canvas& p) {
        p.fillEllipse(32, 19, 10, 10, 1);
        p.fillRect(27, 25, 38, 31, 1);  // jaw
    });
    addPart(s, pal::red, 2, 5, [](Canvas& p) { p.fillPolygon({{30, 9}, {35, 9}, {40, 2}, {27, 4}}, 1); });
    s.fillEllipse(28, 19, 3, 3.5, pal::ink);
    s.fillEllipse(36, 19, 3, 3.5, pal::ink);
    s.set(28, 19, pal::shade(pal::red, 6));
    s.set(36, 19, pal::shade(pal::red, 6));
    for (int x = 29; x <= 36; x += 2) s.line(x, 27, x, 30, pal::shade(pal::bone, 1));
    return s;
}

Canvas golem() {
    Canvas s(cell, cell);
    groundShadow(s, 32, 58, 24, 4);
    addPart(s, pal::stone, 2, 6, [](Canvas& p) {
        p.fillRect(20, 46, 28, 58, 1);
        p.fillRect(36, 46, 44, 58, 1);
    });
    addPart(s, pal::stone, 2, 6, [](Canvas& p) { p.fillEllipse(32, 37, 19, 14, 1); });
    addPart(s, pal::stone, 2, 6, [](Canvas& p) { p.fillEllipse(10, 40, 8, 10, 1); });
    addPart(s, pal::stone, 2, 6, [](Canvas& p) { p.fillEllipse(54, 40, 8, 10, 1); });
    addPart(s, pal::stone, 3, 7, [](Canvas& p) { p.fillEllipse(32, 17, 11, 9, 1); });
    // Moss on the shoulders, cracks in the chest, a glowing core.
    s.fillEllipse(20, 27, 4, 2, pal::shade(pal::grass, 4));
    s.fillEllipse(45, 28, 3, 1.5, pal::shade(pal::grass, 4));
    s.line(24, 34, 28, 40, pal::shade(pal::stone, 1));
    s.line(28, 40, 26, 46, pal::shade(pal::stone, 1));
    s.fillEllipse(37, 39, 3, 3, pal::shade(pal::fire, 5));
    s.set(36, 38, pal::shade(pal::fire, 7));
    s.fillRect(26, 16, 30, 19, pal::shade(pal::fire, 6));
    s.fillRect(34, 16, 38, 19, pal::shade(pal::fire, 6));
    s.fillRect(26, 15, 30, 16, pal::ink);
    s.fillRect(34, 15, 38, 16, pal::ink);
    return s;
}

// A glowing ball: dithered halo, lit core, white-hot centre.
Canvas orb(uint8_t ramp, double radius) {
    Canvas s(cell, cell);
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) {
            const double r = std::hypot(x + 0.5 - 32, y + 0.5 - 32);
            if (r < radius + 6 && r >= radius && ditherOn(x, y, 1.0 - (r - radius) / 6)) s.set(x, y, pal::shade(ramp, 2));
        }
    shadedEllipse(s, 32, 32, radius, radius, ramp, 3, 7);
    s.fillEllipse(29, 29, radius * 0.35, radius * 0.35, pal::white);
    return s;
}

Canvas violetShot() {
    Canvas s = orb(pal::violet, 10);
    // Four motes circling the orb.
    const int motes[4][2] = {{14, 20}, {50, 16}, {48, 50}, {16, 46}};
    for (const auto& m : motes) {
        s.set(m[0], m[1], pal::white);
        s.set(m[0] + 1, m[1], pal::shade(pal::violet, 6));
        s.set(m[0] - 1, m[1], pal::shade(pal::violet, 6));
        s.set(m[0], m[1] + 1, pal::shade(pal::violet, 6));
        s.set(m[0], m[1] - 1, pal::shade(pal::violet, 6));
    }
    return s;
}

Canvas fireShot() {
    Canvas s(cell, cell);
    // Flame tongues licking upward, then the hot ball over them.
    addPart(s, pal::fire, 2, 5, [](Canvas& p) {
        p.fillPolygon({{18, 36}, {22, 14}, {28, 24}, {32, 6}, {37, 22}, {43, 12}, {46, 36}}, 1);
        p.fillEllipse(32, 37, 15, 14, 1);
    }, pal::shade(pal::red, 1));
    s.fillEllipse(32, 38, 10, 9, pal::shade(pal::fire, 6));
    s.fillPolygon({{26, 34}, {32, 18}, {38, 34}}, pal::shade(pal::fire, 6));
    s.fillEllipse(32, 40, 5, 5, pal::shade(pal::fire, 7));
    return s;
}

}  // namespace

Canvas drawEnemySheet() {
    const layout::Sheet& sheet = layout::sheets[3];
    Canvas canvas(sheet.width, sheet.height);
    const Canvas sprites[] = {slime(), wraith(), bat(), beetle(), boneKnight(), golem(), violetShot(), fireShot()};
    for (int i = 0; i < 8; ++i) canvas.place(sprites[i], layout::foe::cell(i, ""));
    return canvas;
}
