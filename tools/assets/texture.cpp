#include "texture.h"

#include <cmath>
#include <limits>

#include "random.h"

StoneField::StoneField(int size, int count, uint32_t seed) : size_(size) {
    // Jittered grid, so stones are even in size yet irregular.
    Random random(seed);
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const double step = static_cast<double>(size) / side;
    for (int gy = 0; gy < side; ++gy)
        for (int gx = 0; gx < side; ++gx)
            centres_.push_back({(gx + 0.2 + 0.6 * random.unit()) * step + (gy % 2) * step * 0.5,
                                (gy + 0.2 + 0.6 * random.unit()) * step});
    radii_.assign(centres_.size(), step * 0.62);
}

StoneField::Sample StoneField::at(int x, int y) const {
    double best = std::numeric_limits<double>::max(), second = best;
    int bestIndex = 0;
    double bestDx = 0, bestDy = 0;
    for (size_t i = 0; i < centres_.size(); ++i) {
        double dx = x + 0.5 - centres_[i].first, dy = y + 0.5 - centres_[i].second;
        dx -= size_ * std::round(dx / size_);  // shortest way round the torus
        dy -= size_ * std::round(dy / size_);
        const double d = std::hypot(dx, dy);
        if (d < best) {
            second = best;
            best = d;
            bestIndex = static_cast<int>(i);
            bestDx = dx;
            bestDy = dy;
        } else if (d < second) {
            second = d;
        }
    }
    const double r = radii_[bestIndex];
    return {bestIndex, bestDx / r, bestDy / r, (second - best) * 0.5};
}

void scatterPebbles(Canvas& tile, int count, uint8_t ramp, int lo, uint32_t seed) {
    Random random(seed);
    for (int i = 0; i < count; ++i) {
        const int x = random.below(tile.width()), y = random.below(tile.height());
        const int w = random.between(1, 3);
        for (int dx = 0; dx < w; ++dx) {
            tile.setWrapped(x + dx, y, static_cast<uint8_t>(ramp + lo + 2));  // lit top
            tile.setWrapped(x + dx, y + 1, static_cast<uint8_t>(ramp + lo + 1));
            tile.setWrapped(x + dx, y + 2, static_cast<uint8_t>(ramp + lo - 1));  // shadow under it
        }
    }
}
