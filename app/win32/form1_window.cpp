#include "app/win32/form1_window.h"

#include "app/form1_events.h"
#include "app/win32/child_windows.h"
#include "app/win32/logo_picker_window.h"
#include "app/win32/service_dialog.h"
#include "app/win32/undo_dialog.h"
#include "resources/resource_ids.h"
#include "win32/colours.h"
#include "win32/fonts.h"
#include "win32/owner_draw.h"
#include "win32/top_windows.h"
#include "win32/wide.h"
#include "win32/window_utils.h"

const wchar_t kForm1ClassName[] = L"VelkorForm1";

namespace {

const wchar_t* const kClassName = kForm1ClassName;

// How often the window asks which scripts have ended.
const UINT_PTR kScriptTimer = 1;
const UINT kScriptTimerMs = 250;
// Fires once the window has shown and painted and nothing else is waiting.
const UINT_PTR kLaterControlsTimer = 2;

bool registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

} // namespace

Form1Window::Form1Window() : logic_(controls_, platform_, dialogs_) {
    logic_.setLogoPickerOpener([this] { openLogoPicker(); });
}

// Not needed for the first picture, made once the window shows: the panels
// that the load step hides (half the controls), the hidden text box and the
// file list outside the window's client area.
const std::vector<Control> kLater = {Control::oemxx, Control::gybcx, Control::Text5,
                                     Control::File1};

bool Form1Window::create(int showCommand) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerClass(instance, proc))
        return false;
    const int dpi = screenDpi().x;
    controls_.setDpi(dpi);
    // Made where it will show, at the size that the load step sets: the load
    // step and the centring then move nothing.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const int width = controls_.toPixels(kForm1.outerWidth);
    const int height = controls_.toPixels(kForm1.outerHeight);
    const POINT at = centredPosition(width, height);
    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, widen(kForm1.title).c_str(), style,
                            at.x, at.y, width, height, nullptr, nullptr, instance, this);
    if (!hwnd_)
        return false;
    dialogs_.setOwner(hwnd_);
    controls_.attach(Control::Form1, hwnd_);
    windowFont_ = createWindowFont(dpi);
    linkFont_ = createLinkFont(dpi);
    createChildWindows(controls_, resources(), kLater);
    addServiceMenuItem(hwnd_);
    addUndoMenuItem(hwnd_);
    topWindowOpened(hwnd_);
    SetTimer(hwnd_, kScriptTimer, kScriptTimerMs, nullptr);

    logic_.Form_Load();
    centreWindow(hwnd_);
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    // The rest is made when the first picture is on the screen (a timer fires
    // only when nothing else waits), or before any message that could reach it.
    SetTimer(hwnd_, kLaterControlsTimer, USER_TIMER_MINIMUM, nullptr);
    SetFocus(controls_.window(Control::xt));
    return true;
}

LRESULT CALLBACK Form1Window::proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCCREATE) {
        auto* self =
            static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = w;
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    return self ? self->handle(m, wp, lp) : DefWindowProcW(w, m, wp, lp);
}

LRESULT Form1Window::handle(UINT m, WPARAM wp, LPARAM lp) {
    // What can reach the logic finds every control made.
    if (m == WM_COMMAND || m == WM_SYSCOMMAND || m == kMsgControlMouseMove || m == WM_MOUSEMOVE ||
        m == WM_TIMER || m == WM_CLOSE)
        createLaterControls();
    switch (m) {
    case WM_COMMAND: {
        const Control c = controlOfWindow(reinterpret_cast<HWND>(lp));
        const UINT code = HIWORD(wp);
        if (c != Control::Count && (code == BN_CLICKED || code == STN_CLICKED))
            dispatchClick(logic_, c);
        return 0;
    }
    case kMsgControlMouseMove:
        logic_.MouseMove(static_cast<Control>(wp));
        return 0;
    case WM_MOUSEMOVE:
        logic_.MouseMove(Control::Form1);
        return 0;
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return onControlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_SYSCOMMAND:
        if (handleServiceMenuCommand(hwnd_, wp, logic_, platform_) ||
            handleUndoMenuCommand(hwnd_, wp, platform_, dialogs_))
            return 0;
        break;
    case WM_ACTIVATE:
        onActivate(wp);
        return 0;
    case WM_TIMER:
        if (wp == kLaterControlsTimer)
            KillTimer(hwnd_, kLaterControlsTimer);
        if (wp == kScriptTimer)
            logic_.pollScripts();
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_DESTROY:
        topWindowClosed(hwnd_);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, m, wp, lp);
}

ControlResources Form1Window::resources() {
    return {fontOrDefault(windowFont_), fontOrDefault(linkFont_)};
}

// The controls left out at creation, made once: when the window is idle after
// its first paint, or before the first message that can reach the logic.
void Form1Window::createLaterControls() {
    if (allControlsMade_)
        return;
    allControlsMade_ = true;
    ::createLaterControls(controls_, resources(), kLater);
}

// Labels, check boxes, option buttons and frames in their layout colours; a
// label without a back colour shows its frame's colour.
LRESULT Form1Window::onControlColour(HDC dc, HWND child) {
    const Control c = controlOfWindow(child);
    if (c == Control::Count)
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    const ControlLayout& l = layoutOf(c);
    const Colour back = l.back.isNone() ? layoutOf(l.container).back : l.back;
    if (!l.text.isNone())
        SetTextColor(dc, colourRef(l.text));
    SetBkColor(dc, colourRef(back));
    if (l.back.isNone())
        SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(colourBrush(back));
}

void Form1Window::onDrawItem(const DRAWITEMSTRUCT& item) {
    const Control c = controlOfWindow(item.hwndItem);
    if (c == Control::Count)
        return;
    const ControlLayout& l = layoutOf(c);
    if (l.kind == ControlKind::CommandButton)
        drawButton(item, colourBrush(l.back), colourRef(l.text));
    else if (l.kind == ControlKind::Image)
        drawImage(item, controls_.picture(c), l.stretch, colourBrush(layoutOf(l.container).back));
}

// Keyboard focus comes back to where it was when the window is reactivated.
void Form1Window::onActivate(WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus))
            lastFocus_ = focus;
    } else if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
    }
}

// Once the picker has handed the copy over, the main window comes back; it
// shows the new logo when the copy has ended.
void Form1Window::openLogoPicker() {
    LogoPickerHooks hooks;
    hooks.logoReplaced = [this](const std::string& chosen) {
        logic_.logoCopyStarted(chosen);
        if (IsIconic(hwnd_))
            ShowWindow(hwnd_, SW_RESTORE);
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    };
    // A main window closed while the picker was open is only hidden, so that
    // the picker can still show it; with the picker gone it goes too.
    hooks.closed = [this] {
        if (IsWindow(hwnd_) && !IsWindowVisible(hwnd_))
            DestroyWindow(hwnd_);
    };
    ::openLogoPicker(platform_, dialogs_, hooks);
}

// While the logo picker is open, closing the main window only hides it: the
// program ends when its last window is closed, and the picker still needs
// the main window's image.
void Form1Window::onClose() {
    if (openTopWindowCount() > 1)
        ShowWindow(hwnd_, SW_HIDE);
    else
        DestroyWindow(hwnd_);
}
