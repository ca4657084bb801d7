// OEM failures that must not look like success: values that would add lines to
// "oeminfo.ini", a file that cannot be created or replaced.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "oem_machine_names.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

struct Window {
    FakeControls ui;
    FakePlatform sys;
    Form1 form{ui, sys};
    Window() { form.Form_Load(); }
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

} // namespace
