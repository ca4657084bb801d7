// The click of `oem`: the panel and the values installed on the machine.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "oem_machine_names.h"

#include <gtest/gtest.h>

namespace {

struct Window : FakeWindow {
    Window() {
        sys.registry[kOrg] = "新公司";
        sys.registry[kOwner] = "张三";
    }
    // A file that exists and a file list of the folder shows.
    void install(const std::string& name, const std::string& bytes) {
        sys.files[kSystem + name] = bytes;
        sys.listedFiles[kSystem].insert(name);
    }
    std::string text(Control c) const { return ui.text(c); }
};

TEST(OemPanel, ShowsTheInstalledValues) {
    Window w;
    w.install("a.dll", "");
    w.install("oeminfo.ini", "[General]\r\nManufacturer=\xC1\xAA\xCF\xEB\r\nModel=T1\r\n");
    w.install("oemlogo.bmp", "BM");
    w.form.oem_Click();
    EXPECT_TRUE(w.ui.visible(Control::oemxx));
    EXPECT_FALSE(w.ui.visible(Control::xtyh));
    EXPECT_FALSE(w.ui.visible(Control::gybcx));
    EXPECT_EQ(w.text(Control::Text1), "张三");
    EXPECT_EQ(w.text(Control::Text2), "新公司");
    EXPECT_EQ(w.text(Control::Text3), "T1");
    EXPECT_EQ(w.text(Control::Text4), "联想");
    EXPECT_EQ(w.ui.at(Control::Image2).picture, kLogo);
    EXPECT_TRUE(w.sys.events.empty()); // nothing written
}

TEST(OemPanel, AMissingFileIsCreatedAsOneEmptyLine) {
    Window w;
    w.form.oem_Click();
    EXPECT_EQ(w.sys.files.at(kIni), "\r\n");
    EXPECT_EQ(w.text(Control::Text3), "");
    EXPECT_EQ(w.text(Control::Text4), "");
    EXPECT_EQ(w.ui.at(Control::Image2).picture, ""); // no logo: Image2 unchanged
}

TEST(OemPanel, AFileThatIsNotListedExactlyIsNeverOverwritten) {
    // Stored in upper case (or hidden): a file list does not show it by this name.
    Window w;
    const std::string content = "[General]\r\nManufacturer=ACME\r\n";
    w.sys.files[kIni] = content;
    w.sys.listedFiles[kSystem] = {"OEMINFO.INI"};
    w.form.oem_Click();
    EXPECT_EQ(w.sys.files.at(kIni), content);
    EXPECT_EQ(w.text(Control::Text4), "ACME");
    EXPECT_EQ(w.text(Control::Text3), "");
}

TEST(OemPanel, AnEmptyListedFileStaysEmpty) {
    Window w;
    w.install("oeminfo.ini", "");
    w.form.oem_Click();
    EXPECT_EQ(w.sys.files.at(kIni), "");
    EXPECT_TRUE(w.sys.events.empty());
    EXPECT_EQ(w.text(Control::Text3), "");
}

TEST(OemPanel, AMissingRegistryValueLeavesOnlyItsOwnBoxEmpty) {
    Window w;
    w.sys.registry.erase(kOwner);
    w.form.oem_Click();
    EXPECT_EQ(w.text(Control::Text1), "");
    EXPECT_EQ(w.text(Control::Text2), "新公司");
    w.sys.registry[kOwner] = "张三";
    w.sys.registry.erase(kOrg);
    w.form.oem_Click();
    EXPECT_EQ(w.text(Control::Text1), "张三");
    EXPECT_EQ(w.text(Control::Text2), "");
}

TEST(OemPanel, TypedTextIsReplacedOnTheNextClick) {
    Window w;
    w.install("oeminfo.ini", "[General]\r\nModel=A\r\nModel=B\r\n");
    w.form.oem_Click();
    for (Control box : {Control::Text1, Control::Text2, Control::Text3, Control::Text4})
        w.ui.setText(box, "typed");
    w.form.gy_Click();
    w.form.oem_Click();
    EXPECT_EQ(w.text(Control::Text1), "张三");
    EXPECT_EQ(w.text(Control::Text2), "新公司");
    EXPECT_EQ(w.text(Control::Text3), "A"); // the first line wins, as the system reads it
    EXPECT_EQ(w.text(Control::Text4), "");  // no manufacturer line: emptied, not kept
}

TEST(OemPanel, AnUnreadableFileOrLogoLeavesTheirControlsAlone) {
    Window w;
    w.sys.listedFiles[kSystem] = {"oeminfo.ini", "oemlogo.bmp"}; // listed, but cannot be read
    w.ui.unloadablePictures[kLogo] = true;
    w.ui.at(Control::Image2).picture = "earlier.bmp";
    w.form.oem_Click();
    EXPECT_EQ(w.ui.at(Control::Image2).picture, "earlier.bmp");
    EXPECT_EQ(w.text(Control::Text3), "");
    EXPECT_EQ(w.text(Control::Text4), "");
    EXPECT_EQ(w.text(Control::Text1), "张三");
}

TEST(OemPanel, TheCreatedFileFollowsTheWindowsDirectory) {
    Window w;
    w.sys.windowsDir = "D:\\WIN NT";
    w.form.oem_Click();

    EXPECT_EQ(w.sys.files.count("D:\\WIN NT\\system32\\oeminfo.ini"), 1u);
}

} // namespace
