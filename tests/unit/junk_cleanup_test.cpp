// The click of lj: the bytes of xtql.bat, its visible launch, and what the
// user is (not) told.
#include "app/form1.h"
#include "cleanup/junk_script.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

namespace {

// The GBK bytes of the two console lines, worked out by hand from the code
// page table (， is A3 AC, 。 is A1 A3): a check on the fixture's conversion.
const char kProgressGbk[] =
    "echo \xD5\xFD\xD4\xDA\xB0\xEF\xC4\xFA\xC7\xE5\xB3\xFD\xCF\xB5\xCD\xB3\xC0\xAC\xBB\xF8"
    "\xCE\xC4\xBC\xFE\xA3\xAC\xC7\xEB\xC9\xD4\xB5\xC8......";
const char kDoneGbk[] = "echo \xCF\xB5\xCD\xB3\xC7\xE5\xC0\xED\xCD\xEA\xB3\xC9 "
                        "\xB0\xB4\xC8\xCE\xD2\xE2\xBC\xFC\xCD\xCB\xB3\xF6\xB3\xCC\xD0\xF2\xA1\xA3";

std::string expectedBytes() {
    return fixtureBytes("xtql.bat");
}

std::vector<std::string> split(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string::size_type start = 0, end;
    while ((end = bytes.find("\r\n", start)) != std::string::npos) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
    return lines;
}

using Window = FakeWindow;

TEST(JunkCleanup, TheFixtureHoldsTwentyLines) {
    const std::vector<std::string> lines = fixtureLines("xtql.bat");
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines.front(), "@echo off");
    EXPECT_EQ(lines.back(), "del xtql.bat");
}

TEST(JunkCleanup, WritesTheTwentyLinesInCodePage936) {
    Window w;
    w.form.lj_Click();
    ASSERT_EQ(w.sys.files.count("xtql.bat"), 1u);
    expectScriptBytes("xtql.bat", w.sys.files["xtql.bat"]);
}

// %windir% is expanded before the line is split at blanks: with a Windows
// directory such as "C:\My Windows", a bare "del /f /s /q %windir%\*.bak"
// would delete every file under "C:\My".
TEST(JunkCleanup, TheWindowsDirectoryLinesAreQuotedWhenTheDirectoryNeedsIt) {
    for (const char* dir :
         {"C:\\My Windows", "D:\\WIN&NT", "C:\\Win(2)", "C:\\a,b", "C:\\a;b", "C:\\a=b", "C:\\a^b",
          "C:\\a!b", "C:\\it's", "C:\\a+b", "C:\\a`b", "C:\\a~1", "C:\\[a]", "C:\\{a}"})
        EXPECT_EQ(junkScriptLines(dir), fixtureLines("xtql.bat-quoted")) << dir;
    for (const char* dir : {"C:\\WINDOWS", "D:\\WINNT", "C:\\视窗", "C:\\50%", "C:\\a-b_c.d@e#f$"})
        EXPECT_EQ(junkScriptLines(dir), fixtureLines("xtql.bat")) << dir;

    Window w;
    w.sys.windowsDir = "C:\\My Windows";
    w.form.lj_Click();
    expectScriptBytes("xtql.bat-quoted", w.sys.files["xtql.bat"]);
}

TEST(JunkCleanup, ThePunctuationOfTheTwoConsoleLines) {
    Window w;
    w.form.lj_Click();
    const std::vector<std::string> lines = split(w.sys.files["xtql.bat"]);
    ASSERT_EQ(lines.size(), 20u);
    // Full-width comma, then exactly six ASCII full stops to the end.
    const std::string& progress = lines[1];
    EXPECT_NE(progress.find("\xBC\xFE\xA3\xAC\xC7\xEB"), std::string::npos); // 件，请
    EXPECT_EQ(progress.substr(progress.size() - 8), "\xB5\xC8......");       // 等......
    EXPECT_EQ(progress.find('.'), progress.size() - 6);
    // One ASCII blank before 按, the ideographic full stop at the very end.
    const std::string& done = lines[17];
    EXPECT_EQ(progress, kProgressGbk);
    EXPECT_EQ(done, kDoneGbk);
    EXPECT_NE(done.find("\xB3\xC9 \xB0\xB4"), std::string::npos); // 成 按
    EXPECT_EQ(done.substr(done.size() - 2), "\xA1\xA3");          // 。
}

TEST(JunkCleanup, LaunchesTheCompleteScriptVisiblyAndSaysNothing) {
    Window w;
    w.form.lj_Click();
    ASSERT_EQ(w.sys.launches.size(), 1u);
    EXPECT_EQ(w.sys.launches[0].name, "xtql.bat");
    EXPECT_EQ(w.sys.launches[0].show, ShowState::Visible);
    EXPECT_EQ(w.sys.launches[0].bytesAtLaunch, expectedBytes());
    EXPECT_EQ(w.sys.events, (std::vector<std::string>{"write xtql.bat", "launch xtql.bat"}));
    EXPECT_TRUE(w.sys.notifications.empty());
}

TEST(JunkCleanup, LeavesEveryPanelAsItWas) {
    for (int shown = 0; shown < 3; ++shown) {
        Window w;
        if (shown == 1)
            w.form.gy_Click();
        if (shown == 2)
            w.form.oem_Click();
        const bool routine = w.ui.visible(Control::xtyh);
        const bool oemPanel = w.ui.visible(Control::oemxx);
        const bool about = w.ui.visible(Control::gybcx);
        w.ui.visibilityLog.clear();
        w.form.lj_Click();
        EXPECT_TRUE(w.ui.visibilityLog.empty());
        EXPECT_EQ(w.ui.visible(Control::xtyh), routine);
        EXPECT_EQ(w.ui.visible(Control::oemxx), oemPanel);
        EXPECT_EQ(w.ui.visible(Control::gybcx), about);
    }
}

TEST(JunkCleanup, ASecondClickWhileTheConsoleIsOpenBringsItToTheFront) {
    Window w;
    w.form.lj_Click();
    const std::string written = w.sys.files["xtql.bat"];
    w.sys.running.insert("xtql.bat");
    w.sys.events.clear();
    w.form.lj_Click();
    EXPECT_EQ(w.sys.broughtToFront, std::vector<std::string>{"xtql.bat"});
    EXPECT_TRUE(w.sys.events.empty()); // nothing written, launched or notified
    EXPECT_EQ(w.sys.launches.size(), 1u);
    EXPECT_EQ(w.sys.files["xtql.bat"], written);
    EXPECT_TRUE(w.sys.notifications.empty());
}

TEST(JunkCleanup, AClickAfterTheConsoleClosedRunsAgain) {
    Window w;
    w.form.lj_Click();
    w.sys.files.erase("xtql.bat"); // the script deleted itself
    w.form.lj_Click();
    EXPECT_TRUE(w.sys.broughtToFront.empty());
    EXPECT_EQ(w.sys.launches.size(), 2u);
    EXPECT_EQ(w.sys.files["xtql.bat"], expectedBytes());
}

TEST(JunkCleanup, AScriptThatCannotBeWrittenIsNotLaunchedAndTheUserIsToldWhy) {
    Window w;
    w.sys.files["xtql.bat"] = "del /f /s /q C:\\*.*\r\n"; // a stale file must not run
    w.sys.writeFailures["xtql.bat"] = kErrorAccessDenied;
    w.form.lj_Click();
    EXPECT_TRUE(w.sys.launches.empty());
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    EXPECT_EQ(w.sys.events,
              (std::vector<std::string>{"write xtql.bat", "notify " + w.sys.notifications[0]}));
    EXPECT_NE(w.sys.notifications[0].find("xtql.bat"), std::string::npos);
    EXPECT_NE(w.sys.notifications[0].find("拒绝访问"), std::string::npos);
}

TEST(JunkCleanup, AFailedLaunchIsReported) {
    Window w;
    w.sys.launchFailures["xtql.bat"] = kErrorFileNotFound;
    w.form.lj_Click();
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    EXPECT_NE(w.sys.notifications[0].find("无法启动脚本 xtql.bat"), std::string::npos);
    EXPECT_NE(w.sys.notifications[0].find("找不到指定的文件"), std::string::npos);
}

TEST(JunkCleanup, EachClickReportsOnlyItsOwnFailure) {
    Window w;
    w.sys.writeFailures["xtql.bat"] = kErrorDiskFull;
    w.form.lj_Click();
    w.sys.writeFailures.clear();
    w.form.lj_Click();
    EXPECT_EQ(w.sys.notifications.size(), 1u); // the second click succeeded silently
    EXPECT_EQ(w.sys.launches.size(), 1u);
}

TEST(JunkCleanup, AFailureIsNotRepeatedByTheNextClick) {
    Window w;
    w.sys.writeFailures["xtql.bat"] = kErrorDiskFull;
    w.form.lj_Click();
    w.sys.writeFailures["xtql.bat"] = kErrorAccessDenied;
    w.form.lj_Click();
    ASSERT_EQ(w.sys.notifications.size(), 2u);
    EXPECT_NE(w.sys.notifications[1].find("拒绝访问"), std::string::npos);
    EXPECT_EQ(w.sys.notifications[1].find("磁盘空间不足"), std::string::npos);
}

} // namespace
