// The main window: creates its controls from the layout, runs the load step,
// and hands each event to the window's logic.
#pragma once

#include "app/form1.h"
#include "app/win32/child_windows.h"
#include "app/win32/win32_controls.h"
#include "app/win32/win32_dialogs.h"
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"

#include <windows.h>

// The main window's class: one such window per session (single_window.h).
extern const wchar_t kForm1ClassName[];

class Form1Window {
public:
    Form1Window();

    // Creates the window, runs the load step and shows it centred.
    bool create(int showCommand);

private:
    static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT m, WPARAM wp, LPARAM lp);
    LRESULT onControlColour(HDC dc, HWND child);
    void onDrawItem(const DRAWITEMSTRUCT& item);
    void onActivate(WPARAM state);
    void onClose();
    void createLaterControls();
    ControlResources resources();
    void openLogoPicker();

    HWND hwnd_ = nullptr;
    bool allControlsMade_ = false; // those left out of the first picture included
    HWND lastFocus_ = nullptr;
    Font windowFont_;
    Font linkFont_;
    Win32Platform platform_;
    Win32Dialogs dialogs_;
    Win32Controls controls_;
    Form1 logic_;
};
