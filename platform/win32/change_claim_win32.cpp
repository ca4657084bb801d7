// The machine's one change at a time: a file in the program's folder, held
// open by the process that claims it (and by each script it launches
// meanwhile) without sharing its writing. Only administrators may make or
// open it, so nobody else can take the claim first and keep it; whoever is
// refused may read what it was claimed for.
#include "platform/win32/plain_entries.h"
#include "platform/win32/win32_platform.h"
#include "win32/wide.h"

#include <sddl.h>

namespace {

// Owner: Administrators. Full control for the system and administrators,
// nothing for anyone else, nothing inherited from the folder.
const wchar_t kClaimFile[] = L"O:BAD:P(A;;FA;;;SY)(A;;FA;;;BA)";

struct LocalMemory {
    PSECURITY_DESCRIPTOR p = nullptr;
    ~LocalMemory() { LocalFree(p); }
};

// What the holder claimed it for ("" when it cannot be read).
std::string claimedFor(const std::wstring& path) {
    FileHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    char buffer[512];
    DWORD got = 0;
    if (!f || !ReadFile(f.get(), buffer, sizeof buffer, &got, nullptr))
        return std::string();
    return std::string(buffer, got);
}

} // namespace

ErrorCode Win32Platform::claimChange(const std::string& lockFile, const std::string& what,
                                     std::string* holder) {
    if (change_) {
        *holder = changeWhat_;
        return kErrorChangeGoing;
    }
    LocalMemory descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kClaimFile, SDDL_REVISION_1,
                                                              &descriptor.p, nullptr))
        return GetLastError();
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor.p, FALSE};
    const std::wstring path = widen(lockFile);
    FileHandle claim(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                 &attributes, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!claim) {
        const ErrorCode e = GetLastError();
        if (e != ERROR_SHARING_VIOLATION)
            return e;
        *holder = claimedFor(path);
        return kErrorChangeGoing;
    }
    if (ErrorCode plain = checkPlainEntry(claim.get(), path, EntryKind::File))
        return plain;
    DWORD written = 0;
    if (SetFilePointer(claim.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !SetEndOfFile(claim.get()) ||
        !WriteFile(claim.get(), what.data(), static_cast<DWORD>(what.size()), &written, nullptr))
        return GetLastError();
    change_ = std::move(claim);
    changeWhat_ = what;
    return 0;
}

void Win32Platform::releaseChange() {
    change_.reset();
}
