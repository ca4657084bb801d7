// Reading and rewriting the OEM information file.
#include "fixture_file.h"
#include "oem/oem_info_file.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> texts(const OemInfoLines& file) {
    std::vector<std::string> out;
    for (const OemInfoLine& l : file.lines)
        out.push_back(l.text);
    return out;
}

using Texts = std::vector<std::string>;

TEST(OemInfoRead, LineEnds) {
    EXPECT_EQ(texts(parseOemInfo("a\r\nb\r\n")), (Texts{"a", "b"}));
    EXPECT_EQ(texts(parseOemInfo("a\rb\nc")), (Texts{"a", "b", "c"})); // CR, lone LF, no final end
    EXPECT_EQ(texts(parseOemInfo("\r\n")), (Texts{""}));
    EXPECT_EQ(texts(parseOemInfo("a\n\nb\r\r\n")), (Texts{"a", "", "b", ""}));
    EXPECT_TRUE(parseOemInfo("").lines.empty());
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
    const OemInfoLines file = parseOemInfo(bad + "Manufacturer=X");
    ASSERT_EQ(file.lines.size(), 2u);
    EXPECT_NE(file.lines[0].text.find("\xEF\xBF\xBD"), std::string::npos); // U+FFFD
    EXPECT_EQ(file.lines[1].text, "Manufacturer=X");
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

std::optional<std::string> model(const std::string& bytes) {
    return findOemValue(parseOemInfo(bytes), kModelKey);
}
std::optional<std::string> manufacturer(const std::string& bytes) {
    return findOemValue(parseOemInfo(bytes), kManufacturerKey);
}
using V = std::optional<std::string>;

std::string many(const std::string& line, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += line;
    return out;
}

// The whole file is searched (formerly only its first 200 lines).
TEST(OemInfoRead, LongLinesAndManyLines) {
    const OemInfoLines file = parseOemInfo("[General]\r\nModel=" + std::string(100000, 'x') +
                                           "\r\n" + many("line\r\n", 500) + "Model=late");
    ASSERT_EQ(file.lines.size(), 503u);
    EXPECT_EQ(file.lines.back().text, "Model=late");
    EXPECT_EQ(findOemValue(file, kModelKey)->size(), 100000u);

    const std::string late =
        many("x\r\n", 300) + "[General]\r\nManufacturer=Acme\r\nModel=at303\r\n";
    EXPECT_EQ(model(late), V("at303"));
    EXPECT_EQ(manufacturer(late), V("Acme"));
}

// The keys are read as the system reads them. This replaces the earlier rule
// (a key anywhere in a line of any section, compared exactly, the last match
// winning), which showed values that were not the model.
TEST(OemInfoKeys, OnlyTheKeysOfTheFirstGeneralSectionCount) {
    const std::string general = "[General]\r\nManufacturer=Acme\r\nModel=X100\r\n";
    EXPECT_EQ(model(general + "[OEMSpecific]\r\nSubModel=RevB\r\n"), V("X100"));
    EXPECT_EQ(model(general + "[Support Information]\r\nLine1=Model=see web\r\n"), V("X100"));
    EXPECT_EQ(model("[Support Information]\r\nLine1=Model=see web\r\n"), std::nullopt);
    EXPECT_EQ(model("Model=outside any section\r\n"), std::nullopt);
    EXPECT_EQ(model("[Other]\r\nModel=x\r\n[General]\r\nManufacturer=A\r\n"), std::nullopt);
    // a second [General] section is not read
    EXPECT_EQ(model("[General]\r\nManufacturer=A\r\n[general]\r\nModel=B\r\n"), std::nullopt);
    EXPECT_EQ(model(" [ GENERAL ] \r\nModel=X1\r\n"), V("X1"));
}

TEST(OemInfoKeys, KeyAndValueRules) {
    EXPECT_EQ(model("[General]\r\nModel=A\r\nx\r\nModel=B\r\n"), V("A")); // the first line wins
    EXPECT_EQ(manufacturer("[General]\r\nManufacturer=\r\n"), V(""));
    // any case, blanks around the name and around the value
    EXPECT_EQ(manufacturer("[general]\r\nmanufacturer=acme\r\nMODEL=1\r\n"), V("acme"));
    EXPECT_EQ(model("[general]\r\nmanufacturer=acme\r\nMODEL=1\r\n"), V("1"));
    EXPECT_EQ(model("[General]\r\n  model \t=  X1 \t\r\n"), V("X1"));
    // only the text before the first '=' is the name
    EXPECT_EQ(model("[General]\r\nModelName=X\r\nSubModel=Y\r\nLine1=Model=Z\r\n"), std::nullopt);
    EXPECT_EQ(model("[General]\r\nModel=a=b\r\n"), V("a=b"));
    // comments are not keys
    EXPECT_EQ(model("[General]\r\n;Model=old one\r\nModel=X\r\n"), V("X"));
    EXPECT_EQ(model("[General]\r\n  ; Model=old one\r\n"), std::nullopt);
    // one pair of enclosing quotation marks is not part of the value
    EXPECT_EQ(model("[General]\r\nModel=\"  X 1 \"\r\n"), V("  X 1 "));
    EXPECT_EQ(model("[General]\r\nModel= 'a' \r\n"), V("a"));
    EXPECT_EQ(model("[General]\r\nModel=\"\"a\"\"\r\n"), V("\"a\""));
    EXPECT_EQ(model("[General]\r\nModel=\"a'\r\n"), V("\"a'"));
    EXPECT_EQ(model("[General]\r\nModel=\"\r\n"), V("\""));
    EXPECT_EQ(manufacturer("[General]\r\nManufacturer=\xC1\xAA\xCF\xEB\r\n"), V("联想"));
}

TEST(OemInfoWrite, NoFileOrAnEmptyOneBecomesExactlyThreeLines) {
    const std::string three = "[General]\r\nManufacturer=\xC1\xAA\xCF\xEB\r\nModel=T1\r\n";
    EXPECT_EQ(oemInfoBytes(withOemValues({}, "联想", "T1")), three);
    EXPECT_EQ(oemInfoBytes(withOemValues(parseOemInfo(""), "联想", "T1")), three);
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

// Opening the panel and applying what it shows changes nothing.
TEST(OemInfoWrite, ApplyingTheValuesReadLeavesTheFileByteForByte) {
    const std::string files[] = {
        "[General]\r\nManufacturer=Acme\r\nModel=X100\r\n[OEMSpecific]\r\nSubModel=RevB\r\n",
        "[General]\r\nManufacturer=Acme\r\nModel=X100\r\n"
        "[Support Information]\r\nLine1=Model=see web\r\n",
        "[General]\r\n;Model=old one\r\nManufacturer=Acme\r\nmodel = X \r\nModel=second\r\n",
        many("x\r\n", 250) + "[General]\r\nManufacturer = \"Acme\"\r\nMODEL\t=\t'X'",
        "[General]\nManufacturer=\xC1\xAA\xCF\xEB\nModel=\xFF\xFE bad\n\n", // LF ends, no GBK
        "\xEF\xBB\xBF[General]\r\nManufacturer=\xE8\x81\x94\r\nModel=T\r\n",
        std::string("\xFF\xFE[\0G\0e\0n\0e\0r\0a\0l\0]\0\r\0\n\0M\0o\0d\0e\0l\0=\0\x54\x80"
                    "\r\0\n\0M\0a\0n\0u\0f\0a\0c\0t\0u\0r\0e\0r\0=\0A\0",
                    70),
    };
    for (const std::string& bytes : files) {
        const OemInfoLines read = parseOemInfo(bytes);
        ASSERT_TRUE(findOemValue(read, kManufacturerKey) && findOemValue(read, kModelKey)) << bytes;
        EXPECT_EQ(oemInfoBytes(withOemValues(read, *findOemValue(read, kManufacturerKey),
                                             *findOemValue(read, kModelKey))),
                  bytes);
    }
}

TEST(OemInfoWrite, OnlyTheLinesReadFromChange) {
    const auto apply = [](const std::string& bytes, const char* manufacturer, const char* model) {
        return *oemInfoBytes(withOemValues(parseOemInfo(bytes), manufacturer, model));
    };
    // the model as read stays; the sub-model is not the model
    EXPECT_EQ(apply("[General]\r\nManufacturer=Acme\r\nModel=X100\r\n"
                    "[OEMSpecific]\r\nSubModel=RevB\r\n",
                    "Acme Corp", "X100"),
              "[General]\r\nManufacturer=Acme Corp\r\nModel=X100\r\n"
              "[OEMSpecific]\r\nSubModel=RevB\r\n");
    // a comment, a second key line and a key of another section stay as they are
    EXPECT_EQ(apply("[General]\r\n;Model=old one\r\n Model = X \r\nModel=second\r\n"
                    "[Support Information]\r\nLine1=Model=see web\r\n",
                    "M", "Y"),
              "[General]\r\n;Model=old one\r\nModel=Y\r\nModel=second\r\nManufacturer=M\r\n"
              "[Support Information]\r\nLine1=Model=see web\r\n");
    // LF line ends become CR LF once a line changes; the other lines keep their bytes
    EXPECT_EQ(apply("[General]\nModel=old\n\xFF\xFE\nManufacturer=A", "A", "N"),
              "[General]\r\nModel=N\r\n\xFF\xFE\r\nManufacturer=A\r\n");
}

// The panel reads back exactly what was applied.
TEST(OemInfoWrite, AValueTheReaderWouldChangeIsQuoted) {
    for (const char* value : {" X", "X\t", "  ", "\"a\"", "'b'", "\"", "'a\"", "a \"b\"", "="}) {
        const auto bytes = oemInfoBytes(withOemValues(parseOemInfo("[General]\r\n"), "M", value));
        EXPECT_EQ(model(*bytes), V(value)) << *bytes;
    }
    EXPECT_EQ(oemInfoBytes(withOemValues({}, " M", "a \"b\"")),
              "[General]\r\nManufacturer=\" M\"\r\nModel=a \"b\"\r\n");
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
