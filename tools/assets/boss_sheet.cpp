// The Cave Lord: a horned sorcerer in a violet robe with tattered wings,
// hovering, casting (an orb between his raised hands, where his shots
// leave from) and charging (hunched in a fiery rush).
#include <cmath>

#include "palette.h"
#include "shading.h"
#include "sheets.h"
#include "sprite_parts.h"

namespace {

constexpr int size = 128;

void wings(Canvas& s, int lift) {
    for (int side = -1; side <= 1; side += 2) {
        addPart(s, pal::red, 0, 3, [&](Canvas& p) {
            auto X = [&](double dx) { return 64 + side * dx; };
            p.fillPolygon({{X(14), 48}, {X(40), 18 - lift}, {X(60), 14 - lift}, {X(58), 40}, {X(52), 36},
                           {X(50), 58}, {X(42), 50}, {X(36), 72}, {X(28), 60}, {X(18), 76}},
                          1);
        });
        for (int i = 0; i < 3; ++i)  // wing ribs
            s.line(64 + side * 40, 18 - lift, 64 + side * (52 - 8 * i), 38 + 14 * i, pal::ink);
    }
}

void robe(Canvas& s, int hunch) {
    addPart(s, pal::violet, 1, 4, [&](Canvas& p) {
        p.fillPolygon({{44, 50 + hunch}, {84, 50 + hunch}, {100, 100}, {106, 114}, {94, 110}, {86, 116}, {76, 110},
                       {64, 117}, {52, 110}, {42, 116}, {34, 110}, {22, 114}, {28, 100}},
                      1);
    });
    // Folds falling from the waist to the hem.
    for (int side = -1; side <= 1; side += 2)
        for (int i = 1; i <= 2; ++i)
            s.line(64 + side * 8 * i, 72 + hunch, 64 + side * 14 * i, 108, pal::shade(pal::violet, 1));
    // Gold trim down the front and a clasp.
    s.line(64, 60 + hunch, 64, 114, pal::shade(pal::gold, 4));
    s.line(65, 60 + hunch, 65, 113, pal::shade(pal::gold, 2));
    s.fillEllipse(64, 60 + hunch, 4, 4, pal::shade(pal::red, 5));
    s.set(63, 59 + hunch, pal::shade(pal::red, 7));
}

void shoulders(Canvas& s, int hunch) {
    for (int side = -1; side <= 1; side += 2) {
        addPart(s, pal::bone, 2, 6, [&](Canvas& p) {
            const double cx = 64 + side * 24, cy = 52 + hunch;
            p.fillEllipse(cx, cy, 12, 9, 1);
            p.fillPolygon({{cx - 3, cy - 6}, {cx + side * 10, cy - 18}, {cx + 4 * side, cy - 4}}, 1);
        });
    }
}

void arm(Canvas& s, double x0, double y0, double x1, double y1) {
    addPart(s, pal::violet, 1, 4, [&](Canvas& p) { p.thickLine(x0, y0, x1, y1, 6, 1); });
    addPart(s, pal::deep, 3, 6, [&](Canvas& p) {
        p.fillEllipse(x1, y1, 6, 6, 1);
        for (int i = -1; i <= 1; ++i) p.thickLine(x1 + 3 * i, y1 + 3, x1 + 5 * i, y1 + 10, 1.2, 1);  // claws
    });
}

void headAndHorns(Canvas& s, int y, bool blazing) {
    for (int side = -1; side <= 1; side += 2) {
        addPart(s, pal::bone, 1, 5, [&](Canvas& p) {
            auto X = [&](double dx) { return 64 + side * dx; };
            p.fillPolygon({{X(8), y - 8.0}, {X(22), y - 22.0}, {X(30), y - 34.0}, {X(28), y - 20.0}, {X(16), y - 2.0}}, 1);
        });
    }
    addPart(s, pal::bone, 2, 7, [&](Canvas& p) {
        p.fillEllipse(64, y, 14, 15, 1);
        p.fillRect(55, y + 8, 74, y + 17, 1);
    });
    // Eye slits burning red, a row of fangs.
    const uint8_t glow = blazing ? pal::shade(pal::fire, 7) : pal::shade(pal::red, 6);
    for (int side = -1; side <= 1; side += 2) {
        s.fillPolygon({{64 + side * 3.0, y - 1.0}, {64 + side * 11.0, y - 5.0}, {64 + side * 10.0, y + 2.0}}, pal::ink);
        s.fillPolygon({{64 + side * 5.0, y - 0.5}, {64 + side * 10.0, y - 3.0}, {64 + side * 9.0, y + 0.5}}, glow);
    }
    s.fillRect(57, y + 11, 72, y + 14, pal::ink);
    for (int x = 58; x < 72; x += 3) s.fillRect(x, y + 11, x + 2, y + 13, pal::shade(pal::bone, 7));
}

void flames(Canvas& s) {
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = (x - 64) / 56.0, dy = (y - 70) / 62.0;
            const double r = std::hypot(dx, dy * 0.9);
            const double flicker = 0.12 * std::sin(x * 0.55) + 0.08 * std::sin(x * 1.3 + y * 0.2);
            const double edge = 1.0 + flicker - (y < 70 ? 0 : (y - 70) / 90.0);
            if (r > edge) continue;
            const double t = r / edge;
            if (t > 0.8 && !ditherOn(x, y, (1.0 - t) * 5)) continue;
            s.set(x, y, pal::shade(pal::fire, t > 0.8 ? 2 : t > 0.6 ? 3 : 4));
        }
}

Canvas pose(int k) {
    Canvas s(size, size);
    s.fillEllipse(64, 120, 38, 6, pal::shade(pal::night, 1));
    if (k == 2) flames(s);
    const int hunch = k == 2 ? 10 : 0;
    wings(s, k == 1 ? 10 : k == 2 ? -8 : 0);
    if (k == 0) {
        arm(s, 42, 56, 30, 88);
        arm(s, 86, 56, 98, 88);
    }
    robe(s, hunch);
    shoulders(s, hunch);
    if (k == 1) {
        arm(s, 42, 52, 40, 18);
        arm(s, 86, 52, 88, 18);
    }
    headAndHorns(s, 36 + hunch, k == 2);
    if (k == 1) {
        // The orb gathering over his head.
        for (int y = 0; y < 30; ++y)
            for (int x = 44; x < 84; ++x) {
                const double r = std::hypot(x + 0.5 - 64, y + 0.5 - 12);
                if (r < 16 && r > 9 && ditherOn(x, y, 1.0 - (r - 9) / 7)) s.set(x, y, pal::shade(pal::violet, 5));
            }
        shadedEllipse(s, 64, 12, 9, 9, pal::violet, 4, 7);
        s.fillEllipse(61, 9, 3, 3, pal::white);
    }
    if (k == 2) {
        arm(s, 44, 64, 36, 96);
        arm(s, 84, 64, 92, 96);
    }
    return s;
}

}  // namespace

Canvas drawBossSheet() {
    const layout::Sheet& sheet = layout::sheets[7];
    Canvas canvas(sheet.width, sheet.height);
    for (int k = 0; k < 3; ++k) canvas.place(pose(k), layout::boss::pose(k, ""));
    return canvas;
}
