#include "cleanup/junk_script.h"

#include "script/batch_quoting.h"

// The profile paths are quoted because they contain blanks; the paths under
// the system drive are not. The interpreter expands the variables when the
// script runs, before it splits the line at blanks: the paths under %windir%
// are quoted when the Windows directory needs it, and bare otherwise.
ScriptLines junkScriptLines(const std::string& windowsDir) {
    const std::string q = needsBatchQuotes(windowsDir) ? "\"" : "";
    return {
        "@echo off",
        "echo 正在帮您清除系统垃圾文件，请稍等......",
        "del /f /s /q %systemdrive%\\*.tmp",
        "del /f /s /q %systemdrive%\\*._mp",
        "del /f /s /q %systemdrive%\\*.log",
        "del /f /s /q %systemdrive%\\*.gid",
        "del /f /s /q %systemdrive%\\*.chk",
        "del /f /s /q %systemdrive%\\*.old",
        "del /f /s /q %systemdrive%\\recycled\\*.*",
        "del /f /s /q " + q + "%windir%\\*.bak" + q,
        "del /f /s /q " + q + "%windir%\\prefetch\\*.*" + q,
        "rd /s /q " + q + "%windir%\\temp" + q + " & md " + q + "%windir%\\temp" + q,
        "del /f /q \"%userprofile%\\cookies\\*.*\"",
        "del /f /q \"%userprofile%\\recent\\*.*\"",
        "del /f /s /q \"%userprofile%\\Local Settings\\Temporary Internet Files\\*.*\"",
        "del /f /s /q \"%userprofile%\\Local Settings\\Temp\\*.*\"",
        // Once more with subfolders, after the plain pass above.
        "del /f /s /q \"%userprofile%\\recent\\*.*\"",
        "echo 系统清理完成 按任意键退出程序。",
        "pause>nul",
        "del xtql.bat",
    };
}

ScriptLines unattendedJunkScriptLines(const std::string& windowsDir) {
    ScriptLines unattended = junkScriptLines(windowsDir);
    // The window's script ends with the completion line, "pause>nul" and the
    // deletion of the script: the first two give way to one line.
    unattended.erase(unattended.end() - 3, unattended.end() - 1);
    unattended.insert(unattended.end() - 1, "echo 系统清理完成。");
    return unattended;
}
