#include "win32/top_windows.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<HWND>& windows() {
    static std::vector<HWND> open;
    return open;
}
} // namespace

void topWindowOpened(HWND window) {
    windows().push_back(window);
}

void topWindowClosed(HWND window) {
    auto& open = windows();
    open.erase(std::remove(open.begin(), open.end(), window), open.end());
    if (open.empty())
        PostQuitMessage(0);
}

int openTopWindowCount() {
    return static_cast<int>(windows().size());
}

bool routeDialogMessage(MSG* msg) {
    for (HWND w : windows())
        if (w == msg->hwnd || IsChild(w, msg->hwnd))
            return IsDialogMessageW(w, msg) != FALSE;
    return false;
}
