// Reads a hand-written fixture from tests/unit/fixtures.
#pragma once

#include <cstdio>
#include <string>

inline std::string fixture(const std::string& name) {
    std::string bytes;
    if (std::FILE* f = std::fopen((std::string(FIXTURE_DIR) + "/" + name).c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}
