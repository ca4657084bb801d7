#include "app/win32/folder_lists.h"

#include <algorithm>

namespace {

// No "insert a disk" box from the system while drives are looked at.
class QuietDriveErrors {
public:
    QuietDriveErrors() : old_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietDriveErrors() { SetErrorMode(old_); }

private:
    UINT old_;
};

std::wstring joined(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L'\\' + name;
}

wchar_t upper(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c;
}

// Case-insensitive match of a name against a pattern of '*' and '?'. The
// system's own matching also compares short names, so "*.bmp" would let
// "a.bmpx" through.
bool matches(const wchar_t* name, const wchar_t* pattern) {
    if (*pattern == L'\0')
        return *name == L'\0';
    if (*pattern == L'*')
        return matches(name, pattern + 1) || (*name && matches(name + 1, pattern));
    if (*name == L'\0')
        return false;
    if (*pattern != L'?' && upper(*pattern) != upper(*name))
        return false;
    return matches(name + 1, pattern + 1);
}

bool hiddenOrSystem(const WIN32_FIND_DATAW& f) {
    return (f.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool isDots(const wchar_t* name) {
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

// Names in a folder for which `keep` holds, sorted without regard to case.
template <typename Keep>
std::vector<std::wstring> folderEntries(const std::wstring& folder, Keep keep) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW f;
    HANDLE h = FindFirstFileW(joined(folder, L"*").c_str(), &f);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (keep(f))
            names.push_back(f.cFileName);
    } while (FindNextFileW(h, &f));
    FindClose(h);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return lstrcmpiW(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

void refill(HWND list, const std::vector<std::wstring>& items) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

} // namespace

std::wstring readableFolder(const std::wstring& path) {
    QuietDriveErrors quiet;
    wchar_t full[MAX_PATH];
    // "c:" alone names the current folder of that drive.
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH)
        return std::wstring();
    std::wstring folder(full, n);
    if (folder.size() >= 2 && folder[1] == L':')
        folder[0] = upper(folder[0]);
    while (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::wstring();
    return folder;
}

// --- Drives ------------------------------------------------------------

void DriveList::fill(const std::wstring& path) {
    QuietDriveErrors quiet;
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    wchar_t roots[512];
    DWORD n = GetLogicalDriveStringsW(512, roots);
    if (n == 0 || n > 512)
        return;
    for (const wchar_t* root = roots; *root; root += wcslen(root) + 1) {
        std::wstring text = {wchar_t(root[0] | 0x20), L':'};
        // Only fixed disks are asked for their label: a floppy would spin up.
        wchar_t label[MAX_PATH + 1] = L"";
        UINT type = GetDriveTypeW(root);
        if ((type == DRIVE_FIXED || type == DRIVE_RAMDISK) &&
            GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                  0) &&
            label[0])
            text += std::wstring(L" [") + label + L"]";
        LRESULT i = SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(i), upper(root[0]));
    }
    if (!path.empty())
        select(path[0]);
}

std::wstring DriveList::selected() const {
    LRESULT i = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    if (i == CB_ERR)
        return std::wstring();
    wchar_t letter = static_cast<wchar_t>(SendMessageW(combo_, CB_GETITEMDATA, i, 0));
    return {wchar_t(letter | 0x20), L':'};
}

void DriveList::select(wchar_t letter) {
    LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (static_cast<wchar_t>(SendMessageW(combo_, CB_GETITEMDATA, i, 0)) == upper(letter))
            SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

// --- Folders -----------------------------------------------------------

bool DirList::setPath(const std::wstring& path) {
    const std::wstring folder = readableFolder(path);
    if (folder.empty())
        return false;
    // The ancestors from the root down to the folder itself, each indented
    // one step further, then its subfolders one step further still.
    std::vector<std::wstring> entries;
    std::vector<std::wstring> lines;
    // A folder without a drive letter (a network share) stands alone.
    const bool drive = folder.size() >= 3 && folder[1] == L':';
    std::wstring::size_type start = drive ? 3 : folder.size(); // after "C:\"
    entries.push_back(drive ? folder.substr(0, 3) : folder);
    lines.push_back(entries.back());
    while (start < folder.size()) {
        std::wstring::size_type end = folder.find(L'\\', start);
        if (end == std::wstring::npos)
            end = folder.size();
        entries.push_back(folder.substr(0, end));
        lines.push_back(std::wstring(2 * (entries.size() - 1), L' ') +
                        folder.substr(start, end - start));
        start = end + 1;
    }
    const int current = static_cast<int>(entries.size()) - 1;
    const std::wstring indent(2 * entries.size(), L' ');
    for (const std::wstring& name : folderEntries(folder, [](const WIN32_FIND_DATAW& f) {
             return (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isDots(f.cFileName) &&
                    !hiddenOrSystem(f);
         })) {
        entries.push_back(joined(folder, name));
        lines.push_back(indent + name);
    }
    refill(list_, lines);
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
    path_ = folder;
    entries_ = std::move(entries);
    return true;
}

std::wstring DirList::entryPath(int index) const {
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return std::wstring();
    return entries_[static_cast<size_t>(index)];
}

// --- Files -------------------------------------------------------------

bool FileList::setPath(const std::wstring& path) {
    const std::wstring folder = readableFolder(path);
    if (folder.empty())
        return false;
    const wchar_t* pattern = pattern_.c_str();
    refill(list_, folderEntries(folder, [pattern](const WIN32_FIND_DATAW& f) {
               return !(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !hiddenOrSystem(f) &&
                      matches(f.cFileName, pattern);
           }));
    path_ = folder;
    return true;
}

std::wstring FileList::selectedName() const {
    LRESULT i = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (i == LB_ERR)
        return std::wstring();
    LRESULT n = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (n == LB_ERR)
        return std::wstring();
    std::wstring name(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&name[0]));
    name.resize(static_cast<size_t>(n));
    return name;
}
