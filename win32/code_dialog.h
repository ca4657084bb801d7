// Dialogs built in code: an empty in-memory template whose controls the
// dialog procedure creates at WM_INITDIALOG, laid out from measured text so
// that they fit whatever font the machine gives.
#pragma once

#include "win32/fonts.h"
#include "win32/handles.h"

#include <windows.h>

#include <string>

// Runs a modal dialog with this title over `owner`; `param` reaches the
// procedure's WM_INITDIALOG.
INT_PTR runCodeDialog(HWND owner, const wchar_t* title, DLGPROC proc, LPARAM param);

// A child control of the dialog with the given font.
HWND addControl(HWND dialog, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                RECT r, HFONT font);

// The size of a text in the font selected into `dc`.
SIZE textSize(HDC dc, const std::wstring& text);

// What a dialog is laid out with: the main window's face (created into
// `font`, which the caller keeps for the dialog's life, so that it reads as
// part of the window) selected into the dialog's DC for measuring, and the
// height of one line in it.
class DialogMeasure {
public:
    DialogMeasure(HWND dialog, Font& font);
    HFONT font() const { return font_; }
    HDC dc() const { return dc_.get(); }
    const TEXTMETRICW& metrics() const { return metrics_; }
    int lineHeight() const { return metrics_.tmHeight + metrics_.tmExternalLeading; }

private:
    HFONT font_;
    WindowDC dc_;
    Selected selected_;
    TEXTMETRICW metrics_{};
};

// Sizes the dialog to a client area and centres it over its owner.
void fitAndCentre(HWND dialog, int clientWidth, int clientHeight);
