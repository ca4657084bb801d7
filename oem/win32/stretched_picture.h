// A bitmap loaded from a file and drawn stretched to a rectangle.
#pragma once

#include <windows.h>

#include <string>

class StretchedPicture {
public:
    StretchedPicture() = default;
    StretchedPicture(const StretchedPicture&) = delete;
    StretchedPicture& operator=(const StretchedPicture&) = delete;
    ~StretchedPicture();

    // False, and the previous picture kept, when the file is no bitmap.
    bool load(const std::wstring& path);
    // Fills the rectangle with the picture, or with `background` when there is none.
    void draw(HDC dc, const RECT& box, HBRUSH background) const;

private:
    HBITMAP bitmap_ = nullptr;
    SIZE size_ = {0, 0};
};
