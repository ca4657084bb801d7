#include "win32/window_utils.h"

#include "win32/handles.h"
#include "win32/wide.h"

#include <algorithm>

Dpi screenDpi() {
    WindowDC screen(nullptr);
    Dpi dpi;
    if (screen.get()) {
        dpi.x = GetDeviceCaps(screen.get(), LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    if (dpi.x <= 0 || dpi.y <= 0)
        dpi = Dpi();
    return dpi;
}

POINT centredPosition(int width, int height, HWND over) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT target = work;
    if (over)
        GetWindowRect(over, &target);
    int x = target.left + (target.right - target.left - width) / 2;
    int y = target.top + (target.bottom - target.top - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    return {x, y};
}

void centreWindow(HWND window, HWND over) {
    RECT r{};
    GetWindowRect(window, &r);
    const POINT at = centredPosition(r.right - r.left, r.bottom - r.top, over);
    if (at.x != r.left || at.y != r.top)
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring windowTextW(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

std::string windowText(HWND window) {
    return narrow(windowTextW(window));
}
