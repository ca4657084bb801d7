// A plan run from the window: what reaches the machine, in which order, and
// the one message that follows.
#include "app/run_from_window.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

Plan twoScripts() {
    Plan plan;
    plan.scripts = {{"a.bat", {"echo 1", "del a.bat"}, ShowState::Visible},
                    {"b.bat", {"del b.bat"}, ShowState::Hidden}};
    plan.successText = "完成";
    return plan;
}

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

TEST(RunPlan, EachScriptIsWrittenThenLaunchedInOrderThenOneMessage) {
    FakePlatform p;
    EXPECT_EQ(runFromWindow(p, p, twoScripts()), RunOutcome::Done);
    EXPECT_EQ(p.events,
              (Names{"write a.bat", "launch a.bat", "write b.bat", "launch b.bat", "notify 完成"}));
    EXPECT_EQ(p.launches.at(0).show, ShowState::Visible);
    EXPECT_EQ(p.launches.at(0).bytesAtLaunch, "echo 1\r\ndel a.bat\r\n");
    EXPECT_EQ(p.launches.at(1).show, ShowState::Hidden);
}

TEST(RunPlan, WithoutASuccessTextASuccessSaysNothing) {
    FakePlatform p;
    Plan plan = twoScripts();
    plan.successText.reset();
    EXPECT_EQ(runFromWindow(p, p, plan), RunOutcome::Done);
    EXPECT_TRUE(p.notifications.empty());
}

TEST(RunPlan, AScriptThatCouldNotBeWrittenOrStartedIsNamedAndTheNextStillRuns) {
    FakePlatform p;
    p.files["a.bat"] = "planted\r\n"; // a stale file of that name must not run
    p.writeFailures["a.bat"] = kErrorAccessDenied;
    EXPECT_EQ(runFromWindow(p, p, twoScripts()), RunOutcome::Failed);
    EXPECT_EQ(p.launchedNames(), Names{"b.bat"});
    ASSERT_EQ(p.notifications.size(), 1u);
    EXPECT_EQ(p.notifications[0],
              "操作未能全部完成：\n无法写入脚本 a.bat：拒绝访问（可能需要管理员权限，"
              "或文件为只读）。");

    FakePlatform q;
    q.launchFailures["a.bat"] = kErrorFileNotFound;
    EXPECT_EQ(runFromWindow(q, q, twoScripts()), RunOutcome::Failed);
    EXPECT_EQ(q.launchedNames(), Names{"b.bat"});
    EXPECT_EQ(q.notifications.at(0), "操作未能全部完成：\n无法启动脚本 a.bat：找不到指定的文件。");
}

TEST(RunPlan, TextThatGbkCannotHoldIsNeitherWrittenNorLaunched) {
    FakePlatform p;
    Plan plan;
    plan.scripts = {{"a.bat", {"copy \"\xED\x95\x9C.bmp\""}, ShowState::Hidden}};
    EXPECT_EQ(runFromWindow(p, p, plan), RunOutcome::Failed);
    EXPECT_TRUE(p.files.empty());
    EXPECT_TRUE(p.launches.empty());
    EXPECT_NE(p.notifications.at(0).find("GBK"), std::string::npos);
}

TEST(RunPlan, GuardsStopEverythingBeforeTheFirstWrite) {
    {
        FakePlatform p;
        Plan plan = twoScripts();
        plan.refusal = "不行";
        EXPECT_EQ(runFromWindow(p, p, plan), RunOutcome::Refused);
        EXPECT_EQ(p.events, Names{"notify 不行"});
    }
    {
        FakePlatform p;
        p.admin = false;
        Plan plan = twoScripts();
        plan.needsAdministrator = true;
        EXPECT_EQ(runFromWindow(p, p, plan), RunOutcome::Refused);
        EXPECT_EQ(p.events.size(), 1u);
        EXPECT_NE(p.notifications.at(0).find("管理员"), std::string::npos);
    }
    {
        FakePlatform p;
        p.running.insert("b.bat");
        Plan plan = twoScripts();
        plan.ifStillRunning = IfStillRunning::Refuse;
        EXPECT_EQ(runFromWindow(p, p, plan), RunOutcome::Refused);
        EXPECT_EQ(p.events, Names{"notify 上一次的优化仍在进行中，请稍候再试。"});
    }
    {
        FakePlatform p;
        p.running.insert("a.bat");
        Plan plan = twoScripts();
        plan.ifStillRunning = IfStillRunning::BringToFront;
        EXPECT_EQ(runFromWindow(p, p, plan), RunOutcome::Refused);
        EXPECT_TRUE(p.events.empty());
        EXPECT_EQ(p.broughtToFront, Names{"a.bat"});
    }
}

TEST(RunPlan, ARunningScriptIsNeverRewrittenAndTheRestRuns) {
    FakePlatform p;
    p.files["a.bat"] = "old\r\n";
    p.running.insert("a.bat");
    EXPECT_EQ(runFromWindow(p, p, twoScripts()), RunOutcome::Failed);
    EXPECT_EQ(p.files["a.bat"], "old\r\n");
    EXPECT_EQ(p.launchedNames(), Names{"b.bat"});
    EXPECT_NE(p.notifications.at(0).find("a.bat 上一次的运行尚未结束"), std::string::npos);
}

TEST(RunPlan, FilesAndRegistryValuesAfterTheScriptsWithTheirOwnHeadingAndHint) {
    FakePlatform p;
    p.admin = false;
    p.registryWriteFailures["HKEY_LOCAL_MACHINE\\K\\Owner"] = kErrorAccessDenied;
    Plan plan;
    plan.fileWrites = {{"C:\\f.ini", "x\r\n"}};
    plan.knownFailures = {"早已知道"};
    plan.registryWrites = {{"HKEY_LOCAL_MACHINE\\K\\Org", "o", "组织"},
                           {"HKEY_LOCAL_MACHINE\\K\\Owner", "n", "姓名"}};
    plan.successText = "好";
    plan.failureHeading = "未能全部更新：";
    plan.administratorHintOnFailure = true;
    EXPECT_EQ(runFromWindow(p, p, plan), RunOutcome::Failed);
    EXPECT_EQ(p.files.at("C:\\f.ini"), "x\r\n");
    EXPECT_EQ(p.registry.at("HKEY_LOCAL_MACHINE\\K\\Org"), "o");
    EXPECT_EQ(p.notifications.at(0),
              "未能全部更新：\n早已知道\n无法写入注册表值 Owner（姓名）：拒绝访问（可能需要管理员"
              "权限，或文件为只读）。\n修改这些信息需要管理员权限，请以管理员身份运行本程序。");
}

} // namespace
