// The OEM information file "oeminfo.ini": reading the manufacturer and model
// as Windows reads them, and setting them in the lines Windows reads them
// from while every other line stays as it was.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Key names; ini names compare without regard to ASCII case.
constexpr const char* kManufacturerKey = "Manufacturer";
constexpr const char* kModelKey = "Model";

struct OemInfoLine {
    std::string text; // UTF-8
    // The line's bytes as they stood in a code page 936 file, so that a
    // rewrite keeps a line it does not change byte for byte, bytes that are
    // not valid GBK included. Empty for new lines and for files that came
    // with a byte-order mark.
    std::optional<std::string> original;
};

// A file's lines and the bytes they were read from.
struct OemInfoLines {
    std::vector<OemInfoLine> lines;
    // The file as it was read. While no line has changed, these bytes are what
    // the file holds, whatever its encoding and line ends.
    std::string source;
    bool changed = false;
};

// Every line of the file. A line ends at CR, CR LF or a lone LF, and the last
// line needs no end. A UTF-8 or UTF-16 byte-order mark selects that encoding;
// without one the bytes are code page 936. Never fails: what cannot be
// decoded becomes U+FFFD.
OemInfoLines parseOemInfo(const std::string& bytes);

// The value of a key of the first [General] section, read as the system's
// ini reader reads it: a line's key is the text before its first '=' with the
// blanks around it removed, compared without case; the first such line of the
// section counts; a line that begins with ';' is a comment. The value is the
// rest of the line without the blanks around it and without one pair of
// quotation marks (" or ') enclosing it. nullopt when the section or key is
// missing.
std::optional<std::string> findOemValue(const OemInfoLines& file, const std::string& key);

// The file with Manufacturer and Model set to these values (single-line
// texts). The line that findOemValue reads a key from is replaced, and only
// when it holds another value; a missing key is added at the end of the first
// [General] section, a missing section at the top. A value that the reader
// would change (blanks at its ends, enclosing quotation marks) is written
// between quotation marks. A file without any text becomes exactly the three
// lines of a new file.
OemInfoLines withOemValues(OemInfoLines file, const std::string& manufacturer,
                           const std::string& model);

// The file's bytes: the bytes it was read from when no line has changed;
// otherwise code page 936, no byte-order mark, CR LF after every line, and
// every line that was not changed in its own bytes. nullopt when a line holds
// text that code page 936 cannot represent.
std::optional<std::string> oemInfoBytes(const OemInfoLines& file);
