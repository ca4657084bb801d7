// The click of "下一步" beyond what each choice of option and boxes launches
// (script_actions_test.cpp): neither option, a script that fails, and one
// click after another.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

const std::string kOptimised = "系统已经优化成功";
const std::string kRestored = "系统服务已经恢复为默认";

struct Window : FakeWindow {
    void click() { form.Command1_Click(); }
    bool allHidden() const {
        for (const FakePlatform::Launch& l : sys.launches)
            if (l.show != ShowState::Hidden)
                return false;
        return true;
    }
};

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

TEST(Command1Click, TheClickReadsTheControlsAfreshEachTime) {
    Window w;
    w.click(); // as opened: optimise, every box ticked
    w.ui.setValue(Control::huifu, 1);
    w.click();
    EXPECT_EQ(w.sys.launchedNames(),
              (Names{"kuaijie.bat", "jsb.bat", "gx.bat", "fwyh.bat", "huifu.bat"}));
    EXPECT_EQ(w.sys.notifications, (Names{kOptimised, kRestored}));
}

} // namespace
