// The script runner: the bytes that reach the file and when a script is launched.
#include "fakes/fake_platform.h"
#include "script/script_runner.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptBytes, ChineseIsGbkAndEveryLineEndsInCrLf) {
    EXPECT_EQ(*scriptBytes({"提示"}), "\xCC\xE1\xCA\xBE\r\n");
    EXPECT_EQ(*scriptBytes({"a  ", "", "b"}), "a  \r\n\r\nb\r\n");
    EXPECT_EQ(*scriptBytes({}), "");
}

TEST(ScriptBytes, RefusesTextThatGbkCannotHold) {
    // Hangul and emoji have no GBK form: they must not turn into '?'.
    EXPECT_FALSE(scriptBytes({"\xED\x95\x9C"}).has_value());
    EXPECT_FALSE(scriptBytes({"ok", "\xF0\x9F\x98\x80"}).has_value());
}

TEST(ScriptRun, WritesThenLaunchesWithTheShowState) {
    FakePlatform p;
    ScriptRun run(p);
    EXPECT_TRUE(run.run("a.bat", {"echo 1", "del a.bat"}, ShowState::Visible));
    ASSERT_EQ(p.launches.size(), 1u);
    EXPECT_EQ(p.launches[0].name, "a.bat");
    EXPECT_EQ(p.launches[0].show, ShowState::Visible);
    EXPECT_EQ(p.launches[0].bytesAtLaunch, "echo 1\r\ndel a.bat\r\n");
    EXPECT_EQ(p.events, (std::vector<std::string>{"write a.bat", "launch a.bat"}));
    run.announce("完成");
    EXPECT_EQ(p.notifications, std::vector<std::string>{"完成"});
}

TEST(ScriptRun, AShorterRewriteLeavesNothingOfTheOldContent) {
    FakePlatform p;
    p.files["a.bat"] = "a much longer stale script\r\nline two\r\n";
    ScriptRun run(p);
    run.run("a.bat", {"x"}, ShowState::Hidden);
    EXPECT_EQ(p.files["a.bat"], "x\r\n");
}

TEST(ScriptRun, AScriptThatCouldNotBeWrittenIsNeverLaunched) {
    FakePlatform p;
    p.files["a.bat"] = "planted\r\n"; // a stale file of that name must not run
    p.writeFailures["a.bat"] = kErrorAccessDenied;
    ScriptRun run(p);
    EXPECT_FALSE(run.run("a.bat", {"x"}, ShowState::Hidden));
    EXPECT_TRUE(p.launches.empty());
    run.announce("系统已经优化成功");
    ASSERT_EQ(p.notifications.size(), 1u);
    const std::string& text = p.notifications[0];
    EXPECT_NE(text, "系统已经优化成功");
    EXPECT_NE(text.find("a.bat"), std::string::npos);
    EXPECT_NE(text.find("拒绝访问"), std::string::npos);
}

TEST(ScriptRun, AFailedLaunchIsReportedAndTheNextScriptStillRuns) {
    FakePlatform p;
    p.launchFailures["a.bat"] = kErrorFileNotFound;
    ScriptRun run(p);
    run.run("a.bat", {"x"}, ShowState::Hidden);
    EXPECT_TRUE(run.run("b.bat", {"y"}, ShowState::Hidden));
    EXPECT_EQ(p.launchedNames(), std::vector<std::string>{"b.bat"});
    ASSERT_EQ(run.failures().size(), 1u);
    EXPECT_NE(run.failures()[0].find("无法启动脚本 a.bat"), std::string::npos);
}

TEST(ScriptRun, ARunningScriptIsNotRewritten) {
    FakePlatform p;
    p.files["a.bat"] = "old\r\n";
    p.running.insert("a.bat");
    ScriptRun run(p);
    EXPECT_FALSE(run.run("a.bat", {"new"}, ShowState::Hidden));
    EXPECT_EQ(p.files["a.bat"], "old\r\n");
    EXPECT_TRUE(p.launches.empty());
    EXPECT_NE(run.failures().at(0).find("尚未结束"), std::string::npos);
}

TEST(ScriptRun, TextThatGbkCannotHoldIsNeitherWrittenNorLaunched) {
    FakePlatform p;
    ScriptRun run(p);
    EXPECT_FALSE(run.run("a.bat", {"copy \"\xED\x95\x9C.bmp\""}, ShowState::Hidden));
    EXPECT_TRUE(p.files.empty());
    EXPECT_TRUE(p.launches.empty());
}

TEST(ScriptRun, BeginForgetsThePreviousActionsFailures) {
    FakePlatform p;
    p.writeFailures["a.bat"] = kErrorDiskFull;
    ScriptRun run(p);
    run.run("a.bat", {"x"}, ShowState::Hidden);
    EXPECT_FALSE(run.allHandedOver());
    run.begin();
    EXPECT_TRUE(run.allHandedOver());
}

} // namespace
