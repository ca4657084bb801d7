#include "undo/program_folder.h"

#include "platform/local_time.h"
#include "platform/number_text.h"
#include "script/error_text.h"

namespace {

// Names tried for a folder moved aside, "Velkor.moved-20240501123005-1" to
// "-9": with the time in them, nobody can take them all beforehand.
constexpr std::uint32_t kAsideNames = 9;

const char kVelkorKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velkor";

std::string asideName(Platform& sys, const std::string& folder, std::uint32_t n) {
    std::string digits;
    for (char c : timeText(sys.localTime()))
        if (c >= '0' && c <= '9')
            digits += c;
    return folder + ".moved-" + digits + "-" + decimalText(n);
}

std::string fail(const std::string& path, ErrorCode e) {
    return "无法创建文件夹 " + path + "：" + describeError(e);
}

} // namespace

std::string programFolder(Platform& sys) {
    const std::string appData = sys.commonDataFolder();
    return appData.empty() ? appData : appData + "\\Velkor";
}

std::optional<std::string> secureProgramFolder(Platform& sys) {
    const std::string folder = programFolder(sys);
    if (folder.empty())
        return std::string("找不到所有用户的应用程序数据文件夹");
    std::uint32_t aside = 0;
    for (;;) {
        ErrorCode e = sys.createPrivateFolder(folder);
        std::string identity;
        if (e && e != kErrorAlreadyExists)
            return fail(folder, e);
        if (ErrorCode id = sys.folderIdentity(folder, &identity))
            return fail(folder, id);
        if (e == 0) {
            // Registered before anything goes into it, and on the disk.
            if ((e = sys.writeRegistryString(kProgramFolderRecord, identity)) ||
                (e = sys.flushRegistryKey(kVelkorKey)))
                return "无法记录文件夹 " + folder + "：" + describeError(e);
            return std::nullopt;
        }
        // Read now, not before: another run of the program may have just
        // made and registered it.
        if (sys.readRegistryString(kProgramFolderRecord, nullptr) == identity)
            return std::nullopt;
        // Not the one the program made: whatever it holds stays as it is,
        // under another name, and is never used.
        for (e = kErrorAlreadyExists; e == kErrorAlreadyExists && aside < kAsideNames;)
            e = sys.renameFolder(folder, asideName(sys, folder, ++aside));
        if (e)
            return fail(folder, e);
    }
}
