// The click of lj: the bytes of xtql.bat, its visible launch, and what the
// user is (not) told.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

// Reads a script fixture: one script line per fixture line, UTF-8, LF line
// ends. A trailing blank of a script line is written as "␣" so that no editor
// can strip it unseen; a real trailing blank in the fixture is an error.
std::vector<std::string> readFixture(const std::string& name) {
    std::ifstream in(std::string(FIXTURE_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::vector<std::string> lines;
    std::string line;
    const std::string marker = "\xE2\x90\xA3"; // ␣
    while (std::getline(in, line)) {
        EXPECT_TRUE(line.empty() || (line.back() != ' ' && line.back() != '\r'))
            << "unmarked trailing blank in " << name << ": " << line;
        std::string::size_type tail = line.size();
        while (tail >= marker.size() &&
               line.compare(tail - marker.size(), marker.size(), marker) == 0)
            tail -= marker.size();
        const std::size_t blanks = (line.size() - tail) / marker.size();
        line = line.substr(0, tail) + std::string(blanks, ' ');
        lines.push_back(line);
    }
    return lines;
}

bool isAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c > 0x7F)
            return false;
    return true;
}

// The GBK form of the script's two Chinese lines, worked out by hand from the
// code page table: ， is A3 AC, 。 is A1 A3, and the dots and blank stay ASCII.
const std::map<std::string, std::string> kGbk = {
    {"echo 正在帮您清除系统垃圾文件，请稍等......",
     "echo \xD5\xFD\xD4\xDA\xB0\xEF\xC4\xFA\xC7\xE5\xB3\xFD\xCF\xB5\xCD\xB3\xC0\xAC\xBB\xF8"
     "\xCE\xC4\xBC\xFE\xA3\xAC\xC7\xEB\xC9\xD4\xB5\xC8......"},
    {"echo 系统清理完成 按任意键退出程序。",
     "echo \xCF\xB5\xCD\xB3\xC7\xE5\xC0\xED\xCD\xEA\xB3\xC9 "
     "\xB0\xB4\xC8\xCE\xD2\xE2\xBC\xFC\xCD\xCB\xB3\xF6\xB3\xCC\xD0\xF2\xA1\xA3"},
};

std::string expectedBytes() {
    std::string bytes;
    for (const std::string& line : readFixture("xtql.bat.txt")) {
        if (isAscii(line)) {
            bytes += line;
        } else {
            auto gbk = kGbk.find(line);
            EXPECT_NE(gbk, kGbk.end()) << "no hand-made GBK form for: " << line;
            if (gbk != kGbk.end())
                bytes += gbk->second;
        }
        bytes += "\r\n";
    }
    return bytes;
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

struct Window {
    FakeControls ui;
    FakePlatform sys;
    Form1 form{ui, sys};
    Window() { form.Form_Load(); }
};

TEST(JunkCleanup, TheFixtureHoldsTwentyLines) {
    const std::vector<std::string> lines = readFixture("xtql.bat.txt");
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines.front(), "@echo off");
    EXPECT_EQ(lines.back(), "del xtql.bat");
}

TEST(JunkCleanup, WritesTheTwentyLinesInCodePage936) {
    Window w;
    w.form.lj_Click();
    ASSERT_EQ(w.sys.files.count("xtql.bat"), 1u);
    const std::string& bytes = w.sys.files["xtql.bat"];
    EXPECT_EQ(bytes, expectedBytes());
    // Line by line too, so that a difference names its line.
    const std::vector<std::string> got = split(bytes);
    const std::vector<std::string> want = split(expectedBytes());
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
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

TEST(JunkCleanup, ReplacesAStaleScriptOfThatName) {
    Window w;
    w.sys.files["xtql.bat"] = std::string(4096, 'x') + "\r\n";
    w.form.lj_Click();
    EXPECT_EQ(w.sys.files["xtql.bat"], expectedBytes());
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
