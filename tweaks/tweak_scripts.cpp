#include "tweaks/tweak_scripts.h"

// One script line per source line, however long.
// clang-format off

// Empty lines add nothing to the .reg file; the line `"NeverShowExt" = ""`
// keeps its blanks around the equals sign. Each key line makes its key when it
// is missing, piffile's too, though only a value is deleted there.
const TweakScript kShortcutScript = {
    "kuaijie.bat",
    {
        ">kuaijie.reg echo Windows Registry Editor Version 5.00",
        ">>kuaijie.reg echo [HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer]",
        ">>kuaijie.reg echo \"Link\"=hex:00,00,00,00",
        ">>kuaijie.reg echo [HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer]",
        ">>kuaijie.reg echo \"Link\"=hex:00,00,00,00",
        "",
        ">>kuaijie.reg echo [HKEY_CLASSES_ROOT\\lnkfile]",
        ">>kuaijie.reg echo @=\"快捷方式\"",
        ">>kuaijie.reg echo \"EditFlags\"=dword:00000001",
        ">>kuaijie.reg echo \"NeverShowExt\" = \"\"",
        "",
        ">>kuaijie.reg echo [HKEY_CLASSES_ROOT\\lnkfile]",
        ">>kuaijie.reg echo \"IsShortcut\"=-",
        "",
        ">>kuaijie.reg echo [HKEY_CLASSES_ROOT\\piffile]",
        ">>kuaijie.reg echo \"IsShortcut\"=-",
        "start /wait regedit /s kuaijie.reg",
        "del kuaijie.reg",
        "del kuaijie.bat",
    },
    {
        {RegistryChange::Kind::SetValue, "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Link", registryBinary(std::string(4, '\0'))},
        {RegistryChange::Kind::SetValue, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Link", registryBinary(std::string(4, '\0'))},
        {RegistryChange::Kind::SetValue, "HKEY_CLASSES_ROOT\\lnkfile", "", registryText("快捷方式")},
        {RegistryChange::Kind::SetValue, "HKEY_CLASSES_ROOT\\lnkfile", "EditFlags", registryDword(1)},
        {RegistryChange::Kind::SetValue, "HKEY_CLASSES_ROOT\\lnkfile", "NeverShowExt", registryText("")},
        {RegistryChange::Kind::DeleteValue, "HKEY_CLASSES_ROOT\\lnkfile", "IsShortcut"},
        {RegistryChange::Kind::CreateKey, "HKEY_CLASSES_ROOT\\piffile", ""},
        {RegistryChange::Kind::DeleteValue, "HKEY_CLASSES_ROOT\\piffile", "IsShortcut"},
    },
};

// The command interpreter halves the doubled percent sign on its way into
// jsb.reg. The verb's key name carries two ASCII double quotes.
const TweakScript kNotepadScript = {
    "jsb.bat",
    {
        ">jsb.reg echo Windows Registry Editor Version 5.00",
        ">>jsb.reg echo [HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell]",
        ">>jsb.reg echo [HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\用\"记事本\"打开]",
        ">>jsb.reg echo [HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\用\"记事本\"打开\\command]",
        ">>jsb.reg echo @=\"notepad.exe %%1\"",
        "start /wait regedit /s jsb.reg",
        "del jsb.reg",
        "del jsb.bat",
    },
    {
        {RegistryChange::Kind::CreateKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell", ""},
        {RegistryChange::Kind::CreateKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\用\"记事本\"打开", ""},
        {RegistryChange::Kind::CreateKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\用\"记事本\"打开\\command", ""},
        {RegistryChange::Kind::SetValue, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\用\"记事本\"打开\\command", "", registryText("notepad.exe %1")},
    },
};

const TweakScript kSharedDocsScript = {
    "gx.bat",
    {
        "reg delete \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}\" /f",
        "del gx.bat",
    },
    {
        {RegistryChange::Kind::DeleteKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}", ""},
    },
};
// clang-format on
