// The program's one UTF-8 decoder, and the decoding of text files that carry
// a byte-order mark.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// One character of UTF-8 text: its code point and how many bytes it takes.
struct Utf8Char {
    char32_t code;
    std::size_t length;
};

// The well-formed UTF-8 sequence that begins at `at`, or nullopt where there
// is none: a stray or missing continuation byte, an overlong form ("C0 80"),
// a surrogate ("ED A0 80"), a code point above U+10FFFF ("F4 90 80 80").
std::optional<Utf8Char> decodeUtf8(const std::string& text, std::size_t at);

// Whether the whole text is well-formed UTF-8 by decodeUtf8.
bool isValidUtf8(const std::string& text);

// Malformed input below never fails: what cannot be decoded becomes U+FFFD.

// UTF-8 bytes to valid UTF-8: each invalid sequence becomes U+FFFD.
std::string sanitizeUtf8(const std::string& bytes);

// UTF-16 bytes (without the byte-order mark) to UTF-8. Unpaired surrogates
// and an odd last byte become U+FFFD.
std::string utf16ToUtf8(const std::string& bytes, bool bigEndian);
