// Undoing from the window: the list of snapshots, the question before an
// older one, the undo script run and waited for, and an outcome that says
// "undone" only when the machine is back as it was.
#include "fakes/fake_platform.h"
#include "script/plan_runner.h"
#include "undo/undo_action.h"
#include "undo/undo_recorder.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

const std::string kRoot = "C:\\Documents and Settings\\All Users\\Application Data\\Velkor\\undo";
const std::string kKey = "HKEY_CLASSES_ROOT\\lnkfile";
const std::string kFile = "C:\\WINDOWS\\system32\\oeminfo.ini";
const RegistryValue kFlags{"EditFlags", 4, std::string("\x22\0\0\0", 4)};

struct Machine {
    FakePlatform sys;
    Machine() {
        sys.services["Spooler"] = StartMode::Demand;
        sys.registryKeys[kKey] = {kFlags};
        sys.files[kFile] = "old";
    }
    // An action that changes a service, a value and a file, at `second`.
    void change(const std::string& action, int second) {
        Plan plan;
        plan.action = action;
        plan.scripts = {{"x.bat", {"del x.bat"}, ShowState::Hidden}};
        plan.services = {{"Spooler", StartMode::Disabled}};
        plan.registry = {{RegistryChange::Kind::SetValue, kKey, "EditFlags"}};
        plan.files = {kFile};
        sys.now.second = second;
        runPlan(sys, plan, [this](const Plan& p) { return saveUndoSnapshot(sys, p); });
        // What the action's script would do.
        sys.services["Spooler"] = StartMode::Disabled;
        sys.registryKeys[kKey] = {{"EditFlags", 4, std::string("\x01\0\0\0", 4)}};
        sys.files[kFile] = "new";
    }
    // What undo.bat does when it works.
    void undoWorks() {
        sys.scriptEffects["undo.bat"] = [this](FakePlatform&) {
            sys.services["Spooler"] = StartMode::Demand;
            sys.registryKeys[kKey] = {kFlags};
            sys.files[kFile] = "old";
        };
    }
};

TEST(UndoAction, TheListIsNewestFirstWithTimeAndActionAndSkipsWhatIsUndoneForeignOrUnrecorded) {
    Machine m;
    m.change("系统常规优化", 5);
    m.change("OEM信息", 9);
    m.sys.folders.insert(kRoot + "\\~20240501-123010-1"); // being written
    m.sys.folders.insert(kRoot + "\\notes");
    m.sys.folders.insert(kRoot + "\\20240501-123010-x"); // not a name the program gives
    m.sys.files[kRoot + "\\20240501-123010-x\\action.txt"] = "x\r\n";
    // Put there by someone else: named as the program names them, not recorded.
    m.sys.folders.insert(kRoot + "\\20240501-123011");
    m.sys.files[kRoot + "\\20240501-123011\\action.txt"] = "x\r\n";
    m.sys.files[kRoot + "\\20240501-123011\\undo.bat"] = "format c:\r\n";
    const std::vector<SnapshotEntry> list = undoableSnapshots(m.sys);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(snapshotLabel(list[0]), "2024-05-01 12:30:09  OEM信息");
    EXPECT_EQ(snapshotLabel(list[1]), "2024-05-01 12:30:05  系统常规优化");
    EXPECT_EQ(list[1].folder, kRoot + "\\20240501-123005");
}

TEST(UndoAction, UndoingRunsTheScriptChecksTheMachineAndMarksIt) {
    Machine m;
    m.change("系统常规优化", 5);
    m.undoWorks();
    m.sys.notifications.clear();
    EXPECT_TRUE(undoSnapshot(m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_EQ(m.sys.scriptRuns, Names{kRoot + "\\20240501-123005\\undo.bat"});
    EXPECT_EQ(m.sys.notifications, Names{"已撤销 2024-05-01 12:30:05 的“系统常规优化”。"});
    EXPECT_TRUE(m.sys.questions.empty());
    EXPECT_EQ(m.sys.files.count(kRoot + "\\20240501-123005\\undone.txt"), 1u);
    EXPECT_TRUE(undoableSnapshots(m.sys).empty()); // not offered again
}

TEST(UndoAction, WhatDidNotComeBackIsNamedAndTheSnapshotStaysOffered) {
    Machine m;
    m.change("系统常规优化", 5);
    m.sys.notifications.clear();
    EXPECT_FALSE(undoSnapshot(m.sys, undoableSnapshots(m.sys), 0)); // the script changed nothing
    const std::string bat = kRoot + "\\20240501-123005\\undo.bat";
    EXPECT_EQ(m.sys.notifications,
              Names{"撤销 2024-05-01 12:30:05 的“系统常规优化”未能全部完成，以下内容没有生效："
                    "\nsc config   Spooler start= DEMAND"
                    "\n[HKEY_CLASSES_ROOT\\lnkfile]"
                    "\n文件 " +
                    kFile + "\n可以稍后再试，或以管理员身份运行 " + bat + "。"});
    EXPECT_EQ(undoableSnapshots(m.sys).size(), 1u);
}

TEST(UndoAction, AnOlderSnapshotAsksFirst) {
    Machine m;
    m.change("系统常规优化", 5);
    m.change("OEM信息", 9);
    m.undoWorks();
    m.sys.notifications.clear();
    m.sys.answers = {false, true};
    EXPECT_FALSE(undoSnapshot(m.sys, undoableSnapshots(m.sys), 1));
    EXPECT_EQ(m.sys.questions,
              Names{"在这次更改之后还有 1 次更改没有撤销，撤销这一次可能覆盖它们所作的设置。"
                    "是否继续？"});
    EXPECT_TRUE(m.sys.scriptRuns.empty());
    EXPECT_TRUE(m.sys.notifications.empty());

    EXPECT_TRUE(undoSnapshot(m.sys, undoableSnapshots(m.sys), 1));
    EXPECT_EQ(m.sys.scriptRuns, Names{kRoot + "\\20240501-123005\\undo.bat"});
}

TEST(UndoAction, RefusedWithoutRightsWhileItsScriptRunsOrWhenTheScriptCannotStart) {
    Machine m;
    m.change("系统常规优化", 5);
    m.sys.admin = false;
    EXPECT_FALSE(undoSnapshot(m.sys, undoableSnapshots(m.sys), 0));
    m.sys.admin = true;
    m.sys.running.insert("x.bat");
    EXPECT_FALSE(undoSnapshot(m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_TRUE(m.sys.scriptRuns.empty());
    m.sys.running.clear();
    m.sys.runFailure = kErrorFileNotFound;
    m.sys.notifications.clear();
    EXPECT_FALSE(undoSnapshot(m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_EQ(m.sys.notifications, Names{"无法运行撤销脚本 " + kRoot +
                                         "\\20240501-123005\\undo.bat：找不到指定的文件。"});
    EXPECT_EQ(undoableSnapshots(m.sys).size(), 1u);
}

} // namespace
