#include "undo/text.h"

#include "platform/unicode_text.h"

namespace {

const char kDigits[] = "0123456789abcdef";

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void appendUnit(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

} // namespace

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::string::size_type from = 0;
    for (std::string::size_type at; (at = text.find(separator, from)) != std::string::npos;
         from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

std::optional<std::uint32_t> parseDecimal(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

std::string hexByte(unsigned char byte) {
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

std::string hexText(const std::string& bytes) {
    std::string text;
    for (char b : bytes)
        text += hexByte(static_cast<unsigned char>(b));
    return text;
}

std::optional<std::string> parseHex(const std::string& text) {
    if (text.size() % 2)
        return std::nullopt;
    std::string bytes;
    for (std::string::size_type i = 0; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

std::optional<std::string> utf8ToUtf16le(const std::string& utf8) {
    std::string out;
    for (std::string::size_type i = 0; i < utf8.size();) {
        const std::optional<Utf8Char> c = decodeUtf8(utf8, i);
        if (!c)
            return std::nullopt;
        i += c->length;
        if (c->code >= 0x10000) {
            const std::uint32_t above = c->code - 0x10000;
            appendUnit(out, 0xD800 | (above >> 10));
            appendUnit(out, 0xDC00 | (above & 0x3FF));
        } else {
            appendUnit(out, c->code);
        }
    }
    return out;
}

std::optional<std::string> utf16leToUtf8(const std::string& utf16) {
    // Exact only when nothing had to be replaced: the text encodes back to
    // the same bytes (an unpaired surrogate or an odd byte does not).
    std::string text = utf16ToUtf8(utf16, false);
    if (utf8ToUtf16le(text) != utf16)
        return std::nullopt;
    return text;
}
