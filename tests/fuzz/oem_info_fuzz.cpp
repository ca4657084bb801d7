// Reading and updating the OEM information file.
//
// Input: the manufacturer, a NUL, the model, a NUL, then the file's bytes
// (without two NULs the whole input is the file and both values are empty).
// Invariants:
//  - reading never fails and gives well-formed UTF-8;
//  - applying the values just read gives back the file's own bytes;
//  - after applying values a box can hold (one line, GBK), the panel's reader
//    returns exactly those values;
//  - every line other than the two key lines the reader uses survives, byte
//    for byte (its text, for a file with a byte-order mark) and in order; the
//    only lines added are a [General] header and the two key lines; a file
//    without any text becomes exactly the three lines of a new file;
//  - applying the same values again changes nothing.
#include "fuzz_check.h"
#include "oem/oem_info_file.h"
#include "platform/cp936.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace {

// An independent model of which lines the system reads the two keys from:
// the first line of each key in the first [General] section.
std::string blanksTrimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string lowered(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::optional<std::string> headerName(const std::string& line) {
    const std::string t = blanksTrimmed(line);
    if (t.empty() || t[0] != '[' || t.find(']') == std::string::npos)
        return std::nullopt;
    return lowered(blanksTrimmed(t.substr(1, t.find(']') - 1)));
}

std::vector<bool> keyLinesRead(const OemInfoLines& file) {
    std::vector<bool> read(file.lines.size(), false);
    size_t i = 0;
    while (i < file.lines.size() && headerName(file.lines[i].text) != std::string("general"))
        ++i;
    bool manufacturer = false, model = false;
    for (++i; i < file.lines.size() && !headerName(file.lines[i].text); ++i) {
        const std::string& t = file.lines[i].text;
        if (t.find('=') == std::string::npos)
            continue;
        const std::string name = lowered(blanksTrimmed(t.substr(0, t.find('='))));
        if (name == "manufacturer" && !manufacturer)
            read[i] = manufacturer = true;
        if (name == "model" && !model)
            read[i] = model = true;
    }
    return read;
}

bool hasText(const OemInfoLines& file) {
    for (const OemInfoLine& l : file.lines)
        if (!blanksTrimmed(l.text).empty())
            return true;
    return false;
}

bool hasGeneral(const OemInfoLines& file) {
    for (const OemInfoLine& l : file.lines)
        if (headerName(l.text) == std::string("general"))
            return true;
    return false;
}

// A line as it stands: its bytes in a code page 936 file, else its text.
std::string lineOf(const OemInfoLine& l) {
    return l.original ? *l.original : l.text;
}

bool fitsABox(const std::string& value) {
    return value.find_first_of("\r\n") == std::string::npos && toCp936(value).has_value();
}

void checkLinesSurvive(const OemInfoLines& before, const OemInfoLines& after) {
    if (!hasText(before)) {
        FUZZ_CHECK(after.lines.size() == 3 && after.lines[0].text == "[General]");
        return;
    }
    // A file with a byte-order mark comes back in GBK: compare its texts.
    const bool marked = !before.lines.empty() && !before.lines[0].original;
    const std::vector<bool> keys = keyLinesRead(before);
    std::vector<std::string> kept, keyLines;
    for (size_t i = 0; i < before.lines.size(); ++i)
        (keys[i] ? keyLines : kept)
            .push_back(marked ? before.lines[i].text : lineOf(before.lines[i]));
    size_t next = 0, added = 0;
    for (const OemInfoLine& l : after.lines) {
        const std::string line = marked ? l.text : lineOf(l);
        if (next < kept.size() && line == kept[next]) {
            ++next;
            continue;
        }
        const bool keyLine = line.rfind("Manufacturer=", 0) == 0 || line.rfind("Model=", 0) == 0;
        const bool header = line == "[General]" && !hasGeneral(before);
        bool oldKeyLine = false;
        for (const std::string& k : keyLines)
            oldKeyLine = oldKeyLine || line == k;
        FUZZ_CHECK(keyLine || header || oldKeyLine);
        ++added;
    }
    FUZZ_CHECK(next == kept.size());
    FUZZ_CHECK(added <= 3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string manufacturer, model, bytes = input;
    const size_t first = input.find('\0');
    const size_t second = first == std::string::npos ? first : input.find('\0', first + 1);
    if (second != std::string::npos) {
        manufacturer = input.substr(0, first);
        model = input.substr(first + 1, second - first - 1);
        bytes = input.substr(second + 1);
    }

    const OemInfoLines file = parseOemInfo(bytes);
    const std::optional<std::string> shownManufacturer = findOemValue(file, kManufacturerKey);
    const std::optional<std::string> shownModel = findOemValue(file, kModelKey);
    for (const OemInfoLine& l : file.lines)
        FUZZ_CHECK(isWellFormedUtf8(l.text));
    if (shownManufacturer && shownModel)
        FUZZ_CHECK(oemInfoBytes(withOemValues(file, *shownManufacturer, *shownModel)) == bytes);

    if (!fitsABox(manufacturer) || !fitsABox(model))
        return 0;
    const OemInfoLines applied = withOemValues(file, manufacturer, model);
    const std::optional<std::string> written = oemInfoBytes(applied);
    if (!written) {
        // Only text that came from a file with a byte-order mark can lack a GBK form.
        FUZZ_CHECK(!file.lines.empty() && !file.lines[0].original);
        return 0;
    }
    const OemInfoLines reread = parseOemInfo(*written);
    FUZZ_CHECK(findOemValue(reread, kManufacturerKey) == manufacturer);
    FUZZ_CHECK(findOemValue(reread, kModelKey) == model);
    checkLinesSurvive(file, reread);
    FUZZ_CHECK(oemInfoBytes(withOemValues(reread, manufacturer, model)) == *written);
    return 0;
}
