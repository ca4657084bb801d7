// Code page 936 (GBK) at the file boundary. The Win32 build converts with
// WideCharToMultiByte(936, ...), the Linux test build with iconv; neither uses
// the system's current ANSI code page.
#pragma once

#include <optional>
#include <string>

// UTF-8 to GBK bytes; nullopt when a character has no GBK form (it would
// otherwise become a question mark) or the input is not valid UTF-8.
std::optional<std::string> toCp936(const std::string& utf8);

// GBK bytes to UTF-8; a byte sequence that is not valid GBK becomes U+FFFD.
std::string fromCp936(const std::string& bytes);
