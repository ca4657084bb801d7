// Decoding of text files that carry a byte-order mark. Malformed input never
// fails: what cannot be decoded becomes U+FFFD.
#pragma once

#include <string>

// UTF-8 bytes to valid UTF-8: each invalid sequence becomes U+FFFD.
std::string sanitizeUtf8(const std::string& bytes);

// UTF-16 bytes (without the byte-order mark) to UTF-8. Unpaired surrogates
// and an odd last byte become U+FFFD.
std::string utf16ToUtf8(const std::string& bytes, bool bigEndian);
