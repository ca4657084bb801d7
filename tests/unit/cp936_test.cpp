// GBK at the file boundary.
#include "platform/cp936.h"
#include "platform/posix/iconv_decode.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp936, ChineseAndAsciiRoundTrip) {
    const std::string text = "Manufacturer=联想 ThinkPad（中国）";
    std::optional<std::string> bytes = toCp936(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->substr(0, 13), "Manufacturer=");
    EXPECT_EQ(bytes->substr(13, 4), "\xC1\xAA\xCF\xEB"); // 联想
    EXPECT_EQ(fromCp936(*bytes), text);
}

TEST(Cp936, TypographicQuotesAndFullWidthPunctuationHaveGbkForms) {
    EXPECT_EQ(*toCp936("“”，。"), "\xA1\xB0\xA1\xB1\xA3\xAC\xA1\xA3");
}

TEST(Cp936, InvalidBytesBecomeReplacementCharacters) {
    // A lead byte at the very end and a lead byte followed by a control byte.
    EXPECT_EQ(fromCp936("ab\x81"), "ab\xEF\xBF\xBD");
    const std::string decoded = fromCp936("\xFF\x0A"
                                          "x");
    EXPECT_NE(decoded.find('x'), std::string::npos);
    EXPECT_NE(decoded.find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(Cp936, InvalidUtf8IsRefused) {
    EXPECT_FALSE(toCp936("\xC3").has_value());
}

// The Linux build decodes through iconv; a system without the converter
// gives replacement characters, never an empty value to read.
TEST(Cp936, WithoutAConverterEveryByteAboveAsciiIsReplaced) {
    EXPECT_EQ(decodeToUtf8("NO-SUCH-CHARSET", "ab\xC1\xAA"), "ab\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(decodeToUtf8("NO-SUCH-CHARSET", ""), "");
    EXPECT_EQ(decodeToUtf8("CP936", "ab\xC1\xAA"), "ab联");
}

} // namespace
