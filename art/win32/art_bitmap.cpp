#include "art/win32/art_bitmap.h"

#include "art/png.h"
#include "art/resample.h"
#include "resources/resource_ids.h"

#include <cstring>

namespace {

struct Resource {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    int width = 0;
    int height = 0;
};

Resource findPng(int id) {
    Resource r;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return r;
    r.data = static_cast<const std::uint8_t*>(data);
    r.size = SizeofResource(module, found);
    if (!pngSize(r.data, r.size, r.width, r.height))
        r.data = nullptr;
    return r;
}

// The smallest drawing at least as large as the box, else the largest.
Resource chooseDrawing(Picture picture, int width, int height) {
    static const int kBanners[] = {IDR_BANNER_96, IDR_BANNER_144};
    static const int kAbout[] = {IDR_ABOUT};
    const int* ids = picture == Picture::Banner ? kBanners : kAbout;
    const int count = picture == Picture::Banner ? 2 : 1;
    Resource best;
    for (int i = 0; i < count; ++i) {
        Resource r = findPng(ids[i]);
        if (!r.data)
            continue;
        const bool fits = r.width >= width && r.height >= height;
        const bool bestFits = best.data && best.width >= width && best.height >= height;
        if (!best.data || (fits && (!bestFits || r.width < best.width)) ||
            (!fits && !bestFits && r.width > best.width))
            best = r;
    }
    return best;
}

HBITMAP toBitmap(const Pixels& p) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        std::memcpy(bits, p.rgb.data(), p.rgb.size() * sizeof p.rgb[0]);
    return bitmap;
}

} // namespace

HBITMAP loadArt(Picture picture, int width, int height) {
    if (picture == Picture::None || width <= 0 || height <= 0)
        return nullptr;
    const Resource r = chooseDrawing(picture, width, height);
    Pixels drawn;
    if (!r.data || !decodePng(r.data, r.size, drawn))
        return nullptr;
    return toBitmap(resample(drawn, width, height));
}
