#include "art/png.h"

#include "art/inflate.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kBytesPerPixel = 3;

std::uint32_t bigEndian(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Undoes the row filters in place: each row is its filter type and `stride` bytes.
bool unfilter(std::uint8_t* data, int rows, std::size_t stride) {
    const std::uint8_t* previous = nullptr;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t type = *data++;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= kBytesPerPixel ? data[i - kBytesPerPixel] : 0;
            const int b = previous ? previous[i] : 0;
            const int c = previous && i >= kBytesPerPixel ? previous[i - kBytesPerPixel] : 0;
            int predicted;
            switch (type) {
            case 0:
                predicted = 0;
                break;
            case 1:
                predicted = a;
                break;
            case 2:
                predicted = b;
                break;
            case 3:
                predicted = (a + b) / 2;
                break;
            case 4:
                predicted = paeth(a, b, c);
                break;
            default:
                return false;
            }
            data[i] = static_cast<std::uint8_t>(data[i] + predicted);
        }
        previous = data;
        data += stride;
    }
    return true;
}

} // namespace

bool decodePng(const std::uint8_t* data, std::size_t size, Pixels& out) {
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0)
        return false;
    std::size_t pos = sizeof kSignature;
    int width = 0, height = 0;
    std::vector<std::uint8_t> compressed;
    bool ended = false;
    while (!ended) {
        if (size - pos < 12)
            return false;
        const std::uint32_t length = bigEndian(data + pos);
        const std::uint8_t* type = data + pos + 4;
        const std::uint8_t* body = data + pos + 8;
        if (length > size - pos - 12)
            return false;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            // 8 bits a sample, RGB, deflate, standard filters, no interlace.
            static const std::uint8_t kFormat[5] = {8, 2, 0, 0, 0};
            if (length != 13 || std::memcmp(body + 8, kFormat, 5) != 0)
                return false;
            const std::uint32_t w = bigEndian(body), h = bigEndian(body + 4);
            if (w == 0 || h == 0 || w > kMaxPngSide || h > kMaxPngSide)
                return false;
            width = static_cast<int>(w);
            height = static_cast<int>(h);
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            compressed.insert(compressed.end(), body, body + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
        }
        pos += 12 + length;
    }
    if (width == 0)
        return false;
    const std::size_t stride = static_cast<std::size_t>(width) * kBytesPerPixel;
    const std::size_t expected = (stride + 1) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> filtered;
    filtered.reserve(expected);
    if (!inflateZlib(compressed.data(), compressed.size(), expected, filtered) ||
        filtered.size() != expected || !unfilter(filtered.data(), height, stride))
        return false;
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.rgb.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = filtered.data() + static_cast<std::size_t>(y) * (stride + 1) + 1;
        for (int x = 0; x < width; ++x, row += kBytesPerPixel)
            pixels.rgb[static_cast<std::size_t>(y) * width + x] =
                (static_cast<std::uint32_t>(row[0]) << 16) | (row[1] << 8) | row[2];
    }
    out = pixels;
    return true;
}

bool pngSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    if (size < 24 || std::memcmp(data, kSignature, sizeof kSignature) != 0 ||
        std::memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    const std::uint32_t w = bigEndian(data + 16), h = bigEndian(data + 20);
    if (w == 0 || h == 0 || w > kMaxPngSide || h > kMaxPngSide)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}
