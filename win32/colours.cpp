#include "win32/colours.h"

#include <map>

COLORREF colourRef(const Colour& c) {
    return c.isSystem ? GetSysColor(c.systemIndex) : static_cast<COLORREF>(c.rgb);
}

HBRUSH colourBrush(const Colour& c) {
    if (c.isSystem)
        return GetSysColorBrush(c.systemIndex);
    static std::map<COLORREF, HBRUSH> brushes; // a handful, alive for the whole run
    HBRUSH& b = brushes[static_cast<COLORREF>(c.rgb)];
    if (!b)
        b = CreateSolidBrush(static_cast<COLORREF>(c.rgb));
    return b;
}
