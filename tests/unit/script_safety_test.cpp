// Scripts that run elevated: written guarded, started with delayed expansion
// off, and never started from a network folder where the interpreter cannot
// find them.
#include "app/run_from_window.h"
#include "fakes/fake_platform.h"
#include "platform/interpreter_arguments.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

Plan twoScripts() {
    Plan plan;
    plan.scripts = {{"a.bat", {"del a.bat"}, ShowState::Hidden},
                    {"b.bat", {"del b.bat"}, ShowState::Hidden}};
    plan.successText = "完成";
    return plan;
}

TEST(ScriptSafety, EveryScriptIsWrittenGuardedBeforeItIsLaunched) {
    FakePlatform p;
    EXPECT_EQ(runFromWindow(p, p, twoScripts()), RunOutcome::Done);
    EXPECT_EQ(p.guarded, (std::set<std::string>{"a.bat", "b.bat"}));
    EXPECT_EQ(p.launchedNames(), (Names{"a.bat", "b.bat"}));
}

TEST(ScriptSafety, TheInterpreterRunsWithoutAutoRunAndWithoutDelayedExpansion) {
    // With delayed expansion on, "!" in a copied path would be consumed.
    EXPECT_EQ(interpreterArguments("fuzhi.bat"), "/d /v:off /c fuzhi.bat");
}

TEST(ScriptSafety, FromANetworkFolderNothingRunsAndTheUserIsToldToCopyTheProgram) {
    for (const char* folder : {"\\\\server\\share\\tools", "//server/share", "\\\\?\\UNC\\s\\t"}) {
        FakePlatform p;
        p.currentDir = folder;
        EXPECT_EQ(runFromWindow(p, p, twoScripts()), RunOutcome::Refused) << folder;
        ASSERT_EQ(p.events.size(), 1u) << folder; // the notice alone
        EXPECT_EQ(p.notifications.at(0),
                  "本程序是从网络文件夹 " + std::string(folder) +
                      " 启动的，命令解释器无法在网络文件夹中运行脚本，系统未作任何修改。"
                      "请将本程序复制到本地磁盘（例如桌面）后再运行。");
    }
    // A local folder and a network drive with a letter run as usual.
    for (const char* folder : {"C:\\Users\\x\\Desktop", "Z:\\tools"}) {
        FakePlatform p;
        p.currentDir = folder;
        EXPECT_EQ(runFromWindow(p, p, twoScripts()), RunOutcome::Done) << folder;
    }
    // Without scripts (the OEM values) the folder does not matter.
    FakePlatform p;
    p.currentDir = "\\\\server\\share";
    Plan files;
    files.fileWrites = {{"C:\\f.ini", "x\r\n"}};
    EXPECT_EQ(runFromWindow(p, p, files), RunOutcome::Done);
    EXPECT_EQ(p.files.at("C:\\f.ini"), "x\r\n");
}

TEST(ScriptSafety, WithoutAdministratorRightsTheRefusalSaysWhatNeedsThem) {
    FakePlatform p;
    p.admin = false;
    Plan plan = twoScripts();
    plan.needsAdministrator = true;
    plan.files = {"C:\\WINDOWS\\system32\\oemlogo.bmp"};
    EXPECT_EQ(runFromWindow(p, p, plan), RunOutcome::Refused);
    EXPECT_EQ(p.notifications, Names{"需要管理员权限才能更改系统文件，请以管理员身份运行本程序。"});

    plan.services = {{"Spooler", StartMode::Auto}};
    runFromWindow(p, p, plan);
    EXPECT_EQ(p.notifications.at(1),
              "需要管理员权限才能更改系统服务和注册表，请以管理员身份运行本程序。");
    EXPECT_TRUE(p.launches.empty());
}

} // namespace
