// The registry changes of the Explorer tweaks read back from a machine: in
// place after a working import, and each kind of change named when it is not.
#include "fakes/tweak_effects.h"
#include "script/plan_readback.h"
#include "tweaks/tweak_scripts.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
using namespace tweak_effects;

std::vector<RegistryChange> allTweaks() {
    std::vector<RegistryChange> changes;
    for (const TweakScript* script : {&kShortcutScript, &kNotepadScript, &kSharedDocsScript})
        changes.insert(changes.end(), script->changes.begin(), script->changes.end());
    return changes;
}

// A machine before the tweaks: IsShortcut on both, the Shared Documents key,
// no verb, an old Link value.
FakePlatform untouched() {
    FakePlatform m;
    m.registryKeys[kExplorerDefault] = {{"Link", 3, std::string("\x1e\0\0\0", 4)}};
    m.registryKeys[kLnkfile] = {{"IsShortcut", 1, utf16(u"")}};
    m.registryKeys[kPiffile] = {{"IsShortcut", 1, utf16(u"")}};
    m.registryKeys[kSharedDocs] = {{"", 1, utf16(u"Shared Documents")}};
    return m;
}

FakePlatform tweaked() {
    FakePlatform m = untouched();
    shortcutImport(m);
    notepadImport(m);
    sharedDocsDelete(m);
    return m;
}

TEST(RegistryReadBack, AWorkingImportLeavesEverythingInPlace) {
    FakePlatform m = tweaked();
    EXPECT_EQ(registryNotInPlace(m, allTweaks()), Lines{});
}

TEST(RegistryReadBack, EachKindOfChangeThatDidNotTakeIsNamed) {
    FakePlatform value = tweaked();
    setValue(value, kLnkfile, {"EditFlags", 4, std::string("\x02\0\0\0", 4)});
    EXPECT_EQ(registryNotInPlace(value, allTweaks()),
              Lines{"注册表值 HKEY_CLASSES_ROOT\\lnkfile\\EditFlags 未设为应有的值。"});

    FakePlatform deletedValue = tweaked();
    setValue(deletedValue, kPiffile, {"IsShortcut", 1, utf16(u"")});
    EXPECT_EQ(registryNotInPlace(deletedValue, allTweaks()),
              Lines{"注册表值 HKEY_CLASSES_ROOT\\piffile\\IsShortcut 仍然存在。"});

    FakePlatform createdKey = tweaked();
    createdKey.registryKeys.erase(kVerb + "\\command");
    EXPECT_EQ(registryNotInPlace(createdKey, allTweaks()),
              (Lines{"注册表项 " + kVerb + "\\command 不存在。",
                     "注册表项 " + kVerb + "\\command 的默认值 未设为应有的值。"}));

    FakePlatform deletedKey = tweaked();
    deletedKey.registryKeys[kSharedDocs];
    EXPECT_EQ(registryNotInPlace(deletedKey, allTweaks()),
              Lines{"注册表项 " + kSharedDocs + " 仍然存在。"});
}

// The same text under another type, or other bytes, is not the value set.
TEST(RegistryReadBack, TypeAndDataMustBothMatch) {
    EXPECT_TRUE(registryHolds({"", 1, utf16(u"快捷方式")}, registryText("快捷方式")));
    EXPECT_TRUE(registryHolds({"", 1, std::string()}, registryText("")));
    EXPECT_FALSE(registryHolds({"", 2, utf16(u"快捷方式")}, registryText("快捷方式")));
    EXPECT_FALSE(registryHolds({"", 1, utf16(u"快捷方")}, registryText("快捷方式")));
    EXPECT_FALSE(
        registryHolds({"", 3, std::string(3, '\0')}, registryBinary(std::string(4, '\0'))));
    EXPECT_TRUE(registryHolds({"", 4, std::string("\x01\0\0\0", 4)}, registryDword(1)));
}

// Nothing read back at all (the import never ran) names every change but the
// piffile key, which was there before.
TEST(RegistryReadBack, AnUntouchedMachineNamesEveryChange) {
    FakePlatform m = untouched();
    EXPECT_EQ(registryNotInPlace(m, allTweaks()).size(), allTweaks().size() - 1);

    FakePlatform unreadable = tweaked();
    unreadable.registryReadFailures[kLnkfile] = kErrorAccessDenied;
    const Lines found = registryNotInPlace(unreadable, allTweaks());
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[1].rfind("无法读取注册表值 HKEY_CLASSES_ROOT\\lnkfile\\EditFlags：", 0), 0u);
}

} // namespace
