// The window font: SimSun 9 pt with the GB2312 character set, falling back to
// the system's message font where SimSun is missing.
#pragma once

#include "win32/handles.h"

#include <windows.h>

Font createWindowFont(int dpi);
// The link label's font: SimSun 9 pt, weight 400, underlined, GB2312.
Font createLinkFont(int dpi);

// The font to give a control: `font`, or the stock GUI font when it could
// not be created.
HFONT fontOrDefault(const Font& font);
