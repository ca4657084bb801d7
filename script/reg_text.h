// A name or string between the double quotes of a line of a .reg file, with
// backslashes and quotation marks escaped as regedit writes and reads them.
#pragma once

#include <string>

std::string regQuoted(const std::string& text);
