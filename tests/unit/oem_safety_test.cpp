// OEM failures that must not look like success: values that would add lines to
// "oeminfo.ini", a file that cannot be created or replaced, a logo copy that
// needs rights, has not ended yet, or did not take.
#include "app/form1.h"
#include "app/form2.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_form2_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "oem_machine_names.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

struct Window : FakeWindow {
    void values(const std::string& manufacturer, const std::string& model) {
        ui.setText(Control::Text4, manufacturer);
        ui.setText(Control::Text3, model);
    }
};

TEST(OemSafety, ALineBreakInTheManufacturerOrModelRefusesEverything) {
    Window w;
    w.sys.files[kIni] = "[General]\r\nModel=A\r\n";
    w.values("Acme", "X1\r\n[General]\r\nModel=evil");
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.notifications, Names{"“OEM版本”中含有换行符，OEM信息未作任何修改。"});
    EXPECT_EQ(w.sys.files.at(kIni), "[General]\r\nModel=A\r\n");
    EXPECT_TRUE(w.sys.registry.empty());

    w.values("Ac\nme", "X\r1"); // a lone LF or CR is a line break too
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.notifications.at(1), "“制造商”、“OEM版本”中含有换行符，OEM信息未作任何修改。");

    w.values("삼성", "X\n1"); // both faults are named
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.notifications.at(2), "“制造商”中含有无法用 GBK 编码保存的字符，“OEM版本”"
                                         "中含有换行符，OEM信息未作任何修改。");
    EXPECT_EQ(w.sys.events.size(), 3u); // the notices alone
}

// The rule the command line follows too: the owner and the organisation are
// Unicode registry strings and take what GBK cannot hold; no box takes a tab.
TEST(OemSafety, TheOemTextRuleOfTheCommandLine) {
    Window w;
    w.sys.files[kIni] = "[General]\r\nModel=A\r\n";
    w.values("Acme", "A");
    w.ui.setText(Control::Text1, "삼성");
    w.ui.setText(Control::Text2, "a\xF0\x9F\x98\x80");
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.notifications, Names{"OEM信息已经更新"});
    EXPECT_EQ(w.sys.registry.at(kOwner), "삼성");
    EXPECT_EQ(w.sys.registry.at(kOrg), "a\xF0\x9F\x98\x80");

    const std::pair<std::pair<Control, std::string>, std::string> refused[] = {
        {{Control::Text1, "a\tb"}, "“系统注册姓名”中含有制表符等控制字符，"},
        {{Control::Text4, "Ac\tme"}, "“制造商”中含有制表符等控制字符，"},
        {{Control::Text2, "a\r\nb"}, "“系统注册组织”中含有换行符，"},
        // Overlong, a surrogate, above U+10FFFF: no character at all.
        {{Control::Text1, "\xC0\x80"}, "“系统注册姓名”中含有无效的 Unicode 字符，"},
        {{Control::Text1, "\xED\xA0\x80"}, "“系统注册姓名”中含有无效的 Unicode 字符，"},
        {{Control::Text2, "\xF4\x90\x80\x80"}, "“系统注册组织”中含有无效的 Unicode 字符，"},
    };
    for (const auto& r : refused) {
        Window fresh;
        fresh.values("Acme", "A");
        fresh.ui.setText(r.first.first, r.first.second);
        fresh.form.Command6_Click();
        EXPECT_EQ(fresh.sys.notifications, Names{r.second + "OEM信息未作任何修改。"});
        EXPECT_TRUE(fresh.sys.registry.empty()) << r.second;
        EXPECT_EQ(fresh.sys.files.count(kIni), 0u) << r.second;
    }
}

TEST(OemSafety, AReadOnlyFileIsRefusedWithAMessageAndKeptAsItWas) {
    Window w;
    w.sys.files[kIni] = "[General]\r\nModel=A\r\n";
    w.sys.readOnly.insert(kIni);
    w.values("Acme", "B");
    w.form.Command6_Click();
    EXPECT_EQ(w.sys.files.at(kIni), "[General]\r\nModel=A\r\n");
    const std::string& notice = w.sys.notifications.at(0);
    EXPECT_NE(notice.find("无法写入 " + kIni + "：拒绝访问（可能需要管理员权限，或文件为只读）"),
              std::string::npos);
    EXPECT_EQ(notice.find("OEM信息已经更新"), std::string::npos);
}

TEST(OemSafety, AFileThatCannotBeCreatedLeavesThePanelEmptyAndSilentAndApplyingSaysWhy) {
    Window w;
    w.sys.admin = false;
    w.sys.writeFailures[kIni] = kErrorAccessDenied;
    w.form.oem_Click();
    EXPECT_EQ(w.sys.events, Names{"write " + kIni}); // the attempt, nothing said
    EXPECT_EQ(w.ui.text(Control::Text3), "");
    EXPECT_EQ(w.ui.text(Control::Text4), "");

    w.values("Acme", "B");
    w.form.Command6_Click();
    ASSERT_EQ(w.sys.notifications.size(), 1u);
    EXPECT_NE(w.sys.notifications[0].find("无法写入 " + kIni), std::string::npos);
    EXPECT_NE(w.sys.notifications[0].find("请以管理员身份运行本程序"), std::string::npos);
}

struct PickerAndWindow {
    Window main;
    FakeForm2Controls ui;
    Form2 picker{ui, main.sys, main.sys,
                 [this](const std::string& chosen) { main.form.logoCopyStarted(chosen); }};
    PickerAndWindow() {
        picker.Form_Load();
        main.sys.files["D:\\blue.bmp"] = "BM blue";
        main.sys.files[kLogo] = "BM red";
        ui.text1 = "D:\\blue.bmp";
    }
    FakePlatform& sys() { return main.sys; }
    std::string image2() { return main.ui.at(Control::Image2).picture; }
};

TEST(OemSafety, TheLogoCopyNeedsAdministratorRightsAndSaysSo) {
    PickerAndWindow p;
    p.sys().admin = false;
    p.picker.Command2_Click();
    EXPECT_EQ(p.sys().notifications,
              Names{"需要管理员权限才能更改系统文件，请以管理员身份运行本程序。"});
    EXPECT_TRUE(p.sys().launches.empty());
    EXPECT_EQ(p.sys().files.count("fuzhi.bat"), 0u);
    EXPECT_FALSE(p.ui.unloaded);
}

TEST(OemSafety, Image2ShowsTheLogoOnlyOnceTheCopyHasEnded) {
    PickerAndWindow p;
    p.picker.Command2_Click();
    ASSERT_EQ(p.sys().launchedNames(), Names{"fuzhi.bat"});
    EXPECT_TRUE(p.ui.unloaded);
    p.sys().running.insert("fuzhi.bat");
    p.main.form.pollScripts();
    EXPECT_EQ(p.image2(), ""); // still copying: nothing reloaded yet

    p.sys().files[kLogo] = "BM blue"; // what the script did
    p.sys().ended = {"fuzhi.bat"};
    p.main.form.pollScripts();
    EXPECT_EQ(p.image2(), kLogo);
    EXPECT_TRUE(p.sys().notifications.empty());

    p.main.ui.at(Control::Image2).picture.clear();
    p.sys().ended = {"fuzhi.bat"}; // another run's end: nothing was waiting for it
    p.main.form.pollScripts();
    EXPECT_EQ(p.image2(), "");
}

TEST(OemSafety, ACopyThatDidNotTakeIsReportedAfterItsEnd) {
    PickerAndWindow p;
    p.picker.Command2_Click();
    p.sys().ended = {"xtql.bat", "fuzhi.bat"}; // oemlogo.bmp is still the red one
    p.main.form.pollScripts();
    EXPECT_EQ(p.image2(), kLogo); // showing what is installed
    EXPECT_EQ(p.sys().notifications, Names{"OEM LOGO 未能更换：复制结束后，" + kLogo +
                                           " 与所选的图片 D:\\blue.bmp 不一致。"});

    // No installed logo to read afterwards counts as not taken too.
    PickerAndWindow q;
    q.picker.Command2_Click();
    q.sys().files.erase(kLogo);
    q.sys().ended = {"fuzhi.bat"};
    q.main.form.pollScripts();
    EXPECT_EQ(q.sys().notifications.size(), 1u);
}

} // namespace
