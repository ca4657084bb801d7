// What the Explorer tweak scripts leave in the registry when regedit and reg
// do their work, written out from the lines of kuaijie.reg, jsb.reg and gx.bat
// (not from the program's own tables), for a fake machine.
#pragma once

#include "fakes/fake_platform.h"

#include <algorithm>
#include <string>

namespace tweak_effects {

inline const std::string kExplorerDefault =
    "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline const std::string kExplorerUser =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline const std::string kLnkfile = "HKEY_CLASSES_ROOT\\lnkfile";
inline const std::string kPiffile = "HKEY_CLASSES_ROOT\\piffile";
inline const std::string kVerb = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\"
                                 "用\"记事本\"打开";
inline const std::string kSharedDocs =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\"
    "NameSpace\\DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}";

// A REG_SZ as regedit stores it: UTF-16LE with its terminating zero.
inline std::string utf16(const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text + u'\0') {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

inline void setValue(FakePlatform& m, const std::string& key, const RegistryValue& value) {
    std::vector<RegistryValue>& values = m.registryKeys[key];
    values.erase(std::remove_if(values.begin(), values.end(),
                                [&](const RegistryValue& v) { return v.name == value.name; }),
                 values.end());
    values.push_back(value);
}

inline void deleteValue(FakePlatform& m, const std::string& key, const std::string& name) {
    auto it = m.registryKeys.find(key);
    if (it != m.registryKeys.end())
        it->second.erase(std::remove_if(it->second.begin(), it->second.end(),
                                        [&](const RegistryValue& v) { return v.name == name; }),
                         it->second.end());
}

inline void shortcutImport(FakePlatform& m) {
    setValue(m, kExplorerDefault, {"Link", 3, std::string(4, '\0')});
    setValue(m, kExplorerUser, {"Link", 3, std::string(4, '\0')});
    setValue(m, kLnkfile, {"", 1, utf16(u"快捷方式")});
    setValue(m, kLnkfile, {"EditFlags", 4, std::string("\x01\0\0\0", 4)});
    setValue(m, kLnkfile, {"NeverShowExt", 1, utf16(u"")});
    deleteValue(m, kLnkfile, "IsShortcut");
    m.registryKeys[kPiffile]; // its key line makes it when it is missing
    deleteValue(m, kPiffile, "IsShortcut");
}

inline void notepadImport(FakePlatform& m) {
    m.registryKeys["HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell"];
    m.registryKeys[kVerb];
    setValue(m, kVerb + "\\command", {"", 1, utf16(u"notepad.exe %1")});
}

inline void sharedDocsDelete(FakePlatform& m) {
    m.registryKeys.erase(kSharedDocs);
}

// The three scripts do their work when they are waited for.
inline void tweaksTakeEffect(FakePlatform& m) {
    m.scriptEffects["kuaijie.bat"] = shortcutImport;
    m.scriptEffects["jsb.bat"] = notepadImport;
    m.scriptEffects["gx.bat"] = sharedDocsDelete;
}

} // namespace tweak_effects
