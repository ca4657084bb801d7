// The face of an owner-drawn button in the graphical style: filled with the
// button's back colour, raised or pressed edge, centred caption, focus frame.
#pragma once

#include <windows.h>

void drawGraphicalButton(const DRAWITEMSTRUCT& item, COLORREF face);
