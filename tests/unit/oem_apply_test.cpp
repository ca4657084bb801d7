// The click of `Command6`: applying the OEM information.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "fixture_file.h"
#include "oem_machine_names.h"

#include <gtest/gtest.h>

namespace {

struct Window : FakeWindow {
    Window() {
        ui.setText(Control::Text1, "张三");
        ui.setText(Control::Text2, "新公司");
        ui.setText(Control::Text3, "型号X");
        ui.setText(Control::Text4, "宏碁");
    }
};

// The file is replaced in one step (replaceFile), never rewritten in place.
TEST(OemApply, WritesTheFileThenTheTwoValuesAndConfirms) {
    Window w;
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.files.at(kIni),
              "[General]\r\nManufacturer=\xBA\xEA\xB3\x9E\r\nModel=\xD0\xCD\xBA\xC5X\r\n");
    EXPECT_EQ(w.sys.registry.at(kOrg), "新公司");
    EXPECT_EQ(w.sys.registry.at(kOwner), "张三");
    EXPECT_EQ(w.sys.eventsOutsideSnapshots(),
              (std::vector<std::string>{"replace " + kIni, "registry " + kOrg, "registry " + kOwner,
                                        "notify OEM信息已经更新"}));
    EXPECT_EQ(w.ui.text(Control::Text4), "宏碁"); // the boxes stay as they are
}

TEST(OemApply, KeepsTheRestOfAnExistingFile) {
    Window w;
    w.sys.files[kIni] = fixture("oem/gbk_support.ini");
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.files.at(kIni), fixture("oem/gbk_support_applied.ini"));
    EXPECT_EQ(w.sys.notifications, std::vector<std::string>{"OEM信息已经更新"});
}

TEST(OemApply, EmptyBoxesWriteKeysAloneAndEmptyStrings) {
    Window w;
    for (Control box : {Control::Text1, Control::Text2, Control::Text3, Control::Text4})
        w.ui.setText(box, "");
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.files.at(kIni), "[General]\r\nManufacturer=\r\nModel=\r\n");
    EXPECT_EQ(w.sys.registry.at(kOrg), "");
    EXPECT_EQ(w.sys.registry.at(kOwner), "");
}

TEST(OemApply, TextThatGbkCannotHoldNamesItsBoxAndWritesNothing) {
    Window w;
    w.sys.files[kIni] = "old\r\n";
    w.ui.setText(Control::Text4, "삼성"); // Hangul has no GBK form
    w.form.Command6_Click();
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    EXPECT_NE(w.sys.notifications[0].find("“制造商”"), std::string::npos);
    EXPECT_EQ(w.sys.notifications[0].find("OEM版本"), std::string::npos);
    EXPECT_EQ(w.sys.files.at(kIni), "old\r\n");
    EXPECT_TRUE(w.sys.registry.empty());
    EXPECT_EQ(w.sys.events.size(), 1u); // the notice alone

    w.ui.setText(Control::Text3, "😀");
    w.form.Command6_Click();
    EXPECT_NE(w.sys.notifications[1].find("“制造商”、“OEM版本”"), std::string::npos);
    EXPECT_TRUE(w.sys.registry.empty());
}

TEST(OemApply, AFileThatCannotBeWrittenIsReportedAndTheRegistryStillWritten) {
    Window w;
    w.sys.admin = false;
    w.sys.writeFailures[kIni] = kErrorAccessDenied;
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.registry.at(kOrg), "新公司");
    EXPECT_EQ(w.sys.registry.at(kOwner), "张三");
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    const std::string& notice = w.sys.notifications[0];
    EXPECT_EQ(notice.find("OEM信息已经更新"), std::string::npos);
    EXPECT_NE(notice.find("无法写入 " + kIni + "：拒绝访问"), std::string::npos);
    EXPECT_NE(notice.find("需要管理员权限"), std::string::npos);
    EXPECT_EQ(notice.find("RegisteredOwner"), std::string::npos);
}

TEST(OemApply, EachRegistryFailureIsReportedAndDoesNotStopTheOther) {
    Window w;
    w.sys.registryWriteFailures[kOrg] = kErrorAccessDenied;
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.registry.at(kOwner), "张三");
    const std::string& notice = w.sys.notifications.at(0);
    EXPECT_NE(notice.find("RegisteredOrganization（系统注册组织）：拒绝访问"), std::string::npos);
    EXPECT_EQ(notice.find("RegisteredOwner"), std::string::npos);
    EXPECT_EQ(notice.find("请以管理员身份运行"), std::string::npos); // an administrator already

    Window v;
    v.sys.registryWriteFailures[kOwner] = 5;
    v.form.Command6_Click();
    EXPECT_EQ(v.sys.registry.at(kOrg), "新公司");
    EXPECT_NE(v.sys.notifications.at(0).find("RegisteredOwner（系统注册姓名）"), std::string::npos);
}

TEST(OemApply, AnExistingFileThatCannotBeReadIsNotReplaced) {
    // Replacing it blindly would lose its other sections.
    struct LockedFile : FakePlatform {
        std::optional<std::string> readFile(const std::string&, ErrorCode* error) override {
            *error = kErrorSharingViolation;
            return std::nullopt;
        }
    };
    FakeControls ui;
    LockedFile sys;
    Form1 form(ui, sys, sys);
    sys.files[kIni] = "[Support Information]\r\n";
    form.Command6_Click();
    EXPECT_EQ(sys.files.at(kIni), "[Support Information]\r\n");
    EXPECT_NE(sys.notifications.at(0).find("正被另一个程序使用"), std::string::npos);
    EXPECT_EQ(sys.registryOutsideSnapshots(), 2u);
}

TEST(OemApply, ClickingTwiceWritesTheSameTwice) {
    Window w;
    w.form.Command6_Click();
    const std::string first = w.sys.files.at(kIni);
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.files.at(kIni), first);
    EXPECT_EQ(w.sys.notifications,
              (std::vector<std::string>{"OEM信息已经更新", "OEM信息已经更新"}));
}

TEST(OemApply, WhatWasAppliedIsWhatThePanelShowsNext) {
    Window w;
    w.sys.files[kIni] = "[General]\r\nManufacturer=old\r\n";
    w.sys.listedFiles["C:\\WINDOWS\\system32\\"] = {"oeminfo.ini"};
    w.form.Command6_Click();
    w.form.oem_Click();
    EXPECT_EQ(w.ui.text(Control::Text4), "宏碁");
    EXPECT_EQ(w.ui.text(Control::Text3), "型号X");
    EXPECT_EQ(w.ui.text(Control::Text1), "张三");
    EXPECT_EQ(w.ui.text(Control::Text2), "新公司");
}

// What the panel shows is what the system reads, and applying it unchanged
// (here with only the owner edited) leaves the file byte for byte.
TEST(OemApply, OpeningThePanelAndApplyingUnchangedLeavesTheFileAlone) {
    const struct {
        std::string file;
        const char* manufacturer;
        const char* model;
    } cases[] = {
        {"[General]\r\nManufacturer=Acme\r\nModel=X100\r\n[OEMSpecific]\r\nSubModel=RevB\r\n",
         "Acme", "X100"},
        {"[General]\r\nManufacturer=Acme\r\nModel=X100\r\n\r\n"
         "[Support Information]\r\nLine1=Model=see web\r\n",
         "Acme", "X100"},
        {"[General]\r\n;Model=old one\r\nManufacturer=Acme\r\nmodel = X\r\n", "Acme", "X"},
        {std::string(250, '\n') + "[General]\r\nManufacturer=Acme\r\nModel=X\r\n", "Acme", "X"},
    };
    for (const auto& c : cases) {
        Window w;
        w.sys.files[kIni] = c.file;
        w.sys.listedFiles["C:\\WINDOWS\\system32\\"] = {"oeminfo.ini"};
        w.form.oem_Click();
        EXPECT_EQ(w.ui.text(Control::Text4), c.manufacturer);
        EXPECT_EQ(w.ui.text(Control::Text3), c.model);
        w.ui.setText(Control::Text1, "新的注册姓名");
        w.form.Command6_Click();
        EXPECT_EQ(w.sys.files.at(kIni), c.file);
        EXPECT_EQ(w.sys.notifications, std::vector<std::string>{"OEM信息已经更新"});
    }
}

} // namespace
