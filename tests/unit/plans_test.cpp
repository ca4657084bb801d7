// Each action's plan, built from its inputs alone: no window, no fakes. What a
// plan says it changes must be what its scripts change. Which scripts each
// choice in the window runs, and behind which guards, is script_actions_test's.
#include "actions/logo_replacement.h"
#include "actions/oem_values.h"
#include "actions/per_service.h"
#include "actions/restore_defaults.h"
#include "actions/routine_optimisation.h"
#include "fixture_file.h"
#include "oem_machine_names.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Names = std::vector<std::string>;

std::string bytesOf(const Plan& plan, const std::string& script) {
    for (const PlannedScript& s : plan.scripts)
        if (s.name == script)
            return scriptBytes(s.lines).value_or("(not GBK)");
    return "(no " + script + ")";
}

const char* modeWord(StartMode mode) {
    switch (mode) {
    case StartMode::Auto:
        return "AUTO";
    case StartMode::Demand:
        return "DEMAND";
    case StartMode::Disabled:
        return "DISABLED";
    default:
        return "?";
    }
}

// "Service MODE" for each "sc config" line of a hand-written fixture.
Names fixtureModes(const std::string& script) {
    Names modes;
    for (const std::string& line : fixtureLines(script)) {
        std::istringstream words(line);
        std::string sc, config, service, start, mode;
        if (words >> sc >> config >> service >> start >> mode && sc == "sc")
            modes.push_back(service + " " + mode);
    }
    return modes;
}

Names planModes(const Plan& plan) {
    Names modes;
    for (const ServiceChange& c : plan.services)
        modes.push_back(c.service + " " + modeWord(c.mode));
    return modes;
}

TEST(OptimisationPlan, TheServicesItSetsAreTheLinesOfItsScripts) {
    EXPECT_EQ(planModes(morenyouhua({true, true, true})), fixtureModes("fwyh.bat"));
    ServiceChoices on;
    on.fill(1);
    EXPECT_EQ(planModes(perServicePlan(on, true, true)), fixtureModes("xiangxi.bat-on"));
    const Plan restore = restoreDefaultsPlan();
    EXPECT_EQ(scriptNames(restore), Names{"huifu.bat"});
    expectScriptBytes("huifu.bat", bytesOf(restore, "huifu.bat"));
    EXPECT_EQ(planModes(restore), fixtureModes("huifu.bat"));
    EXPECT_EQ(restore.successText, std::optional<std::string>("系统服务已经恢复为默认"));
    EXPECT_TRUE(restore.registry.empty());
}

TEST(OptimisationPlan, EachTweakNamesTheRegistryItChanges) {
    const auto keysOf = [](const Plan& plan, RegistryChange::Kind kind) {
        Names keys;
        for (const RegistryChange& c : plan.registry)
            if (c.kind == kind)
                keys.push_back(c.key + (c.value.empty() ? "" : "\\" + c.value));
        return keys;
    };
    EXPECT_TRUE(morenyouhua({false, false, false}).registry.empty());
    const Plan shortcuts = morenyouhua({true, false, false});
    EXPECT_EQ(keysOf(shortcuts, RegistryChange::Kind::DeleteValue),
              (Names{"HKEY_CLASSES_ROOT\\lnkfile\\IsShortcut",
                     "HKEY_CLASSES_ROOT\\piffile\\IsShortcut"}));
    EXPECT_EQ(keysOf(morenyouhua({false, false, true}), RegistryChange::Kind::DeleteKey),
              Names{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                    "MyComputer\\NameSpace\\DelegateFolders\\{59031a47-3f72-44a7-89c5-"
                    "5595fe6b30ee}"});
    const Names created =
        keysOf(morenyouhua({false, true, false}), RegistryChange::Kind::CreateKey);
    ASSERT_FALSE(created.empty());
    EXPECT_EQ(created.back(), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\用\"记事本\"打开\\"
                              "command");
}

TEST(OemValuesPlan, TheFileAndTheTwoValuesWithWhatTheyChange) {
    CurrentFile current;
    current.bytes = fixture("oem/gbk_support.ini");
    const Plan plan = oemValuesPlan({"张三", "新公司", "宏碁", "型号X"}, "C:\\WINDOWS", current);
    EXPECT_FALSE(plan.refusal.has_value());
    EXPECT_TRUE(plan.scripts.empty());
    ASSERT_EQ(plan.fileWrites.size(), 1u);
    EXPECT_EQ(plan.fileWrites[0].path, kIni);
    EXPECT_EQ(plan.fileWrites[0].bytes, fixture("oem/gbk_support_applied.ini"));
    EXPECT_EQ(plan.files, Names{kIni});
    ASSERT_EQ(plan.registryWrites.size(), 2u);
    EXPECT_EQ(plan.registryWrites[0].fullName, kOrg);
    EXPECT_EQ(plan.registryWrites[0].data, "新公司");
    EXPECT_EQ(plan.registryWrites[1].fullName, kOwner);
    EXPECT_EQ(plan.registryWrites[1].data, "张三");
    ASSERT_EQ(plan.registry.size(), 2u);
    EXPECT_EQ(plan.registry[1].key + "\\" + plan.registry[1].value, kOwner);
    EXPECT_EQ(plan.registry[1].kind, RegistryChange::Kind::SetValue);
}

TEST(OemValuesPlan, AFileThatCannotBeReadIsLeftAloneAndSaidSo) {
    CurrentFile locked;
    locked.readError = kErrorSharingViolation;
    const Plan plan = oemValuesPlan({"a", "b", "c", "d"}, "C:\\WINDOWS", locked);
    EXPECT_TRUE(plan.fileWrites.empty());
    EXPECT_TRUE(plan.files.empty());
    ASSERT_EQ(plan.knownFailures.size(), 1u);
    EXPECT_NE(plan.knownFailures[0].find("无法读取"), std::string::npos);
    EXPECT_EQ(plan.registryWrites.size(), 2u); // the values are still written

    CurrentFile missing;
    missing.readError = kErrorFileNotFound;
    const Plan fresh = oemValuesPlan({"a", "b", "c", "d"}, "C:\\WINDOWS", missing);
    ASSERT_EQ(fresh.fileWrites.size(), 1u);
    EXPECT_EQ(fresh.fileWrites[0].bytes, "[General]\r\nManufacturer=c\r\nModel=d\r\n");
}

TEST(OemValuesPlan, TextThatGbkCannotHoldRefusesEverything) {
    const Plan plan = oemValuesPlan({"", "", "삼성", "X"}, "C:\\WINDOWS", CurrentFile{});
    ASSERT_TRUE(plan.refusal.has_value());
    EXPECT_EQ(*plan.refusal, "“制造商”中含有无法用 GBK 编码保存的字符，OEM信息未作任何修改。");
    EXPECT_TRUE(plan.fileWrites.empty());
    EXPECT_TRUE(plan.registryWrites.empty());
}

TEST(LogoPlan, OneHiddenCopyScriptThatReplacesTheLogo) {
    const Plan plan = logoPlan("C:\\My Windows", "C:\\\\logo.bmp");
    ASSERT_EQ(plan.scripts.size(), 1u);
    EXPECT_EQ(plan.scripts[0].name, "fuzhi.bat");
    EXPECT_EQ(plan.scripts[0].show, ShowState::Hidden);
    EXPECT_EQ(scriptBytes(plan.scripts[0].lines), fixture("oem/fuzhi_blank_windir.bat"));
    EXPECT_EQ(plan.files, Names{"C:\\My Windows\\system32\\oemlogo.bmp"});
    EXPECT_FALSE(plan.successText.has_value());
}

} // namespace
