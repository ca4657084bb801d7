// The per-service optimisation dialog: one check box per choice, named with
// the services it governs and a line on what turning it off costs. Built in
// code (win32/code_dialog.h).
#include "app/win32/service_dialog.h"

#include "app/form1.h"
#include "services/service_choices.h"
#include "win32/code_dialog.h"
#include "win32/fonts.h"
#include "win32/handles.h"
#include "win32/wide.h"
#include "win32/window_utils.h"

#include <algorithm>
#include <string>

namespace {

// System menu commands must stay below 0xF000 with the low four bits clear.
constexpr UINT kServiceMenuId = 0x0110;

constexpr int kIntroId = 100;
constexpr int kFirstBoxId = 101;         // one box per choice, in table order
constexpr int kFirstDescriptionId = 201; // the line under each box
constexpr int kColumnRows = 9;           // choices 1-9 left, 10-17 right

struct DialogState {
    ServiceChoices values{};
    Font font;
};

std::wstring boxCaption(const ServiceChoice& choice) {
    std::string text = std::string(choice.name) + "（";
    for (int l = 0; l < choice.lineCount(); ++l)
        text += std::string(l ? ", " : "") + choice.lines[l].service;
    return widen(text + "）");
}

void layOut(HWND dialog, DialogState& state) {
    const DialogMeasure measure(dialog, state.font);
    const HFONT font = measure.font();
    const HDC dc = measure.dc();
    const int lineHeight = measure.lineHeight();
    const int margin = lineHeight;
    const int boxIndent = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    const int boxHeight = lineHeight + 4;
    const int rowHeight = boxHeight + lineHeight + lineHeight / 2;

    int columnWidth = 0;
    for (const ServiceChoice& choice : kServiceChoices) {
        columnWidth = std::max<int>(columnWidth, boxIndent + textSize(dc, boxCaption(choice)).cx);
        columnWidth =
            std::max<int>(columnWidth, boxIndent + textSize(dc, widen(choice.description)).cx);
    }
    columnWidth += 8;
    const std::wstring intro = L"勾选的服务设为自动启动；未勾选的服务将被禁用"
                               L"（“IPSEC 策略代理”和“快速用户切换兼容性”改为手动启动）。";
    const int clientWidth =
        std::max<int>(2 * columnWidth + 3 * margin, textSize(dc, intro).cx + 2 * margin);

    int y = margin;
    addControl(dialog, L"STATIC", intro, SS_LEFT | SS_NOPREFIX, kIntroId,
               {margin, y, clientWidth - margin, y + lineHeight}, font);
    const int top = y + lineHeight + margin;
    for (int i = 0; i < kServiceChoiceCount; ++i) {
        const ServiceChoice& choice = kServiceChoices[i];
        const int x = margin + (i / kColumnRows) * (columnWidth + margin);
        y = top + (i % kColumnRows) * rowHeight;
        HWND box = addControl(dialog, L"BUTTON", boxCaption(choice),
                              BS_AUTOCHECKBOX | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
                              kFirstBoxId + i, {x, y, x + columnWidth, y + boxHeight}, font);
        SendMessageW(box, BM_SETCHECK, state.values[i] == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
        addControl(dialog, L"STATIC", widen(choice.description), SS_LEFT | SS_NOPREFIX,
                   kFirstDescriptionId + i,
                   {x + boxIndent, y + boxHeight, x + columnWidth, y + boxHeight + lineHeight},
                   font);
    }

    const int buttonWidth = std::max<int>(75, 4 * lineHeight);
    const int buttonHeight = lineHeight + 11;
    y = top + kColumnRows * rowHeight + margin / 2;
    int x = clientWidth - margin - 2 * buttonWidth - margin / 2;
    addControl(dialog, L"BUTTON", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK,
               {x, y, x + buttonWidth, y + buttonHeight}, font);
    x += buttonWidth + margin / 2;
    addControl(dialog, L"BUTTON", L"取消", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
               {x, y, x + buttonWidth, y + buttonHeight}, font);

    fitAndCentre(dialog, clientWidth, y + buttonHeight + margin);
}

// Choices 15 and 16 name the same service: the boxes move together so that
// the dialog never shows one of them on while the service ends up off.
void keepSameServiceInStep(HWND dialog, int clickedId) {
    const int first = kFirstBoxId + kSameServiceFirst;
    const int second = kFirstBoxId + kSameServiceSecond;
    if (clickedId != first && clickedId != second)
        return;
    const UINT state = IsDlgButtonChecked(dialog, clickedId);
    CheckDlgButton(dialog, clickedId == first ? second : first, state);
}

INT_PTR onColour(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    const bool description =
        id >= kFirstDescriptionId && id < kFirstDescriptionId + kServiceChoiceCount;
    SetTextColor(dc, GetSysColor(description ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        layOut(dialog, *reinterpret_cast<DialogState*>(lParam));
        SetFocus(GetDlgItem(dialog, kFirstBoxId));
        return FALSE; // focus set here
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return onColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            for (int i = 0; i < kServiceChoiceCount; ++i)
                state->values[i] = IsDlgButtonChecked(dialog, kFirstBoxId + i) == BST_CHECKED;
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            if (HIWORD(wParam) == BN_CLICKED)
                keepSameServiceInStep(dialog, LOWORD(wParam));
            return FALSE;
        }
    }
    return FALSE;
}

} // namespace

void addServiceMenuItem(HWND form) {
    HMENU menu = GetSystemMenu(form, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kServiceMenuId, L"详细服务优化...");
}

bool handleServiceMenuCommand(HWND form, WPARAM command, Form1& logic, Platform& platform) {
    if ((command & 0xFFF0) != kServiceMenuId)
        return false;
    DialogState state;
    state.values = currentServiceChoices(platform);
    // The run follows the dialog, so its notification belongs to the main window.
    if (runCodeDialog(form, L"详细服务优化", dialogProc, reinterpret_cast<LPARAM>(&state)) == IDOK)
        logic.ServiceDialog_OK(state.values);
    return true;
}
