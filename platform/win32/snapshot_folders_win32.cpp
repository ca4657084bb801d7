// The folders of the undo records. They hold scripts that an administrator
// runs, so they are made so that only administrators and the system may
// change them (the all-users application data folder lets every user add
// folders). A folder of that name that exists already is never taken over:
// its maker could still hold a handle that lets him change it (undo/
// program_folder.h moves it aside instead).
#include "platform/number_text.h"
#include "platform/win32/plain_entries.h"
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"
#include "win32/wide.h"

#include <sddl.h>

namespace {

// Owner: Administrators. Full control for the system and administrators,
// read and run for users; nothing inherited from above.
const wchar_t kPrivate[] = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

struct LocalMemory {
    PSECURITY_DESCRIPTOR p = nullptr;
    ~LocalMemory() { LocalFree(p); }
};

} // namespace

ErrorCode Win32Platform::createPrivateFolder(const std::string& path) {
    LocalMemory descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kPrivate, SDDL_REVISION_1,
                                                              &descriptor.p, nullptr))
        return GetLastError();
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor.p, FALSE};
    if (CreateDirectoryW(widen(path).c_str(), &attributes))
        return 0;
    const ErrorCode e = GetLastError();
    return e == ERROR_ALREADY_EXISTS ? kErrorAlreadyExists : e;
}

ErrorCode Win32Platform::folderIdentity(const std::string& path, std::string* identity) {
    const std::wstring wide = widen(path);
    FileHandle folder(
        CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folder)
        return GetLastError();
    if (ErrorCode plain = checkPlainEntry(folder.get(), wide, EntryKind::Folder))
        return plain;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(folder.get(), &info))
        return GetLastError();
    *identity = decimalText(info.dwVolumeSerialNumber) + "-" + decimalText(info.nFileIndexHigh) +
                "-" + decimalText(info.nFileIndexLow);
    return 0;
}

ErrorCode Win32Platform::renameFolder(const std::string& from, const std::string& to) {
    if (MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_WRITE_THROUGH))
        return 0;
    const ErrorCode e = GetLastError();
    return e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS ? kErrorAlreadyExists : e;
}

ErrorCode Win32Platform::deleteFile(const std::string& path) {
    return DeleteFileW(widen(path).c_str()) ? 0 : GetLastError();
}

ErrorCode Win32Platform::removeFolder(const std::string& path) {
    return RemoveDirectoryW(widen(path).c_str()) ? 0 : GetLastError();
}

std::vector<std::string> Win32Platform::listFolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((widen(folder) + L"\\*").c_str(), &found));
    if (!search)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
            names.push_back(narrow(name));
    } while (FindNextFileW(search.get(), &found));
    return names;
}
