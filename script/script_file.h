// The bytes of a script file: every line in code page 936 followed by CR LF,
// no byte-order mark, nothing else.
#pragma once

#include <optional>
#include <string>
#include <vector>

using ScriptLines = std::vector<std::string>; // UTF-8, one entry per line

// nullopt when a line holds a character that code page 936 cannot represent.
std::optional<std::string> scriptBytes(const ScriptLines& lines);
