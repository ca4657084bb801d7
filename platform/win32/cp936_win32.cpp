// Code page 936 through the system's conversion tables, whatever the
// system's own ANSI code page is.
#include "platform/cp936.h"

#include <windows.h>

namespace {
constexpr UINT kGbk = 936;
}

std::optional<std::string> toCp936(const std::string& utf8) {
    if (utf8.empty())
        return std::string();
    int wn = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                 static_cast<int>(utf8.size()), nullptr, 0);
    if (wn <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<size_t>(wn), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        &wide[0], wn);
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), wn, nullptr, 0, nullptr,
                                &usedDefault);
    if (n <= 0 || usedDefault)
        return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), wn, &out[0], n, nullptr,
                        &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return out;
}

std::string fromCp936(const std::string& bytes) {
    if (bytes.empty())
        return std::string();
    int wn = MultiByteToWideChar(kGbk, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (wn <= 0)
        return std::string();
    std::wstring wide(static_cast<size_t>(wn), L'\0');
    MultiByteToWideChar(kGbk, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], wn);
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, &out[0], n, nullptr, nullptr);
    return out;
}
