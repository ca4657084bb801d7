// Decimal digits written out by hand: the C library's formatted output would
// more than double the size of the program's code.
#pragma once

#include <cstdint>
#include <string>

// "42"; at least `width` digits, zeros in front.
std::string decimalText(std::uint32_t value, int width = 1);
