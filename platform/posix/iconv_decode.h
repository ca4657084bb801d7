// Decoding through iconv, by the name of the character set: fromCp936 of the
// Linux test build is decodeToUtf8("CP936", ...).
#pragma once

#include <string>

// `bytes` in the character set `charset` to UTF-8: a byte that does not
// begin a valid sequence becomes U+FFFD. When iconv has no converter for the
// character set, ASCII bytes stand for themselves and every other byte
// becomes U+FFFD.
std::string decodeToUtf8(const char* charset, const std::string& bytes);
