// Letter case and blanks of the ASCII parts of a text: switch names, ini
// keys and script commands are matched in any case, and Chinese text passes
// through unchanged.
#pragma once

#include <string>

// A-Z turned to a-z; every other byte as it is.
std::string asciiLower(std::string text);

// The text without the `blanks` at its start and end.
std::string trimmed(const std::string& text, const char* blanks = " ");
