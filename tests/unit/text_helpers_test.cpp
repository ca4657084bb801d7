// The small text helpers the undo files and the messages are written with.
#include "platform/local_time.h"
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

TEST(TextHelpers, NumbersTimesAndErrors) {
    EXPECT_EQ(decimalText(0), "0");
    EXPECT_EQ(decimalText(4294967295u), "4294967295");
    EXPECT_EQ(decimalText(7, 3), "007");
    EXPECT_EQ(timeText(LocalTime{2008, 4, 21, 8, 30, 5}), "2008-04-21 08:30:05");
    EXPECT_EQ(describeError(4321), "系统错误 4321");
}

} // namespace
