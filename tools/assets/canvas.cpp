#include "canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, 0) {}

void Canvas::set(int x, int y, uint8_t colour) {
    if (inside(x, y)) pixels_[index(x, y)] = colour;
}

void Canvas::setWrapped(int x, int y, uint8_t colour) {
    x = ((x % width_) + width_) % width_;
    y = ((y % height_) + height_) % height_;
    pixels_[index(x, y)] = colour;
}

void Canvas::fill(uint8_t colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

void Canvas::fillRect(int left, int top, int right, int bottom, uint8_t colour) {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x) pixels_[index(x, y)] = colour;
}

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, uint8_t colour) {
    // Pixel centres inside the ellipse; centres sit at +0.5.
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
        for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) set(x, y, colour);
        }
}

void Canvas::fillPolygon(const std::vector<std::pair<double, double>>& points, uint8_t colour) {
    if (points.size() < 3) return;
    double top = points[0].second, bottom = top;
    for (const auto& p : points) {
        top = std::min(top, p.second);
        bottom = std::max(bottom, p.second);
    }
    for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bottom)); ++y) {
        const double sy = y + 0.5;
        std::vector<double> crossings;
        for (size_t i = 0; i < points.size(); ++i) {
            const auto& a = points[i];
            const auto& b = points[(i + 1) % points.size()];
            if ((a.second <= sy) != (b.second <= sy))
                crossings.push_back(a.first + (sy - a.second) * (b.first - a.first) / (b.second - a.second));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5));
                 x <= static_cast<int>(std::floor(crossings[i + 1] - 0.5)); ++x)
                set(x, y, colour);
    }
}

void Canvas::line(int x0, int y0, int x1, int y1, uint8_t colour) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (true) {
        set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void Canvas::thickLine(double x0, double y0, double x1, double y1, double radius, uint8_t colour) {
    const double length = std::hypot(x1 - x0, y1 - y0);
    const int steps = std::max(1, static_cast<int>(length * 2));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        fillEllipse(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, radius, radius, colour);
    }
}

void Canvas::paint(const std::function<uint8_t(int x, int y)>& shadeAt) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (const uint8_t c = shadeAt(x, y)) pixels_[index(x, y)] = c;
}

void Canvas::outline(uint8_t colour, bool corners) {
    std::vector<uint8_t> result = pixels_;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (at(x, y)) continue;
            bool touches = at(x - 1, y) || at(x + 1, y) || at(x, y - 1) || at(x, y + 1);
            if (corners)
                touches = touches || at(x - 1, y - 1) || at(x + 1, y - 1) || at(x - 1, y + 1) || at(x + 1, y + 1);
            if (touches) result[index(x, y)] = colour;
        }
    pixels_ = std::move(result);
}

void Canvas::blit(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.height_; ++sy)
        for (int sx = 0; sx < source.width_; ++sx)
            if (const uint8_t c = source.pixels_[source.index(sx, sy)]) set(x + sx, y + sy, c);
}

Canvas Canvas::mirrored() const {
    Canvas result(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) result.pixels_[index(x, y)] = pixels_[index(width_ - 1 - x, y)];
    return result;
}

Canvas Canvas::rotated() const {
    Canvas result(height_, width_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) result.set(height_ - 1 - y, x, pixels_[index(x, y)]);
    return result;
}

