#include "oem/oem_info_file.h"

#include "platform/cp936.h"
#include "platform/unicode_text.h"

#include <algorithm>

namespace {

enum class Encoding { Gbk, Utf8, Utf16Le, Utf16Be };

bool startsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Splits at CR, CR LF and a lone LF; a final line end opens no further line.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string trimmed(const std::string& s) {
    const char* blanks = " \t";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// Section and key names of ini files compare without regard to ASCII case.
bool sameName(const std::string& a, const char* b) {
    const std::string bs = b;
    return a.size() == bs.size() && std::equal(a.begin(), a.end(), bs.begin(), [](char x, char y) {
               const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

// The name of a section header line, or nullopt for any other line.
std::optional<std::string> sectionName(const std::string& line) {
    const std::string t = trimmed(line);
    if (t.empty() || t[0] != '[')
        return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return trimmed(t.substr(1, close - 1));
}

// True for a "name=value" line whose name is `name` (blanks around it
// allowed). The name of a comment line begins with ';' and so is never a key's.
bool isKeyLine(const std::string& line, const char* name) {
    const auto eq = line.find('=');
    return eq != std::string::npos && sameName(trimmed(line.substr(0, eq)), name);
}

// True for a text that begins and ends with the same quotation mark.
bool enclosedInQuotes(const std::string& s) {
    return s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0];
}

// The value of a key line: the text after its first '=', without the blanks
// around it and without one pair of enclosing quotation marks.
std::string keyValue(const std::string& line) {
    const std::string value = trimmed(line.substr(line.find('=') + 1));
    return enclosedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

// A key line that keyValue reads back as `value`: quoted only when the reader
// would otherwise drop blanks or quotation marks of it.
std::string keyLine(const char* name, const std::string& value) {
    if (trimmed(value).size() != value.size() || enclosedInQuotes(value))
        return std::string(name) + "=\"" + value + "\"";
    return std::string(name) + "=" + value;
}

// The index of the first [General] section's header line, or lines.size().
std::size_t generalSection(const std::vector<OemInfoLine>& lines) {
    std::size_t i = 0;
    while (i < lines.size()) {
        const auto name = sectionName(lines[i].text);
        if (name && sameName(*name, "General"))
            break;
        ++i;
    }
    return i;
}

// The first line of the first [General] section that holds the key `name`.
std::optional<std::size_t> keyLineIndex(const std::vector<OemInfoLine>& lines, const char* name) {
    for (std::size_t i = generalSection(lines) + 1; i < lines.size() && !sectionName(lines[i].text);
         ++i)
        if (isKeyLine(lines[i].text, name))
            return i;
    return std::nullopt;
}

OemInfoLine newLine(std::string text) {
    return {std::move(text), std::nullopt};
}

} // namespace

OemInfoLines parseOemInfo(const std::string& bytes) {
    Encoding encoding = Encoding::Gbk;
    std::string body = bytes;
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        encoding = Encoding::Utf8;
        body = sanitizeUtf8(bytes.substr(3));
    } else if (startsWith(bytes, "\xFF\xFE")) {
        encoding = Encoding::Utf16Le;
        body = utf16ToUtf8(bytes.substr(2), false);
    } else if (startsWith(bytes, "\xFE\xFF")) {
        encoding = Encoding::Utf16Be;
        body = utf16ToUtf8(bytes.substr(2), true);
    }
    // In code page 936 CR and LF never occur inside a two-byte character, so
    // the bytes can be split before they are decoded.
    OemInfoLines file;
    file.source = bytes;
    for (std::string& line : splitLines(body)) {
        if (encoding == Encoding::Gbk)
            file.lines.push_back({fromCp936(line), std::move(line)});
        else
            file.lines.push_back(newLine(std::move(line)));
    }
    return file;
}

std::optional<std::string> findOemValue(const OemInfoLines& file, const std::string& key) {
    if (const auto i = keyLineIndex(file.lines, key.c_str()))
        return keyValue(file.lines[*i].text);
    return std::nullopt;
}

OemInfoLines withOemValues(OemInfoLines file, const std::string& manufacturer,
                           const std::string& model) {
    std::vector<OemInfoLine>& lines = file.lines;
    const OemInfoLine manufacturerLine = newLine(keyLine(kManufacturerKey, manufacturer));
    const OemInfoLine modelLine = newLine(keyLine(kModelKey, model));
    const bool hasText = std::any_of(lines.begin(), lines.end(),
                                     [](const OemInfoLine& l) { return !trimmed(l.text).empty(); });
    if (!hasText) {
        lines = {newLine("[General]"), manufacturerLine, modelLine};
        file.changed = true;
        return file;
    }

    // The first [General] section counts, as for the system's own reader.
    const std::size_t general = generalSection(lines);
    if (general == lines.size()) {
        lines.insert(lines.begin(), {newLine("[General]"), manufacturerLine, modelLine});
        file.changed = true;
        return file;
    }

    // A line that already holds the value keeps its own bytes and spelling.
    std::vector<OemInfoLine> missing;
    const auto set = [&](const char* name, const OemInfoLine& line, const std::string& value) {
        const auto i = keyLineIndex(lines, name);
        if (!i) {
            missing.push_back(line);
        } else if (keyValue(lines[*i].text) != value) {
            lines[*i] = line;
            file.changed = true;
        }
    };
    set(kManufacturerKey, manufacturerLine, manufacturer);
    set(kModelKey, modelLine, model);
    if (missing.empty())
        return file;

    std::size_t lastText = general; // new keys go after the section's last non-blank line
    for (std::size_t i = general + 1; i < lines.size() && !sectionName(lines[i].text); ++i)
        if (!trimmed(lines[i].text).empty())
            lastText = i;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastText + 1), missing.begin(),
                 missing.end());
    file.changed = true;
    return file;
}

std::optional<std::string> oemInfoBytes(const OemInfoLines& file) {
    if (!file.changed)
        return file.source;
    std::string bytes;
    for (const OemInfoLine& line : file.lines) {
        if (line.original) {
            bytes += *line.original;
        } else {
            const std::optional<std::string> encoded = toCp936(line.text);
            if (!encoded)
                return std::nullopt;
            bytes += *encoded;
        }
        bytes += "\r\n";
    }
    return bytes;
}
