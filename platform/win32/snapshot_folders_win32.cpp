// The folders of the undo snapshots. They hold scripts that an administrator
// runs, so they are made so that only administrators and the system may
// change them (the all-users application data folder lets every user add
// files); the program takes over a folder of that name that exists already,
// but never one reached through a link: a link planted in its place could
// lead anywhere, and the program would change who may change what it leads
// to.
#include "platform/win32/plain_entries.h"
#include "platform/win32/win32_platform.h"
#include "win32/handles.h"
#include "win32/wide.h"

#include <aclapi.h>
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
    const std::wstring wide = widen(path);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor.p, FALSE};
    if (CreateDirectoryW(wide.c_str(), &attributes))
        return 0;
    const ErrorCode e = GetLastError();
    if (e != ERROR_ALREADY_EXISTS)
        return e;
    // The folder itself, not what a link would lead to, held so that it
    // cannot be renamed or replaced while it is made the program's.
    FileHandle folder(CreateFileW(wide.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
    if (!folder)
        return GetLastError();
    if (ErrorCode plain = checkPlainEntry(folder.get(), wide, EntryKind::Folder))
        return plain;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    PSID owner = nullptr;
    GetSecurityDescriptorDacl(descriptor.p, &present, &dacl, &defaulted);
    GetSecurityDescriptorOwner(descriptor.p, &owner, &defaulted);
    const ErrorCode secured =
        SetSecurityInfo(folder.get(), SE_FILE_OBJECT,
                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                            PROTECTED_DACL_SECURITY_INFORMATION,
                        owner, nullptr, dacl, nullptr);
    return secured ? secured : kErrorAlreadyExists;
}

ErrorCode Win32Platform::renameFolder(const std::string& from, const std::string& to) {
    if (MoveFileW(widen(from).c_str(), widen(to).c_str()))
        return 0;
    const ErrorCode e = GetLastError();
    return e == ERROR_FILE_EXISTS ? kErrorAlreadyExists : e;
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
