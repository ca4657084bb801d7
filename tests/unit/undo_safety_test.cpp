// The way back is as safe as the way forward: the program's folder is never
// one that someone else made, an undo runs only the files the program wrote
// and holds them while it runs, one change goes on at a time on the machine,
// the files are recorded as the native system has them, the records are on
// the disk before the change and ordered by the program's own count, and a
// record that cannot be undone blocks no other.
#include "app/form1.h"
#include "app/run_from_window.h"
#include "app/undo_from_window.h"
#include "cli/command_line.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "undo/program_folder.h"
#include "undo/sha256.h"
#include "undo/snapshot_record.h"
#include "undo/undo_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::string>;

const std::string kVelkor = "C:\\Documents and Settings\\All Users\\Application Data\\Velkor";
const std::string kRoot = kVelkor + "\\undo";
const std::string kFirst = kRoot + "\\20240501-123005";
const std::string kLock = kVelkor + "\\change.lock";
const std::string kKey = "HKEY_CLASSES_ROOT\\lnkfile";
const std::string kFile = "C:\\WINDOWS\\system32\\oeminfo.ini";
const RegistryValue kFlags{"EditFlags", 4, std::string("\x22\0\0\0", 4)};

bool says(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A machine with a service, a value and a file that an action changes.
struct Machine {
    FakePlatform sys;
    Machine() {
        sys.services["Spooler"] = StartMode::Demand;
        sys.registryKeys[kKey] = {kFlags};
        sys.files[kFile] = "old";
    }
    RunOutcome change(const std::string& action) {
        Plan plan;
        plan.action = action;
        plan.scripts = {{"x.bat", {"del x.bat"}, ShowState::Hidden}};
        plan.services = {{"Spooler", StartMode::Disabled}};
        plan.registry = {{RegistryChange::Kind::SetValue, kKey, "EditFlags"}};
        plan.files = {kFile};
        const RunOutcome outcome = runFromWindow(sys, sys, plan);
        sys.releaseChange();
        sys.services["Spooler"] = StartMode::Disabled;
        sys.registryKeys[kKey] = {{"EditFlags", 4, std::string("\x01\0\0\0", 4)}};
        sys.files[kFile] = "new";
        return outcome;
    }
    void undoWorks() {
        sys.scriptEffects["undo.bat"] = [this](FakePlatform&) {
            sys.services["Spooler"] = StartMode::Demand;
            sys.registryKeys[kKey] = {kFlags};
            sys.files[kFile] = "old";
        };
    }
};

// --- SHA-256 against the published vectors and a second implementation ----

TEST(Sha256, KnownVectors) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    // Where the padding takes one block or two.
    EXPECT_EQ(sha256Hex(std::string(55, 'a')),
              "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
    EXPECT_EQ(sha256Hex(std::string(56, 'a')),
              "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
    EXPECT_EQ(sha256Hex(std::string(64, 'a')),
              "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
    std::string bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes += static_cast<char>(b);
    EXPECT_EQ(sha256Hex(bytes), "f3a25aa93aa2fbba28d79260535bbd6a5eb0fc1c24a8b0f04e12b484c1dfe363");
    EXPECT_EQ(sha256("abc").size(), 32u);
}

TEST(SnapshotRecord, TextAndBack) {
    const SnapshotRecord record{
        "系统常规优化", 12, {{"undo.bat", "ab"}, {"saved-1-a b.ini", "cd"}}};
    const std::string text = recordText(record);
    EXPECT_EQ(text,
              "系统常规优化\r\nsequence 12\r\nsha256 undo.bat ab\r\nsha256 saved-1-a b.ini cd");
    const SnapshotRecord back = parseRecord(text);
    EXPECT_EQ(back.action, record.action);
    EXPECT_EQ(back.sequence, 12u);
    EXPECT_EQ(back.digests, record.digests);
    // A registration of an earlier version: the action alone.
    const SnapshotRecord old = parseRecord("OEM信息");
    EXPECT_EQ(old.action, "OEM信息");
    EXPECT_EQ(old.sequence, 0u);
    EXPECT_TRUE(old.digests.empty());
}

// --- The program's folder is never one that someone else made -------------

TEST(ProgramFolder, AFolderTheProgramDidNotMakeIsMovedAsideAndANewOneMade) {
    Machine m;
    // Made by someone else before the program first ran, with a "record".
    m.sys.folders = {kVelkor, kRoot, kFirst};
    m.sys.files[kFirst + "\\undo.bat"] = "format c:\r\n";
    ASSERT_EQ(m.change("系统常规优化"), RunOutcome::Done);
    const std::string aside = kVelkor + ".moved-20240501123005-1";
    EXPECT_EQ(m.sys.files.at(aside + "\\undo\\20240501-123005\\undo.bat"), "format c:\r\n");
    EXPECT_EQ(m.sys.folders.count(aside), 1u);
    // The new folder is the program's, registered, and holds its own record.
    std::string identity;
    ASSERT_EQ(m.sys.folderIdentity(kVelkor, &identity), 0u);
    EXPECT_EQ(m.sys.registry.at(kProgramFolderRecord), identity);
    EXPECT_TRUE(says(m.sys.files.at(kFirst + "\\undo.bat"), "Spooler"));
    EXPECT_EQ(m.sys.launchedNames(), Names{"x.bat"});

    // Its own folder is kept the next time.
    m.sys.now.second = 9;
    ASSERT_EQ(m.change("OEM信息"), RunOutcome::Done);
    EXPECT_EQ(m.sys.folders.count(kVelkor + ".moved-20240501123009-1"), 0u);
    EXPECT_EQ(undoableSnapshots(m.sys).size(), 2u);

    // Replaced behind its back (same name, other folder): moved aside too.
    m.sys.folderIds[kVelkor] = "someone else's";
    m.sys.now.second = 20;
    ASSERT_EQ(m.change("恢复默认服务"), RunOutcome::Done);
    EXPECT_EQ(m.sys.folders.count(kVelkor + ".moved-20240501123020-1"), 1u);
    EXPECT_EQ(undoableSnapshots(m.sys).size(), 1u);
}

TEST(ProgramFolder, ALinkInItsPlaceIsRefusedAndNothingRuns) {
    Machine m;
    m.sys.links.insert(kVelkor);
    EXPECT_EQ(m.change("系统常规优化"), RunOutcome::Refused);
    EXPECT_TRUE(m.sys.launches.empty());
    EXPECT_EQ(
        m.sys.notifications,
        Names{"无法保存撤销所需的快照（无法创建文件夹 " + kVelkor +
              "：该名称已被一个文件或指向别处的链接占用）。为了能够撤销，本次没有作任何更改。"});
}

// --- An undo runs only what the program wrote, held while it runs ---------

TEST(UndoDigests, AChangedFileRefusesTheUndoNamingItAndNothingRuns) {
    for (const char* name : {"undo.bat", "undo.reg", "saved-1-oeminfo.ini", "scope.txt"}) {
        Machine m;
        m.change("系统常规优化");
        m.undoWorks();
        m.sys.files[kFirst + "\\" + name] += "\r\nrem planted";
        m.sys.notifications.clear();
        EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0)) << name;
        EXPECT_TRUE(m.sys.scriptRuns.empty()) << name;
        EXPECT_EQ(m.sys.notifications,
                  Names{"无法撤销 2024-05-01 12:30:05 的“系统常规优化”：文件 " + kFirst + "\\" +
                        name + " 与保存记录时不同，可能已被改动。本次没有作任何更改。"});
        EXPECT_TRUE(m.sys.held.empty()) << name; // let go again
    }
}

TEST(UndoDigests, ARecordWithoutDigestsIsNotRun) {
    Machine m;
    m.change("系统常规优化");
    m.sys.registry[std::string(kSnapshotRecords) + "20240501-123005"] = "系统常规优化";
    m.sys.notifications.clear();
    EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_TRUE(m.sys.scriptRuns.empty());
    ASSERT_EQ(m.sys.notifications.size(), 1u);
    EXPECT_TRUE(says(m.sys.notifications[0], "无法确认记录未被改动"));
}

TEST(UndoDigests, EveryFileIsHeldWhileUndoBatRunsAndTheCheckIsMade) {
    Machine m;
    m.change("系统常规优化");
    std::set<std::string> heldDuringRun;
    m.sys.scriptEffects["undo.bat"] = [&](FakePlatform& sys) {
        heldDuringRun = sys.held;
        sys.services["Spooler"] = StartMode::Demand;
        sys.registryKeys[kKey] = {kFlags};
        sys.files[kFile] = "old";
    };
    EXPECT_TRUE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_EQ(heldDuringRun,
              (std::set<std::string>{kFirst + "\\undo.bat", kFirst + "\\undo.reg",
                                     kFirst + "\\saved-1-oeminfo.ini", kFirst + "\\action.txt",
                                     kFirst + "\\scope.txt", kFirst + "\\changes.txt"}));
    EXPECT_TRUE(m.sys.held.empty());
}

// --- One change at a time on the whole machine ------------------------------

using Window = FakeWindow;

TEST(ChangeClaim, TheWindowsOwnRunningOptimisationRefusesTheRestoreByName) {
    Window w;
    w.sys.launchesKeepRunning = true;
    w.form.Command1_Click(); // the optimisation; its fwyh.bat still runs
    ASSERT_EQ(w.sys.launches.size(), 4u);
    w.sys.notifications.clear();
    w.ui.setValue(Control::moren, 0);
    w.ui.setValue(Control::huifu, 1);
    w.form.Command1_Click();
    EXPECT_EQ(w.sys.notifications, Names{"“系统常规优化”仍在进行中，请稍候再试。"});
    EXPECT_EQ(w.sys.launches.size(), 4u);
    EXPECT_EQ(undoableSnapshots(w.sys).size(), 1u); // no second record

    // Once its scripts have ended the claim is free again.
    w.sys.ended = {"kuaijie.bat", "jsb.bat", "gx.bat", "fwyh.bat"};
    w.form.pollScripts();
    w.sys.notifications.clear();
    w.form.Command1_Click();
    EXPECT_EQ(w.sys.launchedNames().back(), "huifu.bat");
    EXPECT_EQ(w.sys.notifications, Names{"系统服务已经恢复为默认"});
}

TEST(ChangeClaim, AnotherProcesssChangeRefusesTheWindowTheUndoAndTheCommandLine) {
    Window w;
    w.sys.otherChange = "从命令行启动的“系统常规优化”";
    w.form.Command1_Click();
    EXPECT_EQ(w.sys.notifications, Names{"从命令行启动的“系统常规优化”仍在进行中，请稍候再试。"});
    EXPECT_TRUE(w.sys.launches.empty());
    EXPECT_TRUE(w.sys.files.empty()); // no snapshot either

    Machine m;
    m.change("系统常规优化");
    m.undoWorks();
    m.sys.otherChange = "“恢复默认服务”";
    m.sys.notifications.clear();
    EXPECT_FALSE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_EQ(m.sys.notifications, Names{"“恢复默认服务”仍在进行中，请稍候再试。"});
    EXPECT_TRUE(m.sys.scriptRuns.empty());
    EXPECT_EQ(runCommandLine(m.sys, m.sys, {"/undo", "/quiet"}), 5);
    EXPECT_TRUE(m.sys.scriptRuns.empty());
    EXPECT_TRUE(says(m.sys.output, "“恢复默认服务”仍在进行中，本次未作任何更改。"));

    // Free again, the window's undo takes the claim and gives it up.
    m.sys.otherChange.clear();
    m.sys.notifications.clear();
    EXPECT_TRUE(undoFromWindow(m.sys, m.sys, undoableSnapshots(m.sys), 0));
    EXPECT_FALSE(m.sys.claimed);
    EXPECT_NE(std::find(m.sys.events.begin(), m.sys.events.end(), "claim “撤销更改” " + kLock),
              m.sys.events.end());
}

TEST(ChangeClaim, TheClaimIsTakenBeforeTheSnapshotAndHeldUntilTheScriptsEnd) {
    Window w;
    w.sys.launchesKeepRunning = true;
    w.form.Command1_Click();
    const auto at = [&](const std::string& prefix) {
        return std::find_if(w.sys.events.begin(), w.sys.events.end(),
                            [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }) -
               w.sys.events.begin();
    };
    EXPECT_LT(at("claim “系统常规优化” " + kLock), at("folder " + kRoot));
    EXPECT_TRUE(w.sys.claimed);
    w.sys.ended = {"kuaijie.bat", "jsb.bat", "gx.bat"};
    w.form.pollScripts();
    EXPECT_TRUE(w.sys.claimed); // fwyh.bat still runs
    w.sys.ended = {"fwyh.bat"};
    w.form.pollScripts();
    EXPECT_FALSE(w.sys.claimed);
}

// --- Files recorded as the native system has them ---------------------------

TEST(SnapshotFiles, AttributesThatCannotBeReadOrAMissingFolderFailTheRecord) {
    Machine m;
    m.sys.attributeFailures[kFile] = kErrorAccessDenied;
    EXPECT_EQ(m.change("OEM信息"), RunOutcome::Refused);
    EXPECT_TRUE(m.sys.launches.empty());
    ASSERT_EQ(m.sys.notifications.size(), 1u);
    EXPECT_TRUE(says(m.sys.notifications[0], "无法读取属性 " + kFile));

    // "Path not found" is no "did not exist": its undo would delete the file.
    Machine n;
    n.sys.readFailures[kFile] = kErrorPathNotFound;
    EXPECT_EQ(n.change("OEM信息"), RunOutcome::Refused);
    EXPECT_TRUE(n.sys.launches.empty());
    ASSERT_EQ(n.sys.notifications.size(), 1u);
    EXPECT_TRUE(says(n.sys.notifications[0], "无法读取 " + kFile + "：找不到指定的路径"));

    Machine hidden; // the attributes recorded are the ones the platform reports
    hidden.sys.attributes[kFile] = kAttributeHidden | kAttributeSystem;
    hidden.change("OEM信息");
    EXPECT_TRUE(says(hidden.sys.files.at(kFirst + "\\undo.bat"), "attrib.exe\" +h +s \"" + kFile));
}

// --- Ordered by the program's own count, not by the clock ------------------

TEST(SnapshotOrder, AfterTheClockWentBackTheLastChangeIsStillTheNewest) {
    Machine m;
    m.change("系统常规优化");
    m.sys.now = LocalTime{2020, 1, 1, 8, 0, 0}; // a flat battery
    m.change("OEM信息");
    const std::vector<SnapshotEntry> list = undoableSnapshots(m.sys);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].action, "OEM信息");
    EXPECT_EQ(list[0].name, "20200101-080000");
    EXPECT_EQ(list[0].record.sequence, 2u);
    EXPECT_EQ(list[1].record.sequence, 1u);
    // /undo undoes the last change made, whatever its time (the machine is
    // still as that one recorded it).
    EXPECT_EQ(runCommandLine(m.sys, m.sys, {"/undo", "/quiet"}), 0);
    EXPECT_EQ(m.sys.scriptRuns, Names{kRoot + "\\20200101-080000\\undo.bat"});

    // The count goes on from the highest registered should its own value be lost.
    m.sys.registry.erase(kSnapshotSequence);
    m.sys.now.second = 1;
    m.change("恢复默认服务");
    EXPECT_EQ(undoableSnapshots(m.sys)[0].record.sequence, 3u);
}

// --- No record stuck for ever -----------------------------------------------

TEST(StuckRecords, AServiceInstalledOrRemovedSinceIsANoteNotAFailure) {
    Machine removed;
    removed.change("系统常规优化");
    removed.sys.scriptEffects["undo.bat"] = [](FakePlatform& sys) {
        sys.services.erase("Spooler"); // removed since: sc config fails
        sys.registryKeys[kKey] = {kFlags};
        sys.files[kFile] = "old";
    };
    removed.sys.notifications.clear();
    EXPECT_TRUE(undoFromWindow(removed.sys, removed.sys, undoableSnapshots(removed.sys), 0));
    EXPECT_EQ(removed.sys.notifications,
              Names{"已撤销 2024-05-01 12:30:05 的“系统常规优化”。\n服务 Spooler "
                    "已在这次更改之后删除，无法恢复它的启动方式。"});

    Machine installed;
    installed.sys.services.erase("Spooler");
    installed.change("系统常规优化");
    installed.sys.scriptEffects["undo.bat"] = [](FakePlatform& sys) {
        sys.services["Spooler"] = StartMode::Auto; // installed since
        sys.registryKeys[kKey] = {kFlags};
        sys.files[kFile] = "old";
    };
    installed.sys.notifications.clear();
    EXPECT_TRUE(undoFromWindow(installed.sys, installed.sys, undoableSnapshots(installed.sys), 0));
    EXPECT_EQ(installed.sys.notifications,
              Names{"已撤销 2024-05-01 12:30:05 的“系统常规优化”。\n服务 Spooler "
                    "是在这次更改之后安装的，未作更改。"});

    // A service in another mode is still a failure.
    Machine other;
    other.change("系统常规优化");
    other.sys.notifications.clear();
    EXPECT_FALSE(undoFromWindow(other.sys, other.sys, undoableSnapshots(other.sys), 0));
}

TEST(StuckRecords, ARecordSetAsideIsNoLongerOfferedAndItsFolderStays) {
    Machine m;
    m.change("系统常规优化");
    m.sys.now.second = 9;
    m.change("OEM信息");
    std::vector<SnapshotEntry> list = undoableSnapshots(m.sys);
    m.sys.answers = {false, true};
    EXPECT_FALSE(setAsideFromWindow(m.sys, m.sys, list[0]));
    EXPECT_EQ(undoableSnapshots(m.sys).size(), 2u);
    EXPECT_TRUE(setAsideFromWindow(m.sys, m.sys, list[0]));
    ASSERT_EQ(m.sys.questions.size(), 2u);
    EXPECT_TRUE(says(m.sys.questions[1], "搁置2024-05-01 12:30:09 的“OEM信息”后"));
    list = undoableSnapshots(m.sys);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].action, "系统常规优化");
    EXPECT_EQ(m.sys.files.count(kRoot + "\\20240501-123009\\undo.bat"), 1u);
    // The one before it is now undone without a question.
    m.undoWorks();
    m.sys.questions.clear();
    EXPECT_TRUE(undoFromWindow(m.sys, m.sys, list, 0));
    EXPECT_TRUE(m.sys.questions.empty());
}

TEST(StuckRecords, TheCommandLineListsTheRecordsAndUndoesTheOneNamed) {
    Machine m;
    m.change("系统常规优化");
    m.sys.now.second = 9;
    m.change("OEM信息");
    EXPECT_EQ(runCommandLine(m.sys, m.sys, {"/undo:list", "/quiet"}), 0);
    EXPECT_EQ(m.sys.output, "20240501-123009  2024-05-01 12:30:09  OEM信息\r\n"
                            "20240501-123005  2024-05-01 12:30:05  系统常规优化\r\n");
    EXPECT_TRUE(m.sys.scriptRuns.empty());

    m.sys.output.clear();
    EXPECT_EQ(runCommandLine(m.sys, m.sys, {"/undo:20240501-000000", "/quiet"}), 1);
    EXPECT_TRUE(says(m.sys.output, "没有名为 20240501-000000 的可撤销记录"));

    // The older one, past the newer one that cannot be undone.
    m.undoWorks();
    m.sys.output.clear();
    EXPECT_EQ(runCommandLine(m.sys, m.sys, {"/UNDO:20240501-123005", "/quiet"}), 0);
    EXPECT_EQ(m.sys.scriptRuns, Names{kFirst + "\\undo.bat"});
    EXPECT_TRUE(says(m.sys.output, "撤销：已撤销 2024-05-01 12:30:05 的“系统常规优化”。"));
    EXPECT_EQ(undoableSnapshots(m.sys).size(), 1u);
}

} // namespace
