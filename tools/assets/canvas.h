// An 8-bit picture of palette indices and the few drawing strokes the
// artwork is built from. Index 0 is "nothing here": sprites are drawn
// on a clear canvas, and only non-zero pixels count as paint.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "sheet_layout.h"

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<uint8_t>& pixels() const { return pixels_; }

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    uint8_t at(int x, int y) const { return inside(x, y) ? pixels_[index(x, y)] : 0; }
    void set(int x, int y, uint8_t colour);
    // Writes with wrap-around, for tiles that must join their own copies.
    void setWrapped(int x, int y, uint8_t colour);

    void fill(uint8_t colour);
    void fillRect(int left, int top, int right, int bottom, uint8_t colour);
    void fillEllipse(double cx, double cy, double rx, double ry, uint8_t colour);
    void fillPolygon(const std::vector<std::pair<double, double>>& points, uint8_t colour);
    void line(int x0, int y0, int x1, int y1, uint8_t colour);
    void thickLine(double x0, double y0, double x1, double y1, double radius, uint8_t colour);
    // Paints every pixel for which `shadeAt` answers non-zero.
    void paint(const std::function<uint8_t(int x, int y)>& shadeAt);

    // Rings the painted area with `colour` on the clear pixels that touch
    // it side-on (and at corners too when `corners` is set).
    void outline(uint8_t colour, bool corners = false);

    void blit(const Canvas& source, int x, int y);  // clear pixels skipped
    void place(const Canvas& source, const layout::Rect& into) { blit(source, into.left, into.top); }
    Canvas mirrored() const;  // left-right
    Canvas rotated() const;   // a quarter turn clockwise; square canvases only

private:
    size_t index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};
