#include "platform/win32/plain_entries.h"

ErrorCode checkPlainEntry(HANDLE held, const std::wstring& path, EntryKind kind) {
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(held, &info))
        return GetLastError();
    const DWORD named = GetFileAttributesW(path.c_str());
    const bool folder = kind == EntryKind::Folder;
    for (DWORD seen : {info.dwFileAttributes, named})
        if (seen == INVALID_FILE_ATTRIBUTES || (seen & FILE_ATTRIBUTE_REPARSE_POINT) ||
            ((seen & FILE_ATTRIBUTE_DIRECTORY) != 0) != folder)
            return kErrorNotPlainEntry;
    // A folder's count of names says nothing under Wine (it counts subfolders).
    return folder || info.nNumberOfLinks == 1 ? 0 : kErrorNotPlainEntry;
}
