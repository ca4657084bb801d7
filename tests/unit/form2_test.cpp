// The logo picker: its list chain, the preview and the confirm step.
#include "app/form2.h"
#include "fakes/fake_form2_controls.h"
#include "fakes/fake_platform.h"
#include "fixture_file.h"
#include "oem_machine_names.h"

#include <gtest/gtest.h>

namespace {

struct Picker {
    FakePlatform sys;
    FakeForm2Controls ui;
    // The window that opened the picker hears of the copy, with the chosen path.
    Form2 form{ui, sys, sys, [this](const std::string& chosen) {
                   ui.events.push_back("logo replaced " + chosen);
               }};
    Picker() { form.Form_Load(); }
};

TEST(Form2Lists, LoadEmptiesText1AndANewDriveUpdatesFoldersThenFiles) {
    Picker p;
    EXPECT_EQ(p.ui.text1, "");
    p.ui.drive = "d:";
    p.form.Drive1_Change();
    EXPECT_EQ(p.ui.events, (std::vector<std::string>{"path Dir1 d:", "path File1 d:"}));
}

TEST(Form2Lists, ADriveThatIsNotReadyLeavesTheListsAsTheyWere) {
    Picker p;
    p.ui.drive = "a:";
    p.ui.unreadable.insert("a:");
    p.form.Drive1_Change();
    EXPECT_EQ(p.ui.events, std::vector<std::string>{"path Dir1 a:"});
    EXPECT_EQ(p.ui.dirPath, "C:\\work");
    EXPECT_EQ(p.ui.filePath, "C:\\work");
}

TEST(Form2Lists, AFileClickShowsItsPathAndPreviewsIt) {
    Picker p;
    p.ui.dirPath = "D:\\pics";
    p.form.Dir1_Change();
    p.ui.selectedFile = "a b.bmp";
    p.form.File1_Click();
    EXPECT_EQ(p.ui.text1, "D:\\pics\\a b.bmp");
    EXPECT_EQ(p.ui.preview, "D:\\pics\\a b.bmp");
    // in a root folder the list's path already ends in a backslash
    p.ui.filePath = "C:\\";
    p.ui.selectedFile = "r.bmp";
    p.ui.unloadablePictures.insert("C:\\\\r.bmp");
    p.form.File1_Click();
    EXPECT_EQ(p.ui.text1, "C:\\\\r.bmp");
    EXPECT_EQ(p.ui.preview, "D:\\pics\\a b.bmp"); // not a picture: the preview keeps the last one
}

TEST(Form2Confirm, WritesAndLaunchesFuzhiThenReloadsTheLogoAndUnloads) {
    Picker p;
    p.sys.files["D:\\my logos\\logo 100%.bmp"] = "BM";
    p.ui.text1 = "D:\\my logos\\logo 100%.bmp";
    p.form.Command2_Click();
    ASSERT_EQ(p.sys.launches.size(), 1u);
    EXPECT_EQ(p.sys.launches[0].name, "fuzhi.bat");
    EXPECT_EQ(p.sys.launches[0].show, ShowState::Hidden);
    EXPECT_EQ(p.sys.launches[0].bytesAtLaunch, fixture("oem/fuzhi_percent.bat"));
    EXPECT_EQ(p.ui.events,
              (std::vector<std::string>{"logo replaced D:\\my logos\\logo 100%.bmp", "unload"}));
    EXPECT_TRUE(p.sys.notifications.empty());
}

TEST(Form2Confirm, AWindowsDirectoryWithABlankIsQuoted) {
    Picker p;
    p.sys.windowsDir = "C:\\My Windows";
    p.sys.files["C:\\\\logo.bmp"] = "BM";
    p.ui.text1 = "C:\\\\logo.bmp";
    p.form.Command2_Click();
    EXPECT_EQ(p.sys.files.at("fuzhi.bat"), fixture("oem/fuzhi_blank_windir.bat"));
}

TEST(Form2Confirm, NoExistingFileNoScript) {
    for (const char* chosen : {"", "C:\\nothing.bmp"}) {
        Picker p;
        p.ui.text1 = chosen;
        p.form.Command2_Click();
        EXPECT_TRUE(p.sys.events.size() == 1 && p.sys.launches.empty());
        EXPECT_EQ(p.sys.files.count("fuzhi.bat"), 0u);
        EXPECT_EQ(p.sys.notifications, std::vector<std::string>{"请先选择一个存在的图片文件。"});
        EXPECT_FALSE(p.ui.unloaded); // the user may choose again
        EXPECT_TRUE(p.ui.events.empty());
    }
}

TEST(Form2Confirm, ANameOutsideGbkGoesByItsShortName) {
    Picker p;
    const std::string hangul = "C:\\\xED\x95\x9C.bmp";
    p.sys.files[hangul] = "BM";
    p.sys.shortPaths[hangul] = "C:\\E9AC~1.BMP";
    p.ui.text1 = hangul;
    p.form.Command2_Click();
    ASSERT_EQ(p.sys.launches.size(), 1u);
    EXPECT_NE(p.sys.launches[0].bytesAtLaunch.find("copy \"C:\\E9AC~1.BMP\" "), std::string::npos);
    EXPECT_TRUE(p.ui.unloaded);
}

TEST(Form2Confirm, ANameOutsideGbkWithoutAShortNameIsRefused) {
    Picker p;
    const std::string hangul = "C:\\\xED\x95\x9C.bmp";
    p.sys.files[hangul] = "BM";
    p.ui.text1 = hangul;
    p.form.Command2_Click();
    EXPECT_TRUE(p.sys.launches.empty());
    EXPECT_EQ(p.sys.files.count("fuzhi.bat"), 0u);
    ASSERT_EQ(p.sys.notifications.size(), 1u);
    EXPECT_NE(p.sys.notifications[0].find("GBK"), std::string::npos);
    EXPECT_FALSE(p.ui.unloaded);
}

TEST(Form2Confirm, AnEarlierRunStillGoingIsNotRewritten) {
    Picker p;
    p.sys.files["C:\\a.bmp"] = "BM";
    p.sys.files["fuzhi.bat"] = "running\r\n";
    p.sys.running.insert("fuzhi.bat");
    p.ui.text1 = "C:\\a.bmp";
    p.form.Command2_Click();
    EXPECT_EQ(p.sys.files.at("fuzhi.bat"), "running\r\n");
    EXPECT_TRUE(p.sys.launches.empty());
    EXPECT_NE(p.sys.notifications.at(0).find("fuzhi.bat"), std::string::npos);
    EXPECT_FALSE(p.ui.unloaded);
}

TEST(Form2Confirm, AScriptThatCannotBeWrittenIsReported) {
    Picker p;
    p.sys.files["C:\\a.bmp"] = "BM";
    p.sys.writeFailures["fuzhi.bat"] = kErrorAccessDenied;
    p.ui.text1 = "C:\\a.bmp";
    p.form.Command2_Click();
    EXPECT_TRUE(p.sys.launches.empty());
    EXPECT_NE(p.sys.notifications.at(0).find("拒绝访问"), std::string::npos);
}

TEST(Form2Back, UnloadsAndWritesNothing) {
    Picker p;
    p.sys.files["C:\\a.bmp"] = "BM";
    p.ui.selectedFile = "a.bmp";
    p.ui.filePath = "C:";
    p.form.File1_Click();
    p.form.Command1_Click();
    EXPECT_TRUE(p.ui.unloaded);
    EXPECT_TRUE(p.sys.events.empty());
    EXPECT_EQ(p.ui.events, std::vector<std::string>{"unload"});
}

} // namespace
