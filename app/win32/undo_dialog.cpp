// The undo dialog: the snapshots not yet undone, newest first, each with its
// time and action, and below them what the chosen one changed; "撤销" undoes
// the chosen one after the dialog has closed (undo/undo_action.h asks, runs,
// checks and tells); "搁置" sets it aside after asking, and the dialog opens
// again without it. Built in code (win32/code_dialog.h).
#include "app/win32/undo_dialog.h"

#include "actions/undo_plan.h"
#include "app/undo_from_window.h"
#include "win32/code_dialog.h"
#include "win32/fonts.h"
#include "win32/handles.h"
#include "win32/wide.h"
#include "win32/window_utils.h"

#include <algorithm>
#include <vector>

namespace {

// System menu commands must stay below 0xF000 with the low four bits clear.
constexpr UINT kUndoMenuId = 0x0120;

constexpr int kIntroId = 100;
constexpr int kListId = 101;
constexpr int kListRows = 8;
// What the chosen change changed, in the words of /whatif.
constexpr int kChangesId = 102;
constexpr int kChangesRows = 8;
constexpr int kSetAsideId = 103;

struct DialogState {
    std::vector<SnapshotEntry> entries;
    std::vector<std::vector<std::string>> changes; // per entry
    std::size_t chosen = 0;
    Font font;
};

void showChanges(HWND dialog, const DialogState& state) {
    const LRESULT index = SendDlgItemMessageW(dialog, kListId, LB_GETCURSEL, 0, 0);
    std::string text;
    if (index != LB_ERR && static_cast<std::size_t>(index) < state.changes.size()) {
        for (const std::string& line : state.changes[static_cast<std::size_t>(index)])
            text += (text.empty() ? "" : "\r\n") + line;
        if (text.empty())
            text = "这条记录没有保存更改的明细。";
    }
    SetDlgItemTextW(dialog, kChangesId, widen(text).c_str());
}

void layOut(HWND dialog, DialogState& state) {
    const DialogMeasure measure(dialog, state.font);
    const HFONT font = measure.font();
    const HDC dc = measure.dc();
    const TEXTMETRICW& tm = measure.metrics();
    const int lineHeight = measure.lineHeight();
    const int margin = lineHeight;

    const std::wstring intro =
        state.entries.empty() ? L"没有可以撤销的更改。" : L"选择要撤销的更改（最近的在最上面）：";
    int listWidth = std::max<int>(textSize(dc, intro).cx, 56 * tm.tmAveCharWidth);
    for (const SnapshotEntry& e : state.entries)
        listWidth = std::max<int>(listWidth, textSize(dc, widen(snapshotLabel(e))).cx +
                                                 GetSystemMetrics(SM_CXVSCROLL) + 8);
    const int buttonWidth = std::max<int>(75, 4 * lineHeight);
    const int buttonHeight = lineHeight + 11;
    listWidth = std::max(listWidth, 3 * buttonWidth + margin);
    const int clientWidth = listWidth + 2 * margin;

    int y = margin;
    addControl(dialog, L"STATIC", intro, SS_LEFT | SS_NOPREFIX, kIntroId,
               {margin, y, clientWidth - margin, y + lineHeight}, font);
    y += lineHeight + margin / 2;
    const int listHeight = kListRows * lineHeight + 4;
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_GROUP |
                                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                margin, y, listWidth, listHeight, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const SnapshotEntry& e : state.entries)
        SendMessageW(list, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(widen(snapshotLabel(e)).c_str()));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    y += listHeight + margin / 2;
    const int changesHeight = kChangesRows * lineHeight + 4;
    HWND changes = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                       ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                   margin, y, listWidth, changesHeight, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kChangesId)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(changes, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    showChanges(dialog, state);
    y += changesHeight + margin;

    int x = clientWidth - margin - 3 * buttonWidth - margin;
    HWND undo = addControl(dialog, L"BUTTON", L"撤销", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                           IDOK, {x, y, x + buttonWidth, y + buttonHeight}, font);
    EnableWindow(undo, !state.entries.empty());
    x += buttonWidth + margin / 2;
    // A change that cannot be undone need not block the ones before it.
    HWND aside = addControl(dialog, L"BUTTON", L"搁置", BS_PUSHBUTTON | WS_TABSTOP, kSetAsideId,
                            {x, y, x + buttonWidth, y + buttonHeight}, font);
    EnableWindow(aside, !state.entries.empty());
    x += buttonWidth + margin / 2;
    addControl(dialog, L"BUTTON", L"关闭", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
               {x, y, x + buttonWidth, y + buttonHeight}, font);
    fitAndCentre(dialog, clientWidth, y + buttonHeight + margin);
    SetFocus(state.entries.empty() ? GetDlgItem(dialog, IDCANCEL) : list);
}

void choose(HWND dialog, DialogState& state, int button) {
    const LRESULT index = SendDlgItemMessageW(dialog, kListId, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR || static_cast<std::size_t>(index) >= state.entries.size())
        return;
    state.chosen = static_cast<std::size_t>(index);
    EndDialog(dialog, button);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        layOut(dialog, *reinterpret_cast<DialogState*>(lParam));
        return FALSE; // focus set here
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case kSetAsideId:
            choose(dialog, *state, LOWORD(wParam));
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case kListId:
            if (HIWORD(wParam) == LBN_DBLCLK)
                choose(dialog, *state, IDOK);
            if (HIWORD(wParam) == LBN_SELCHANGE)
                showChanges(dialog, *state);
            return TRUE;
        default:
            return FALSE;
        }
    }
    return FALSE;
}

} // namespace

void addUndoMenuItem(HWND form) {
    AppendMenuW(GetSystemMenu(form, FALSE), MF_STRING, kUndoMenuId, L"撤销上一次更改...");
}

bool handleUndoMenuCommand(HWND form, WPARAM command, Platform& platform, UserDialogs& user) {
    if ((command & 0xFFF0) != kUndoMenuId)
        return false;
    DialogState state;
    state.entries = undoableSnapshots(platform);
    for (const SnapshotEntry& entry : state.entries)
        state.changes.push_back(snapshotChanges(platform, entry));
    // The undo follows the dialog, so its questions and its outcome belong
    // to the main window.
    const INT_PTR button =
        runCodeDialog(form, L"撤销更改", dialogProc, reinterpret_cast<LPARAM>(&state));
    if (button == IDOK)
        undoFromWindow(platform, user, state.entries, state.chosen);
    // Set aside, the dialog comes back without it.
    else if (button == kSetAsideId &&
             setAsideFromWindow(platform, user, state.entries[state.chosen]))
        handleUndoMenuCommand(form, command, platform, user);
    return true;
}
