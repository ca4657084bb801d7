#include "win32/owner_draw.h"

#include "win32/handles.h"
#include "win32/window_utils.h"
#include <cstdlib>

#include <string>

namespace {

int luminance(COLORREF c) {
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}

// The caption colour, unless it would vanish into the face: the navigation
// buttons' face is a system colour that some colour schemes make dark.
COLORREF readableOn(COLORREF face, COLORREF text) {
    if (std::abs(luminance(face) - luminance(text)) >= 96)
        return text;
    return luminance(face) < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

} // namespace

void drawButton(const DRAWITEMSTRUCT& item, HBRUSH face, COLORREF text) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, face);
    LOGBRUSH faceColour = {};
    GetObjectW(face, sizeof faceColour, &faceColour);
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring caption = windowTextW(item.hwndItem);
    RECT textRect = r;
    if (pressed)
        OffsetRect(&textRect, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                                                     : readableOn(faceColour.lbColor, text));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void drawImage(const DRAWITEMSTRUCT& item, HBITMAP bitmap, bool stretch, HBRUSH background) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, background);
    if (!bitmap)
        return;
    BITMAP info;
    if (!GetObjectW(bitmap, sizeof info, &info))
        return;
    MemoryDC source(dc);
    Selected selected(source.get(), bitmap);
    if (stretch) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
    } else {
        BitBlt(dc, r.left, r.top, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    }
}
