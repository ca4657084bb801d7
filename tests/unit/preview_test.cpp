// The plan against a fake machine: the lines of /whatif and /check (unchanged,
// changed, not installed), and what the cleanup's lines would delete from a
// fake folder tree.
#include "actions/junk_cleanup.h"
#include "cleanup/junk_script.h"
#include "cli/command_line.h"
#include "fakes/fake_platform.h"
#include "preview/junk_counts.h"
#include "preview/setting_lines.h"
#include "tweaks/shell_tweaks.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kLnk = "HKEY_CLASSES_ROOT\\lnkfile";
const std::string kPif = "HKEY_CLASSES_ROOT\\piffile";

RegistryValue sz(const std::string& name, const std::string& ascii) {
    std::string utf16;
    for (char c : ascii + '\0')
        utf16 += std::string{c, '\0'};
    return {name, 1, utf16};
}

Lines whatIfLines(Platform& p, const Plan& plan) {
    Lines lines;
    for (const SettingState& s : settingStates(p, plan))
        lines.push_back(whatIfLine(s));
    return lines;
}

Lines checkLines(Platform& p, const Plan& plan) {
    Lines lines;
    for (const SettingState& s : settingStates(p, plan))
        if (std::optional<std::string> line = checkLine(s))
            lines.push_back(*line);
    return lines;
}

Plan servicesPlan() {
    Plan plan;
    plan.services = {{"Themes", StartMode::Disabled},
                     {"Spooler", StartMode::Auto},
                     {"ClipSrv", StartMode::Disabled},
                     {"Themes", StartMode::Demand}}; // named twice: the last one holds
    return plan;
}

TEST(Preview, ServicesUnchangedChangedAndNotInstalled) {
    FakePlatform p;
    p.services["Themes"] = StartMode::Auto;
    p.services["Spooler"] = StartMode::Auto;
    EXPECT_EQ(
        whatIfLines(p, servicesPlan()),
        (Lines{"服务 Themes：自动 → 手动", "服务 Spooler：自动（不变）", "服务 ClipSrv：未安装"}));
    EXPECT_EQ(checkLines(p, servicesPlan()), Lines{"服务 Themes：自动，应为 手动"});
    p.serviceReadFailures["Spooler"] = kErrorAccessDenied;
    EXPECT_EQ(checkLines(p, servicesPlan()).size(), 2u);
}

TEST(Preview, TweakValuesInTheirRegFileWords) {
    FakePlatform p;
    p.registryKeys["HKEY_USERS\\.DEFAULT\\" + kExplorer] = {
        {"Link", 3, std::string("\x1e\0\0\0", 4)}};
    p.registryKeys["HKEY_CURRENT_USER\\" + kExplorer] = {{"Link", 3, std::string(4, '\0')}};
    p.registryKeys[kLnk] = {
        sz("", "Shortcut"), {"EditFlags", 4, std::string("\x22\0\0\0", 4)}, sz("IsShortcut", "")};
    p.registryKeys[kPif] = {};
    EXPECT_EQ(whatIfLines(p, kjfshi()),
              (Lines{"注册表值 HKEY_USERS\\.DEFAULT\\" + kExplorer +
                         "\\Link：hex:1e,00,00,00 → hex:00,00,00,00",
                     "注册表值 HKEY_CURRENT_USER\\" + kExplorer + "\\Link：hex:00,00,00,00（不变）",
                     "注册表值 HKEY_CLASSES_ROOT\\lnkfile\\(默认)：\"Shortcut\" → \"快捷方式\"",
                     "注册表值 HKEY_CLASSES_ROOT\\lnkfile\\EditFlags：dword:00000022 → "
                     "dword:00000001",
                     "注册表值 HKEY_CLASSES_ROOT\\lnkfile\\NeverShowExt：不存在 → \"\"",
                     "注册表值 HKEY_CLASSES_ROOT\\lnkfile\\IsShortcut：\"\" → 删除",
                     "注册表项 HKEY_CLASSES_ROOT\\piffile：存在（不变）",
                     "注册表值 HKEY_CLASSES_ROOT\\piffile\\IsShortcut：不存在（不变）"}));
    EXPECT_EQ(checkLines(p, kjfshi()).size(), 5u);
}

TEST(Preview, KeysCreatedAndDeleted) {
    FakePlatform p;
    const Plan notepad = jishiben();
    const Lines lines = whatIfLines(p, notepad);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "注册表项 HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell：不存在 → 存在");
    EXPECT_EQ(lines[3], "注册表值 HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\用\"记事本\"打开"
                        "\\command\\(默认)：不存在 → \"notepad.exe %1\"");

    const Plan shared = guxiang();
    const std::string key = shared.registry.at(0).key;
    EXPECT_EQ(whatIfLines(p, shared), Lines{"注册表项 " + key + "：不存在（不变）"});
    p.registryKeys[key] = {};
    EXPECT_EQ(whatIfLines(p, shared), Lines{"注册表项 " + key + "：存在 → 删除"});
    EXPECT_EQ(checkLines(p, shared), Lines{"注册表项 " + key + "：存在，应为 删除"});
}

TEST(Preview, OemStringsAndFilesBySize) {
    FakePlatform p;
    Plan plan;
    plan.registryWrites = {{"HKEY_LOCAL_MACHINE\\X\\RegisteredOwner", "王小明", "注册用户"},
                           {"HKEY_LOCAL_MACHINE\\X\\RegisteredOrganization", "学校", "注册组织"}};
    plan.fileWrites = {{"C:\\WINDOWS\\system32\\oeminfo.ini", "12345"}};
    p.registry["HKEY_LOCAL_MACHINE\\X\\RegisteredOwner"] = "王小明";
    p.files["C:\\WINDOWS\\system32\\oeminfo.ini"] = "123";
    const std::vector<PlannedFileWrite> logo = {{"C:\\WINDOWS\\system32\\oemlogo.bmp", "BM"}};
    Lines lines;
    for (const SettingState& s : settingStates(p, plan, logo))
        lines.push_back(whatIfLine(s));
    EXPECT_EQ(lines, (Lines{"注册表值 HKEY_LOCAL_MACHINE\\X\\RegisteredOwner：\"王小明\"（不变）",
                            "注册表值 HKEY_LOCAL_MACHINE\\X\\RegisteredOrganization：不存在 → "
                            "\"学校\"",
                            "文件 C:\\WINDOWS\\system32\\oeminfo.ini：3 字节 → 5 字节",
                            "文件 C:\\WINDOWS\\system32\\oemlogo.bmp：不存在 → 2 字节"}));
    p.files["C:\\WINDOWS\\system32\\oeminfo.ini"] = "54321";
    EXPECT_EQ(whatIfLine(settingStates(p, plan).at(2)),
              "文件 C:\\WINDOWS\\system32\\oeminfo.ini：5 字节 → 5 字节（内容不同）");
}

// A small system drive: C:\ with a log, a hidden log and a folder with more.
FakePlatform junkMachine() {
    FakePlatform p;
    p.environment = {{"systemdrive", "C:"},
                     {"windir", "C:\\WINDOWS"},
                     {"userprofile", "C:\\Documents and Settings\\x"}};
    const std::uint32_t hidden = kAttributeHidden;
    p.folderEntries["C:"] = {{"setup.LOG", false, 100, 0},
                             {"boot.log", false, 7, hidden},
                             {"a.tmp", false, 10, 0},
                             {"WINDOWS", true, 0, 0},
                             {"Documents and Settings", true, 0, 0},
                             {"link", true, 0, kAttributeReparsePoint}};
    p.folderEntries["C:\\link"] = {{"far.tmp", false, 1000, 0}};
    p.folderEntries["C:\\WINDOWS"] = {{"x.bak", false, 5, 0},
                                      {"Temp", true, 0, 0},
                                      {"Prefetch", true, 0, 0},
                                      {"notes.txt", false, 9, 0}};
    p.folderEntries["C:\\WINDOWS\\Temp"] = {
        {"b.tmp", false, 20, 0}, {"c.dat", false, 30, hidden}, {"sub", true, 0, 0}};
    p.folderEntries["C:\\WINDOWS\\Temp\\sub"] = {{"d.dat", false, 40, 0}};
    p.folderEntries["C:\\WINDOWS\\Prefetch"] = {{"A.pf", false, 50, 0}};
    p.folderEntries["C:\\Documents and Settings"] = {{"x", true, 0, 0}};
    p.folderEntries["C:\\Documents and Settings\\x"] = {{"Recent", true, 0, 0}};
    p.folderEntries["C:\\Documents and Settings\\x\\Recent"] = {{"r.lnk", false, 3, 0},
                                                                {"old", true, 0, 0}};
    p.folderEntries["C:\\Documents and Settings\\x\\Recent\\old"] = {{"s.lnk", false, 4, 0}};
    return p;
}

TEST(JunkCounts, TheScriptsPatternsFoldersAndSwitches) {
    FakePlatform p = junkMachine();
    std::vector<std::string> texts;
    for (const JunkCount& c : junkCounts(p, unattendedJunkScriptLines("C:\\WINDOWS")))
        texts.push_back(c.line + " " + std::to_string(c.files) + " " + std::to_string(c.bytes));
    EXPECT_EQ(
        texts,
        (Lines{
            // Everywhere on the drive, but not through the link, not the hidden log.
            "del /f /s /q %systemdrive%\\*.tmp 2 30",
            "del /f /s /q %systemdrive%\\*._mp 0 0",
            "del /f /s /q %systemdrive%\\*.log 1 100",
            "del /f /s /q %systemdrive%\\*.gid 0 0",
            "del /f /s /q %systemdrive%\\*.chk 0 0",
            "del /f /s /q %systemdrive%\\*.old 0 0",
            "del /f /s /q %systemdrive%\\recycled\\*.* 0 0",
            "del /f /s /q %windir%\\*.bak 1 5",
            "del /f /s /q %windir%\\prefetch\\*.* 1 50",
            // Everything left in Temp, hidden files and subfolders too; b.tmp went above.
            "rd /s /q %windir%\\temp & md %windir%\\temp 2 70",
            "del /f /q \"%userprofile%\\cookies\\*.*\" 0 0",
            // Without /s the subfolder stays; the second pass takes it.
            "del /f /q \"%userprofile%\\recent\\*.*\" 1 3",
            "del /f /s /q \"%userprofile%\\Local Settings\\Temporary Internet Files\\*.*\" 0 0",
            "del /f /s /q \"%userprofile%\\Local Settings\\Temp\\*.*\" 0 0",
            "del /f /s /q \"%userprofile%\\recent\\*.*\" 1 4",
        }));
}

TEST(JunkCounts, LinesOfThePlanAndAVariableNotSet) {
    FakePlatform p = junkMachine();
    p.environment.erase("userprofile");
    const Lines lines =
        junkCountLines(p, unattendedJunkCleanupPlan("C:\\WINDOWS", ShowState::Hidden));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "del /f /s /q %systemdrive%\\*.tmp：2 个文件，30 字节");
    EXPECT_EQ(lines[10], "del /f /q \"%userprofile%\\cookies\\*.*\"：%userprofile% 未设置");
    EXPECT_TRUE(junkCountLines(p, jishiben()).empty());
}

TEST(JunkCounts, Patterns) {
    EXPECT_TRUE(matchesPattern("SETUP.Log", "*.log"));
    EXPECT_FALSE(matchesPattern("setup.log.txt", "*.log"));
    EXPECT_TRUE(matchesPattern("noextension", "*.*"));
    EXPECT_TRUE(matchesPattern("a1.tmp", "a?.tmp"));
    EXPECT_FALSE(matchesPattern("ab.tm", "*.tmp"));
}

// --- the command line ---

TEST(CommandLinePreview, WhatIfListsAndChangesNothing) {
    FakePlatform p;
    p.services["Alerter"] = StartMode::Auto;
    EXPECT_EQ(runCommandLine(p, p, {"/whatif", "/optimize", "/tweaks:none", "/quiet"}), 0);
    EXPECT_NE(p.output.find("系统常规优化（预览）：\r\n  服务 Alerter：自动 → 已禁用\r\n"),
              std::string::npos)
        << p.output;
    EXPECT_NE(p.output.find("  服务 Spooler：未安装\r\n"), std::string::npos);
    EXPECT_NE(p.output.find("预览完毕，未作任何更改。"), std::string::npos);
    EXPECT_TRUE(p.launches.empty());
    EXPECT_FALSE(p.claimed); // a preview may run beside a run
    EXPECT_EQ(p.services["Alerter"], StartMode::Auto);
    // The log's folder alone, with the registration of the program's folder.
    for (const std::string& e : p.events)
        EXPECT_TRUE(e.rfind("folder ", 0) == 0 ||
                    e.find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor") != std::string::npos)
            << e;
}

TEST(CommandLinePreview, CheckGivesSixUntilEverythingIsInPlace) {
    FakePlatform p;
    p.services["Alerter"] = StartMode::Auto;
    p.services["Spooler"] = StartMode::Auto;
    EXPECT_EQ(runCommandLine(p, p, {"/check", "/optimize", "/tweaks:none", "/quiet"}), 6);
    EXPECT_EQ(p.output, "系统常规优化：1 项不符（共 78 项，其中 76 个服务本机未安装）\r\n"
                        "  服务 Alerter：自动，应为 已禁用\r\n"
                        "检查完毕：有 1 项与要求不符，未作任何更改。 / Check: 1 not in place; "
                        "nothing was changed.\r\n");
    EXPECT_TRUE(p.launches.empty());

    p.services["Alerter"] = StartMode::Disabled;
    p.output.clear();
    EXPECT_EQ(runCommandLine(p, p, {"/check", "/optimize", "/tweaks:none", "/clean", "/quiet"}), 0);
    EXPECT_EQ(p.output, "系统常规优化：全部符合（78 项，其中 76 个服务本机未安装）\r\n"
                        "系统垃圾清理：没有可检查的设置\r\n"
                        "检查完毕：全部符合，未作任何更改。 / Check: everything is in place; "
                        "nothing was changed.\r\n");
}

TEST(CommandLinePreview, SwitchesThatDoNotMix) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"/whatif", "/check", "/optimize"},
          {"/whatif", "/export:C:\\out", "/optimize"},
          {"/check", "/undo"},
          {"/whatif"}}) {
        FakePlatform p;
        EXPECT_EQ(runCommandLine(p, p, args), 1) << args[0] << " " << args.size();
    }
}

// /optimize and /services: both set Themes: the machine keeps the second's
// mode, and that is what the check compares with.
TEST(CommandLinePreview, WhatALaterActionSetsAgainIsCheckedOnceByIt) {
    FakePlatform p;
    p.services["Themes"] = StartMode::Disabled;
    const std::vector<std::string> args = {"/check", "/optimize", "/tweaks:none",
                                           "/services:01111111111111111", "/quiet"};
    EXPECT_EQ(runCommandLine(p, p, args), 0) << p.output;
    EXPECT_EQ(p.output.find("Themes"), std::string::npos) << p.output;
    p.services["Themes"] = StartMode::Auto;
    p.output.clear();
    EXPECT_EQ(runCommandLine(p, p, args), 6);
    EXPECT_NE(p.output.find("详细服务优化：1 项不符"), std::string::npos) << p.output;
    EXPECT_NE(p.output.find("  服务 Themes：自动，应为 已禁用\r\n"), std::string::npos);
}

} // namespace
