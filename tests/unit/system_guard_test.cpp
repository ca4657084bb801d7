// The guard on systems other than Windows XP: which versions it lets through
// without asking, the question on the others, and that "否" writes nothing.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "services/system_guard.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

const std::string kQuestion10 = "本程序的服务设置是为 Windows XP 设计的，当前系统是 Windows 10。"
                                "继续可能停用该系统需要的服务。是否继续？";

TEST(SystemGuard, OnlyXpAndServer2003AreTheSystemsTheSettingsWereWrittenFor) {
    EXPECT_FALSE(servicesDesignedFor({5, 0, 2195, false}));
    EXPECT_TRUE(servicesDesignedFor({5, 1, 2600, false}));
    EXPECT_TRUE(servicesDesignedFor({5, 2, 3790, false}));
    EXPECT_TRUE(servicesDesignedFor({5, 2, 3790, true}));
    EXPECT_FALSE(servicesDesignedFor({6, 0, 6002, false}));
    EXPECT_FALSE(servicesDesignedFor({6, 1, 7601, false}));
    EXPECT_FALSE(servicesDesignedFor({6, 3, 9600, false}));
    EXPECT_FALSE(servicesDesignedFor({10, 0, 19045, false}));
}

TEST(SystemGuard, TheQuestionNamesTheSystem) {
    EXPECT_EQ(otherSystemQuestion({10, 0, 19045, false}), kQuestion10);
    EXPECT_EQ(windowsName({5, 0, 2195, false}), "2000");
    EXPECT_EQ(windowsName({6, 1, 7601, false}), "7");
    EXPECT_EQ(windowsName({6, 3, 9600, false}), "8.1");
    EXPECT_EQ(windowsName({10, 0, 22631, false}), "11");
    EXPECT_EQ(windowsName({6, 1, 7601, true}), "6.1"); // a server by its number
    EXPECT_EQ(windowsName({6, 4, 9841, false}), "6.4");
}

struct Window : FakeWindow {
    explicit Window(WindowsVersion v) { sys.version = v; }
};

TEST(SystemGuard, OnWindows10NoWritesNothingAndYesGoesOn) {
    for (Control option : {Control::moren, Control::huifu}) {
        Window no({10, 0, 19045, false});
        no.ui.setValue(option, 1);
        no.sys.answers = {false};
        no.form.Command1_Click();
        EXPECT_EQ(no.sys.questions, Names{kQuestion10});
        EXPECT_TRUE(no.sys.files.empty());
        EXPECT_TRUE(no.sys.folders.empty());
        EXPECT_TRUE(no.sys.launches.empty());
        EXPECT_TRUE(no.sys.notifications.empty());

        Window yes({10, 0, 19045, false});
        yes.ui.setValue(option, 1);
        yes.sys.answers = {true};
        yes.form.Command1_Click();
        EXPECT_FALSE(yes.sys.launches.empty());
        EXPECT_EQ(yes.sys.notifications.size(), 1u);
    }
}

TEST(SystemGuard, ThePerServiceDialogAsksToo) {
    Window no({6, 1, 7601, false});
    no.sys.answers = {false};
    ServiceChoices all;
    all.fill(1);
    no.form.ServiceDialog_OK(all);
    EXPECT_EQ(no.sys.questions.size(), 1u);
    EXPECT_TRUE(no.sys.files.empty());
    EXPECT_TRUE(no.sys.launches.empty());
}

TEST(SystemGuard, OnXpNothingIsAsked) {
    for (WindowsVersion v :
         {WindowsVersion{5, 1, 2600, false}, WindowsVersion{5, 2, 3790, false}}) {
        Window w(v);
        w.form.Command1_Click();
        EXPECT_TRUE(w.sys.questions.empty());
        EXPECT_FALSE(w.sys.launches.empty());
    }
}

} // namespace
