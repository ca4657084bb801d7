// Reading and rewriting the OEM information file.
#include "fixture_file.h"
#include "oem/oem_info_file.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> texts(const OemInfoLines& lines) {
    std::vector<std::string> out;
    for (const OemInfoLine& l : lines)
        out.push_back(l.text);
    return out;
}

using Texts = std::vector<std::string>;

TEST(OemInfoRead, LineEnds) {
    EXPECT_EQ(texts(parseOemInfo("a\r\nb\r\n")), (Texts{"a", "b"}));
    EXPECT_EQ(texts(parseOemInfo("a\rb\nc")), (Texts{"a", "b", "c"})); // CR, lone LF, no final end
    EXPECT_EQ(texts(parseOemInfo("\r\n")), (Texts{""}));
    EXPECT_EQ(texts(parseOemInfo("a\n\nb\r\r\n")), (Texts{"a", "", "b", ""}));
    EXPECT_TRUE(parseOemInfo("").empty());
}

TEST(OemInfoRead, Encodings) {
    // GBK without a mark
    EXPECT_EQ(texts(parseOemInfo("Manufacturer=\xC1\xAA\xCF\xEB\r\n")),
              (Texts{"Manufacturer=联想"}));
    // UTF-8 with its mark
    EXPECT_EQ(texts(parseOemInfo("\xEF\xBB\xBFModel=\xE5\xA4\xA9\xE9\x80\xB8\nx")),
              (Texts{"Model=天逸", "x"}));
    // UTF-16 LE and BE with their marks
    EXPECT_EQ(texts(parseOemInfo(std::string("\xFF\xFEM\0=\0\x54\x80\r\0\n\0z\0", 14))),
              (Texts{"M=联", "z"}));
    EXPECT_EQ(texts(parseOemInfo(std::string("\xFE\xFF\0M\0=\x80\x54", 8))), (Texts{"M=联"}));
}

TEST(OemInfoRead, MalformedBytesNeverStopTheReading) {
    const std::string bad = "Model=\xFF\xFF"
                            "A\r\n";
    const OemInfoLines lines = parseOemInfo(bad + "Manufacturer=X");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].text.find("\xEF\xBF\xBD"), std::string::npos); // U+FFFD
    EXPECT_EQ(lines[1].text, "Manufacturer=X");
    // broken UTF-8 after its mark, an odd UTF-16 length and a lone surrogate
    EXPECT_EQ(texts(parseOemInfo("\xEF\xBB\xBF"
                                 "a\xC3")),
              (Texts{"a\xEF\xBF\xBD"}));
    EXPECT_EQ(texts(parseOemInfo(std::string("\xFF\xFE"
                                             "a\0\x00\xD8"
                                             "b",
                                             7))),
              (Texts{"a\xEF\xBF\xBD\xEF\xBF\xBD"}));
}

TEST(OemInfoRead, LongLinesAndManyLines) {
    std::string bytes = "Model=" + std::string(100000, 'x') + "\r\n";
    for (int i = 0; i < 500; ++i)
        bytes += "line\r\n";
    bytes += "Model=late"; // line 502: beyond the lines that are searched
    const OemInfoLines lines = parseOemInfo(bytes);
    ASSERT_EQ(lines.size(), 502u);
    EXPECT_EQ(lines.back().text, "Model=late");
    EXPECT_EQ(findOemValue(lines, kModelKey)->size(), 100000u);
}

TEST(OemInfoKeys, OnlyTheFirst200LinesAreSearched) {
    std::string bytes;
    for (int i = 1; i <= 199; ++i)
        bytes += "x\r\n";
    bytes += "Model=at200\r\nModel=at201\r\n";
    EXPECT_EQ(findOemValue(parseOemInfo(bytes), kModelKey), std::optional<std::string>("at200"));
}

TEST(OemInfoKeys, SearchRules) {
    const auto find = [](const std::string& bytes, const char* key) {
        return findOemValue(parseOemInfo(bytes), key);
    };
    using V = std::optional<std::string>;
    EXPECT_EQ(find("Model=A\r\nx\r\nModel=B\r\n", kModelKey), V("B")); // last match wins
    EXPECT_EQ(find("Manufacturer=\r\n", kManufacturerKey), V(""));
    EXPECT_EQ(find("manufacturer=acme\r\nMODEL=1\r\n", kManufacturerKey), std::nullopt);
    EXPECT_EQ(find("manufacturer=acme\r\nMODEL=1\r\n", kModelKey), std::nullopt);
    EXPECT_EQ(find("Manufacturer=ACME\r\n", kModelKey), std::nullopt);
    // a key that does not stand at the start of its line yields what follows it
    EXPECT_EQ(find("  Model=X1\r\n", kModelKey), V("X1"));
    EXPECT_EQ(find("[General]\r\nManufacturer=\xC1\xAA\xCF\xEB\r\n", kManufacturerKey), V("联想"));
}

TEST(OemInfoWrite, NoFileOrAnEmptyOneBecomesExactlyThreeLines) {
    const std::string three = "[General]\r\nManufacturer=\xC1\xAA\xCF\xEB\r\nModel=T1\r\n";
    EXPECT_EQ(oemInfoBytes(withOemValues({}, "联想", "T1")), three);
    EXPECT_EQ(oemInfoBytes(withOemValues(parseOemInfo("\r\n"), "联想", "T1")), three);
    EXPECT_EQ(oemInfoBytes(withOemValues(parseOemInfo("\r\n  \r\n"), "联想", "T1")), three);
    EXPECT_EQ(oemInfoBytes(withOemValues({}, "", "")), "[General]\r\nManufacturer=\r\nModel=\r\n");
}

TEST(OemInfoWrite, KeepsEveryOtherSectionByteForByte) {
    const OemInfoLines applied =
        withOemValues(parseOemInfo(fixture("oem/gbk_support.ini")), "宏碁", "型号X");
    EXPECT_EQ(oemInfoBytes(applied), fixture("oem/gbk_support_applied.ini"));
}

TEST(OemInfoWrite, MissingKeysAndSections) {
    const auto apply = [](const std::string& bytes) {
        return *oemInfoBytes(withOemValues(parseOemInfo(bytes), "M", "N"));
    };
    // keys added at the end of [General], after its last line of text
    EXPECT_EQ(apply("[general]\r\nProduct=1\r\n\r\n[Support Information]\r\nLine1=x\r\n"),
              "[general]\r\nProduct=1\r\nManufacturer=M\r\nModel=N\r\n\r\n"
              "[Support Information]\r\nLine1=x\r\n");
    EXPECT_EQ(apply("[General]\r\nModel=old\r\n"), "[General]\r\nModel=N\r\nManufacturer=M\r\n");
    // no [General]: the section goes on top
    EXPECT_EQ(apply("[Support Information]\nLine1=x"),
              "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=x\r\n");
    // keys compare as the system's ini reader does: any case, blanks around the name
    EXPECT_EQ(apply(" [ GENERAL ] \r\n manufacturer = old\r\nMODEL=old\r\nModelName=keep\r\n"),
              " [ GENERAL ] \r\nManufacturer=M\r\nModel=N\r\nModelName=keep\r\n");
    // keys of other sections are not touched
    EXPECT_EQ(apply("[Other]\r\nModel=x\r\n[General]\r\n"),
              "[Other]\r\nModel=x\r\n[General]\r\nManufacturer=M\r\nModel=N\r\n");
}

TEST(OemInfoWrite, TextOfAMarkedFileIsWrittenInGbk) {
    EXPECT_EQ(oemInfoBytes(
                  withOemValues(parseOemInfo("\xEF\xBB\xBF[S]\r\nA=\xE8\x81\x94\r\n"), "M", "N")),
              "[General]\r\nManufacturer=M\r\nModel=N\r\n[S]\r\nA=\xC1\xAA\r\n");
    // a line that GBK cannot hold makes the bytes unavailable rather than lossy
    EXPECT_EQ(oemInfoBytes(
                  withOemValues(parseOemInfo("\xEF\xBB\xBF[S]\r\nA=\xED\x95\x9C\r\n"), "M", "N")),
              std::nullopt);
}

} // namespace
