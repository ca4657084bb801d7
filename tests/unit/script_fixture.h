// The expected bytes of a script, from a hand-written fixture (see
// fixtures/README.md): the end-of-line marker dropped, GBK through glibc's
// iconv (not the program's own converter), CR LF after every line.
#pragma once

#include <gtest/gtest.h>

#include <iconv.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// UTF-8 text in another encoding, through glibc's iconv.
inline std::string fixtureConvert(const std::string& utf8, const char* encoding) {
    iconv_t cd = iconv_open(encoding, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv ") + encoding + " unavailable");
    std::string in = utf8;
    std::string out(in.size() * 4 + 4, '\0');
    char* inp = &in[0];
    size_t inLeft = in.size();
    char* outp = &out[0];
    size_t outLeft = out.size();
    size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1))
        throw std::runtime_error(std::string("fixture text has no ") + encoding + " form: " + utf8);
    out.resize(out.size() - outLeft);
    return out;
}

inline std::string fixtureUtf8ToGbk(const std::string& utf8) {
    return fixtureConvert(utf8, "GBK");
}

// The script's lines as the fixture gives them (UTF-8, marker dropped).
inline std::vector<std::string> fixtureLines(const std::string& scriptName) {
    std::ifstream f(std::string(FIXTURE_DIR) + "/" + scriptName + ".txt", std::ios::binary);
    if (!f)
        throw std::runtime_error("no fixture for " + scriptName);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(f, line)) {
        if (line.empty() || line.back() != '$')
            throw std::runtime_error(scriptName + ": fixture line without end marker: " + line);
        line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline std::string fixtureBytes(const std::string& scriptName) {
    std::string bytes;
    for (const std::string& line : fixtureLines(scriptName))
        bytes += fixtureUtf8ToGbk(line) + "\r\n";
    return bytes;
}

// Compares line by line first, so that a failure names the line.
inline void expectScriptBytes(const std::string& scriptName, const std::string& actual) {
    const std::string expected = fixtureBytes(scriptName);
    std::istringstream a(actual), e(expected);
    std::string al, el;
    int n = 0;
    while (std::getline(e, el)) {
        ++n;
        if (!std::getline(a, al)) {
            ADD_FAILURE() << scriptName << " ends before line " << n;
            return;
        }
        EXPECT_EQ("[" + al + "]", "[" + el + "]") << scriptName << " line " << n;
    }
    EXPECT_EQ(actual, expected) << scriptName;
}
