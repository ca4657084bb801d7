// Small text helpers of the undo files: numbers, hex and UTF-16, written out
// by hand (the C library's formatted output would double the program's size).
#pragma once

#include "platform/number_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The pieces of a text between the separators (one piece more than there
// are separators).
std::vector<std::string> split(const std::string& text, const std::string& separator);

std::optional<std::uint32_t> parseDecimal(const std::string& text);

// Lower-case hex digits of each byte, no separator ("e5a4"); and back.
std::string hexText(const std::string& bytes);
std::optional<std::string> parseHex(const std::string& text);
// Two lower-case hex digits of one byte.
std::string hexByte(unsigned char byte);

// UTF-8 to UTF-16LE bytes and back; nullopt for input that is not valid.
std::optional<std::string> utf8ToUtf16le(const std::string& utf8);
std::optional<std::string> utf16leToUtf8(const std::string& utf16);
