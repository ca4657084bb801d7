// What the runner's result says, as the front ends read it: the window turns
// it into its question and message box, the command line into its lines and
// exit code. The runner itself asks and tells no one.
#include "actions/action_runner.h"
#include "actions/junk_cleanup.h"
#include "actions/restore_defaults.h"
#include "actions/undo_plan.h"
#include "app/run_from_window.h"
#include "fakes/fake_platform.h"
#include "services/system_guard.h"
#include "undo/snapshot_store.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

const WindowsVersion kWindows7{6, 1, 7601, false};

// What the change claim was taken for, each time ("claim <what> <lock file>").
Names claims(const FakePlatform& sys) {
    Names found;
    for (const std::string& e : sys.events)
        if (e.rfind("claim ", 0) == 0)
            found.push_back(e.substr(6, e.find(" " + sys.commonData) - 6));
    return found;
}

TEST(ActionRunner, OnAnotherWindowsAServicePlanWaitsForItsQuestionToBeAnswered) {
    FakePlatform sys;
    sys.version = kWindows7;
    const ActionResult asked = runPlan(sys, restoreDefaultsPlan());
    EXPECT_EQ(asked.outcome, RunOutcome::Refused);
    EXPECT_EQ(asked.reason, RefusalReason::NeedsConfirmation);
    EXPECT_EQ(asked.message, otherSystemQuestion(kWindows7));
    EXPECT_TRUE(sys.events.empty()); // no claim, no record, no script
    EXPECT_TRUE(sys.questions.empty());

    RunOptions confirmed;
    confirmed.confirmed = true;
    const ActionResult ran = runPlan(sys, restoreDefaultsPlan(), confirmed);
    EXPECT_EQ(ran.outcome, RunOutcome::Done);
    EXPECT_EQ(ran.reason, RefusalReason::None);
    EXPECT_EQ(ran.message, "系统服务已经恢复为默认");
    EXPECT_EQ(sys.launchedNames(), Names{"huifu.bat"});
    EXPECT_TRUE(sys.questions.empty());
}

TEST(ActionRunner, AListRunsWholeOrNotAtAll) {
    const std::vector<Plan> plans = {junkCleanupPlan("C:\\WINDOWS"), restoreDefaultsPlan()};
    FakePlatform refused;
    refused.admin = false; // the cleanup needs no rights, the restore does
    const RunResult none = runPlans(refused, plans, {});
    ASSERT_EQ(none.actions.size(), 1u);
    EXPECT_EQ(none.actions[0].action, "恢复默认服务");
    EXPECT_EQ(none.actions[0].outcome, RunOutcome::Refused);
    EXPECT_EQ(none.actions[0].reason, RefusalReason::NeedsAdministrator);
    EXPECT_TRUE(refused.events.empty());

    FakePlatform admin;
    const RunResult both = runPlans(admin, plans, {});
    ASSERT_EQ(both.actions.size(), 2u);
    EXPECT_EQ(both.actions[0].action, "系统垃圾清理");
    EXPECT_EQ(both.actions[1].action, "恢复默认服务");
    EXPECT_EQ(admin.launchedNames(), (Names{"xtql.bat", "huifu.bat"}));
}

TEST(ActionRunner, TheClaimIsTakenUnderTheCallersNameOrTheActionsAndNotForTheCleanup) {
    {
        FakePlatform sys;
        RunOptions options;
        options.claimAs = "从命令行启动的“恢复默认服务”";
        runPlan(sys, restoreDefaultsPlan(), options);
        EXPECT_EQ(claims(sys), Names{"从命令行启动的“恢复默认服务”"});
        EXPECT_FALSE(sys.claimed); // given up: no script runs any more
    }
    {
        FakePlatform sys;
        runPlans(sys, {restoreDefaultsPlan(), restoreDefaultsPlan()}, {});
        EXPECT_EQ(claims(sys), Names{"“恢复默认服务、恢复默认服务”"});
    }
    {
        FakePlatform sys;
        EXPECT_EQ(runPlan(sys, junkCleanupPlan("C:\\WINDOWS")).outcome, RunOutcome::Done);
        EXPECT_TRUE(claims(sys).empty());
        EXPECT_EQ(sys.launchedNames(), Names{"xtql.bat"});
    }
    {
        // Another change holds the machine: the result names it.
        FakePlatform sys;
        sys.otherChange = "从命令行启动的“系统常规优化”";
        const ActionResult result = runPlan(sys, restoreDefaultsPlan());
        EXPECT_EQ(result.reason, RefusalReason::ChangeGoing);
        EXPECT_EQ(result.detail, sys.otherChange);
        EXPECT_TRUE(sys.launches.empty());
    }
}

TEST(ActionRunner, WaitedForAScriptThatChangedNothingLeavesLinesNotInPlace) {
    Plan plan;
    plan.action = "测试";
    plan.scripts = {
        {"s.bat", {"sc config   Spooler start= DISABLED", "del s.bat"}, ShowState::Hidden}};
    plan.services = {{"Spooler", StartMode::Disabled}, {"Absent", StartMode::Disabled}};
    plan.successText = "好";
    RunOptions wait;
    wait.waitForScripts = true;

    FakePlatform blocked; // sc changes nothing here
    blocked.services["Spooler"] = StartMode::Demand;
    const ActionResult left = runPlan(blocked, plan, wait);
    EXPECT_EQ(blocked.waitedFor, Names{"s.bat"});
    EXPECT_EQ(left.outcome, RunOutcome::Done);
    EXPECT_FALSE(left.done());
    ASSERT_EQ(left.notInPlace.size(), 1u);
    EXPECT_NE(left.notInPlace[0].find("Spooler"), std::string::npos) << left.notInPlace[0];
    EXPECT_EQ(left.notInstalled, Names{"Absent"});

    FakePlatform working;
    working.services["Spooler"] = StartMode::Demand;
    working.scSetsServices = true;
    const ActionResult inPlace = runPlan(working, plan, wait);
    EXPECT_TRUE(inPlace.done());
    EXPECT_EQ(inPlace.notInstalled, Names{"Absent"});

    // Not waited for, nothing is read back.
    FakePlatform unwaited;
    unwaited.services["Spooler"] = StartMode::Demand;
    const ActionResult handedOver = runPlan(unwaited, plan);
    EXPECT_TRUE(unwaited.waitedFor.empty());
    EXPECT_TRUE(handedOver.done());
}

TEST(ActionRunner, AnUndoOfARecordUndoneMeanwhileRunsNothing) {
    FakePlatform sys;
    sys.services["Spooler"] = StartMode::Demand;
    Plan change;
    change.action = "系统常规优化";
    change.scripts = {{"x.bat", {"del x.bat"}, ShowState::Hidden}};
    change.services = {{"Spooler", StartMode::Disabled}};
    for (int second : {5, 9}) {
        sys.now.second = second;
        ASSERT_EQ(runPlan(sys, change).outcome, RunOutcome::Done);
    }

    // The dialog lists the records; someone else undoes the newest before
    // "撤销". The older one is not undone in its place.
    const std::vector<SnapshotEntry> listed = undoableSnapshots(sys);
    ASSERT_EQ(listed.size(), 2u);
    const Plan undo = undoPlan(listed, 0);
    ASSERT_EQ(markUndone(sys, listed[0]), 0u);

    const ActionResult result = runPlan(sys, undo);
    EXPECT_EQ(result.outcome, RunOutcome::Refused);
    EXPECT_EQ(result.reason, RefusalReason::RecordGone);
    EXPECT_TRUE(sys.scriptRuns.empty());
    EXPECT_TRUE(sys.everHeld.empty());
    EXPECT_FALSE(sys.claimed);
    EXPECT_EQ(undoableSnapshots(sys).size(), 1u);
}

TEST(RunFromWindow, TheQuestionIsAskedOnceNoChangesNothingYesRunsOnce) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        FakePlatform sys;
        sys.version = kWindows7;
        sys.answers = {yes};
        const RunOutcome outcome = runFromWindow(sys, sys, restoreDefaultsPlan());
        EXPECT_EQ(sys.questions, Names{otherSystemQuestion(kWindows7)});
        if (yes) {
            EXPECT_EQ(outcome, RunOutcome::Done);
            EXPECT_EQ(sys.launchedNames(), Names{"huifu.bat"});
            EXPECT_EQ(sys.notifications, Names{"系统服务已经恢复为默认"});
        } else {
            EXPECT_EQ(outcome, RunOutcome::Refused);
            EXPECT_EQ(sys.events, Names{"ask " + otherSystemQuestion(kWindows7)});
        }
    }
}

} // namespace
