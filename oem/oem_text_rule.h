// What the OEM values may hold, for the window and the command line alike.
// Each value is one line of text: a control character (a line break, a tab)
// is a pasted mistake that System Properties would show as it is, and that
// would reach the undo record and the log. The owner and the organisation
// are Unicode registry strings (REG_SZ) and take any character; the
// manufacturer and the model go into "oeminfo.ini", a code page 936 file, and
// take only what GBK can represent.
#pragma once

#include <optional>
#include <string>

enum class OemField { Owner, Organization, Manufacturer, Model };

// Whether a field keeps its value in the code page 936 file (the
// manufacturer, the model) rather than in the registry.
bool inOemFile(OemField field);

// What is wrong with a text; at least one is set.
struct OemTextFaults {
    // A character the field's store cannot hold: one outside GBK for the
    // file, a byte that is no well-formed UTF-8 for either (the registry
    // holds UTF-16).
    bool unencodable = false;
    bool lineBreak = false;        // CR or LF
    bool controlCharacter = false; // any other C0 control character, or DEL
};

// Why this text cannot be the value of this field, or nullopt when it can.
std::optional<OemTextFaults> oemTextFaults(OemField field, const std::string& text);
