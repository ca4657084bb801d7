// The text decoders: GBK (iconv in this build), UTF-8 with a byte-order
// mark, UTF-16 of either byte order, and the OEM file's line reader.
// Invariants: the result is always well-formed UTF-8; valid input comes back
// unchanged from a round trip.
#include "fuzz_check.h"
#include "oem/oem_info_file.h"
#include "platform/cp936.h"
#include "platform/unicode_text.h"

#include <cstdint>

namespace {

// UTF-8 (well-formed) to UTF-16 bytes of the given order, by the book.
std::string utf16Bytes(const std::string& utf8, bool bigEndian) {
    std::string out;
    const auto unit = [&](unsigned u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        unsigned cp = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
        for (size_t k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
        i += n;
    }
    return out;
}

// UTF-16 bytes without unpaired surrogates and of even length.
bool isValidUtf16(const std::string& bytes, bool bigEndian) {
    if (bytes.size() % 2)
        return false;
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const auto unit = [&](size_t k) {
            const unsigned a = static_cast<unsigned char>(bytes[k]);
            const unsigned b = static_cast<unsigned char>(bytes[k + 1]);
            return bigEndian ? (a << 8) | b : (b << 8) | a;
        };
        const unsigned u = unit(i);
        if (u >= 0xDC00 && u <= 0xDFFF)
            return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= bytes.size() || unit(i + 2) < 0xDC00 || unit(i + 2) > 0xDFFF)
                return false;
            i += 2;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const bool valid = isWellFormedUtf8(bytes);

    const std::string sanitized = sanitizeUtf8(bytes);
    FUZZ_CHECK(isWellFormedUtf8(sanitized));
    FUZZ_CHECK(!valid || sanitized == bytes);

    for (bool bigEndian : {false, true}) {
        const std::string text = utf16ToUtf8(bytes, bigEndian);
        FUZZ_CHECK(isWellFormedUtf8(text));
        if (isValidUtf16(bytes, bigEndian))
            FUZZ_CHECK(utf16Bytes(text, bigEndian) == bytes);
    }

    const std::string fromGbk = fromCp936(bytes);
    FUZZ_CHECK(isWellFormedUtf8(fromGbk));
    if (fromGbk.find("\xEF\xBF\xBD") == std::string::npos) // every sequence was valid GBK
        FUZZ_CHECK(toCp936(fromGbk) == bytes);
    if (valid)
        if (const std::optional<std::string> gbk = toCp936(bytes))
            FUZZ_CHECK(fromCp936(*gbk) == bytes);

    for (const OemInfoLine& line : parseOemInfo(bytes).lines)
        FUZZ_CHECK(isWellFormedUtf8(line.text));
    return 0;
}
