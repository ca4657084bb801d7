// Undoing from the window: the list of snapshots, the question before an
// older one, the undo script run and waited for, and an outcome that says
// "undone" only when the machine is back as it was.
#include "actions/undo_plan.h"
#include "app/run_from_window.h"
#include "app/undo_from_window.h"
#include "fakes/fake_platform.h"
#include "fakes/reg_file.h"
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
        runFromWindow(sys, sys, plan);
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
    EXPECT_TRUE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
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
    EXPECT_FALSE(
        undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0)); // the script changed nothing
    const std::string bat = kRoot + "\\20240501-123005\\undo.bat";
    EXPECT_EQ(m.sys.notifications,
              Names{"撤销 2024-05-01 12:30:05 的“系统常规优化”未能全部完成，以下内容没有生效："
                    "\n\"C:\\WINDOWS\\system32\\sc.exe\" config   Spooler start= DEMAND"
                    "\n[HKEY_CLASSES_ROOT\\lnkfile]"
                    "\n文件 " +
                    kFile + "\n可以稍后再试，或以管理员身份运行 " + bat + "。"});
    EXPECT_EQ(undoableSnapshots(m.sys).size(), 1u);
}

TEST(UndoAction, AFileThatShouldNotBeThereIsNamedAsSuch) {
    Machine m;
    m.sys.files.erase(kFile);
    m.change("OEM信息", 5); // creates the file
    m.sys.notifications.clear();
    EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0)); // the script left it
    ASSERT_EQ(m.sys.notifications.size(), 1u);
    EXPECT_NE(m.sys.notifications[0].find("以下内容没有生效："), std::string::npos)
        << m.sys.notifications[0];
    EXPECT_NE(m.sys.notifications[0].find("\n文件 " + kFile + "（更改前没有这个文件，现在仍在）"),
              std::string::npos)
        << m.sys.notifications[0];
}

// Something more than the record holds is no less a difference: an
// attribute the file did not have.
TEST(UndoAction, AnAttributeMoreIsNamed) {
    Machine m;
    m.change("系统常规优化", 5);
    m.sys.scriptEffects["undo.bat"] = [](FakePlatform& sys) {
        sys.services["Spooler"] = StartMode::Demand;
        sys.registryKeys[kKey] = {kFlags};
        sys.files[kFile] = "old";
        sys.attributes[kFile] = kAttributeHidden;
    };
    m.sys.notifications.clear();
    EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
    ASSERT_EQ(m.sys.notifications.size(), 1u);
    EXPECT_NE(
        m.sys.notifications[0].find("\n\"C:\\WINDOWS\\system32\\attrib.exe\" +h \"" + kFile + "\""),
        std::string::npos)
        << m.sys.notifications[0];
}

TEST(UndoAction, AnOlderSnapshotAsksFirst) {
    Machine m;
    m.change("系统常规优化", 5);
    m.change("OEM信息", 9);
    m.undoWorks();
    m.sys.notifications.clear();
    m.sys.answers = {false, true};
    EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 1));
    EXPECT_EQ(m.sys.questions,
              Names{"在这次更改之后还有 1 次更改没有撤销，撤销这一次可能覆盖它们所作的设置。"
                    "是否继续？"});
    EXPECT_TRUE(m.sys.scriptRuns.empty());
    EXPECT_TRUE(m.sys.notifications.empty());

    EXPECT_TRUE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 1));
    EXPECT_EQ(m.sys.scriptRuns, Names{kRoot + "\\20240501-123005\\undo.bat"});
}

TEST(UndoAction, RefusedWithoutRightsWhileItsScriptRunsOrWhenTheScriptCannotStart) {
    Machine m;
    m.change("系统常规优化", 5);
    m.sys.admin = false;
    EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
    m.sys.admin = true;
    m.sys.running.insert("x.bat");
    EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_TRUE(m.sys.scriptRuns.empty());
    m.sys.running.clear();
    m.sys.runFailure = kErrorFileNotFound;
    m.sys.notifications.clear();
    EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_EQ(m.sys.notifications, Names{"无法运行撤销脚本 " + kRoot +
                                         "\\20240501-123005\\undo.bat：找不到指定的文件。"});
    EXPECT_EQ(undoableSnapshots(m.sys).size(), 1u);
}

// The Notepad verb creates *\shell when it is missing. Another program puts
// a verb of its own there afterwards: an undo takes away only what the
// change made, from the bottom up, and keeps *\shell with that verb.
struct VerbMachine {
    FakePlatform sys;
    const std::string classes = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*";
    const std::string shell = classes + "\\shell";
    const std::string verb = shell + "\\用\"记事本\"打开";
    const std::string scanner = shell + "\\扫描\\command";
    const RegistryValue notepad{"", 1, std::string("n\0\0\0", 4)};

    VerbMachine() {
        sys.registryKeys[classes] = {};
        Plan plan;
        plan.action = "系统常规优化";
        plan.scripts = {{"jsb.bat", {"del jsb.bat"}, ShowState::Hidden}};
        using K = RegistryChange::Kind;
        plan.registry = {{K::CreateKey, shell, ""},
                         {K::CreateKey, verb, ""},
                         {K::CreateKey, verb + "\\command", ""},
                         {K::SetValue, verb + "\\command", ""}};
        runFromWindow(sys, sys, plan);
        sys.registryKeys[shell] = {};
        sys.registryKeys[verb] = {};
        sys.registryKeys[verb + "\\command"] = {notepad};
        // undo.bat imports its undo.reg, as regedit would.
        sys.scriptEffects["undo.bat"] = [this](FakePlatform&) {
            std::string error;
            const std::string folder = kRoot + "\\20240501-123005";
            const auto ops = readRegFile(sys.files[folder + "\\undo.reg"], &error);
            ASSERT_TRUE(ops.has_value()) << error;
            applyRegOperations(sys, *ops);
        };
        sys.notifications.clear();
    }
};

TEST(UndoAction, KeysTheChangeCreatedGoOnlyWhenNothingElseIsLeftInThem) {
    {
        VerbMachine m;
        m.sys.registryKeys[m.shell + "\\扫描"] = {};
        m.sys.registryKeys[m.scanner] = {{"", 1, std::string("s\0\0\0", 4)}};
        EXPECT_TRUE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
        EXPECT_EQ(m.sys.notifications, Names{"已撤销 2024-05-01 12:30:05 的“系统常规优化”。"});
        EXPECT_EQ(m.sys.registryKeys.count(m.verb + "\\command"), 0u);
        EXPECT_EQ(m.sys.registryKeys.count(m.verb), 0u);
        ASSERT_EQ(m.sys.registryKeys.count(m.scanner), 1u);
        EXPECT_EQ(m.sys.registryKeys[m.scanner].size(), 1u);
        EXPECT_EQ(m.sys.registryKeys.count(m.shell), 1u);
    }
    {
        VerbMachine m; // nothing else came: *\shell goes too, after the keys below it
        EXPECT_TRUE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
        EXPECT_EQ(m.sys.registryKeys.count(m.shell), 0u);
        std::vector<std::string> deleted;
        for (const std::string& e : m.sys.events)
            if (e.rfind("delete key ", 0) == 0)
                deleted.push_back(e.substr(11));
        EXPECT_EQ(deleted, (Names{m.verb + "\\command", m.verb, m.shell}));
    }
    {
        VerbMachine m; // another program wrote into the verb's key: the key stays, and says so
        m.sys.registryKeys[m.verb].push_back({"Extended", 1, std::string("\0\0", 2)});
        EXPECT_TRUE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
        EXPECT_EQ(m.sys.registryKeys.count(m.verb + "\\command"), 0u);
        EXPECT_EQ(m.sys.registryKeys[m.verb].size(), 1u);
    }
    {
        VerbMachine m; // the command stays: named as not back
        m.sys.scriptEffects.clear();
        EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
        ASSERT_EQ(m.sys.notifications.size(), 1u);
        EXPECT_NE(m.sys.notifications[0].find("\n[" + m.verb + "\\command]"), std::string::npos)
            << m.sys.notifications[0];
    }
}

// What the check finds about the keys the change created and a key that was
// there before: a created key left empty, a key that is gone.
TEST(UndoAction, AKeyLeftEmptyOrAKeyThatWasThereBeforeAndIsGoneIsNamed) {
    {
        VerbMachine m;
        m.sys.keyDeleteFailures[m.shell] = kErrorAccessDenied;
        EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
        ASSERT_EQ(m.sys.notifications.size(), 1u);
        EXPECT_NE(
            m.sys.notifications[0].find("\n注册表项 " + m.shell + "（这次更改新建，现在是空的）"),
            std::string::npos)
            << m.sys.notifications[0];
    }
    {
        VerbMachine m;
        m.sys.scriptEffects["undo.bat"] = [&m](FakePlatform&) { // as a whole-key deletion would
            m.sys.registryKeys.erase(m.verb + "\\command");
            m.sys.registryKeys.erase(m.verb);
            m.sys.registryKeys.erase(m.shell);
            m.sys.registryKeys.erase(m.classes);
        };
        EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
        ASSERT_EQ(m.sys.notifications.size(), 1u);
        EXPECT_NE(m.sys.notifications[0].find("\n注册表项 " + m.classes + "（更改前就有）"),
                  std::string::npos)
            << m.sys.notifications[0];
    }
}

} // namespace
