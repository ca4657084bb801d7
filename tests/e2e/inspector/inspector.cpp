// Window inspector for the end-to-end tests. Runs under the same Wine prefix
// as the program and prints what it finds as one UTF-8 JSON object on stdout.
//
//   inspector tree "<title>" [--wait S] [--class C]   a window and all its descendants
//   inspector windows                                 visible top-level windows
//   inspector dialog "<title>" [--wait S] [--press B] a dialog's texts and buttons;
//                                                     --press clicks a button (text or id)
//   inspector cursor                                  name of the cursor shown now
//   inspector focus                                   foreground window and focused child
//   inspector point X Y                               the window under a screen point
//   inspector close "<title>" | --hwnd H              posts WM_CLOSE to a top-level window
//   inspector layout                                  the main window's layout table
//   inspector clipboard TEXT                          puts TEXT on the clipboard, for a
//                                                     real Ctrl+V to paste
//   inspector showcursor NAME X Y SECONDS             a 40 x 40 window at (X, Y) showing a
//                                                     system cursor (arrow, hand, ibeam, ...),
//                                                     to learn how that cursor looks on screen
//
// Exit code 0 on success, 2 when the window asked for was not found, 1 on a
// usage error. Child windows whose id is 1000 + a Control value, or 2000 + a
// Form2Control value (the logo picker), are named by their layout name.
#include "resources/form1_control.h"
#include "resources/form1_layout.h"
#include "resources/form2_layout.h"
#include "win32/wide.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {

// ---- JSON output -----------------------------------------------------------

std::string quote(const std::string& s) {
    std::string out = "\"";
    for (unsigned char ch : s) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (ch < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", ch);
                out += buf;
            } else {
                out += static_cast<char>(ch);
            }
        }
    }
    out += "\"";
    return out;
}

std::string quote(const std::wstring& w) {
    return quote(narrow(w));
}

std::string num(long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld", v);
    return buf;
}

std::string boolean(bool b) {
    return b ? "true" : "false";
}

std::string handle(HWND h) {
    return num(static_cast<long long>(reinterpret_cast<INT_PTR>(h)));
}

// A JSON object built field by field.
class Obj {
public:
    Obj& raw(const char* key, const std::string& json) {
        body_ += body_.empty() ? "" : ",";
        body_ += quote(std::string(key));
        body_ += ":";
        body_ += json;
        return *this;
    }
    Obj& str(const char* key, const std::wstring& v) { return raw(key, quote(v)); }
    Obj& str(const char* key, const std::string& v) { return raw(key, quote(v)); }
    Obj& integer(const char* key, long long v) { return raw(key, num(v)); }
    Obj& flag(const char* key, bool v) { return raw(key, boolean(v)); }
    std::string json() const { return "{" + body_ + "}"; }

private:
    std::string body_;
};

std::string array(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        out += i ? "," : "";
        out += items[i];
    }
    return out + "]";
}

std::string rectJson(const RECT& r) {
    return Obj()
        .integer("x", r.left)
        .integer("y", r.top)
        .integer("w", r.right - r.left)
        .integer("h", r.bottom - r.top)
        .json();
}

int emit(const std::string& json, int code = 0) {
    std::string line = json + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    return code;
}

int fail(const std::string& message, int code) {
    return emit(Obj().str("error", message).json(), code);
}

// ---- Window facts ------------------------------------------------------------

std::wstring className(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

// The text as the window itself answers WM_GETTEXT (edit controls keep theirs
// outside the caption that GetWindowText reads from another process).
std::wstring windowText(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) {
        return L"";
    }
    std::vector<wchar_t> buf(len + 2, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                        SMTO_ABORTIFHUNG, 2000, &got);
    return std::wstring(buf.data());
}

std::wstring captionOf(HWND h) {
    wchar_t buf[512] = {};
    GetWindowTextW(h, buf, 512);
    return buf;
}

int dpi() {
    HDC dc = GetDC(nullptr);
    int d = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return d;
}

bool isNamedId(LONG_PTR id) {
    return id >= kControlIdBase && id < kControlIdBase + kControlCount;
}

// The logo picker's children are numbered from their own base.
bool isPickerId(LONG_PTR id) {
    return id > kForm2ControlIdBase && id < kForm2ControlIdBase + kForm2ControlCount;
}

const char* nameOfId(LONG_PTR id) {
    if (isPickerId(id))
        return form2LayoutOf(static_cast<Form2Control>(id - kForm2ControlIdBase)).id;
    return isNamedId(id) ? layoutOf(static_cast<Control>(id - kControlIdBase)).id : nullptr;
}

std::string nameJson(LONG_PTR id) {
    const char* n = nameOfId(id);
    return n ? quote(std::string(n)) : "null";
}

const char* kindName(ControlKind k) {
    switch (k) {
    case ControlKind::Form:
        return "form";
    case ControlKind::Image:
        return "image";
    case ControlKind::Line:
        return "line";
    case ControlKind::CommandButton:
        return "command";
    case ControlKind::Frame:
        return "frame";
    case ControlKind::FileList:
        return "filelist";
    case ControlKind::TextBox:
        return "textbox";
    case ControlKind::OptionButton:
        return "option";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::Label:
        return "label";
    }
    return "?";
}

// The layout row of a control: what the window should show.
std::string layoutJson(Control c, int d) {
    const ControlLayout& l = layoutOf(c);
    auto px = [d](int twips) { return MulDiv(twips, d, 1440); };
    return Obj()
        .str("name", std::string(l.id))
        .str("kind", std::string(kindName(l.kind)))
        .str("container", std::string(layoutOf(l.container).id))
        .str("caption", std::string(l.caption))
        .raw("twips", Obj()
                          .integer("left", l.left)
                          .integer("top", l.top)
                          .integer("width", l.width)
                          .integer("height", l.height)
                          .json())
        .raw("px", Obj()
                       .integer("left", px(l.left))
                       .integer("top", px(l.top))
                       .integer("width", px(l.width))
                       .integer("height", px(l.height))
                       .json())
        .integer("tab", l.tabIndex)
        .flag("visible", l.visible)
        .integer("value", l.value)
        .flag("autoSize", l.autoSize)
        .json();
}

bool isCheckable(HWND h) {
    if (className(h) != L"Button") {
        return false;
    }
    LONG type = GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
           type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
}

std::string listItems(HWND h) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(h, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count) ||
        static_cast<LONG_PTR>(count) < 0) {
        return "[]";
    }
    std::vector<std::string> items;
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR len = 0;
        SendMessageTimeoutW(h, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 2000, &len);
        if (static_cast<LONG_PTR>(len) < 0) {
            len = 0;
        }
        std::vector<wchar_t> buf(len + 2, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(h, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf.data()),
                            SMTO_ABORTIFHUNG, 2000, &got);
        items.push_back(quote(std::wstring(buf.data())));
    }
    return array(items);
}

// A message without pointers; -1 when the window does not answer.
long long messageResult(HWND h, UINT message) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &result))
        return -1;
    return static_cast<LONG_PTR>(result);
}

std::string comboItems(HWND h) {
    std::vector<std::string> items;
    const long long count = messageResult(h, CB_GETCOUNT);
    for (long long i = 0; i < count; ++i) {
        DWORD_PTR len = 0;
        SendMessageTimeoutW(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, SMTO_ABORTIFHUNG, 2000,
                            &len);
        if (static_cast<LONG_PTR>(len) < 0)
            len = 0;
        std::vector<wchar_t> buf(len + 2, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(h, CB_GETLBTEXT, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG, 2000, &got);
        items.push_back(quote(std::wstring(buf.data())));
    }
    return array(items);
}

RECT clientScreenRect(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT relativeRect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    HWND parent = GetAncestor(h, GA_PARENT);
    if (parent && parent != GetDesktopWindow()) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

std::string controlJson(HWND h, int depth, int d) {
    LONG_PTR id = GetWindowLongPtrW(h, GWLP_ID);
    HWND parent = GetAncestor(h, GA_PARENT);
    LONG_PTR parentId = parent ? GetWindowLongPtrW(parent, GWLP_ID) : 0;
    LONG style = GetWindowLongW(h, GWL_STYLE);
    RECT screen;
    GetWindowRect(h, &screen);
    std::wstring cls = className(h);
    Obj o;
    o.raw("hwnd", handle(h))
        .integer("id", id)
        .raw("name", nameJson(id))
        .str("class", cls)
        .str("text", windowText(h))
        .raw("rect", rectJson(relativeRect(h)))
        .raw("screen", rectJson(screen))
        .flag("visible", IsWindowVisible(h) != FALSE)
        .flag("ownVisible", (style & WS_VISIBLE) != 0)
        .flag("enabled", IsWindowEnabled(h) != FALSE)
        .integer("style", static_cast<unsigned long>(style))
        .integer("exstyle", static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)))
        .integer("buttonType", cls == L"Button" ? (style & BS_TYPEMASK) : -1)
        .raw("check", isCheckable(h) ? num(SendMessageW(h, BM_GETCHECK, 0, 0)) : "null")
        .integer("depth", depth)
        .raw("parent", handle(parent))
        .raw("parentName", nameJson(parentId));
    if (cls == L"ListBox") {
        o.raw("items", listItems(h));
        // Where an item lies: its index minus topIndex, times itemHeight,
        // from the top of the list's client area.
        o.raw("selected", num(messageResult(h, LB_GETCURSEL)))
            .raw("topIndex", num(messageResult(h, LB_GETTOPINDEX)))
            .raw("itemHeight", num(messageResult(h, LB_GETITEMHEIGHT)))
            .raw("clientScreen", rectJson(clientScreenRect(h)));
    }
    if (cls == L"ComboBox") {
        o.raw("items", comboItems(h)).raw("selected", num(messageResult(h, CB_GETCURSEL)));
    }
    if (isNamedId(id)) {
        o.raw("layout", layoutJson(static_cast<Control>(id - kControlIdBase), d));
    }
    return o.json();
}

void collect(HWND parent, int depth, int d, std::vector<std::string>& out) {
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        out.push_back(controlJson(h, depth, d));
        collect(h, depth + 1, d, out);
    }
}

// ---- Finding top-level windows ----------------------------------------------

struct Search {
    std::wstring title;
    std::wstring cls; // empty: any
    HWND found = nullptr;
    HWND foundHidden = nullptr;
};

BOOL CALLBACK matchTitle(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    if (captionOf(h) != s->title) {
        return TRUE;
    }
    if (!s->cls.empty() && className(h) != s->cls) {
        return TRUE;
    }
    if (IsWindowVisible(h)) {
        s->found = h;
        return FALSE;
    }
    if (!s->foundHidden) {
        s->foundHidden = h;
    }
    return TRUE;
}

// Waits up to `seconds` for a visible top-level window with this title; a
// hidden one is returned only when no visible one appears.
HWND findTopLevel(const std::wstring& title, const std::wstring& cls, double seconds) {
    DWORD start = GetTickCount();
    for (;;) {
        Search s;
        s.title = title;
        s.cls = cls;
        EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            return s.found;
        }
        if (GetTickCount() - start >= static_cast<DWORD>(seconds * 1000)) {
            return s.foundHidden;
        }
        Sleep(100);
    }
}

std::string topLevelJson(HWND h) {
    DWORD pid = 0;
    DWORD tid = GetWindowThreadProcessId(h, &pid);
    RECT r;
    GetWindowRect(h, &r);
    RECT client;
    GetClientRect(h, &client);
    POINT origin = {0, 0};
    ClientToScreen(h, &origin);
    RECT clientScreen = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    LONG style = GetWindowLongW(h, GWL_STYLE);
    GUITHREADINFO gti;
    gti.cbSize = sizeof gti;
    HWND focus = GetGUIThreadInfo(tid, &gti) ? gti.hwndFocus : nullptr;
    HWND owner = GetWindow(h, GW_OWNER);
    return Obj()
        .raw("hwnd", handle(h))
        .str("title", captionOf(h))
        .str("class", className(h))
        .integer("pid", pid)
        .raw("rect", rectJson(r))
        .raw("client", rectJson(client))
        .raw("clientScreen", rectJson(clientScreen))
        .flag("visible", IsWindowVisible(h) != FALSE)
        .flag("minimized", IsIconic(h) != FALSE)
        .flag("enabled", IsWindowEnabled(h) != FALSE)
        .integer("style", static_cast<unsigned long>(style))
        .integer("exstyle", static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)))
        .flag("maximizeBox", (style & WS_MAXIMIZEBOX) != 0)
        .flag("minimizeBox", (style & WS_MINIMIZEBOX) != 0)
        .flag("thickFrame", (style & WS_THICKFRAME) != 0)
        .flag("foreground", GetForegroundWindow() == h)
        .raw("owner", handle(owner))
        .raw("focus", handle(focus))
        .raw("focusId", focus ? num(GetWindowLongPtrW(focus, GWLP_ID)) : "null")
        .raw("focusName", focus ? nameJson(GetWindowLongPtrW(focus, GWLP_ID)) : "null")
        .json();
}

// ---- Commands ---------------------------------------------------------------

struct Args {
    std::vector<std::wstring> positional;
    double wait = 0;
    std::wstring cls;
    std::wstring press;
    bool hasPress = false;
    HWND hwnd = nullptr;
};

Args parse(int argc, wchar_t** argv) {
    Args a;
    for (int i = 2; i < argc; ++i) {
        std::wstring s = argv[i];
        if (s == L"--wait" && i + 1 < argc) {
            a.wait = _wtof(argv[++i]);
        } else if (s == L"--class" && i + 1 < argc) {
            a.cls = argv[++i];
        } else if (s == L"--hwnd" && i + 1 < argc) {
            a.hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(argv[++i])));
        } else if (s == L"--press" && i + 1 < argc) {
            a.press = argv[++i];
            a.hasPress = true;
        } else {
            a.positional.push_back(s);
        }
    }
    return a;
}

BOOL CALLBACK countNamed(HWND h, LPARAM p) {
    if (isNamedId(GetDlgCtrlID(h))) {
        ++*reinterpret_cast<int*>(p);
    }
    return TRUE;
}

// The main window shows before the panels it hides are filled: a tree of it
// waits (within --wait) until every control of the layout is there.
void waitForEveryControl(HWND h, double seconds) {
    wchar_t title[256] = {};
    GetWindowTextW(h, title, 256);
    if (narrow(title) != kForm1.title) {
        return;
    }
    const DWORD start = GetTickCount();
    for (;;) {
        int named = 0;
        EnumChildWindows(h, countNamed, reinterpret_cast<LPARAM>(&named));
        if (named >= kControlCount - 1 || // all but the form itself
            GetTickCount() - start >= static_cast<DWORD>(seconds * 1000)) {
            return;
        }
        Sleep(10);
    }
}

int cmdTree(const Args& a) {
    if (a.positional.empty()) {
        return fail("usage: tree <title> [--wait S] [--class C]", 1);
    }
    HWND h = findTopLevel(a.positional[0], a.cls, a.wait);
    if (!h) {
        return fail("window not found", 2);
    }
    waitForEveryControl(h, a.wait > 10 ? a.wait : 10);
    int d = dpi();
    std::vector<std::string> controls;
    collect(h, 0, d, controls);
    std::string window = topLevelJson(h);
    return emit(Obj()
                    .raw("window", window)
                    .integer("dpi", d)
                    .integer("screenWidth", GetSystemMetrics(SM_CXSCREEN))
                    .integer("screenHeight", GetSystemMetrics(SM_CYSCREEN))
                    .raw("controls", array(controls))
                    .json());
}

BOOL CALLBACK addVisible(HWND h, LPARAM p) {
    if (IsWindowVisible(h)) {
        reinterpret_cast<std::vector<std::string>*>(p)->push_back(topLevelJson(h));
    }
    return TRUE;
}

int cmdWindows() {
    std::vector<std::string> list;
    EnumWindows(addVisible, reinterpret_cast<LPARAM>(&list));
    return emit(Obj().raw("windows", array(list)).json());
}

// Button caption without the accelerator mark, for matching --press.
std::wstring plain(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        if (c != L'&') {
            out += c;
        }
    }
    return out;
}

int cmdDialog(const Args& a) {
    if (a.positional.empty()) {
        return fail("usage: dialog <title> [--wait S] [--press TEXT|ID]", 1);
    }
    HWND h = findTopLevel(a.positional[0], a.cls.empty() ? L"#32770" : a.cls, a.wait);
    if (!h || !IsWindowVisible(h)) {
        return fail("dialog not found", 2);
    }
    std::vector<std::string> texts;
    std::vector<std::string> buttons;
    std::wstring message;
    HWND pressed = nullptr;
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        std::wstring cls = className(c);
        std::wstring text = windowText(c);
        LONG_PTR id = GetWindowLongPtrW(c, GWLP_ID);
        RECT r;
        GetWindowRect(c, &r);
        std::string item = Obj()
                               .raw("hwnd", handle(c))
                               .integer("id", id)
                               .str("class", cls)
                               .str("text", text)
                               .raw("screen", rectJson(r))
                               .flag("visible", IsWindowVisible(c) != FALSE)
                               .json();
        if (cls == L"Button") {
            buttons.push_back(item);
            if (a.hasPress && IsWindowVisible(c) &&
                (plain(text) == plain(a.press) || num(id) == narrow(a.press))) {
                pressed = c;
            }
        } else if (cls == L"Static") {
            texts.push_back(item);
            // The message text of a message box is the static with id 0xFFFF.
            if ((id & 0xFFFF) == 0xFFFF || (message.empty() && !text.empty())) {
                message = text;
            }
        }
    }
    if (a.hasPress) {
        if (!pressed) {
            return fail("button not found", 2);
        }
        PostMessageW(pressed, BM_CLICK, 0, 0);
    }
    return emit(Obj()
                    .raw("window", topLevelJson(h))
                    .str("message", message)
                    .raw("texts", array(texts))
                    .raw("buttons", array(buttons))
                    .flag("pressed", pressed != nullptr)
                    .json());
}

struct NamedCursor {
    const wchar_t* id;
    const char* name;
};

const NamedCursor kCursors[] = {
    {IDC_ARROW, "arrow"},
    {IDC_IBEAM, "ibeam"},
    {IDC_WAIT, "wait"},
    {IDC_CROSS, "cross"},
    {IDC_UPARROW, "uparrow"},
    {IDC_SIZENWSE, "sizenwse"},
    {IDC_SIZENESW, "sizenesw"},
    {IDC_SIZEWE, "sizewe"},
    {IDC_SIZENS, "sizens"},
    {IDC_SIZEALL, "sizeall"},
    {IDC_NO, "no"},
    {IDC_HAND, "hand"},
    {IDC_APPSTARTING, "appstarting"},
    {IDC_HELP, "help"},
};

// Under Wine a cursor handle belongs to the process that loaded it, so the
// name is found only when the shown cursor is one of this process's; the
// tests compare the cursor's image on the X display instead (showcursor).
int cmdCursor() {
    CURSORINFO ci;
    ci.cbSize = sizeof ci;
    if (!GetCursorInfo(&ci)) {
        return fail("GetCursorInfo failed", 2);
    }
    const char* name = nullptr;
    for (const NamedCursor& k : kCursors) {
        if (LoadCursorW(nullptr, k.id) == ci.hCursor) {
            name = k.name;
            break;
        }
    }
    HWND under = WindowFromPoint(ci.ptScreenPos);
    return emit(
        Obj()
            .raw("name", name ? quote(std::string(name)) : "null")
            .integer("handle", static_cast<long long>(reinterpret_cast<INT_PTR>(ci.hCursor)))
            .flag("showing", (ci.flags & CURSOR_SHOWING) != 0)
            .integer("x", ci.ptScreenPos.x)
            .integer("y", ci.ptScreenPos.y)
            .raw("under", handle(under))
            .raw("underName", under ? nameJson(GetWindowLongPtrW(under, GWLP_ID)) : "null")
            .json());
}

int cmdFocus() {
    HWND fg = GetForegroundWindow();
    if (!fg) {
        return emit(Obj().raw("window", "null").json());
    }
    return emit(Obj().raw("window", topLevelJson(fg)).json());
}

int cmdPoint(const Args& a) {
    if (a.positional.size() < 2) {
        return fail("usage: point X Y", 1);
    }
    POINT p = {_wtoi(a.positional[0].c_str()), _wtoi(a.positional[1].c_str())};
    HWND h = WindowFromPoint(p);
    if (!h) {
        return emit(Obj().raw("hwnd", "null").json());
    }
    LONG_PTR id = GetWindowLongPtrW(h, GWLP_ID);
    return emit(Obj()
                    .raw("hwnd", handle(h))
                    .integer("id", id)
                    .raw("name", nameJson(id))
                    .str("class", className(h))
                    .str("text", windowText(h))
                    .raw("root", handle(GetAncestor(h, GA_ROOT)))
                    .json());
}

int cmdClose(const Args& a) {
    HWND h = nullptr;
    if (a.hwnd) {
        h = IsWindow(a.hwnd) ? a.hwnd : nullptr;
    } else if (!a.positional.empty()) {
        h = findTopLevel(a.positional[0], a.cls, a.wait);
    } else {
        return fail("usage: close <title> | --hwnd H", 1);
    }
    if (!h) {
        return fail("window not found", 2);
    }
    PostMessageW(h, WM_CLOSE, 0, 0);
    return emit(Obj().raw("closed", handle(h)).json());
}

int cmdLayout() {
    int d = dpi();
    std::vector<std::string> rows;
    for (int i = 0; i < kControlCount; ++i) {
        rows.push_back(layoutJson(static_cast<Control>(i), d));
    }
    return emit(Obj()
                    .str("title", std::string(kForm1.title))
                    .integer("outerWidth", kForm1.outerWidth)
                    .integer("outerHeight", kForm1.outerHeight)
                    .integer("dpi", d)
                    .integer("idBase", kControlIdBase)
                    .raw("controls", array(rows))
                    .json());
}

LRESULT CALLBACK probeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        DestroyWindow(w);
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

int cmdShowCursor(const Args& a) {
    if (a.positional.size() < 4) {
        return fail("usage: showcursor NAME X Y SECONDS", 1);
    }
    const wchar_t* id = nullptr;
    for (const NamedCursor& k : kCursors) {
        if (narrow(a.positional[0]) == k.name) {
            id = k.id;
        }
    }
    if (!id) {
        return fail("unknown cursor name", 1);
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = probeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, id);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"InspectorCursorProbe";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName,
                             L"inspector cursor probe", WS_POPUP | WS_VISIBLE,
                             _wtoi(a.positional[1].c_str()), _wtoi(a.positional[2].c_str()), 40, 40,
                             nullptr, nullptr, wc.hInstance, nullptr);
    SetTimer(w, 1, static_cast<UINT>(_wtof(a.positional[3].c_str()) * 1000), nullptr);
    emit(Obj().raw("hwnd", handle(w)).json());
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        DispatchMessageW(&m);
    }
    return 0;
}

// Text that the keyboard cannot type without remapping keys (which the
// program under test may not notice in time) reaches it through a paste.
int cmdClipboard(const Args& a) {
    if (a.positional.empty()) {
        return fail("usage: clipboard TEXT", 1);
    }
    const std::wstring& text = a.positional[0];
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!data) {
        return fail("no memory", 1);
    }
    std::memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(data);
        return fail("clipboard busy", 1);
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    CloseClipboard();
    if (!set) {
        GlobalFree(data);
        return fail("clipboard not set", 1);
    }
    return emit(Obj().str("clipboard", narrow(text)).json());
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) {
        return fail("usage: inspector tree|windows|dialog|cursor|focus|point|close|layout ...", 1);
    }
    std::wstring cmd = argv[1];
    Args a = parse(argc, argv);
    if (cmd == L"tree") {
        return cmdTree(a);
    }
    if (cmd == L"windows") {
        return cmdWindows();
    }
    if (cmd == L"dialog") {
        return cmdDialog(a);
    }
    if (cmd == L"cursor") {
        return cmdCursor();
    }
    if (cmd == L"focus") {
        return cmdFocus();
    }
    if (cmd == L"point") {
        return cmdPoint(a);
    }
    if (cmd == L"close") {
        return cmdClose(a);
    }
    if (cmd == L"showcursor") {
        return cmdShowCursor(a);
    }
    if (cmd == L"layout") {
        return cmdLayout();
    }
    if (cmd == L"clipboard") {
        return cmdClipboard(a);
    }
    return fail("unknown command", 1);
}
