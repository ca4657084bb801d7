// Code page 936 through the system's tables: what the Windows build writes
// and reads, with the promises of platform/cp936.h.
#include "platform/cp936.h"
#include "win_check.h"

namespace {

const char kFffd[] = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

WIN_CHECK(Cp936ChineseAndAsciiRoundTrip) {
    const std::string text = "Manufacturer=联想 ThinkPad（中国）“”，。";
    const std::optional<std::string> bytes = toCp936(text);
    EXPECT(bytes && bytes->substr(13, 4) == "\xC1\xAA\xCF\xEB"); // 联想
    EXPECT(bytes && fromCp936(*bytes) == text);
    EXPECT(toCp936("") == std::string());
    EXPECT(fromCp936("").empty());
}

WIN_CHECK(Cp936TextWithoutAGbkFormIsRefused) {
    EXPECT(!toCp936("삼성")); // Hangul
    EXPECT(!toCp936("\xC3")); // not UTF-8
    EXPECT(!toCp936(kFffd));  // U+FFFD itself has no GBK form
}

WIN_CHECK(Cp936InvalidBytesBecomeReplacementCharacters) {
    const std::string f = kFffd;
    EXPECT(fromCp936("ab\x81") == "ab" + f); // a lead byte at the very end
    EXPECT(fromCp936("\x81\n"
                     "x") == f + "\nx"); // a lead byte before a control byte
    EXPECT(fromCp936("\xC1\xAA\x81 \xCF\xEB") == "联" + f + " 想");
    EXPECT(fromCp936("\x81\x81\x81") == "\xE4\xBA\x96" + f); // U+4E96, then a lone lead byte
}

} // namespace
