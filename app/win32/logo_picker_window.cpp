#include "app/win32/logo_picker_window.h"

#include "app/form2.h"
#include "app/win32/folder_lists.h"
#include "platform/win32/native_paths.h"
#include "resources/form2_layout.h"
#include "win32/colours.h"
#include "win32/fonts.h"
#include "win32/handles.h"
#include "win32/owner_draw.h"
#include "win32/top_windows.h"
#include "win32/wide.h"
#include "win32/window_utils.h"

#include <memory>

namespace {

const wchar_t kClassName[] = L"VelkorLogoPicker";

HWND g_picker = nullptr;

int controlId(Form2Control c) {
    return kForm2ControlIdBase + static_cast<int>(c);
}

struct ChildClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ChildClass childClassOf(Form2Kind kind) {
    const DWORD common = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case Form2Kind::DriveList:
        return {L"COMBOBOX", common | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case Form2Kind::DirList:
        return {L"LISTBOX", common | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE};
    case Form2Kind::FileList:
        return {L"LISTBOX",
                common | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE};
    case Form2Kind::TextBox:
        return {L"EDIT", common | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Form2Kind::CommandButton:
        return {L"BUTTON", common | WS_TABSTOP | BS_OWNERDRAW, 0};
    case Form2Kind::Image:
    case Form2Kind::Form:
        break;
    }
    return {L"STATIC", common | SS_OWNERDRAW, 0};
}

// The picker window: its native controls behind the Form2Controls seam, and
// the Form2 logic that handles their events.
class PickerWindow : public Form2Controls {
public:
    PickerWindow(Platform& platform, UserDialogs& user, const LogoPickerHooks& hooks)
        : hooks_(hooks), logic_(*this, platform, user, hooks.logoReplaced) {}

    // The window, created hidden; nullptr when it could not be created. The
    // window takes the object over as it is created and deletes it when it
    // is destroyed; until then the caller's pointer owns it.
    static HWND create(std::unique_ptr<PickerWindow>& window);

    // --- Form2Controls ---
    std::string text(Form2Control c) const override { return windowText(child(c)); }
    void setText(Form2Control c, const std::string& utf8) override {
        SetWindowTextW(child(c), widen(utf8).c_str());
    }
    std::string path(Form2Control list) const override {
        switch (list) {
        case Form2Control::Drive1:
            return narrow(drives_.selected());
        case Form2Control::Dir1:
            return narrow(folders_.path());
        default:
            return narrow(files_.path());
        }
    }
    bool setPath(Form2Control list, const std::string& folder) override {
        if (list == Form2Control::Dir1)
            return folders_.setPath(widen(folder));
        return files_.setPath(widen(folder));
    }
    std::string fileName() const override { return narrow(files_.selectedName()); }
    bool loadPicture(Form2Control image, const std::string& path) override {
        HANDLE bitmap = LoadImageW(nullptr, nativeFilePath(widen(path)).c_str(), IMAGE_BITMAP, 0, 0,
                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (!bitmap)
            return false;
        preview_.reset(static_cast<HBITMAP>(bitmap));
        InvalidateRect(child(image), nullptr, FALSE);
        return true;
    }
    void unload() override { unloadPending_ = true; }

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND child(Form2Control c) const { return GetDlgItem(hwnd_, controlId(c)); }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void onCommand(int id, int code);
    void onDrawItem(const DRAWITEMSTRUCT& item);
    void onDestroyed();

    HWND hwnd_ = nullptr;
    LogoPickerHooks hooks_;
    Form2 logic_;
    Dpi dpi_ = screenDpi();
    Font font_;
    DriveList drives_;
    DirList folders_;
    FileList files_;
    Bitmap preview_;
    bool unloadPending_ = false;
};

HWND PickerWindow::create(std::unique_ptr<PickerWindow>& window) {
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registered) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClassName;
        registered = RegisterClassExW(&wc) != 0;
        if (!registered)
            return nullptr;
    }
    // A fixed tool window: small caption with a close button, no minimise
    // or maximise, not resizable.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    RECT frame = {0, 0, window->dpi_.cx(kForm2.clientWidth), window->dpi_.cy(kForm2.clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    HWND hwnd = CreateWindowExW(exStyle, kClassName, widen(kForm2.title).c_str(), style,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, &window);
    if (hwnd)
        centreWindow(hwnd);
    return hwnd;
}

void PickerWindow::createControls() {
    font_ = createWindowFont(dpi_.y);
    const HFONT font = fontOrDefault(font_);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // Created in the order of the table, which is the tab order.
    for (int i = 1; i < kForm2ControlCount; ++i) {
        const Form2ControlLayout& l = form2LayoutOf(static_cast<Form2Control>(i));
        const ChildClass cls = childClassOf(l.kind);
        int height = dpi_.cy(l.height);
        if (l.kind == Form2Kind::DriveList)
            height *= 8; // a drop-down list's height includes its open list
        HWND control = CreateWindowExW(
            cls.exStyle, cls.className, widen(l.caption).c_str(), cls.style, dpi_.cx(l.left),
            dpi_.cy(l.top), dpi_.cx(l.width), height, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(l.name))), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    drives_.attach(child(Form2Control::Drive1));
    folders_.attach(child(Form2Control::Dir1));
    files_.attach(child(Form2Control::File1),
                  widen(form2LayoutOf(Form2Control::File1).pattern).c_str());

    // The lists start on the process's current drive and folder.
    wchar_t current[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
    const std::wstring start = (n > 0 && n < MAX_PATH) ? std::wstring(current, n) : L"C:\\";
    drives_.fill(start);
    folders_.setPath(start);
    files_.setPath(folders_.path());
    logic_.Form_Load();
}

void PickerWindow::onCommand(int id, int code) {
    switch (id - kForm2ControlIdBase) {
    case static_cast<int>(Form2Control::Drive1):
        if (code == CBN_SELCHANGE) {
            logic_.Drive1_Change();
            // A drive that is not ready: show the drive the folders are on.
            if (!folders_.path().empty())
                drives_.select(folders_.path()[0]);
        }
        break;
    case static_cast<int>(Form2Control::Dir1):
        if (code == LBN_DBLCLK) {
            const int index =
                static_cast<int>(SendMessageW(child(Form2Control::Dir1), LB_GETCURSEL, 0, 0));
            const std::wstring folder = folders_.entryPath(index);
            if (!folder.empty() && folders_.setPath(folder))
                logic_.Dir1_Change();
        }
        break;
    case static_cast<int>(Form2Control::File1):
        if (code == LBN_SELCHANGE)
            logic_.File1_Click();
        break;
    case static_cast<int>(Form2Control::Command1):
        if (code == BN_CLICKED)
            logic_.Command1_Click();
        break;
    case static_cast<int>(Form2Control::Command2):
        if (code == BN_CLICKED)
            logic_.Command2_Click();
        break;
    default:
        break;
    }
    // The window goes only after the handler that unloaded it has returned.
    if (unloadPending_)
        DestroyWindow(hwnd_);
}

void PickerWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
    const Form2Control c = static_cast<Form2Control>(item.CtlID - kForm2ControlIdBase);
    const Form2ControlLayout& l = form2LayoutOf(c);
    if (l.kind == Form2Kind::CommandButton)
        drawButton(item, colourBrush(l.back), GetSysColor(COLOR_BTNTEXT));
    else if (l.kind == Form2Kind::Image)
        drawImage(item, preview_.get(), l.stretch,
                  colourBrush(form2LayoutOf(Form2Control::Form2).back));
}

void PickerWindow::onDestroyed() {
    g_picker = nullptr;
    // The program ends with its last window.
    topWindowClosed(hwnd_);
    if (hooks_.closed)
        hooks_.closed();
}

LRESULT PickerWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        createControls();
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE: // the close button unloads the picker as "返回" does
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        onDestroyed();
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK PickerWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PickerWindow* self;
    if (message == WM_NCCREATE) {
        // From here on the window owns the object.
        auto* owner = static_cast<std::unique_ptr<PickerWindow>*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self = owner->release();
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<PickerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

} // namespace

void openLogoPicker(Platform& platform, UserDialogs& user, const LogoPickerHooks& hooks) {
    if (g_picker) {
        if (IsIconic(g_picker))
            ShowWindow(g_picker, SW_RESTORE);
        SetForegroundWindow(g_picker);
        return;
    }
    auto window = std::make_unique<PickerWindow>(platform, user, hooks);
    HWND hwnd = PickerWindow::create(window);
    if (!hwnd)
        return; // the object went with the window, or goes with `window`
    g_picker = hwnd;
    topWindowOpened(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(GetDlgItem(hwnd, controlId(Form2Control::Drive1)));
}
