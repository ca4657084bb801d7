#include "win32/fonts.h"

namespace {

int CALLBACK fontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool simSunInstalled() {
    LOGFONTW query = {};
    query.lfCharSet = GB2312_CHARSET;
    lstrcpyW(query.lfFaceName, L"SimSun");
    bool found = false;
    WindowDC screen(nullptr);
    EnumFontFamiliesExW(screen.get(), &query, fontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

LOGFONTW simSun(int dpi, bool underline) {
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(9, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpyW(font.lfFaceName, L"SimSun");
    return font;
}

} // namespace

Font createWindowFont(int dpi) {
    if (simSunInstalled()) {
        LOGFONTW font = simSun(dpi, false);
        return Font(CreateFontIndirectW(&font));
    }
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return Font(CreateFontIndirectW(&metrics.lfMessageFont));
    return Font();
}

Font createLinkFont(int dpi) {
    LOGFONTW font = simSun(dpi, true);
    return Font(CreateFontIndirectW(&font));
}

HFONT fontOrDefault(const Font& font) {
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
