// The click of "下一步": which scripts are launched, in which order, with
// which show state, and the one message that follows.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

const std::string kOptimised = "系统已经优化成功";
const std::string kRestored = "系统服务已经恢复为默认";

struct Window {
    FakeControls ui;
    FakePlatform sys;
    Form1 form{ui, sys, sys};
    Window() { form.Form_Load(); }

    void click() { form.Command1_Click(); }
    void boxes(int kjfs, int jsb, int gxiang) {
        ui.setValue(Control::kjfs, kjfs);
        ui.setValue(Control::jsb, jsb);
        ui.setValue(Control::gxiang, gxiang);
    }
    bool allHidden() const {
        for (const FakePlatform::Launch& l : sys.launches)
            if (l.show != ShowState::Hidden)
                return false;
        return true;
    }
};

TEST(Command1Click, AsOpenedLaunchesFourScriptsInOrderThenOneMessage) {
    Window w;
    w.click();
    EXPECT_EQ(w.sys.launchedNames(), (Names{"kuaijie.bat", "jsb.bat", "gx.bat", "fwyh.bat"}));
    EXPECT_TRUE(w.allHidden());
    EXPECT_EQ(w.sys.notifications, Names{kOptimised});
    // Each script is complete on disk before its launch; the message comes last.
    EXPECT_EQ(w.sys.eventsOutsideSnapshots(),
              (Names{"write kuaijie.bat", "launch kuaijie.bat", "write jsb.bat", "launch jsb.bat",
                     "write gx.bat", "launch gx.bat", "write fwyh.bat", "launch fwyh.bat",
                     "notify " + kOptimised}));
}

TEST(Command1Click, NoBoxTickedLaunchesOnlyTheServiceScript) {
    Window w;
    w.boxes(0, 0, 0);
    w.click();
    EXPECT_EQ(w.sys.launchedNames(), Names{"fwyh.bat"});
    EXPECT_TRUE(w.allHidden());
    EXPECT_EQ(w.sys.notifications, Names{kOptimised});
}

TEST(Command1Click, OnlyGxiang) {
    Window w;
    w.boxes(0, 0, 1);
    w.click();
    EXPECT_EQ(w.sys.launchedNames(), (Names{"gx.bat", "fwyh.bat"}));
    EXPECT_TRUE(w.allHidden());
    EXPECT_EQ(w.sys.notifications, Names{kOptimised});
}

TEST(Command1Click, EachBoxAloneAddsItsOwnScript) {
    const std::pair<Control, const char*> cases[] = {
        {Control::kjfs, "kuaijie.bat"}, {Control::jsb, "jsb.bat"}, {Control::gxiang, "gx.bat"}};
    for (const auto& c : cases) {
        Window w;
        w.boxes(0, 0, 0);
        w.ui.setValue(c.first, 1);
        w.click();
        EXPECT_EQ(w.sys.launchedNames(), (Names{c.second, "fwyh.bat"})) << c.second;
    }
}

TEST(Command1Click, AGreyBoxDoesNotCount) {
    Window w;
    w.boxes(2, 1, 2);
    w.click();
    EXPECT_EQ(w.sys.launchedNames(), (Names{"jsb.bat", "fwyh.bat"}));
    EXPECT_EQ(w.sys.notifications, Names{kOptimised});
}

TEST(Command1Click, RestoringIgnoresTheBoxes) {
    for (int boxes : {0, 1, 2}) {
        Window w;
        w.boxes(boxes, boxes, boxes);
        w.ui.setValue(Control::huifu, 1);
        w.click();
        EXPECT_EQ(w.sys.launchedNames(), Names{"huifu.bat"}) << boxes;
        EXPECT_TRUE(w.allHidden());
        EXPECT_EQ(w.sys.notifications, Names{kRestored});
        // No tweak script is even written.
        EXPECT_EQ(w.sys.filesOutsideSnapshots(), 1u);
    }
}

TEST(Command1Click, NeitherOptionLaunchesNothingAndSaysNothing) {
    Window w;
    w.ui.at(Control::moren).value = 0;
    w.ui.at(Control::huifu).value = 0;
    w.click();
    EXPECT_TRUE(w.sys.events.empty());
}

TEST(Command1Click, AScriptThatCannotBeWrittenIsNamedAndTheOthersStillRun) {
    Window w;
    w.sys.writeFailures["jsb.bat"] = kErrorAccessDenied;
    w.click();
    EXPECT_EQ(w.sys.launchedNames(), (Names{"kuaijie.bat", "gx.bat", "fwyh.bat"}));
    EXPECT_TRUE(w.allHidden());
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    const std::string& text = w.sys.notifications[0];
    EXPECT_NE(text, kOptimised);
    EXPECT_NE(text.find("jsb.bat"), std::string::npos);
    EXPECT_NE(text.find("拒绝访问"), std::string::npos);
    EXPECT_EQ(text.find("fwyh.bat"), std::string::npos);
}

TEST(Command1Click, ALaunchThatFailsIsNamedInsteadOfRestored) {
    Window w;
    w.ui.setValue(Control::huifu, 1);
    w.sys.launchFailures["huifu.bat"] = kErrorFileNotFound;
    w.click();
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    EXPECT_NE(w.sys.notifications[0], kRestored);
    EXPECT_NE(w.sys.notifications[0].find("huifu.bat"), std::string::npos);
}

TEST(Command1Click, FailuresOfAnEarlierClickAreForgotten) {
    Window w;
    w.sys.writeFailures["gx.bat"] = kErrorAccessDenied;
    w.click();
    w.sys.writeFailures.clear();
    w.sys.notifications.clear();
    w.click();
    EXPECT_EQ(w.sys.notifications, Names{kOptimised});
}

TEST(Command1Click, AFailureOfAnOptimisingClickIsNotBlamedOnALaterRestore) {
    Window w;
    w.sys.writeFailures["fwyh.bat"] = kErrorAccessDenied;
    w.click();
    w.ui.setValue(Control::huifu, 1);
    w.click();
    ASSERT_EQ(w.sys.notifications.size(), 2u);
    EXPECT_NE(w.sys.notifications[0].find("fwyh.bat"), std::string::npos);
    EXPECT_EQ(w.sys.notifications[1], kRestored);
}

TEST(Command1Click, WhileAScriptOfThePreviousRunStillRunsNothingIsWritten) {
    for (const char* name : {"kuaijie.bat", "jsb.bat", "gx.bat", "fwyh.bat"}) {
        Window w;
        w.sys.running.insert(name);
        w.click();
        EXPECT_TRUE(w.sys.files.empty()) << name;
        EXPECT_TRUE(w.sys.launches.empty()) << name;
        ASSERT_EQ(w.sys.notifications.size(), 1u) << name;
        EXPECT_NE(w.sys.notifications[0].find("仍在进行中"), std::string::npos) << name;
    }
}

TEST(Command1Click, ARunningScriptThatThisClickDoesNotWriteDoesNotHoldItBack) {
    Window w;
    w.boxes(0, 0, 0);
    w.sys.running.insert("kuaijie.bat"); // an earlier run with the box ticked
    w.sys.running.insert("huifu.bat");
    w.click();
    EXPECT_EQ(w.sys.launchedNames(), Names{"fwyh.bat"});
    EXPECT_EQ(w.sys.notifications, Names{kOptimised});
}

TEST(Command1Click, RestoringWhileHuifuStillRunsWritesNothing) {
    Window w;
    w.ui.setValue(Control::huifu, 1);
    w.sys.running.insert("huifu.bat");
    w.click();
    EXPECT_TRUE(w.sys.files.empty());
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    EXPECT_NE(w.sys.notifications[0].find("仍在进行中"), std::string::npos);
}

TEST(Command1Click, WithoutAdministratorRightsNothingIsWritten) {
    for (int restore : {0, 1}) {
        Window w;
        w.ui.setValue(restore ? Control::huifu : Control::moren, 1);
        w.sys.admin = false;
        w.click();
        EXPECT_TRUE(w.sys.files.empty());
        EXPECT_TRUE(w.sys.launches.empty());
        ASSERT_EQ(w.sys.notifications.size(), 1u);
        EXPECT_NE(w.sys.notifications[0].find("管理员权限"), std::string::npos);
    }
}

TEST(Command1Click, TheClickReadsTheControlsAfreshEachTime) {
    Window w;
    w.click();
    w.ui.setValue(Control::huifu, 1);
    w.click();
    EXPECT_EQ(w.sys.launchedNames(),
              (Names{"kuaijie.bat", "jsb.bat", "gx.bat", "fwyh.bat", "huifu.bat"}));
    EXPECT_EQ(w.sys.notifications, (Names{kOptimised, kRestored}));
}

} // namespace
