#include "app/win32/win32_controls.h"

#include "art/win32/art_bitmap.h"
#include "platform/win32/native_paths.h"
#include "win32/wide.h"
#include "win32/window_utils.h"

Control controlOfWindow(HWND window) {
    int id = GetDlgCtrlID(window) - kControlIdBase;
    return id >= 0 && id < kControlCount ? static_cast<Control>(id) : Control::Count;
}

Win32Controls::Win32Controls() {
    for (int i = 0; i < kControlCount; ++i) {
        const ControlLayout& l = layoutOf(static_cast<Control>(i));
        rects_[i] = {l.left, l.top, l.width, l.height};
        shown_[i] = l.visible;
    }
}

void Win32Controls::attach(Control c, HWND w) {
    windows_[static_cast<int>(c)] = w;
}

HBITMAP Win32Controls::picture(Control c) {
    PendingArt& art = pendingArt_[static_cast<int>(c)];
    if (art.picture != Picture::None) {
        pictures_[static_cast<int>(c)].reset(loadArt(art.picture, art.width, art.height));
        art = {};
    }
    return pictures_[static_cast<int>(c)].get();
}

void Win32Controls::setPicture(Control c, HBITMAP bitmap) {
    pendingArt_[static_cast<int>(c)] = {};
    pictures_[static_cast<int>(c)].reset(bitmap);
    InvalidateRect(window(c), nullptr, TRUE);
}

void Win32Controls::setArt(Control c, Picture picture, int width, int height) {
    pictures_[static_cast<int>(c)].reset();
    pendingArt_[static_cast<int>(c)] = {picture, width, height};
    if (HWND w = window(c))
        InvalidateRect(w, nullptr, TRUE);
}

std::string Win32Controls::text(Control c) const {
    return windowText(window(c));
}

void Win32Controls::setText(Control c, const std::string& utf8) {
    SetWindowTextW(window(c), widen(utf8).c_str());
}

int Win32Controls::value(Control c) const {
    LRESULT state = SendMessageW(window(c), BM_GETCHECK, 0, 0);
    return state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? 2 : 0;
}

void Win32Controls::setValue(Control c, int v) {
    WPARAM state = v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    SendMessageW(window(c), BM_SETCHECK, state, 0);
    // Selecting an option button clears the others of its frame.
    if (v == 1 && layoutOf(c).kind == ControlKind::OptionButton)
        for (int i = 0; i < kControlCount; ++i) {
            Control other = static_cast<Control>(i);
            const ControlLayout& l = layoutOf(other);
            if (other != c && l.kind == ControlKind::OptionButton &&
                l.container == layoutOf(c).container)
                SendMessageW(window(other), BM_SETCHECK, BST_UNCHECKED, 0);
        }
}

bool Win32Controls::visible(Control c) const {
    if (!window(c))
        return shown_[static_cast<int>(c)];
    return (GetWindowLongW(window(c), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Controls::setVisible(Control c, bool v) {
    if (!window(c))
        shown_[static_cast<int>(c)] = v;
    else
        ShowWindow(window(c), v ? SW_SHOW : SW_HIDE);
}

TwipRect Win32Controls::rect(Control c) const {
    return rects_[static_cast<int>(c)];
}

void Win32Controls::move(Control c, const TwipRect& r) {
    rects_[static_cast<int>(c)] = r;
    if (window(c))
        SetWindowPos(window(c), nullptr, toPixels(r.left), toPixels(r.top), toPixels(r.width),
                     toPixels(r.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Controls::setFormSize(int widthTwips, int heightTwips) {
    RECT r{};
    GetWindowRect(window(Control::Form1), &r);
    const int width = toPixels(widthTwips), height = toPixels(heightTwips);
    if (r.right - r.left != width || r.bottom - r.top != height)
        SetWindowPos(window(Control::Form1), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Controls::loadPicture(Control image, const std::string& path) {
    HANDLE bitmap = LoadImageW(nullptr, nativeFilePath(widen(path)).c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap)
        return false;
    setPicture(image, static_cast<HBITMAP>(bitmap));
    return true;
}
