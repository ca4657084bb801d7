// The window font: SimSun 9 pt with the GB2312 character set, falling back to
// the system's message font where SimSun is missing.
#pragma once

#include <windows.h>

HFONT createWindowFont(int dpi);
// The link label's font: SimSun 9 pt, weight 400, underlined, GB2312.
HFONT createLinkFont(int dpi);
