#include "app/win32/child_windows.h"

#include "win32/handles.h"
#include "win32/wide.h"
#include "win32/window_utils.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind windowKind(const ControlLayout& l) {
    switch (l.kind) {
    case ControlKind::CommandButton:
        return {L"Button", BS_OWNERDRAW | WS_TABSTOP, 0};
    case ControlKind::CheckBox:
        return {L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::OptionButton:
        // The first option of a frame starts the group and takes the tab stop.
        return {L"Button", BS_AUTORADIOBUTTON | (l.value ? WS_GROUP | WS_TABSTOP : 0u), 0};
    case ControlKind::Frame:
        return {L"Button", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::TextBox:
        return {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::FileList:
        // Out of sight, empty, and never takes the keyboard focus.
        return {L"ListBox", LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER, 0};
    case ControlKind::Label:
        return {L"Static", static_cast<DWORD>(SS_LEFT | (l.linkFont ? SS_NOTIFY : 0)), 0};
    case ControlKind::Image:
        return {L"Static", SS_OWNERDRAW, 0};
    case ControlKind::Line:
        return {L"Static", SS_BLACKRECT, 0};
    case ControlKind::Form:
        break;
    }
    return {L"Static", 0, 0};
}

// The procedure each control had before it was subclassed. Kept here, not
// as a window property: every message of every control reads it, and under
// Wine reading a property is a round trip to the window server.
std::vector<std::pair<HWND, WNDPROC>>& oldProcs() {
    static std::vector<std::pair<HWND, WNDPROC>> procs;
    return procs;
}

LRESULT callOld(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    for (const auto& entry : oldProcs())
        if (entry.first == w)
            return CallWindowProcW(entry.second, w, m, wp, lp);
    return DefWindowProcW(w, m, wp, lp);
}

// Every control tells the main window when the pointer moves over it; a frame
// is also a container that passes its children's notifications on.
LRESULT CALLBACK childProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCDESTROY) {
        LRESULT r = callOld(w, m, wp, lp);
        auto& procs = oldProcs();
        procs.erase(std::remove_if(procs.begin(), procs.end(),
                                   [w](const std::pair<HWND, WNDPROC>& e) { return e.first == w; }),
                    procs.end());
        return r;
    }
    // A window whose ID no longer names a control (changed since it was
    // made) has no row in the layout: it keeps its own behaviour only.
    const Control c = controlOfWindow(w);
    if (c == Control::Count)
        return callOld(w, m, wp, lp);
    const ControlLayout& l = layoutOf(c);
    HWND form = GetAncestor(w, GA_ROOT);
    switch (m) {
    case WM_MOUSEMOVE:
        SendMessageW(form, kMsgControlMouseMove, static_cast<WPARAM>(c), 0);
        break;
    case WM_SETCURSOR:
        if (l.linkFont) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    default:
        break;
    }
    if (l.kind == ControlKind::Frame) {
        switch (m) {
        case WM_NCHITTEST: // a group box would let the pointer fall through
            return HTCLIENT;
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(w, &r);
            FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_WINDOW));
            return 1;
        }
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_NOTIFY:
            return SendMessageW(form, m, wp, lp);
        default:
            break;
        }
    }
    return callOld(w, m, wp, lp);
}

void createOne(Win32Controls& controls, Control c, const ControlResources& with) {
    const ControlLayout& l = layoutOf(c);
    const WindowKind k = windowKind(l);
    HWND parent = controls.window(l.container);
    // Where and as the controls keep it: the layout's, or what the load step
    // set before the window was made.
    const TwipRect r = controls.rect(c);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | k.style | (controls.visible(c) ? WS_VISIBLE : 0);
    // A line runs from (left, top) to (width, height): one pixel thick.
    int x = controls.toPixels(r.left), y = controls.toPixels(r.top);
    int cx = controls.toPixels(l.kind == ControlKind::Line ? r.width - r.left : r.width);
    int cy = l.kind == ControlKind::Line ? 1 : controls.toPixels(r.height);
    // The caption is given at creation: one message less for each control.
    HWND w = CreateWindowExW(k.exStyle, k.className, widen(l.caption).c_str(), style, x, y, cx, cy,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(c))),
                             GetModuleHandleW(nullptr), nullptr);
    controls.attach(c, w);
    HFONT font = l.linkFont ? with.linkFont : with.windowFont;
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if ((l.kind == ControlKind::CheckBox || l.kind == ControlKind::OptionButton) && l.value)
        controls.setValue(c, l.value); // a new button is clear
    // The artwork fills its box at any DPI.
    if (l.picture != Picture::None)
        controls.setArt(c, l.picture, cx, cy);
    if (l.autoSize) {
        WindowDC dc(w);
        Selected selected(dc.get(), font);
        const std::wstring text = windowTextW(w);
        SIZE extent = {};
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
        SetWindowPos(w, nullptr, 0, 0, extent.cx, extent.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    oldProcs().emplace_back(w, reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                                   w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(childProc))));
}

// A container's controls in creation order: by tab index (creation order is
// tab order), controls without one last so that the lines lie beneath the
// buttons.
std::vector<Control> creationOrder(Control container) {
    std::vector<Control> children;
    for (int i = 0; i < kControlCount; ++i) {
        Control c = static_cast<Control>(i);
        if (c != Control::Form1 && layoutOf(c).container == container)
            children.push_back(c);
    }
    auto order = [](Control c) {
        int tab = layoutOf(c).tabIndex;
        return tab < 0 ? 1000 + static_cast<int>(c) : tab;
    };
    std::stable_sort(children.begin(), children.end(),
                     [&](Control a, Control b) { return order(a) < order(b); });
    return children;
}

bool named(const std::vector<Control>& list, Control c) {
    return std::find(list.begin(), list.end(), c) != list.end();
}

// Containers first, then their contents, but nothing that `later` names.
void createIn(Win32Controls& controls, Control container, const ControlResources& with,
              const std::vector<Control>& later) {
    const std::vector<Control> children = creationOrder(container);
    for (Control c : children)
        if (!named(later, c))
            createOne(controls, c, with);
    for (Control c : children)
        if (layoutOf(c).kind == ControlKind::Frame && !named(later, c))
            createIn(controls, c, with, later);
}

// A control made after its siblings goes where creation in order would have
// put it: after the nearest one before it that exists.
void putInTabOrder(const Win32Controls& controls, Control c) {
    HWND after = HWND_TOP;
    for (Control sibling : creationOrder(layoutOf(c).container)) {
        if (sibling == c)
            break;
        if (controls.window(sibling))
            after = controls.window(sibling);
    }
    SetWindowPos(controls.window(c), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

void createChildWindows(Win32Controls& controls, const ControlResources& with,
                        const std::vector<Control>& later) {
    createIn(controls, Control::Form1, with, later);
}

void createLaterControls(Win32Controls& controls, const ControlResources& with,
                         const std::vector<Control>& later) {
    for (Control c : later) {
        createOne(controls, c, with);
        putInTabOrder(controls, c);
        if (layoutOf(c).kind == ControlKind::Frame)
            createIn(controls, c, with, {});
    }
}
