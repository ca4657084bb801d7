// What the fuzz targets share: a broken invariant ends the run with a message
// (libFuzzer then keeps the input that broke it), and a check of UTF-8 that
// does not depend on the program's own decoders.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Well-formed UTF-8 as the Unicode standard defines it: no overlong forms, no
// surrogates, nothing above U+10FFFF, no truncated sequences.
inline bool isWellFormedUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
        const unsigned char c = b(i);
        size_t n;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c < 0x80) {
            n = 1;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 3;
            lo = c == 0xE0 ? 0xA0 : 0x80;
            hi = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 4;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k) {
            const unsigned char min = k == 1 ? lo : 0x80, max = k == 1 ? hi : 0xBF;
            if (b(i + k) < min || b(i + k) > max)
                return false;
        }
        i += n;
    }
    return true;
}
