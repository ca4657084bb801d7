// The small text helpers the undo files and the messages are written with.
#include "platform/local_time.h"
#include "platform/unicode_text.h"
#include "script/error_text.h"
#include "undo/text.h"

#include <gtest/gtest.h>

namespace {

TEST(TextHelpers, Utf16DecodesOnlyWhatItCanGiveBackExactly) {
    // "汉" U+6C49 and U+1F600 (a surrogate pair), little-endian.
    const std::string utf16("\x49\x6C\x3D\xD8\x00\xDE", 6);
    EXPECT_EQ(utf16leToUtf8(utf16), std::optional<std::string>("汉\xF0\x9F\x98\x80"));
    EXPECT_EQ(utf8ToUtf16le("汉\xF0\x9F\x98\x80"), std::optional<std::string>(utf16));
    // A lone surrogate, an odd byte, an encoded U+FFFD (which is kept).
    EXPECT_EQ(utf16leToUtf8(std::string("\x3D\xD8", 2)), std::nullopt);
    EXPECT_EQ(utf16leToUtf8(std::string("\x49\x6C\x41", 3)), std::nullopt);
    EXPECT_EQ(utf16leToUtf8(std::string("\xFD\xFF", 2)),
              std::optional<std::string>("\xEF\xBF\xBD"));
    EXPECT_EQ(utf8ToUtf16le("\xC3"), std::nullopt);
}

// Overlong forms, surrogates and code points above U+10FFFF are no
// characters; their neighbours at the edges are.
const char* const kNotUtf8[] = {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80"};

TEST(TextHelpers, TheOneUtf8DecoderIsStrict) {
    for (const char* bad : kNotUtf8) {
        EXPECT_FALSE(decodeUtf8(bad, 0).has_value()) << bad;
        EXPECT_FALSE(isValidUtf8(std::string("a") + bad)) << bad;
        EXPECT_EQ(sanitizeUtf8(bad).find(bad), std::string::npos) << bad;
    }
    const std::pair<std::string, char32_t> good[] = {
        {"\xC2\x80", 0x80},
        {"\xED\x9F\xBF", 0xD7FF},
        {"\xEE\x80\x80", 0xE000},
        {"\xF0\x90\x80\x80", 0x10000},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF},
        {"\xE6\xB1\x89", 0x6C49},
    };
    for (const auto& g : good) {
        const std::optional<Utf8Char> c = decodeUtf8("a" + g.first, 1);
        ASSERT_TRUE(c.has_value()) << g.first;
        EXPECT_EQ(c->code, g.second);
        EXPECT_EQ(c->length, g.first.size());
    }
    EXPECT_FALSE(decodeUtf8("\xE6\xB1", 0).has_value()); // cut short
}

// The undo record holds nothing it could not give back: such text refuses it.
TEST(TextHelpers, Utf16RefusesWhatIsNoUtf8) {
    for (const char* bad : kNotUtf8)
        EXPECT_EQ(utf8ToUtf16le(std::string("a") + bad), std::nullopt) << bad;
    EXPECT_EQ(utf8ToUtf16le("\xF4\x8F\xBF\xBF"), std::optional<std::string>("\xFF\xDB\xFF\xDF"));
}

TEST(TextHelpers, NumbersTimesAndErrors) {
    EXPECT_EQ(decimalText(0), "0");
    EXPECT_EQ(decimalText(4294967295u), "4294967295");
    EXPECT_EQ(decimalText(7, 3), "007");
    EXPECT_EQ(timeText(LocalTime{2008, 4, 21, 8, 30, 5}), "2008-04-21 08:30:05");
    EXPECT_EQ(describeError(4321), "系统错误 4321");
}

} // namespace
