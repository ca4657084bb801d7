#include "oem/win32/stretched_picture.h"

StretchedPicture::~StretchedPicture() {
    if (bitmap_)
        DeleteObject(bitmap_);
}

bool StretchedPicture::load(const std::wstring& path) {
    HBITMAP loaded = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!loaded)
        return false;
    BITMAP info;
    if (!GetObjectW(loaded, sizeof info, &info)) {
        DeleteObject(loaded);
        return false;
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = loaded;
    size_ = {info.bmWidth, info.bmHeight};
    return true;
}

void StretchedPicture::draw(HDC dc, const RECT& box, HBRUSH background) const {
    if (!bitmap_) {
        FillRect(dc, &box, background);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap_);
    // Halftone keeps a shrunken logo readable; it needs the brush origin set.
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, source, 0, 0,
               size_.cx, size_.cy, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}
