// When a path on a script line must stand in quotation marks.
#pragma once

#include <string>

// True when `path` holds a blank or a character that the command interpreter
// treats specially outside quotation marks (a separator, an operator, an
// escape): written bare, the command would get a different path or run a
// different command. The same rule holds for a path given through a variable
// such as %windir%, which the interpreter expands before it splits the line.
bool needsBatchQuotes(const std::string& path);
