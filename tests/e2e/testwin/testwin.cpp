// A small window for testing the end-to-end harness on its own: a few child
// controls that carry the main window's control ids, a button that shows a
// message box titled "提示", and a label that shows the hand pointer.
#include "resources/form1_control.h"

#include <windows.h>

namespace {

const wchar_t kTitle[] = L"E2E 测试窗口";

HMENU idOf(Control c) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + static_cast<int>(c)));
}

HWND label = nullptr;

HWND child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
           int h, Control c) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, idOf(c),
                           GetModuleHandleW(nullptr), nullptr);
}

void createControls(HWND w) {
    child(w, L"Button", L"显示提示", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 120, 30, Control::xt);
    HWND box = child(w, L"Button", L"复选框", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 50, 120, 24,
                     Control::kjfs);
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    HWND frame = child(w, L"Button", L"框架", BS_GROUPBOX, 150, 10, 200, 100, Control::xtyh);
    child(frame, L"Button", L"选项", BS_AUTORADIOBUTTON, 20, 30, 120, 24, Control::moren);
    HWND list = child(w, L"ListBox", L"", WS_BORDER, 10, 120, 120, 60, Control::File1);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a.txt"));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"文件.bmp"));
    child(w, L"Edit", L"Text1", WS_BORDER | ES_AUTOHSCROLL, 150, 120, 120, 24, Control::Text1);
    label = child(w, L"Static", L"链接", SS_NOTIFY, 150, 160, 80, 20, Control::Label9);
    child(w, L"Static", L"", SS_BLACKRECT, 10, 200, 300, 1, Control::Line1);
    child(w, L"Edit", L"hidden", 0, 10, 220, 50, 20, Control::Text5);
    ShowWindow(GetDlgItem(w, kControlIdBase + static_cast<int>(Control::Text5)), SW_HIDE);
}

LRESULT CALLBACK windowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        createControls(w);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == kControlIdBase + static_cast<int>(Control::xt)) {
            MessageBoxW(w, L"你好，世界", L"提示", MB_OK);
        }
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wp) == label) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"E2ETestWindow";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, kTitle,
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 100, 80, 400,
                             300, nullptr, nullptr, instance, nullptr);
    ShowWindow(w, show);
    UpdateWindow(w);
    SetFocus(GetDlgItem(w, kControlIdBase + static_cast<int>(Control::xt)));
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(w, &m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    return 0;
}
