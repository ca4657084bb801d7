// Painting of the graphical buttons and the image controls.
#pragma once

#include <windows.h>

// A command button: face filled with its back colour, raised edge (sunken
// while pressed), centred caption, focus rectangle when it has the focus.
void drawButton(const DRAWITEMSTRUCT& item, HBRUSH face, COLORREF text);

// An image: the bitmap stretched to the control or at its natural size; the
// rest of the control shows `background`.
void drawImage(const DRAWITEMSTRUCT& item, HBITMAP bitmap, bool stretch, HBRUSH background);
