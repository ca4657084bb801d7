#include "app/win32/single_window.h"

#include <windows.h>

namespace {

// In the session's namespace: another user's window is no concern of this one
// (the machine-wide change claim keeps their changes apart).
const wchar_t kWindowMark[] = L"Local\\Velkor.MainWindow";
// How long a window that is still being made is waited for.
const int kWaitForWindowMs = 10000;
const int kLookEveryMs = 100;

} // namespace

bool bringOpenWindowToFront(const wchar_t* windowClass) {
    // Kept until the process ends: it says that this process has the window.
    static HANDLE mark = nullptr;
    mark = CreateMutexW(nullptr, FALSE, kWindowMark);
    if (mark && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    // The other process may still be making its window. Should none appear
    // (a name taken by something else), this process opens its own: the mark
    // never keeps the program from starting.
    for (int waited = 0; waited <= kWaitForWindowMs; waited += kLookEveryMs) {
        if (HWND open = FindWindowW(windowClass, nullptr)) {
            if (IsIconic(open))
                ShowWindow(open, SW_RESTORE);
            // Its dialog or message box, when one is open, is what takes input.
            SetForegroundWindow(GetLastActivePopup(open));
            return true;
        }
        Sleep(kLookEveryMs);
    }
    return false;
}
