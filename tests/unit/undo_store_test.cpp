// Saving a snapshot before an action: where and when it is written, what
// its folder holds, and an action that does not run because its snapshot
// could not be saved.
#include "app/form1.h"
#include "app/form2.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_form2_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "oem_machine_names.h"
#include "undo/sha256.h"
#include "undo/snapshot_store.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::string>;

const std::string kVelkor = "C:\\Documents and Settings\\All Users\\Application Data\\Velkor";
const std::string kRoot = kVelkor + "\\undo";
const std::string kFolder = kRoot + "\\20240501-123005";
const std::string kTemp = kRoot + "\\~20240501-123005-1";
const std::string kRecord = std::string(kSnapshotRecords) + "20240501-123005";
const std::string kSequence = kSnapshotSequence;

using Window = FakeWindow;

// The events from the first snapshot event to the first script's.
Names snapshotEvents(const FakePlatform& sys) {
    Names found;
    for (const std::string& e : sys.events)
        if (e.find(kVelkor) != std::string::npos)
            found.push_back(e.substr(0, e.find(' ')) + " " + e.substr(e.rfind('\\') + 1));
    return found;
}

TEST(UndoStore, TheSnapshotIsWrittenWholeAndRenamedBeforeTheFirstScript) {
    Window w;
    w.form.Command1_Click();
    ASSERT_GE(w.sys.events.size(), 10u);
    // The program's folder is made and registered, the change claimed, then
    // each file is written and put on the disk before the folder is renamed.
    EXPECT_EQ(
        snapshotEvents(w.sys),
        (Names{"folder Velkor", "claim change.lock", "folder Velkor", "folder undo",
               "folder ~20240501-123005-1", "write undo.bat", "on undo.bat", "write undo.reg",
               "on undo.reg", "write action.txt", "on action.txt", "write scope.txt",
               "on scope.txt", "write changes.txt", "on changes.txt", "rename 20240501-123005"}));
    // The snapshot is complete, recorded and the record on the disk right
    // before the first script is written.
    const auto at = [&](const std::string& event) {
        return std::find(w.sys.events.begin(), w.sys.events.end(), event) - w.sys.events.begin();
    };
    EXPECT_EQ(at("rename " + kTemp + " " + kFolder) + 1, at("registry " + kSequence));
    EXPECT_EQ(at("registry " + kSequence) + 1, at("registry " + kRecord));
    EXPECT_EQ(at("registry " + kRecord) + 1,
              at("flush HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor\\Undo"));
    EXPECT_EQ(at("registry " + kRecord) + 2, at("write kuaijie.bat"));
    EXPECT_EQ(w.sys.registry.at(kSequence), "1");
    // The action, the count, and the digest of each file as written.
    const auto digest = [&](const std::string& name) {
        return "\r\nsha256 " + name + " " + sha256Hex(w.sys.files.at(kFolder + "\\" + name));
    };
    EXPECT_EQ(w.sys.registry.at(kRecord), "系统常规优化\r\nsequence 1" + digest("undo.bat") +
                                              digest("undo.reg") + digest("action.txt") +
                                              digest("scope.txt") + digest("changes.txt"));

    EXPECT_EQ(w.sys.folders, (std::set<std::string>{kVelkor, kRoot, kFolder}));
    EXPECT_EQ(w.sys.files.at(kFolder + "\\action.txt"),
              "\xCF\xB5\xCD\xB3\xB3\xA3\xB9\xE6\xD3\xC5\xBB\xAF\r\n");
    EXPECT_EQ(w.sys.files.at(kFolder + "\\undo.bat").substr(0, 4), "rem ");
    EXPECT_EQ(w.sys.files.at(kFolder + "\\undo.reg").substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(w.sys.files.count(kTemp + "\\undo.bat"), 0u);
}

TEST(UndoStore, ASecondSnapshotInTheSameSecondGetsItsOwnFolder) {
    Window w;
    w.form.Command1_Click();
    w.form.Command1_Click();
    EXPECT_EQ(w.sys.folders.count(kFolder), 1u);
    EXPECT_EQ(w.sys.folders.count(kFolder + "-2"), 1u);
    EXPECT_EQ(w.sys.files.count(kFolder + "-2\\undo.bat"), 1u);
}

TEST(UndoStore, ARefusedActionWritesNoSnapshot) {
    Window notAdmin;
    notAdmin.sys.admin = false;
    notAdmin.form.Command1_Click();
    Window running;
    running.sys.running.insert("fwyh.bat");
    running.form.Command1_Click();
    for (Window* w : {&notAdmin, &running}) {
        EXPECT_TRUE(snapshotEvents(w->sys).empty());
        EXPECT_TRUE(w->sys.files.empty());
        EXPECT_EQ(w->sys.notifications.size(), 1u);
    }
}

TEST(UndoStore, WithoutItsSnapshotTheActionDoesNotRunAndSaysWhy) {
    Window w;
    w.sys.writeFailures[kTemp + "\\undo.reg"] = kErrorDiskFull;
    w.form.Command1_Click();
    EXPECT_TRUE(w.sys.launches.empty());
    EXPECT_TRUE(w.sys.files.empty()) << w.sys.files.begin()->first;    // undo.bat removed again
    EXPECT_EQ(w.sys.folders, (std::set<std::string>{kVelkor, kRoot})); // no half folder
    EXPECT_EQ(w.sys.notifications,
              Names{"无法保存撤销所需的快照（无法写入 " + kTemp +
                    "\\undo.reg：磁盘空间不足）。为了能够撤销，本次没有作任何更改。"});

    Window denied;
    denied.sys.folderFailures[kVelkor] = kErrorAccessDenied;
    denied.form.Command1_Click();
    EXPECT_TRUE(denied.sys.launches.empty());
    EXPECT_EQ(denied.sys.notifications,
              Names{"无法保存撤销所需的快照（无法创建文件夹 " + kVelkor +
                    "：拒绝访问（可能需要管理员权限，或文件为只读））。为了能够撤销，本次没有作任何"
                    "更改。"});

    // Written but not recorded, it would never be offered: it goes.
    Window unrecorded;
    unrecorded.sys.registryWriteFailures[kRecord] = kErrorAccessDenied;
    unrecorded.form.Command1_Click();
    EXPECT_TRUE(unrecorded.sys.launches.empty());
    EXPECT_TRUE(unrecorded.sys.files.empty());
    EXPECT_EQ(unrecorded.sys.folders, (std::set<std::string>{kVelkor, kRoot}));
    EXPECT_EQ(unrecorded.sys.notifications,
              Names{"无法保存撤销所需的快照（无法记录快照 " + kRecord +
                    "：拒绝访问（可能需要管理员权限，或文件为只读））。为了能够撤销，本次没有作任何"
                    "更改。"});

    Window unread;
    unread.sys.serviceReadFailures["Alerter"] = kErrorAccessDenied;
    unread.form.Command1_Click();
    EXPECT_TRUE(unread.sys.launches.empty());
    EXPECT_EQ(unread.sys.folders, std::set<std::string>{kVelkor}); // the program's own, empty
}

TEST(UndoStore, TheOemValuesAndTheLogoAreSavedByteForByte) {
    Window w;
    w.sys.files[kIni] = "[General]\r\nModel=A\r\n";
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.files.at(kFolder + "\\saved-1-oeminfo.ini"), "[General]\r\nModel=A\r\n");

    FakeForm2Controls ui;
    Window main; // the record is the runner's, whoever runs the plan
    Form2 picker{ui, main.sys, main.sys, [](const std::string&) {}};
    main.sys.files[kLogo] = "BMold";
    main.sys.files["D:\\new.bmp"] = "BMnew";
    ui.text1 = "D:\\new.bmp";
    picker.Command2_Click();
    EXPECT_EQ(main.sys.files.at(kFolder + "\\saved-1-oemlogo.bmp"), "BMold");
    EXPECT_EQ(main.sys.launchedNames(), Names{"fuzhi.bat"});
}

TEST(UndoStore, TheJunkCleanupTakesNoSnapshot) {
    Window w;
    w.form.lj_Click();
    EXPECT_TRUE(w.sys.folders.empty());
}

// What the change changed is saved beside the snapshot, in the words of
// /whatif, and read back for the undo dialog.
TEST(UndoStore, WhatTheChangeChangesIsSavedInThePreviewsWords) {
    Window w;
    w.sys.services["Spooler"] = StartMode::Disabled;
    w.sys.services["Schedule"] = StartMode::Auto; // already as optimised: no line
    w.form.Command1_Click();
    const std::string& text = w.sys.files.at(kFolder + "\\changes.txt");
    EXPECT_EQ(text.compare(0, 3, "\xEF\xBB\xBF"), 0) << "UTF-8 with its byte-order mark";
    const Names lines =
        snapshotChanges(w.sys, {kFolder, "", "系统常规优化", "20240501-123005", {}});
    EXPECT_EQ(lines.at(0), "服务 Spooler：已禁用 → 自动");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "服务 Schedule：自动（不变）"), 0);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "注册表值 HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion"
                        "\\Explorer\\Link：不存在 → hex:00,00,00,00"),
              lines.end());
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    EXPECT_TRUE(snapshotChanges(w.sys, {kRoot + "\\none", "", "", "none", {}}).empty());
}

} // namespace
