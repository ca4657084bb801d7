// Identifiers of the program's resources (app.rc), shared with the code.
#pragma once

#define IDI_APP 1
// The pictures, PNG files (RCDATA): the banner drawn for 96 and 144 DPI (120
// DPI scales the larger one down), and the about panel's picture.
#define IDR_BANNER_96 101
#define IDR_ABOUT 102
#define IDR_BANNER_144 104
