// The command line's switches: every switch and alias, and every way a
// command line can be wrong.
#include "cli/switches.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

CommandLine parsed(const Args& args) {
    const ParsedCommandLine p = parseCommandLine(args);
    EXPECT_FALSE(p.error.has_value()) << *p.error;
    return p.line;
}

// The reason, or "" when the command line was accepted.
std::string errorOf(const Args& args) {
    return parseCommandLine(args).error.value_or("");
}

bool sameTweaks(const TweakChoices& a, const TweakChoices& b) {
    return a.shortcuts == b.shortcuts && a.notepad == b.notepad && a.sharedDocs == b.sharedDocs;
}

TEST(Switches, ActionsInAnyLetterCaseWithSlashOrDash) {
    EXPECT_TRUE(parsed({"/optimize"}).optimize);
    EXPECT_TRUE(parsed({"-OPTIMIZE"}).optimize);
    EXPECT_TRUE(parsed({"/Optimise"}).optimize);
    EXPECT_TRUE(parsed({"/restore"}).restore);
    EXPECT_TRUE(parsed({"-Clean"}).clean);
    const CommandLine all = parsed({"/optimize", "/clean", "/quiet", "/export:C:\\out"});
    EXPECT_TRUE(all.optimize && all.clean && all.quiet);
    EXPECT_EQ(all.exportFolder, std::optional<std::string>("C:\\out"));
    EXPECT_FALSE(all.restore || all.tweaks || all.services || all.logo || all.changesOemValues());
}

TEST(Switches, TweaksByNameOrNone) {
    EXPECT_FALSE(parsed({"/optimize"}).tweaks.has_value());
    EXPECT_TRUE(sameTweaks(*parsed({"/optimize", "/tweaks:arrow,notepad,shareddocs"}).tweaks,
                           {true, true, true}));
    EXPECT_TRUE(sameTweaks(*parsed({"/optimize", "/TWEAKS:SharedDocs, Arrow"}).tweaks,
                           {true, false, true}));
    EXPECT_TRUE(sameTweaks(*parsed({"/optimize", "/tweaks:notepad"}).tweaks, {false, true, false}));
    EXPECT_TRUE(sameTweaks(*parsed({"/optimize", "/tweaks:none"}).tweaks, {false, false, false}));
    EXPECT_TRUE(sameTweaks(*parsed({"/services:11111111111111111", "/tweaks:notepad"}).tweaks,
                           {false, true, false}));
}

TEST(Switches, ServicesAreSeventeenBinaryDigitsInTheDialogsOrder) {
    const CommandLine line = parsed({"/services:10000000000000001"});
    ASSERT_TRUE(line.services.has_value());
    ServiceChoices expected{};
    expected[0] = 1;
    expected[16] = 1;
    EXPECT_EQ(*line.services, expected);
    for (const char* wrong : {"/services:0101", "/services:100000000000000011",
                              "/services:1000000000000000x", "/services:1000000000000000 "})
        EXPECT_NE(errorOf({wrong}).find("/services 需要 17 位 0 或 1"), std::string::npos) << wrong;
}

TEST(Switches, OemValuesAsGivenAnEmptyOneToo) {
    const CommandLine line = parsed({"/owner:李四", "/Organisation:新公司 Co.",
                                     "/manufacturer:", "/model:型号: X2", "/logo:C:\\my logo.bmp"});
    EXPECT_EQ(line.owner, std::optional<std::string>("李四"));
    EXPECT_EQ(line.organization, std::optional<std::string>("新公司 Co."));
    EXPECT_EQ(line.manufacturer, std::optional<std::string>(""));
    EXPECT_EQ(line.model, std::optional<std::string>("型号: X2")); // after the first colon
    EXPECT_EQ(line.logo, std::optional<std::string>("C:\\my logo.bmp"));
    EXPECT_TRUE(parsed({"/organization:x"}).organization.has_value());
}

TEST(Switches, HelpWinsAndQuietIsKnownEvenWhenSomethingIsWrong) {
    for (const char* help : {"/?", "-?", "/help", "/H"}) {
        const ParsedCommandLine p = parseCommandLine({"/bogus", help});
        EXPECT_TRUE(p.line.help) << help;
        EXPECT_FALSE(p.error.has_value()) << help;
    }
    const ParsedCommandLine p = parseCommandLine({"/bogus", "-QUIET"});
    EXPECT_TRUE(p.line.quiet);
    EXPECT_TRUE(p.error.has_value());
}

TEST(Switches, WordsThatAreNoSwitchOrUnknownOrMisused) {
    const std::pair<Args, std::string> cases[] = {
        {{"optimize"}, "“optimize”不是开关"},
        {{"/optimize", "/bogus"}, "未知的开关 /bogus"},
        {{"/"}, "未知的开关 /"},
        {{"/optimize:yes"}, "开关 /optimize 不带值"},
        {{"/quiet:1", "/clean"}, "开关 /quiet 不带值"},
        {{"/owner"}, "开关 /owner 缺少值（/owner:值）"},
        {{"/logo:"}, "开关 /logo 缺少值"},
        {{"/export:", "/clean"}, "开关 /export 缺少值"},
        {{"/optimize", "/tweaks"}, "开关 /tweaks 缺少值"},
        {{"/optimize", "/OPTIMISE"}, "开关 /optimize 重复"},
        {{"/owner:a", "/owner:b"}, "开关 /owner 重复"},
        {{"/optimize", "/tweaks:arrow,,notepad"}, "/tweaks 只接受"},
        {{"/optimize", "/tweaks:none,arrow"}, "/tweaks 只接受"},
        {{"/optimize", "/tweaks:shortcut"}, "/tweaks 只接受"},
        {{"/undo:"}, "开关 /undo 缺少值"},
        {{"/undo:20240501\n-123005"}, "/undo 的记录名含有控制字符"},
        // A path with a control character is a mistake, not a file name.
        {{"/clean", "/export:C:\\out\r\n"}, "/export 的路径含有换行等控制字符"},
        {{"/logo:C:\\a\tb.bmp"}, "/logo 的路径含有换行等控制字符"},
        {{"/logo:C:\\a\x7F.bmp"}, "/logo 的路径含有换行等控制字符"},
        {{"/clean", "/log:C:\\a\x10.txt"}, "/log 的路径含有换行等控制字符"},
        // What /export:"C:\out\" /clean becomes: one argument.
        {{"/export:C:\\out\" /clean"}, "/export 的路径含有引号：带引号的路径不能以反斜杠结尾"},
    };
    for (const auto& c : cases)
        EXPECT_NE(errorOf(c.first).find(c.second), std::string::npos)
            << c.first[0] << ": " << errorOf(c.first);
    // The reason comes in English too.
    EXPECT_NE(errorOf({"/bogus"}).find("unknown switch /bogus"), std::string::npos);
}

TEST(Switches, ActionsThatDoNotGoTogether) {
    const std::pair<Args, std::string> cases[] = {
        {{"/optimize", "/restore"}, "/optimize 与 /restore 不能同时使用"},
        {{"/restore", "/tweaks:notepad"}, "/tweaks 只能与 /optimize 或 /services 一起使用"},
        {{"/services:11111111111111111", "/tweaks:arrow"}, "快捷方式箭头（arrow）只能与 /optimize"},
        {{"/export:C:\\out", "/clean", "/model:x"}, "/export 不能与 /owner"},
        {{"/quiet"}, "没有要执行的操作"},
        {{"/export:C:\\out"}, "没有要执行的操作"},
        {{"/force"}, "没有要执行的操作"},
        {{"/undo", "/clean"}, "/undo 不能与其他操作、/export 或 /force 一起使用"},
        {{"/undo", "/export:C:\\out"}, "/undo 不能与其他操作、/export 或 /force 一起使用"},
        {{"/undo", "/force"}, "/undo 不能与其他操作、/export 或 /force 一起使用"},
        {{"-FORCE", "/Undo"}, "/undo goes with no other action and not with /export or /force"},
    };
    for (const auto& c : cases)
        EXPECT_NE(errorOf(c.first).find(c.second), std::string::npos)
            << c.first[0] << ": " << errorOf(c.first);
    // Each decides something of its own.
    EXPECT_EQ(errorOf({"/optimize", "/services:11111111111111111", "/clean"}), "");
    EXPECT_EQ(errorOf({"/restore", "/services:11111111111111111"}), "");
    EXPECT_EQ(errorOf({"/export:C:\\out", "/logo:C:\\a.bmp"}), "");
    EXPECT_EQ(errorOf({"/undo", "/quiet"}), "");
    EXPECT_EQ(errorOf({"/optimize", "/FORCE"}), "");
}

// The OEM text rule of the window too: one line each; the owner and the
// organisation are Unicode registry strings, the manufacturer and the model
// go into a code page 936 file.
TEST(Switches, OemTextByTheOemTextRule) {
    const std::pair<Args, std::string> cases[] = {
        {{"/owner:삼성"}, ""},
        {{"/organization:a\xF0\x9F\x98\x80"}, ""},
        {{"/manufacturer:联想集团 (Lenovo)", "/model:型号 X"}, ""},
        {{"/model:\xED\x95\x9C"}, "/model 的文本含有无法用 GBK 编码表示的字符"},
        {{"/manufacturer:a\xF0\x9F\x98\x80"}, "/manufacturer 的文本含有无法用 GBK 编码表示的字符"},
        {{"/manufacturer:a\r\nb"}, "/manufacturer 的文本含有换行等控制字符"},
        {{"/organization:a\nb"}, "/organization 的文本含有换行等控制字符"},
        {{"/owner:a\tb"}, "/owner 的文本含有换行等控制字符"},
        {{"/model:a\x7F"}, "/model 的文本含有换行等控制字符"},
        // Overlong, a surrogate, above U+10FFFF: no character at all.
        {{"/owner:\xC0\x80"}, "/owner 的文本不是有效的 Unicode 文本"},
        {{"/organization:\xED\xA0\x80"}, "/organization 的文本不是有效的 Unicode 文本"},
        {{"/owner:\xF4\x90\x80\x80"}, "/owner 的文本不是有效的 Unicode 文本"},
        {{"/model:\xC0\x80"}, "/model 的文本含有无法用 GBK 编码表示的字符"},
    };
    for (const auto& c : cases) {
        const std::string error = errorOf(c.first);
        if (c.second.empty())
            EXPECT_EQ(error, "") << c.first[0];
        else
            EXPECT_EQ(error.rfind(c.second, 0), 0u) << error;
    }
    EXPECT_EQ(parsed({"/owner:삼성"}).owner, std::optional<std::string>("삼성"));
}

// Only a start with nothing after the program's name skips splitting the
// line: quoted as Explorer starts it, bare as a console does, blanks around.
TEST(Switches, AnythingAfterTheProgramNameIsFoundQuotedOrNot) {
    EXPECT_FALSE(anythingAfterProgramName(L"\"C:\\Program Files\\Velkor.exe\" "));
    EXPECT_FALSE(anythingAfterProgramName(L"Velkor.exe"));
    EXPECT_FALSE(anythingAfterProgramName(L"Velkor.exe \t "));
    EXPECT_TRUE(anythingAfterProgramName(L"\"C:\\Program Files\\Velkor.exe\" /optimize"));
    EXPECT_TRUE(anythingAfterProgramName(L"\"C:\\Velkor.exe\"/quiet"));
    EXPECT_TRUE(anythingAfterProgramName(L"C:\\Velkor.exe\t/clean"));
    // A blank inside the quotes belongs to the name.
    EXPECT_FALSE(anythingAfterProgramName(L"\"C:\\My Tools\\Velkor.exe\""));
}

} // namespace
