// A reader of "Windows Registry Editor Version 5.00" files as regedit reads
// them, written for the tests apart from the program's writer: UTF-16LE with
// a byte-order mark; "[key]" opens (and creates) a key, "[-key]" deletes it
// with everything in it; "@" or a quoted name, "=", then "-" (deleted), a
// quoted string, "dword:" and eight hex digits, "hex:" or "hex(type):" and
// bytes, long lines continued after a backslash. Also applies what it read
// to the fake registry, as regedit /s would.
#pragma once

#include "fakes/fake_platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RegOperation {
    enum class Kind { OpenKey, DeleteKey, SetValue, DeleteValue } kind;
    std::string key;
    std::string name; // "" for the default value
    std::uint32_t type = 0;
    std::string data;
};

namespace regfile {

inline void appendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16LE bytes to UTF-8; nullopt for an odd length or an unpaired surrogate.
inline std::optional<std::string> fromUtf16(const std::string& bytes) {
    if (bytes.size() % 2)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t c =
            static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (c >= 0xDC00 && c <= 0xDFFF)
            return std::nullopt;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 3 >= bytes.size())
                return std::nullopt;
            const std::uint32_t low = static_cast<unsigned char>(bytes[i + 2]) |
                                      static_cast<unsigned char>(bytes[i + 3]) << 8;
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        appendUtf8(out, c);
    }
    return out;
}

// UTF-8 to UTF-16LE bytes (the input is trusted to be valid).
inline std::string toUtf16(const std::string& text) {
    std::string out;
    auto unit = [&out](std::uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        std::uint32_t c = n == 1 ? b : b & (0x7F >> n);
        for (int k = 1; k < n; ++k)
            c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += n;
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    return out;
}

inline int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A quoted text from `at` (on the opening quote); `at` ends after the
// closing quote. Backslash escapes the next character.
inline std::optional<std::string> quoted(const std::string& line, std::size_t& at) {
    if (at >= line.size() || line[at] != '"')
        return std::nullopt;
    std::string text;
    for (++at; at < line.size(); ++at) {
        if (line[at] == '\\' && at + 1 < line.size()) {
            text += line[++at];
        } else if (line[at] == '"') {
            ++at;
            return text;
        } else {
            text += line[at];
        }
    }
    return std::nullopt;
}

inline std::optional<std::string> hexBytes(const std::string& text) {
    std::string bytes;
    if (text.empty())
        return bytes;
    for (std::size_t i = 0;; i += 3) {
        if (i + 2 > text.size() || hexValue(text[i]) < 0 || hexValue(text[i + 1]) < 0)
            return std::nullopt;
        bytes += static_cast<char>(hexValue(text[i]) * 16 + hexValue(text[i + 1]));
        if (i + 2 == text.size())
            return bytes;
        if (text[i + 2] != ',')
            return std::nullopt;
    }
}

// The value part after "=": its operation, or nullopt when it is not one.
inline std::optional<RegOperation> value(const std::string& key, const std::string& name,
                                         const std::string& rest) {
    RegOperation op{RegOperation::Kind::SetValue, key, name, 0, {}};
    if (rest == "-") {
        op.kind = RegOperation::Kind::DeleteValue;
        return op;
    }
    if (!rest.empty() && rest[0] == '"') {
        std::size_t at = 0;
        std::optional<std::string> text = quoted(rest, at);
        if (!text || at != rest.size())
            return std::nullopt;
        op.type = 1;
        op.data = toUtf16(*text) + std::string(2, '\0');
        return op;
    }
    if (rest.rfind("dword:", 0) == 0) {
        const std::string digits = rest.substr(6);
        if (digits.size() != 8)
            return std::nullopt;
        std::uint32_t v = 0;
        for (char c : digits) {
            if (hexValue(c) < 0)
                return std::nullopt;
            v = v * 16 + static_cast<std::uint32_t>(hexValue(c));
        }
        op.type = 4;
        for (int i = 0; i < 4; ++i)
            op.data += static_cast<char>((v >> (8 * i)) & 0xFF);
        return op;
    }
    std::string bytes;
    if (rest.rfind("hex:", 0) == 0) {
        op.type = 3;
        bytes = rest.substr(4);
    } else if (rest.rfind("hex(", 0) == 0) {
        const std::size_t close = rest.find("):");
        if (close == std::string::npos || close == 4 || close > 12)
            return std::nullopt;
        std::uint32_t type = 0;
        for (std::size_t i = 4; i < close; ++i) {
            if (hexValue(rest[i]) < 0)
                return std::nullopt;
            type = type * 16 + static_cast<std::uint32_t>(hexValue(rest[i]));
        }
        op.type = type;
        bytes = rest.substr(close + 2);
    } else {
        return std::nullopt;
    }
    std::optional<std::string> data = hexBytes(bytes);
    if (!data)
        return std::nullopt;
    op.data = *data;
    return op;
}

} // namespace regfile

// The physical lines of a .reg file's text, split at CR LF, CR or LF.
inline std::vector<std::string> regPhysicalLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

// The operations of a .reg file, in order; nullopt (and why in *error) when
// a line is not one regedit would take.
inline std::optional<std::vector<RegOperation>> readRegFile(const std::string& bytes,
                                                            std::string* error) {
    auto fail = [error](const std::string& why) {
        *error = why;
        return std::nullopt;
    };
    if (bytes.compare(0, 2, "\xFF\xFE") != 0)
        return fail("no byte-order mark");
    std::optional<std::string> text = regfile::fromUtf16(bytes.substr(2));
    if (!text)
        return fail("not UTF-16");
    std::vector<std::string> lines = regPhysicalLines(*text);
    if (lines.empty() || lines[0] != "Windows Registry Editor Version 5.00")
        return fail("no header");
    std::vector<RegOperation> ops;
    std::string key;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string line = lines[i];
        // A value's data goes on after a backslash at the end of a line.
        while (!line.empty() && line.back() == '\\' && line[0] != '[' && i + 1 < lines.size()) {
            line.pop_back();
            std::string next = lines[++i];
            next.erase(0, next.find_first_not_of(' '));
            line += next;
        }
        if (line.empty())
            continue;
        if (line[0] == '[') {
            if (line.back() != ']')
                return fail("a key line without its bracket: " + line);
            const bool deleted = line.size() > 1 && line[1] == '-';
            key = line.substr(deleted ? 2 : 1, line.size() - (deleted ? 3 : 2));
            ops.push_back({deleted ? RegOperation::Kind::DeleteKey : RegOperation::Kind::OpenKey,
                           key,
                           "",
                           0,
                           {}});
            if (deleted)
                key.clear();
            continue;
        }
        if (key.empty())
            return fail("a value outside a key: " + line);
        std::string name;
        std::size_t at = 0;
        if (line[0] == '@') {
            at = 1;
        } else {
            std::optional<std::string> n = regfile::quoted(line, at);
            if (!n)
                return fail("a value line without its name: " + line);
            name = *n;
        }
        if (at >= line.size() || line[at] != '=')
            return fail("a value line without its =: " + line);
        std::optional<RegOperation> op = regfile::value(key, name, line.substr(at + 1));
        if (!op)
            return fail("a value not in a form regedit takes: " + line);
        ops.push_back(*op);
    }
    return ops;
}

// What regedit /s does with the operations, on the fake registry.
inline void applyRegOperations(FakePlatform& sys, const std::vector<RegOperation>& ops) {
    auto& keys = sys.registryKeys;
    for (const RegOperation& op : ops) {
        switch (op.kind) {
        case RegOperation::Kind::DeleteKey:
            for (auto it = keys.begin(); it != keys.end();)
                it = it->first == op.key || it->first.rfind(op.key + "\\", 0) == 0 ? keys.erase(it)
                                                                                   : ++it;
            break;
        case RegOperation::Kind::OpenKey: // the key and each missing one above it below the root
            for (std::size_t cut = op.key.find('\\', op.key.find('\\') + 1);
                 cut != std::string::npos; cut = op.key.find('\\', cut + 1))
                keys[op.key.substr(0, cut)];
            keys[op.key];
            break;
        case RegOperation::Kind::SetValue:
        case RegOperation::Kind::DeleteValue: {
            std::vector<RegistryValue>& values = keys[op.key];
            auto it = values.begin();
            while (it != values.end() && it->name != op.name)
                ++it;
            if (op.kind == RegOperation::Kind::DeleteValue) {
                if (it != values.end())
                    values.erase(it);
            } else if (it != values.end()) {
                *it = {op.name, op.type, op.data};
            } else {
                values.push_back({op.name, op.type, op.data});
            }
            break;
        }
        }
    }
}
