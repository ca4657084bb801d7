#include "script/network_folder.h"

namespace {

bool separator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

std::optional<std::string> networkFolderRefusal(const std::string& currentDir) {
    // Two leading separators: a network path (\\server\share,
    // \\?\UNC\server\share) or a device path; the interpreter takes neither
    // as its current directory.
    if (currentDir.size() < 2 || !separator(currentDir[0]) || !separator(currentDir[1]))
        return std::nullopt;
    return "本程序是从网络文件夹 " + currentDir +
           " 启动的，命令解释器无法在网络文件夹中运行脚本，系统未作任何修改。"
           "请将本程序复制到本地磁盘（例如桌面）后再运行。";
}
