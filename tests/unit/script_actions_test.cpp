// The window's actions that run scripts, one row per choice the user can
// make: the option of "下一步" with the three tweak boxes (ticked, clear or
// grey), the per-service dialog with the boxes it reads, the junk cleanup.
// Each row says which scripts are written and launched, in which order and
// with which bytes, what a success says, and which guards hold it back:
// administrator rights, the question on a Windows other than XP or 2003, and
// what a script of the row still running from before does.
#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_window.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

using Names = std::vector<std::string>;

enum class Click { Optimise, Restore, PerService, JunkCleanup };

struct Row {
    Click click;
    int kjfs, jsb, gxiang; // 0 clear, 1 ticked, 2 grey
    Names scripts;         // written and launched, in this order
    std::optional<std::string> success;
    bool needsAdministrator;
    bool asksOnOtherWindows;
    IfStillRunning ifStillRunning;
};

const std::string kOptimised = "系统已经优化成功";
const std::string kRestored = "系统服务已经恢复为默认";
const std::string kPerService = "系统已经优化完毕";
const std::string kStillRunning = "上一次的优化仍在进行中，请稍候再试。";
const std::string kNeedsAdministrator =
    "需要管理员权限才能更改系统服务和注册表，请以管理员身份运行本程序。";

constexpr Click O = Click::Optimise;
constexpr Click R = Click::Restore;
constexpr Click S = Click::PerService;
constexpr Click C = Click::JunkCleanup;
constexpr IfStillRunning Refuse = IfStillRunning::Refuse;

const Row kRows[] = {
    // "下一步" with the first option: the ticked tweaks in a fixed order, then
    // always the service modes. Only a ticked box counts.
    {O, 1, 1, 1, {"kuaijie.bat", "jsb.bat", "gx.bat", "fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 1, 1, 0, {"kuaijie.bat", "jsb.bat", "fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 1, 0, 1, {"kuaijie.bat", "gx.bat", "fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 1, 0, 0, {"kuaijie.bat", "fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 0, 1, 1, {"jsb.bat", "gx.bat", "fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 0, 1, 0, {"jsb.bat", "fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 0, 0, 1, {"gx.bat", "fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 0, 0, 0, {"fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 2, 1, 2, {"jsb.bat", "fwyh.bat"}, kOptimised, true, true, Refuse},
    {O, 2, 2, 2, {"fwyh.bat"}, kOptimised, true, true, Refuse},
    // The second option: the default modes, whatever the boxes say.
    {R, 1, 1, 1, {"huifu.bat"}, kRestored, true, true, Refuse},
    {R, 0, 0, 0, {"huifu.bat"}, kRestored, true, true, Refuse},
    {R, 2, 2, 2, {"huifu.bat"}, kRestored, true, true, Refuse},
    // The per-service dialog (every choice on): its script, then the Notepad
    // verb and the Shared Documents removal; the shortcut box is not read.
    {S, 1, 1, 1, {"xiangxi.bat", "jsb.bat", "gx.bat"}, kPerService, true, true, Refuse},
    {S, 0, 1, 0, {"xiangxi.bat", "jsb.bat"}, kPerService, true, true, Refuse},
    {S, 0, 0, 1, {"xiangxi.bat", "gx.bat"}, kPerService, true, true, Refuse},
    {S, 1, 0, 0, {"xiangxi.bat"}, kPerService, true, true, Refuse},
    {S, 0, 2, 2, {"xiangxi.bat"}, kPerService, true, true, Refuse},
    // The junk cleanup: a visible console that says everything itself, for
    // any user on any Windows; still open, it comes to the front instead.
    {C, 1, 1, 1, {"xtql.bat"}, std::nullopt, false, false, IfStillRunning::BringToFront},
};

// Every script these actions write.
const Names kAllScripts = {"kuaijie.bat", "jsb.bat",     "gx.bat",  "fwyh.bat",
                           "huifu.bat",   "xiangxi.bat", "xtql.bat"};

std::string rowName(const Row& row) {
    static const char* const kClicks[] = {"optimise", "restore", "per-service", "cleanup"};
    return std::string(kClicks[static_cast<int>(row.click)]) + " " + std::to_string(row.kjfs) +
           std::to_string(row.jsb) + std::to_string(row.gxiang);
}

struct Window : FakeWindow {
    void click(const Row& row) {
        ui.setValue(Control::kjfs, row.kjfs);
        ui.setValue(Control::jsb, row.jsb);
        ui.setValue(Control::gxiang, row.gxiang);
        ServiceChoices on;
        on.fill(1);
        switch (row.click) {
        case Click::Optimise:
            ui.setValue(Control::moren, 1);
            return form.Command1_Click();
        case Click::Restore:
            ui.setValue(Control::huifu, 1);
            return form.Command1_Click();
        case Click::PerService:
            return form.ServiceDialog_OK(on);
        case Click::JunkCleanup:
            return form.lj_Click();
        }
    }
};

TEST(ScriptActions, EachRowWritesAndLaunchesItsScriptsInOrderThenSaysItsText) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(rowName(row));
        Window w;
        // Scripts that this click does not write may go on running.
        for (const std::string& name : kAllScripts)
            if (std::find(row.scripts.begin(), row.scripts.end(), name) == row.scripts.end())
                w.sys.running.insert(name);
        w.click(row);

        // Each script is complete on disk before its launch; the message comes last.
        Names expected;
        for (const std::string& name : row.scripts) {
            expected.push_back("write " + name);
            expected.push_back("launch " + name);
        }
        if (row.success)
            expected.push_back("notify " + *row.success);
        EXPECT_EQ(w.sys.eventsOutsideSnapshots(), expected);
        ASSERT_EQ(w.sys.launches.size(), row.scripts.size());
        for (const FakePlatform::Launch& l : w.sys.launches) {
            const bool console = row.click == Click::JunkCleanup;
            EXPECT_EQ(l.show, console ? ShowState::Visible : ShowState::Hidden) << l.name;
            expectScriptBytes(l.name == "xiangxi.bat" ? "xiangxi.bat-on" : l.name, l.bytesAtLaunch);
        }
    }
}

TEST(ScriptActions, EachRowIsHeldBackByItsGuardsBeforeAnythingIsWritten) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(rowName(row));
        {
            Window w;
            w.sys.admin = false;
            w.click(row);
            if (row.needsAdministrator) {
                // Not even an undo record.
                EXPECT_TRUE(w.sys.files.empty());
                EXPECT_EQ(w.sys.events, Names{"notify " + kNeedsAdministrator});
            } else {
                EXPECT_EQ(w.sys.launchedNames(), row.scripts);
            }
        }
        {
            Window w;
            w.sys.version = {6, 1, 7601, false};
            w.click(row); // the question is answered "否"
            EXPECT_EQ(w.sys.questions.size(), row.asksOnOtherWindows ? 1u : 0u);
            EXPECT_EQ(w.sys.launches.empty(), row.asksOnOtherWindows);
        }
        for (const std::string& name : row.scripts) {
            SCOPED_TRACE(name + " still running");
            Window w;
            w.sys.running.insert(name);
            w.click(row);
            switch (row.ifStillRunning) {
            case IfStillRunning::Refuse:
                EXPECT_TRUE(w.sys.files.empty());
                EXPECT_EQ(w.sys.events, Names{"notify " + kStillRunning});
                break;
            case IfStillRunning::BringToFront:
                EXPECT_TRUE(w.sys.events.empty());
                EXPECT_EQ(w.sys.broughtToFront, Names{name});
                break;
            case IfStillRunning::Report:
                ADD_FAILURE() << "no row reports a script still running";
                break;
            }
        }
    }
}

} // namespace
