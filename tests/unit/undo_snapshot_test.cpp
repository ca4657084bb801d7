// The undo snapshot of a plan on a fake machine: what is recorded (start
// modes, registry values present or absent, deleted and created keys, files
// present or absent) and the exact bytes of the undo files made from it.
#include "fakes/fake_platform.h"
#include "script_fixture.h"
#include "undo/snapshot.h"
#include "undo/snapshot_scope.h"
#include "undo/undo_scripts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kClasses = "HKEY_CLASSES_ROOT\\";
const std::string kExplorer =
    "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kShared =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer"
    "\\MyComputer\\NameSpace\\DelegateFolders\\"
    "{59031a47-3f72-44a7-89c5-5595fe6b30ee}";
const std::string kShell = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell";
const std::string kVerb = kShell + "\\用\"记事本\"打开";
const std::string kWindows = "C:\\WIN 100%";
const std::string kIni = kWindows + "\\system32\\oeminfo.ini";
const std::string kLogo = kWindows + "\\system32\\oemlogo.bmp";

constexpr std::uint32_t SZ = 1, EXPAND_SZ = 2, BINARY = 3, DWORD = 4, QWORD = 11;

// UTF-16LE bytes of ASCII text, with the terminating NUL.
std::string wide(const std::string& ascii) {
    std::string bytes;
    for (char c : ascii)
        bytes += std::string(1, c) + '\0';
    return bytes + std::string(2, '\0');
}

std::string bytes(std::initializer_list<int> values) {
    std::string b;
    for (int v : values)
        b += static_cast<char>(v);
    return b;
}

// The machine before the change.
struct Machine {
    FakePlatform sys;
    Machine() {
        sys.windowsDir = kWindows;
        sys.services = {{"Spooler", StartMode::Demand}, {"BITS", StartMode::Disabled}};
        sys.registryKeys[kClasses + "lnkfile"] = {
            {"", SZ, bytes({0xEB, 0x5F, 0x77, 0x63, 0xB9, 0x65, 0x0F, 0x5F, 0, 0})}, // 快捷方式
            {"EditFlags", DWORD, bytes({0x22, 0, 0, 0})},
        };
        sys.registryKeys[kClasses + "piffile"] = {{"IsShortcut", SZ, bytes({0, 0})}};
        sys.registryKeys[kExplorer] = {{"Link", BINARY, bytes({0x1E, 0, 0, 0})}};
        sys.registryKeys["HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*"] = {};
        sys.registryKeys["HKEY_CURRENT_USER\\Software"] = {};
        sys.registryKeys[kShared] = {{"", SZ, wide("SharedDocs")}};
        sys.registryKeys[kShared + "\\Extra"] = {
            {"Path", EXPAND_SZ, wide("%SystemRoot%\\x")},
            {"say \"hi\" \\ there", SZ, wide("C:\\dir")},
            {"Two lines", SZ, wide("a\r\nb")},
            {"Count", QWORD, bytes({1, 0, 0, 0, 0, 0, 0, 0})},
        };
        sys.files[kIni] = "[General]\r\nModel=\xD0\xCD\r\n";
        sys.attributes[kIni] = kAttributeHidden | kAttributeSystem; // as OEM files often are
    }
};

// What an optimisation with the three tweaks and an OEM change would
// change, written out here rather than taken from the product's tables.
Plan changes() {
    using K = RegistryChange::Kind;
    Plan plan;
    plan.action = "系统常规优化";
    plan.scripts = {{"a.bat", {}, ShowState::Hidden}, {"b.bat", {}, ShowState::Hidden}};
    plan.services = {{"Spooler", StartMode::Auto},
                     {"Alerter", StartMode::Disabled},
                     {"Spooler", StartMode::Disabled}, // named twice: recorded once
                     {"BITS", StartMode::Auto}};
    plan.registry = {
        {K::SetValue, kClasses + "lnkfile", ""},
        {K::SetValue, kClasses + "lnkfile", "EditFlags"},
        {K::SetValue, kClasses + "lnkfile", "NeverShowExt"},
        {K::DeleteValue, kClasses + "piffile", "IsShortcut"},
        {K::DeleteValue, kClasses + "nosuchfile", "IsShortcut"}, // changes nothing
        {K::SetValue, kExplorer, "Link"},
        {K::SetValue, kVerb + "\\command", ""}, // two levels below the missing key
        {K::CreateKey, kShell, ""},
        {K::CreateKey, kVerb, ""},
        {K::DeleteKey, kShared, ""},
        {K::SetValue, "HKEY_CURRENT_USER\\Software\\Velkor\\Deep", "X"}, // two keys created
    };
    plan.files = {kIni, kLogo};
    return plan;
}

Snapshot take(FakePlatform& sys) {
    std::string failure;
    std::optional<Snapshot> shot = takeSnapshot(sys, scopeOf(changes()), &failure);
    EXPECT_TRUE(shot.has_value()) << failure;
    return shot.value_or(Snapshot());
}

TEST(UndoSnapshot, RecordsEachChangeOnceAsTheMachineStands) {
    Machine m;
    const Snapshot shot = take(m.sys);

    ASSERT_EQ(shot.services.size(), 3u);
    EXPECT_EQ(shot.services[0].service, "Spooler");
    EXPECT_EQ(shot.services[0].mode, StartMode::Demand);
    EXPECT_EQ(shot.services[1].service, "Alerter");
    EXPECT_FALSE(shot.services[1].mode.has_value()); // not installed
    EXPECT_EQ(shot.services[2].mode, StartMode::Disabled);

    ASSERT_EQ(shot.values.size(), 7u);
    EXPECT_EQ(shot.values[1].value->data, bytes({0x22, 0, 0, 0}));
    EXPECT_FALSE(shot.values[2].value.has_value()); // NeverShowExt: absent
    EXPECT_EQ(shot.values[3].name, "IsShortcut");
    EXPECT_EQ(shot.values[4].key, kExplorer);
    // Written into keys the change creates: absent before.
    EXPECT_EQ(shot.values[5].key, kVerb + "\\command");
    EXPECT_FALSE(shot.values[5].value.has_value());
    EXPECT_EQ(shot.values[6].name, "X");
    EXPECT_FALSE(shot.values[6].value.has_value());

    // Every missing key the change creates, each after the key that holds it.
    EXPECT_EQ(shot.newKeys,
              (std::vector<std::string>{kShell, kVerb, kVerb + "\\command",
                                        "HKEY_CURRENT_USER\\Software\\Velkor",
                                        "HKEY_CURRENT_USER\\Software\\Velkor\\Deep"}));
    EXPECT_EQ(shot.windowsFolder, kWindows);

    ASSERT_EQ(shot.deletedKeys.size(), 1u);
    ASSERT_TRUE(shot.deletedKeys[0].tree.has_value());
    ASSERT_EQ(shot.deletedKeys[0].tree->size(), 2u);
    EXPECT_EQ((*shot.deletedKeys[0].tree)[1].key, kShared + "\\Extra");

    ASSERT_EQ(shot.files.size(), 2u);
    EXPECT_EQ(shot.files[0].bytes, m.sys.files[kIni]);
    EXPECT_EQ(shot.files[0].savedName, "saved-1-oeminfo.ini");
    EXPECT_FALSE(shot.files[1].bytes.has_value());
}

TEST(UndoSnapshot, UndoBatIsTheFixtureInGbk) {
    Machine m;
    const Snapshot shot = take(m.sys);
    const std::optional<std::string> bat =
        scriptBytes(undoBatLines(shot, "系统常规优化", LocalTime{2024, 5, 1, 12, 30, 5}));
    ASSERT_TRUE(bat.has_value());
    expectScriptBytes("undo/undo.bat", *bat);
}

TEST(UndoSnapshot, UndoRegIsTheFixtureInUtf16WithAByteOrderMark) {
    Machine m;
    const Snapshot shot = take(m.sys);
    std::string expected;
    for (const std::string& line : fixtureLines("undo/undo.reg"))
        expected += line + "\r\n";
    expected = "\xFF\xFE" + fixtureConvert(expected, "UTF-16LE");
    EXPECT_TRUE(needsUndoReg(shot));
    EXPECT_EQ(undoRegBytes(shot), expected);
}

TEST(UndoSnapshot, WhatCannotBeReadStopsTheSnapshotAndSaysWhy) {
    {
        Machine m;
        m.sys.serviceReadFailures["BITS"] = kErrorAccessDenied;
        std::string failure;
        EXPECT_FALSE(takeSnapshot(m.sys, scopeOf(changes()), &failure).has_value());
        EXPECT_EQ(failure, "无法读取服务 BITS：拒绝访问（可能需要管理员权限，或文件为只读）");
    }
    {
        Machine m;
        m.sys.registryReadFailures[kShared] = kErrorAccessDenied;
        std::string failure;
        EXPECT_FALSE(takeSnapshot(m.sys, scopeOf(changes()), &failure).has_value());
        EXPECT_NE(failure.find(kShared), std::string::npos) << failure;
    }
    {
        Machine m;
        m.sys.readFailures[kIni] = kErrorSharingViolation;
        std::string failure;
        EXPECT_FALSE(takeSnapshot(m.sys, scopeOf(changes()), &failure).has_value());
        EXPECT_EQ(failure, "无法读取 " + kIni + "：文件正被另一个程序使用");
    }
}

TEST(UndoSnapshot, TheScopeComesBackFromItsText) {
    const SnapshotScope scope = scopeOf(changes());
    const std::optional<std::string> text = scopeText(scope);
    ASSERT_TRUE(text.has_value());
    SnapshotScope back;
    ASSERT_TRUE(parseScope(*text, &back));
    EXPECT_EQ(back.scripts, (std::vector<std::string>{"a.bat", "b.bat"}));
    EXPECT_EQ(back.services, scope.services);
    EXPECT_EQ(back.files, scope.files);
    ASSERT_EQ(back.registry.size(), scope.registry.size());
    for (std::size_t i = 0; i < back.registry.size(); ++i) {
        EXPECT_EQ(back.registry[i].kind, scope.registry[i].kind) << i;
        EXPECT_EQ(back.registry[i].key, scope.registry[i].key) << i;
        EXPECT_EQ(back.registry[i].value, scope.registry[i].value) << i;
    }

    SnapshotScope tabbed;
    tabbed.files = {"C:\\a\tb"};
    EXPECT_FALSE(scopeText(tabbed).has_value());
    SnapshotScope bad;
    EXPECT_FALSE(parseScope("service\tSpooler\n", &bad));
    // A text cut short is not a shorter scope.
    SnapshotScope cut;
    EXPECT_FALSE(parseScope(text->substr(0, text->size() - 1), &cut));
}

// A service that starts automatically, delayed (Windows Vista and later),
// comes back so rather than as plainly automatic.
TEST(UndoSnapshot, ADelayedAutomaticServiceIsGivenBackDelayed) {
    FakePlatform sys;
    sys.services["BITS"] = StartMode::DelayedAuto;
    SnapshotScope scope;
    scope.services = {"BITS"};
    std::string failure;
    const std::optional<Snapshot> shot = takeSnapshot(sys, scope, &failure);
    ASSERT_TRUE(shot.has_value()) << failure;
    const ScriptLines lines = undoBatLines(*shot, "x", LocalTime{2024, 5, 1, 12, 30, 5});
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "\"C:\\WINDOWS\\system32\\sc.exe\" config   BITS start= DELAYED-AUTO"),
              lines.end());
}

// A name that undo.reg cannot carry under a key the change deletes would be
// lost for good: the snapshot is refused, naming the key, and the change
// does not run.
TEST(UndoSnapshot, NamesThatARegFileCannotCarryAreRefusedNamingTheKey) {
    const std::string extra = kShared + "\\Extra";
    for (const std::string& name : {std::string("line\r\nbreak"), std::string("cr\r"),
                                    std::string("lf\n"), std::string("n\0ul", 4)}) {
        Machine m;
        m.sys.registryKeys[extra].push_back({name, SZ, wide("x")});
        std::string failure;
        EXPECT_FALSE(takeSnapshot(m.sys, scopeOf(changes()), &failure).has_value());
        EXPECT_EQ(failure,
                  "注册表项 " + extra + " 中有含换行符或无效字符的名称，撤销文件无法记录它");
    }
    {
        Machine m; // a subkey's name: the key that holds it is named
        m.sys.registryKeys[extra + "\\two\nlines"] = {};
        std::string failure;
        EXPECT_FALSE(takeSnapshot(m.sys, scopeOf(changes()), &failure).has_value());
        EXPECT_EQ(failure,
                  "注册表项 " + extra + " 中有含换行符或无效字符的名称，撤销文件无法记录它");
    }
    {
        Machine m; // an unpaired surrogate, which the platform finds
        m.sys.registryReadFailures[kShared] = kErrorNoUnicodeTranslation;
        std::string failure;
        EXPECT_FALSE(takeSnapshot(m.sys, scopeOf(changes()), &failure).has_value());
        EXPECT_EQ(failure,
                  "注册表项 " + kShared + " 中有含换行符或无效字符的名称，撤销文件无法记录它");
    }
    Machine m; // a tab is carried
    m.sys.registryKeys[extra].push_back({"tab\there", SZ, wide("x")});
    std::string failure;
    EXPECT_TRUE(takeSnapshot(m.sys, scopeOf(changes()), &failure).has_value()) << failure;
}

} // namespace
