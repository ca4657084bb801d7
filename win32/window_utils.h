// Small helpers every window of the program shares.
#pragma once

#include <windows.h>

#include <string>

// The screen's logical DPI (96 when it cannot be read).
struct Dpi {
    int x = 96;
    int y = 96;
    int cx(int twips) const { return MulDiv(twips, x, 1440); }
    int cy(int twips) const { return MulDiv(twips, y, 1440); }
};
Dpi screenDpi();

// Where a window of that outer size stands centred over `over` (the work
// area of the screen for nullptr), kept inside the work area.
POINT centredPosition(int width, int height, HWND over = nullptr);
// Moves a window there (when it is not there yet).
void centreWindow(HWND window, HWND over = nullptr);

// A window's text, as UTF-16 and as UTF-8.
std::wstring windowTextW(HWND window);
std::string windowText(HWND window);
