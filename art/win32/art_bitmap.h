// The program's pictures as bitmaps for the window, at the size of the image
// box that shows them: decoded from the PNG resources and scaled from the
// drawing made for the nearest larger size, so that a box is filled at any DPI.
#pragma once

#include "resources/form1_layout.h"

#include <windows.h>

// A 32-bit bitmap of exactly width x height pixels; nullptr when the picture
// cannot be had.
HBITMAP loadArt(Picture picture, int width, int height);
