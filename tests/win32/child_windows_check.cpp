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
    // Controls made later come with everything in them, in their place in
    // the tab order, and where and as they were set before they were made.
    const std::vector<Control> later = {Control::oemxx, Control::gybcx, Control::Text5,
                                        Control::File1};
    const ControlResources with = {nullptr, nullptr};
    createChildWindows(controls, with, later);
    EXPECT(controls.window(Control::xtyh) != nullptr);
    for (Control c : {Control::oemxx, Control::gybcx, Control::Label9, Control::Text5})
        EXPECT(controls.window(c) == nullptr);
    const TwipRect moved = {150, 300, 1500, 750}; // 10, 20, 100, 50 pixels at 96 DPI
    controls.move(Control::gybcx, moved);
    controls.setVisible(Control::gybcx, true);
    controls.setVisible(Control::oemxx, false);
    EXPECT(controls.visible(Control::gybcx) && !controls.visible(Control::oemxx));
    createLaterControls(controls, with, later);
    for (int i = 0; i < kControlCount; ++i)
        EXPECT(controls.window(static_cast<Control>(i)) != nullptr);
    EXPECT(GetParent(controls.window(Control::Label9)) == controls.window(Control::gybcx));
    RECT r{};
    GetWindowRect(controls.window(Control::gybcx), &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    EXPECT(r.left == 10 && r.top == 20 && r.right == 110 && r.bottom == 70);
    EXPECT(controls.rect(Control::gybcx) == moved);
    EXPECT((GetWindowLongW(controls.window(Control::gybcx), GWL_STYLE) & WS_VISIBLE) != 0);
    EXPECT((GetWindowLongW(controls.window(Control::oemxx), GWL_STYLE) & WS_VISIBLE) == 0);
    EXPECT(GetWindow(controls.window(Control::oemxx), GW_HWNDPREV) ==
           controls.window(Control::xtyh));
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
