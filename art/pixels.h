// A picture in memory: rows from top to bottom, each pixel 0x00RRGGBB (in
// memory B, G, R, 0: the layout of a 32-bit Windows bitmap).
#pragma once

#include <cstdint>
#include <vector>

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};
