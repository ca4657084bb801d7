#include "cli/usage.h"

namespace {

const char* const kUsage[] = {
    "Velkor 系统优化程序 —— 命令行用法 / command-line usage",
    "",
    "Velkor.exe 操作... [/force] [/quiet] [/export:文件夹]",
    "Velkor.exe actions... [/force] [/quiet] [/export:folder]",
    "Velkor.exe /undo[:list|:记录名] [/quiet]",
    "Velkor.exe /config:文件 [/whatif | /check | /export:文件夹] [/force] [/quiet] [/log:文件]",
    "",
    "开关不区分大小写，/name 也可写作 -name。不带任何开关时打开程序窗口。",
    "Switches are case-insensitive; -name works as /name. Without any switch the window opens.",
    "",
    "操作（可以组合，按此顺序执行） / Actions (may be combined; they run in this order):",
    "  /optimize        系统常规优化：服务设为推荐的启动方式",
    "                   routine optimisation: the recommended service start modes",
    "  /tweaks:arrow,notepad,shareddocs",
    "                   同时应用的资源管理器调整（默认三项；/tweaks:none 不应用）",
    "                   the Explorer tweaks that go with it (default: all three; /tweaks:none)",
    "  /restore         恢复 XP 默认的服务启动方式 / restore the XP default start modes",
    "  /services:<17 位 0/1>",
    "                   详细服务优化，顺序同“详细服务优化”对话框；单独使用时也应用",
    "                   notepad 与 shareddocs（可用 /tweaks 选择）",
    "                   the per-service choices, 17 digits 0 or 1 in the order of the",
    "                   per-service dialog; on its own it also applies notepad and",
    "                   shareddocs (choose with /tweaks)",
    "  /clean           系统垃圾清理；从命令行运行时，结束时不等待按键",
    "                   junk cleanup; run from the command line it waits for no key at the end",
    "  /owner:文本 /organization:文本 /manufacturer:文本 /model:文本",
    "                   注册用户、注册组织、制造商、型号；未给出的保持原值",
    "                   registered owner and organisation, manufacturer, model;",
    "                   those not given keep their current values",
    "  /logo:路径       更换 OEM LOGO 图片 / replace the OEM logo bitmap",
    "  /undo            撤销最近一次尚未撤销的更改（同窗口中的“撤销上一次更改...”），",
    "                   不能与其他操作同用 / undo the newest change not yet undone, alone",
    "  /undo:list       列出尚未撤销的更改记录（最近的在最前），不作任何更改",
    "                   list the records not yet undone, the last one first; change nothing",
    "  /undo:记录名     撤销指定的那一次更改（名称见 /undo:list，如 20240501-123005）",
    "                   undo the record of that name (see /undo:list), whatever came after",
    "",
    "选项 / Options:",
    "  /quiet           不显示窗口和消息框；结果为退出码，每个操作一行输出到启动它的",
    "                   控制台，并追加到 All Users\\Application Data\\Velkor\\velkor-log.txt",
    "                   no window, no message box: the outcome is the exit code and one",
    "                   line per action on the console and in that log file",
    "  /force           在 Windows XP 和 2003 以外的系统上也更改服务（窗口中会先询问）",
    "                   change services on systems other than XP and 2003 too",
    "  /export:文件夹   把所选操作的脚本写入该文件夹，不运行任何脚本",
    "                   write the scripts of the actions into the folder; run nothing",
    "  /whatif          只列出所选操作将改动什么（当前 → 目标），不作任何更改",
    "                   list what the actions would change (current -> target); change nothing",
    "  /check           检查本机是否已是所选操作设定的状态，逐项列出不符之处，不作任何更改",
    "                   compare the machine with what the actions set; change nothing",
    "  /config:文件     从配置文件读取操作（[Actions]、[Services]、[OEM]），不能再给操作开关",
    "                   the actions from an ini file, instead of action switches",
    "  /log:文件        把本次运行的各行同时追加到该文件（不经由链接写入）",
    "                   also append the run's lines to this file (never through a link)",
    "  /?               显示本说明 / show this usage",
    "",
    "程序等待脚本运行结束并检查结果（服务启动方式、注册表值、LOGO 和 OEM 文件）。",
    "The program waits for its scripts to end and reads back what they set (start modes,",
    "registry values, logo, OEM file); a service not installed is named, not a failure.",
    "",
    "退出码 / Exit codes:",
    "  0  完成 / done",
    "  1  开关有误，未作任何更改 / bad switches, nothing changed",
    "  2  需要管理员权限 / administrator rights needed",
    "  3  脚本或文件未能写入、启动或检查 / a script or file could not be written or started",
    "  4  不是 Windows XP 或 2003 且未给出 /force，未作任何更改",
    "     not Windows XP or 2003 and no /force; nothing changed",
    "  5  另一项更改（窗口、命令行或撤销）仍在进行，未作任何更改",
    "     another change (window, command line or undo) is still going; nothing changed",
    "  6  /check：与要求不符，未作任何更改 / /check: not in place; nothing changed",
    "",
    "每次更改前都会保存撤销记录（All Users\\Application Data\\Velkor\\undo）。",
    "Before every change an undo record is saved (All Users\\Application Data\\Velkor\\undo).",
    "",
    "例 / Example:  start \"\" /wait Velkor.exe /optimize /tweaks:notepad /clean /quiet",
};

} // namespace

const std::string& usageText() {
    static const std::string text = [] {
        std::string joined;
        for (const char* line : kUsage)
            joined += std::string(line) + "\r\n";
        return joined;
    }();
    return text;
}
