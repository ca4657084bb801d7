// SHA-256 (FIPS 180-4) of a byte string, written out here so that the
// program needs no cryptographic library beyond what every Windows has.
// The undo records keep the digest of each file they saved, and a file is
// run or copied back only while it still has that digest.
#pragma once

#include <string>

// The 32-byte digest.
std::string sha256(const std::string& bytes);

// The digest as 64 lower-case hex digits.
std::string sha256Hex(const std::string& bytes);
