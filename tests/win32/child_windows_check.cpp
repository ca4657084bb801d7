// The main window's child controls and the events they pass on.
#include "app/win32/child_windows.h"
#include "win_check.h"

namespace {

std::vector<WPARAM> forwarded; // the kMsgControlMouseMove that reached the form

LRESULT CALLBACK formProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == kMsgControlMouseMove)
        forwarded.push_back(wp);
    return DefWindowProcW(w, m, wp, lp);
}

WIN_CHECK(ChildWindowsAWindowWhoseIdNamesNoControlIsLeftAlone) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = formProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelkorCheckForm";
    RegisterClassW(&wc);
    HWND form = CreateWindowExW(0, wc.lpszClassName, L"check", WS_OVERLAPPEDWINDOW, 0, 0, 600, 500,
                                nullptr, nullptr, wc.hInstance, nullptr);
    EXPECT(form != nullptr);
    Win32Controls controls;
    controls.attach(Control::Form1, form);
    // A panel created empty is filled later, with everything in it; controls
    // made later take their place in the tab order.
    const LaterControls later = {{Control::gybcx}, {Control::Text5, Control::File1}};
    ArtInAdvance art;
    const ControlResources with = {nullptr, nullptr, art};
    createChildWindows(controls, with, later);
    EXPECT(controls.window(Control::gybcx) != nullptr);
    EXPECT(controls.window(Control::Label9) == nullptr);
    EXPECT(controls.window(Control::Text5) == nullptr);
    EXPECT(controls.window(Control::File1) == nullptr);
    createLaterControls(controls, with, later);
    for (int i = 0; i < kControlCount; ++i)
        EXPECT(controls.window(static_cast<Control>(i)) != nullptr);
    EXPECT(GetParent(controls.window(Control::Label9)) == controls.window(Control::gybcx));
    EXPECT(GetWindow(controls.window(Control::Text5), GW_HWNDPREV) ==
           controls.window(Control::gybcx));
    EXPECT(GetWindow(controls.window(Control::File1), GW_HWNDPREV) ==
           controls.window(Control::Text5));
    EXPECT(GetWindow(controls.window(Control::File1), GW_HWNDNEXT) ==
           controls.window(Control::Image1));

    HWND link = controls.window(Control::Label9); // the link label: a hand cursor
    EXPECT(link != nullptr);
    SendMessageW(link, WM_MOUSEMOVE, 0, 0);
    EXPECT(forwarded == std::vector<WPARAM>{static_cast<WPARAM>(Control::Label9)});
    EXPECT(SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) == TRUE);

    // Its ID changed: the layout has no row for it, and nothing is passed on.
    forwarded.clear();
    SetWindowLongPtrW(link, GWLP_ID, kControlIdBase + kControlCount + 5);
    SendMessageW(link, WM_MOUSEMOVE, 0, 0);
    SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT(forwarded.empty());
    DestroyWindow(form);
}

} // namespace
