// Code page 936 through the system's conversion tables, whatever the
// system's own ANSI code page is.
#include "platform/cp936.h"

#include <windows.h>

namespace {

constexpr UINT kGbk = 936;

// GBK bytes to UTF-16. The system's own decoding would put its default
// character in place of an invalid sequence; here each byte that does not
// begin a valid sequence becomes U+FFFD, as the Linux build's decoder does.
std::wstring decodeGbk(const std::string& bytes) {
    const int whole = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, 0);
    if (whole > 0) {
        std::wstring wide(static_cast<size_t>(whole), L'\0');
        MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(),
                            static_cast<int>(bytes.size()), &wide[0], whole);
        return wide;
    }
    // Some sequence is invalid: one character at a time.
    std::wstring wide;
    for (size_t i = 0; i < bytes.size();) {
        const size_t length =
            IsDBCSLeadByteEx(kGbk, static_cast<BYTE>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        wchar_t decoded[2];
        const int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, &bytes[i],
                                          static_cast<int>(length), decoded, 2);
        if (n > 0) {
            wide.append(decoded, static_cast<size_t>(n));
            i += length;
        } else {
            wide += L'\xFFFD';
            ++i;
        }
    }
    return wide;
}

} // namespace

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
    const std::wstring wide = decodeGbk(bytes);
    const int wn = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, &out[0], n, nullptr, nullptr);
    return out;
}
