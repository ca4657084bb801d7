// UTF-8 <-> UTF-16 at the Win32 edge.
#pragma once

#include <string>

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);
