#include "art/resample.h"

#include <cmath>

namespace {

// The source pixels that make up one pixel along an axis, with their weights.
struct Taps {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Taps> tapsFor(int from, int to) {
    std::vector<Taps> all(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        Taps& t = all[static_cast<std::size_t>(i)];
        if (scale >= 1.0) {
            // The area [lo, hi) of the source that the pixel covers.
            const double lo = i * scale, hi = lo + scale;
            t.first = static_cast<int>(lo);
            for (int s = t.first; s < from && s < hi; ++s) {
                const double covered =
                    std::fmin(hi, s + 1.0) - std::fmax(lo, static_cast<double>(s));
                t.weights.push_back(static_cast<float>(covered / scale));
            }
        } else {
            // Between the two source pixels whose centres are nearest.
            double centre = (i + 0.5) * scale - 0.5;
            if (centre < 0)
                centre = 0;
            if (centre > from - 1)
                centre = from - 1;
            t.first = static_cast<int>(centre);
            const float f = static_cast<float>(centre - t.first);
            t.weights.push_back(1.0f - f);
            if (t.first + 1 < from)
                t.weights.push_back(f);
        }
    }
    return all;
}

struct Colour {
    float r = 0, g = 0, b = 0;

    void add(std::uint32_t rgb, float w) {
        r += w * static_cast<float>((rgb >> 16) & 0xFF);
        g += w * static_cast<float>((rgb >> 8) & 0xFF);
        b += w * static_cast<float>(rgb & 0xFF);
    }
    void add(const Colour& c, float w) {
        r += w * c.r;
        g += w * c.g;
        b += w * c.b;
    }
    static std::uint32_t channel(float v) {
        const long n = std::lround(v);
        return static_cast<std::uint32_t>(n < 0 ? 0 : n > 255 ? 255 : n);
    }
    std::uint32_t rgb() const { return (channel(r) << 16) | (channel(g) << 8) | channel(b); }
};

} // namespace

Pixels resample(const Pixels& source, int width, int height) {
    if (width == source.width && height == source.height)
        return source;
    const std::vector<Taps> across = tapsFor(source.width, width);
    const std::vector<Taps> down = tapsFor(source.height, height);
    // Across first, each source row to the new width; then down.
    std::vector<Colour> rows(static_cast<std::size_t>(width) * source.height);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < width; ++x) {
            const Taps& t = across[static_cast<std::size_t>(x)];
            Colour& c = rows[static_cast<std::size_t>(y) * width + x];
            for (std::size_t k = 0; k < t.weights.size(); ++k)
                c.add(source.at(t.first + static_cast<int>(k), y), t.weights[k]);
        }
    Pixels out;
    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const Taps& t = down[static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x) {
            Colour c;
            for (std::size_t k = 0; k < t.weights.size(); ++k)
                c.add(rows[static_cast<std::size_t>(t.first + static_cast<int>(k)) * width + x],
                      t.weights[k]);
            out.rgb[static_cast<std::size_t>(y) * width + x] = c.rgb();
        }
    }
    return out;
}
