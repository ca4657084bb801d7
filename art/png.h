// Reading the program's pictures: PNG files of 8-bit RGB, not interlaced (as
// resources/make_art.py writes them).
#pragma once

#include "art/pixels.h"

#include <cstddef>
#include <cstdint>

// The largest picture accepted, per side.
constexpr int kMaxPngSide = 4096;

// False (and `out` untouched) when the data is not such a PNG or is damaged.
bool decodePng(const std::uint8_t* data, std::size_t size, Pixels& out);

// The size a PNG file gives in its header, without decoding it; false when
// the data does not begin like a PNG file.
bool pngSize(const std::uint8_t* data, std::size_t size, int& width, int& height);
