#include "script/error_text.h"

#include "platform/number_text.h"

namespace {

struct Reason {
    ErrorCode code;
    const char* text;
};

// The failures a user can meet when a file is written or a program started.
const Reason kReasons[] = {
    {kErrorFileNotFound, "找不到指定的文件"},
    {kErrorPathNotFound, "找不到指定的路径"},
    {kErrorAccessDenied, "拒绝访问（可能需要管理员权限，或文件为只读）"},
    {kErrorSharingViolation, "文件正被另一个程序使用"},
    {19, "磁盘处于写保护状态"},
    {kErrorFileExists, "文件已存在"},
    {kErrorDiskFull, "磁盘空间不足"},
    {kErrorAlreadyExists, "文件已存在"},
    {1223, "操作已被用户取消"},
    {kErrorFileChanged, "文件在写入后被其他程序改动"},
    {kErrorNotPlainEntry, "该名称已被一个文件或指向别处的链接占用"},
};

} // namespace

std::string describeError(ErrorCode code) {
    for (const Reason& r : kReasons)
        if (r.code == code)
            return r.text;
    return "系统错误 " + decimalText(code);
}
