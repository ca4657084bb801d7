// The OEM information file "oeminfo.ini": reading whatever text a real file
// holds, and setting the manufacturer and model in its [General] section
// while every other line stays as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

constexpr const char* kManufacturerKey = "Manufacturer=";
constexpr const char* kModelKey = "Model=";

// Only the first lines of a file are searched for the two keys.
constexpr std::size_t kSearchedLines = 200;

struct OemInfoLine {
    std::string text; // UTF-8
    // The line's bytes as they stood in a code page 936 file, so that a
    // rewrite keeps a line it does not change byte for byte, bytes that are
    // not valid GBK included. Empty for new lines and for files that came
    // with a byte-order mark.
    std::optional<std::string> original;
};

using OemInfoLines = std::vector<OemInfoLine>;

// Every line of the file. A line ends at CR, CR LF or a lone LF, and the last
// line needs no end. A UTF-8 or UTF-16 byte-order mark selects that encoding;
// without one the bytes are code page 936. Never fails: what cannot be
// decoded becomes U+FFFD.
OemInfoLines parseOemInfo(const std::string& bytes);

// The text after `key` in the last of the first 200 lines that contains it,
// compared exactly; nullopt when none does.
std::optional<std::string> findOemValue(const OemInfoLines& lines, const std::string& key);

// The lines with Manufacturer= and Model= set in the [General] section: a key
// line there is replaced, a missing key is added at the end of the section, a
// missing section is added at the top. A file without any text becomes
// exactly the three lines of a new file.
OemInfoLines withOemValues(OemInfoLines lines, const std::string& manufacturer,
                           const std::string& model);

// The file's bytes: code page 936, no byte-order mark, CR LF after every
// line. nullopt when a line holds text that code page 936 cannot represent.
std::optional<std::string> oemInfoBytes(const OemInfoLines& lines);
