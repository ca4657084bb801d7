#include "win32/code_dialog.h"

#include "win32/window_utils.h"

#include <cstddef>
#include <cwchar>

namespace {

// An empty dialog template: no controls, no menu, the default class.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE head;
    WORD menu;
    WORD windowClass;
    wchar_t title[32];
};
static_assert(offsetof(EmptyTemplate, menu) == sizeof(DLGTEMPLATE),
              "the menu array follows the header directly");

} // namespace

INT_PTR runCodeDialog(HWND owner, const wchar_t* title, DLGPROC proc, LPARAM param) {
    EmptyTemplate t{};
    t.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    wcsncpy(t.title, title, 31);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &t.head, owner, proc, param);
}

HWND addControl(HWND dialog, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                RECT r, HFONT font) {
    HWND h = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, dialog,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

SIZE textSize(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void fitAndCentre(HWND dialog, int clientWidth, int clientHeight) {
    RECT outer = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    centreWindow(dialog, GetParent(dialog));
}

namespace {

HFONT windowFaceInto(Font& font) {
    font = createWindowFont(screenDpi().y);
    return fontOrDefault(font);
}

} // namespace

DialogMeasure::DialogMeasure(HWND dialog, Font& font)
    : font_(windowFaceInto(font)), dc_(dialog), selected_(dc_.get(), font_) {
    GetTextMetricsW(dc_.get(), &metrics_);
}
