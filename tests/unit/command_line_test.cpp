// A run from the command line through the recording platform: what is written
// and launched, the waits, the exit status, and where the outcome is told.
#include "cli/command_line.h"
#include "cli/run_report.h"
#include "cli/usage.h"
#include "fakes/fake_platform.h"
#include "fakes/tweak_effects.h"
#include "oem_machine_names.h"
#include "platform/cp936.h"
#include "script_fixture.h"
#include "services/service_tables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::string>;

const std::string kVelkor = "C:\\Documents and Settings\\All Users\\Application Data\\Velkor";
const std::string kLog = kVelkor + "\\velkor-log.txt";

// Events that change the machine: writes, launches, registry values.
Names changes(const FakePlatform& p) {
    Names found;
    for (const std::string& e : p.events)
        if ((e.rfind("write ", 0) == 0 || e.rfind("launch ", 0) == 0 ||
             e.rfind("registry ", 0) == 0) &&
            e.find("SOFTWARE\\Velkor\\") == std::string::npos) // the program's own records
            found.push_back(e);
    return found;
}

bool says(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A machine with every service of the two tables, whose sc does its work.
void installTableServices(FakePlatform& p) {
    for (const ServiceRow& row : kOptimisedServices)
        p.services[row.service] = StartMode::Demand;
    for (const ServiceRow& row : kDefaultServices)
        p.services[row.service] = StartMode::Demand;
    p.scSetsServices = true;
}

TEST(CommandLine, QuietOptimisationRunsWaitsAndTellsOneLine) {
    FakePlatform p;
    installTableServices(p);
    tweak_effects::tweaksTakeEffect(p);
    EXPECT_EQ(runCommandLine(p, p, {"/optimize", "/quiet"}), 0);
    EXPECT_EQ(p.eventsOutsideSnapshots(),
              (Names{"write kuaijie.bat", "launch kuaijie.bat", "write jsb.bat", "launch jsb.bat",
                     "write gx.bat", "launch gx.bat", "write fwyh.bat", "launch fwyh.bat",
                     "wait kuaijie.bat", "wait jsb.bat", "wait gx.bat", "wait fwyh.bat"}));
    // The undo snapshot is complete (renamed into place) before the first script.
    const auto renamed = std::find_if(p.events.begin(), p.events.end(), [](const std::string& e) {
        return e.rfind("rename ", 0) == 0 && says(e, "\\Velkor\\undo\\20240501-123005");
    });
    EXPECT_LT(renamed - p.events.begin(),
              std::find(p.events.begin(), p.events.end(), "write kuaijie.bat") - p.events.begin());
    expectScriptBytes("fwyh.bat", p.launches.at(3).bytesAtLaunch);
    // The machine's change claim is taken before the snapshot and given up
    // once the scripts have ended.
    const auto claim = std::find(p.events.begin(), p.events.end(),
                                 "claim 从命令行启动的“系统常规优化” " + kVelkor + "\\change.lock");
    EXPECT_LT(claim, renamed);
    EXPECT_GT(std::find(p.events.begin(), p.events.end(), "release change"),
              std::find(p.events.begin(), p.events.end(), "wait fwyh.bat"));
    EXPECT_EQ(p.output, "系统常规优化：系统已经优化成功\r\n");
    EXPECT_TRUE(p.notifications.empty());
    EXPECT_EQ(p.files.at(kLog),
              *toCp936("2024-05-01 12:30:05 [0] Velkor.exe /optimize /quiet\r\n"
                       "2024-05-01 12:30:05 [0] 系统常规优化：系统已经优化成功\r\n"));
}

TEST(CommandLine, WithoutQuietTheOutcomeIsAMessageBoxOnlyWhenThereIsNoConsole) {
    FakePlatform console;
    EXPECT_EQ(runCommandLine(console, console, {"/clean"}), 0);
    EXPECT_EQ(console.output, "系统垃圾清理：已完成\r\n");
    EXPECT_TRUE(console.notifications.empty());

    FakePlatform none;
    none.hasOutput = false;
    installTableServices(none);
    EXPECT_EQ(runCommandLine(none, none, {"/clean", "/restore"}), 0);
    EXPECT_EQ(none.notifications,
              Names{"恢复默认服务：系统服务已经恢复为默认\n系统垃圾清理：已完成"});

    FakePlatform quiet;
    quiet.hasOutput = false;
    EXPECT_EQ(runCommandLine(quiet, quiet, {"/clean", "/quiet"}), 0);
    EXPECT_TRUE(quiet.notifications.empty());
    EXPECT_TRUE(says(quiet.files.at(kLog), *toCp936("系统垃圾清理：已完成")));
}

TEST(CommandLine, BadSwitchesGiveOneAndWriteNothing) {
    FakePlatform p;
    p.files["C:\\a.bmp"] = "BM";
    EXPECT_EQ(runCommandLine(p, p, {"/optimize", "/logo:C:\\a.bmp", "/bogus", "/quiet"}), 1);
    EXPECT_EQ(changes(p), Names{});
    EXPECT_FALSE(p.claimed);
    EXPECT_TRUE(says(p.output, "未知的开关 /bogus"));
    EXPECT_TRUE(p.notifications.empty());
    EXPECT_TRUE(says(p.files.at(kLog), " [1] Velkor.exe /optimize /logo:C:\\a.bmp /bogus /quiet"));

    // A line break in an argument cannot write a line of its own into the log.
    FakePlatform forged;
    const std::string fake = "2024-05-01 12:30:05 [0] 系统常规优化：系统已经优化成功";
    EXPECT_EQ(runCommandLine(forged, forged, {"/optimize", "/owner:x\r\n" + fake, "/quiet"}), 1);
    const std::string log = forged.files.at(kLog);
    EXPECT_TRUE(says(log, "/owner:x\\x0D\\x0A" + *toCp936(fake) + " /quiet\r\n")) << log;
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = log.find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    EXPECT_EQ(lines, 2u) << log; // the command line, and why it was refused
    EXPECT_EQ(log.find('\n'), log.find("\r\n") + 1);

    FakePlatform boxed; // no console, not quiet: the reason in a message box
    boxed.hasOutput = false;
    EXPECT_EQ(runCommandLine(boxed, boxed, {"/logo:C:\\nope.bmp"}), 1);
    ASSERT_EQ(boxed.notifications.size(), 1u);
    EXPECT_TRUE(says(boxed.notifications[0], "“C:\\nope.bmp”不是一个存在的文件"));
    EXPECT_EQ(changes(boxed), Names{});
}

TEST(CommandLine, WithoutAdministratorRightsTwoAndNothingWritten) {
    FakePlatform p;
    p.admin = false;
    // The cleanup alone would run without the rights in the window.
    EXPECT_EQ(runCommandLine(p, p, {"/clean", "/owner:x", "/quiet"}), 2);
    EXPECT_EQ(changes(p), Names{});
    EXPECT_TRUE(says(p.output, "系统垃圾清理：需要管理员权限"));
}

TEST(CommandLine, AnEarlierRunStillGoingGivesFive) {
    FakePlatform other; // the window's optimisation, say
    other.otherChange = "“系统常规优化”";
    EXPECT_EQ(runCommandLine(other, other, {"/optimize", "/quiet"}), 5);
    EXPECT_EQ(changes(other), Names{});
    EXPECT_EQ(other.output, "“系统常规优化”仍在进行中，本次未作任何更改。 / Another change is "
                            "still going (“系统常规优化”); nothing was changed.\r\n");

    FakePlatform script; // a script of this process still running
    script.running.insert("fwyh.bat");
    EXPECT_EQ(runCommandLine(script, script, {"/optimize", "/quiet"}), 5);
    EXPECT_EQ(changes(script), Names{});
}

TEST(CommandLine, WhatCouldNotBeWrittenGivesThreeAndTheOtherActionsStillRun) {
    FakePlatform p;
    p.writeFailures["fwyh.bat"] = kErrorAccessDenied;
    EXPECT_EQ(runCommandLine(p, p, {"/optimize", "/clean", "/quiet"}), 3);
    EXPECT_TRUE(says(p.output, "系统常规优化：操作未能全部完成： 无法写入脚本 fwyh.bat"));
    EXPECT_TRUE(says(p.output, "系统垃圾清理：已完成"));
    EXPECT_TRUE(says(p.files.at(kLog), " [3] "));
}

TEST(CommandLine, TheLogoAndTheOemValuesAreCheckedOnceTheScriptsHaveEnded) {
    FakePlatform p;
    p.files["C:\\blue.bmp"] = "BM blue";
    p.files[kLogo] = "BM red";
    // Without the copy the logo is not in place.
    EXPECT_EQ(runCommandLine(p, p, {"/logo:C:\\blue.bmp", "/owner:李四", "/quiet"}), 3);
    EXPECT_TRUE(says(p.output, "OEM信息：OEM信息已经更新\r\n"));
    EXPECT_TRUE(says(p.output, "OEM LOGO：" + kLogo + " 与所选文件不同"));

    FakePlatform copied;
    copied.files["C:\\blue.bmp"] = "BM blue";
    copied.scriptEffects["fuzhi.bat"] = [](FakePlatform& m) {
        m.files[kLogo] = m.files["C:\\blue.bmp"];
    };
    EXPECT_EQ(runCommandLine(copied, copied, {"/logo:C:\\blue.bmp", "/quiet"}), 0);
    EXPECT_EQ(copied.output, "OEM LOGO：已完成\r\n");
    EXPECT_EQ(copied.registry.count(kOwner), 0u);
}

TEST(CommandLine, ExportWritesTheScriptsIntoTheFolderAndRunsNothing) {
    FakePlatform p;
    p.admin = false; // exporting changes nothing on this machine
    p.otherChange = "“系统常规优化”";
    EXPECT_EQ(runCommandLine(p, p, {"/export:D:\\deploy\\", "/clean", "/optimize", "/tweaks:none"}),
              0);
    EXPECT_TRUE(p.launches.empty());
    EXPECT_TRUE(p.waitedFor.empty());
    EXPECT_EQ(p.folders.count("D:\\deploy\\"), 1u);
    expectScriptBytes("fwyh.bat", p.files.at("D:\\deploy\\fwyh.bat"));
    expectScriptBytes("xtql.bat-unattended", p.files.at("D:\\deploy\\xtql.bat"));
    EXPECT_EQ(p.output, "系统常规优化：已导出到 D:\\deploy\\：fwyh.bat\r\n"
                        "系统垃圾清理：已导出到 D:\\deploy\\：xtql.bat\r\n");

    FakePlatform failing;
    failing.folderFailures["E:\\out"] = kErrorAccessDenied;
    EXPECT_EQ(runCommandLine(failing, failing, {"/export:E:\\out", "/clean"}), 3);
    EXPECT_TRUE(says(failing.output, "无法创建文件夹 E:\\out"));
    EXPECT_TRUE(failing.launches.empty());
}

TEST(CommandLine, UsageOnTheConsoleOrInAMessageBox) {
    FakePlatform console;
    EXPECT_EQ(runCommandLine(console, console, {"/?"}), 0);
    EXPECT_EQ(console.output, usageText());
    EXPECT_TRUE(console.notifications.empty());
    EXPECT_TRUE(console.files.empty()); // no log for the usage

    FakePlatform none;
    none.hasOutput = false;
    EXPECT_EQ(runCommandLine(none, none, {"-help"}), 0);
    EXPECT_EQ(none.notifications, Names{usageText()});

    const std::string& usage = usageText();
    EXPECT_TRUE(says(usage, "退出码 / Exit codes"));
    EXPECT_TRUE(says(usage, "从命令行运行时，结束时不等待按键"));
    EXPECT_TRUE(says(usage, "waits for no key"));
}

TEST(CommandLine, ALogThatCannotBeWrittenIsSaidButChangesNoExitCode) {
    FakePlatform p;
    p.writeFailures[kLog] = kErrorAccessDenied;
    EXPECT_EQ(runCommandLine(p, p, {"/clean", "/quiet"}), 0);
    EXPECT_TRUE(says(p.output, "系统垃圾清理：已完成\r\n无法写入日志 " + kLog));
}

// Outside XP and 2003 the service actions need /force, as they need "是" in
// the window; the other actions do not.
TEST(CommandLine, ServicesOnAnotherWindowsNeedForce) {
    FakePlatform ten;
    ten.version = {10, 0, 19045, false};
    EXPECT_EQ(runCommandLine(ten, ten, {"/optimize", "/clean", "/quiet"}), 4);
    EXPECT_EQ(changes(ten), Names{});
    EXPECT_TRUE(ten.folders.count(ten.commonData + "\\Velkor\\undo") == 0);
    EXPECT_TRUE(says(ten.output, "当前系统是 Windows 10，未作任何更改；确需继续请加 /force"));
    EXPECT_TRUE(ten.questions.empty());

    for (const Names& args : {Names{"/restore"}, Names{"/services:11111111111111111"}}) {
        FakePlatform seven;
        seven.version = {6, 1, 7601, false};
        EXPECT_EQ(runCommandLine(seven, seven, args), 4) << args[0];
    }

    FakePlatform forced;
    forced.version = {10, 0, 19045, false};
    tweak_effects::tweaksTakeEffect(forced);
    EXPECT_EQ(runCommandLine(forced, forced, {"/optimize", "/force", "/quiet"}), 0);
    EXPECT_EQ(forced.launchedNames(), (Names{"kuaijie.bat", "jsb.bat", "gx.bat", "fwyh.bat"}));

    FakePlatform cleanOnly;
    cleanOnly.version = {10, 0, 19045, false};
    EXPECT_EQ(runCommandLine(cleanOnly, cleanOnly, {"/clean", "/quiet"}), 0);
}

// /undo runs the newest snapshot's undo.bat, checks the machine and marks it
// undone; with none left it changes nothing.
TEST(CommandLine, UndoTheNewestChange) {
    FakePlatform p;
    installTableServices(p);
    p.services["Spooler"] = StartMode::Demand;
    EXPECT_EQ(runCommandLine(p, p, {"/undo", "/quiet"}), 1);
    EXPECT_TRUE(says(p.output, "撤销：没有可以撤销的更改。"));
    EXPECT_TRUE(p.scriptRuns.empty());

    EXPECT_EQ(runCommandLine(p, p, {"/optimize", "/tweaks:none", "/quiet"}), 0);
    const std::string folder = p.commonData + "\\Velkor\\undo\\20240501-123005";
    p.admin = false;
    EXPECT_EQ(runCommandLine(p, p, {"/undo", "/quiet"}), 2);
    EXPECT_TRUE(p.scriptRuns.empty());

    p.admin = true;
    p.output.clear();
    EXPECT_EQ(runCommandLine(p, p, {"/undo", "/quiet"}), 0);
    EXPECT_EQ(p.scriptRuns, Names{folder + "\\undo.bat"});
    EXPECT_TRUE(says(p.output, "撤销：已撤销 2024-05-01 12:30:05 的“系统常规优化”。"));
    EXPECT_TRUE(p.files.count(folder + "\\undone.txt"));
    EXPECT_EQ(runCommandLine(p, p, {"/undo", "/quiet"}), 1);

    // A machine that the undo did not bring back is a failure, not "done".
    EXPECT_EQ(runCommandLine(p, p, {"/restore", "/quiet"}), 0);
    p.scriptEffects["undo.bat"] = [](FakePlatform& m) {
        m.services["Spooler"] = StartMode::Disabled;
    };
    EXPECT_EQ(runCommandLine(p, p, {"/undo", "/quiet"}), 3);
    EXPECT_TRUE(says(p.output, "未能全部完成"));
}

// Scripts that end without error yet import nothing (a policy or a security
// product blocks regedit) are a failure that names what is not in place.
TEST(CommandLine, TweaksThatDidNotTakeAreNamedWithExitThree) {
    FakePlatform p;
    tweak_effects::tweaksTakeEffect(p);
    p.scriptEffects.erase("kuaijie.bat");
    p.registryKeys[tweak_effects::kLnkfile] = {{"IsShortcut", 1, tweak_effects::utf16(u"")}};
    EXPECT_EQ(runCommandLine(p, p, {"/optimize", "/quiet"}), 3);
    EXPECT_TRUE(says(p.output, "系统常规优化：")) << p.output;
    EXPECT_TRUE(says(p.output, "注册表值 HKEY_CLASSES_ROOT\\lnkfile\\IsShortcut 仍然存在。"));
    EXPECT_TRUE(
        says(p.output, "注册表值 " + tweak_effects::kExplorerDefault + "\\Link 未设为应有的值。"));
    EXPECT_FALSE(says(p.output, "系统已经优化成功"));
    EXPECT_FALSE(says(p.output, "记事本")) << "the Notepad verb is in place";
}

TEST(CommandLine, StartModesAreReadBackAfterTheScripts) {
    FakePlatform p;
    installTableServices(p);
    tweak_effects::tweaksTakeEffect(p);
    p.services.erase("Alerter"); // not on this machine
    // An "sc config" that did not take: Spooler keeps its mode.
    p.scriptEffects["fwyh.bat"] = [](FakePlatform& m) {
        m.services["Spooler"] = StartMode::Demand;
    };
    p.scSetsServices = true;
    EXPECT_EQ(runCommandLine(p, p, {"/optimize", "/quiet"}), 3);
    EXPECT_TRUE(says(p.output, "服务 Spooler：手动，应为 自动")) << p.output;
    EXPECT_TRUE(says(p.output, "系统常规优化：本机未安装，未检查：Alerter\r\n")) << p.output;

    // A service that is not installed is no failure.
    p.scriptEffects.erase("fwyh.bat");
    p.output.clear();
    EXPECT_EQ(runCommandLine(p, p, {"/restore", "/quiet"}), 0);
    EXPECT_EQ(p.output, "恢复默认服务：系统服务已经恢复为默认\r\n"
                        "恢复默认服务：本机未安装，未检查：Alerter\r\n");

    // The per-service choices are read back too.
    p.services["Themes"] = StartMode::Auto;
    p.scriptEffects["xiangxi.bat"] = [](FakePlatform& m) {
        m.services["Themes"] = StartMode::Auto;
    };
    p.output.clear();
    EXPECT_EQ(runCommandLine(p, p, {"/services:01111111111111111", "/quiet"}), 3);
    EXPECT_TRUE(says(p.output, "服务 Themes：自动，应为 已禁用")) << p.output;
}

} // namespace
