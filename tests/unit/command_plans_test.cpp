// From switches to plans: the command line builds the plans the window builds,
// in a fixed order, with the cleanup that waits for no key, the OEM values
// not given left alone, and the logo to check afterwards.
#include "actions/junk_cleanup.h"
#include "actions/logo_replacement.h"
#include "actions/per_service.h"
#include "actions/restore_defaults.h"
#include "actions/routine_optimisation.h"
#include "cli/command_plans.h"
#include "fakes/fake_platform.h"
#include "fixture_file.h"
#include "oem_machine_names.h"
#include "platform/cp936.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

CommandPlans plansFor(FakePlatform& machine, const std::vector<std::string>& args) {
    const ParsedCommandLine parsed = parseCommandLine(args);
    EXPECT_FALSE(parsed.error.has_value()) << *parsed.error;
    return planCommandLine(machine, parsed.line);
}

std::vector<Plan> plansOf(const std::vector<std::string>& args) {
    FakePlatform machine;
    const CommandPlans plans = plansFor(machine, args);
    EXPECT_FALSE(plans.error.has_value()) << *plans.error;
    std::vector<Plan> result;
    for (const Plan& action : plans.actions)
        result.push_back(action);
    return result;
}

Names actionsOf(const std::vector<Plan>& plans) {
    Names names;
    for (const Plan& plan : plans)
        names.push_back(plan.action);
    return names;
}

// The plan the window would run, byte for byte; from the command line it
// always asks for administrator rights.
void expectWindowsPlan(const Plan& actual, const Plan& window) {
    EXPECT_EQ(actual.action, window.action);
    ASSERT_EQ(scriptNames(actual), scriptNames(window));
    for (size_t i = 0; i < actual.scripts.size(); ++i) {
        EXPECT_EQ(scriptBytes(actual.scripts[i].lines), scriptBytes(window.scripts[i].lines))
            << actual.scripts[i].name;
        EXPECT_EQ(actual.scripts[i].show, window.scripts[i].show) << actual.scripts[i].name;
    }
    EXPECT_EQ(actual.services.size(), window.services.size());
    EXPECT_EQ(actual.registry.size(), window.registry.size());
    EXPECT_EQ(actual.files, window.files);
    EXPECT_EQ(actual.successText, window.successText);
    EXPECT_EQ(actual.ifStillRunning, window.ifStillRunning);
    EXPECT_TRUE(actual.needsAdministrator);
}

ServiceChoices choices(const std::string& digits) {
    ServiceChoices c{};
    for (size_t i = 0; i < c.size(); ++i)
        c[i] = digits[i] == '1';
    return c;
}

TEST(CommandPlans, TheRoutineOptimisationWithTheTweaksAsChosen) {
    expectWindowsPlan(plansOf({"/optimize"}).at(0), morenyouhua({true, true, true}));
    expectWindowsPlan(plansOf({"/optimize", "/tweaks:notepad,arrow"}).at(0),
                      morenyouhua({true, true, false}));
    expectWindowsPlan(plansOf({"/optimize", "/tweaks:none"}).at(0),
                      morenyouhua({false, false, false}));
    expectWindowsPlan(plansOf({"/restore"}).at(0), restoreDefaultsPlan());
}

TEST(CommandPlans, PerServiceWithTheTweaksOnlyWhereTheOptimisationDoesNotApplyThem) {
    const std::string digits = "10110011101001101";
    const ServiceChoices c = choices(digits);
    expectWindowsPlan(plansOf({"/services:" + digits}).at(0), perServicePlan(c, true, true));
    expectWindowsPlan(plansOf({"/services:" + digits, "/tweaks:shareddocs"}).at(0),
                      perServicePlan(c, false, true));
    const std::vector<Plan> both = plansOf({"/services:" + digits, "/optimize"});
    ASSERT_EQ(both.size(), 2u);
    expectWindowsPlan(both[0], morenyouhua({true, true, true}));
    expectWindowsPlan(both[1], perServicePlan(c, false, false));
}

TEST(CommandPlans, TheCleanupWaitsForNoKeyAndIsHiddenWhenQuiet) {
    const Plan shown = plansOf({"/clean"}).at(0);
    ASSERT_EQ(shown.scripts.size(), 1u);
    expectScriptBytes("xtql.bat-unattended", *scriptBytes(shown.scripts[0].lines));
    EXPECT_EQ(shown.scripts[0].show, ShowState::Visible);
    EXPECT_EQ(shown.ifStillRunning, IfStillRunning::Refuse);
    EXPECT_EQ(plansOf({"/clean", "/quiet"}).at(0).scripts.at(0).show, ShowState::Hidden);
    // The window's script keeps its wait for a key.
    expectScriptBytes("xtql.bat", *scriptBytes(junkCleanupPlan("C:\\WINDOWS").scripts.at(0).lines));
}

TEST(CommandPlans, ActionsRunInAFixedOrderWhateverTheOrderOfTheSwitches) {
    FakePlatform machine;
    machine.files["C:\\a.bmp"] = "BM";
    const CommandPlans plans = plansFor(machine, {"/logo:C:\\a.bmp", "/clean", "/owner:x",
                                                  "/services:11111111111111111", "/restore"});
    ASSERT_FALSE(plans.error.has_value());
    std::vector<Plan> p;
    for (const Plan& a : plans.actions)
        p.push_back(a);
    EXPECT_EQ(actionsOf(p),
              (Names{"恢复默认服务", "详细服务优化", "系统垃圾清理", "OEM信息", "OEM LOGO"}));
    for (const Plan& plan : p)
        EXPECT_TRUE(plan.needsAdministrator) << plan.action;
    EXPECT_EQ(machine.events, Names{}); // planning wrote nothing
}

TEST(CommandPlans, OemValuesNotGivenKeepWhatTheMachineHolds) {
    FakePlatform machine;
    machine.files[kIni] = fixture("oem/gbk_support.ini");
    machine.registry[kOwner] = "王小明";
    machine.registry[kOrg] = "示例公司";

    // The owner alone: only its value is written; the file stays untouched.
    const Plan owner = plansFor(machine, {"/owner:张三"}).actions.at(0);
    ASSERT_EQ(owner.registryWrites.size(), 1u);
    EXPECT_EQ(owner.registryWrites[0].fullName, kOwner);
    EXPECT_EQ(owner.registryWrites[0].data, "张三");
    ASSERT_EQ(owner.registry.size(), 1u);
    EXPECT_EQ(owner.registry[0].value, "RegisteredOwner");
    EXPECT_TRUE(owner.fileWrites.empty());
    EXPECT_TRUE(owner.files.empty());
    EXPECT_EQ(owner.successText, std::optional<std::string>("OEM信息已经更新"));

    // Both file values: the file as the window writes it, no registry value.
    const Plan file = plansFor(machine, {"/manufacturer:宏碁", "/model:型号X"}).actions.at(0);
    ASSERT_EQ(file.fileWrites.size(), 1u);
    EXPECT_EQ(file.fileWrites[0].bytes, fixture("oem/gbk_support_applied.ini"));
    EXPECT_EQ(file.files, Names{kIni});
    EXPECT_TRUE(file.registryWrites.empty());
    EXPECT_TRUE(file.registry.empty());

    // The model alone keeps the manufacturer the file holds.
    const Plan model = plansFor(machine, {"/model:型号X"}).actions.at(0);
    ASSERT_EQ(model.fileWrites.size(), 1u);
    const std::string kept = *toCp936("Manufacturer=联想");
    EXPECT_NE(model.fileWrites[0].bytes.find(kept + "\r\n"), std::string::npos);
    EXPECT_NE(model.fileWrites[0].bytes.find(*toCp936("Model=型号X") + "\r\n"), std::string::npos);
}

TEST(CommandPlans, TheLogoIsCheckedAgainstTheChosenFileAfterTheCopy) {
    FakePlatform machine;
    machine.files["D:\\logos\\blue.bmp"] = "BM blue";
    const CommandPlans plans = plansFor(machine, {"/logo:D:\\logos\\blue.bmp"});
    ASSERT_FALSE(plans.error.has_value());
    const Plan& logo = plans.actions.at(0);
    expectWindowsPlan(logo, logoPlan("C:\\WINDOWS", "D:\\logos\\blue.bmp"));
    ASSERT_EQ(logo.expectedFiles.size(), 1u);
    EXPECT_EQ(logo.expectedFiles[0].path, kLogo);
    EXPECT_EQ(logo.expectedFiles[0].bytes, "BM blue");

    FakePlatform empty;
    const CommandPlans missing = plansFor(empty, {"/logo:D:\\nope.bmp"});
    ASSERT_TRUE(missing.error.has_value());
    EXPECT_NE(missing.error->find("“D:\\nope.bmp”不是一个存在的文件"), std::string::npos);
}

} // namespace
