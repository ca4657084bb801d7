#include "oem/oem_info_file.h"

#include "oem/unicode_text.h"
#include "platform/cp936.h"

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

// True for a "name=value" line whose name is `name` (blanks around it allowed).
bool isKeyLine(const std::string& line, const char* name) {
    const auto eq = line.find('=');
    return eq != std::string::npos && sameName(trimmed(line.substr(0, eq)), name);
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
    OemInfoLines lines;
    for (std::string& line : splitLines(body)) {
        if (encoding == Encoding::Gbk)
            lines.push_back({fromCp936(line), std::move(line)});
        else
            lines.push_back(newLine(std::move(line)));
    }
    return lines;
}

std::optional<std::string> findOemValue(const OemInfoLines& lines, const std::string& key) {
    std::optional<std::string> value;
    const std::size_t searched = std::min(lines.size(), kSearchedLines);
    for (std::size_t i = 0; i < searched; ++i) {
        const std::string& text = lines[i].text;
        const auto at = text.find(key);
        if (at != std::string::npos)
            value = text.substr(at + key.size());
    }
    return value;
}

OemInfoLines withOemValues(OemInfoLines lines, const std::string& manufacturer,
                           const std::string& model) {
    const OemInfoLine manufacturerLine = newLine(kManufacturerKey + manufacturer);
    const OemInfoLine modelLine = newLine(kModelKey + model);
    const bool hasText = std::any_of(lines.begin(), lines.end(),
                                     [](const OemInfoLine& l) { return !trimmed(l.text).empty(); });
    if (!hasText)
        return {newLine("[General]"), manufacturerLine, modelLine};

    // The first [General] section counts, as for the system's own reader.
    std::size_t general = 0;
    while (general < lines.size()) {
        const auto name = sectionName(lines[general].text);
        if (name && sameName(*name, "General"))
            break;
        ++general;
    }
    if (general == lines.size()) {
        lines.insert(lines.begin(), {newLine("[General]"), manufacturerLine, modelLine});
        return lines;
    }

    bool haveManufacturer = false;
    bool haveModel = false;
    std::size_t lastText = general; // new keys go after the section's last non-blank line
    for (std::size_t i = general + 1; i < lines.size() && !sectionName(lines[i].text); ++i) {
        if (isKeyLine(lines[i].text, "Manufacturer")) {
            lines[i] = manufacturerLine;
            haveManufacturer = true;
        } else if (isKeyLine(lines[i].text, "Model")) {
            lines[i] = modelLine;
            haveModel = true;
        }
        if (!trimmed(lines[i].text).empty())
            lastText = i;
    }
    OemInfoLines missing;
    if (!haveManufacturer)
        missing.push_back(manufacturerLine);
    if (!haveModel)
        missing.push_back(modelLine);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastText + 1), missing.begin(),
                 missing.end());
    return lines;
}

std::optional<std::string> oemInfoBytes(const OemInfoLines& lines) {
    std::string bytes;
    for (const OemInfoLine& line : lines) {
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
