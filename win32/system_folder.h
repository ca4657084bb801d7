// The system folder ("C:\WINDOWS\system32" as GetSystemDirectory gives it):
// the program runs and loads system files by their full path there, never by
// a bare name that a file beside the program could answer.
#pragma once

#include <string>

// Empty when it cannot be had.
std::wstring systemFolder();
