// Code page 936 through iconv, for the Linux test build.
#include "platform/cp936.h"
#include "platform/posix/iconv_decode.h"

#include <cerrno>
#include <iconv.h>

namespace {

// Converts all of `in`; on an invalid or unconvertible sequence either gives
// up (nullopt) or, when `replacement` is set, writes it and skips one byte.
std::optional<std::string> convert(const char* to, const char* from, const std::string& in,
                                   const char* replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, sizeof buffer - dstLeft);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            if (!replacement) {
                iconv_close(cd);
                return std::nullopt;
            }
            out += replacement;
            ++src;
            --srcLeft;
        }
    }
    iconv_close(cd);
    return out;
}

constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

} // namespace

std::string decodeToUtf8(const char* charset, const std::string& bytes) {
    if (std::optional<std::string> text = convert("UTF-8", charset, bytes, kReplacement))
        return *text;
    // No converter: only ASCII, which every such character set shares, is known.
    std::string text;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            text += c;
        else
            text += kReplacement;
    }
    return text;
}

std::optional<std::string> toCp936(const std::string& utf8) {
    return convert("CP936", "UTF-8", utf8, nullptr);
}

std::string fromCp936(const std::string& bytes) {
    return decodeToUtf8("CP936", bytes);
}
