// Native stand-ins for the picker's drive, directory and file list boxes:
// a drop-down list of the machine's drives, a list of the current folder's
// ancestors and subfolders, and a list of the files of a folder that match a
// pattern, hidden and system files left out.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// "C:\work\" and "C:\work" become "C:\work"; a root stays "C:\".
// Empty when the folder cannot be read (a drive that is not ready).
std::wstring readableFolder(const std::wstring& path);

class DriveList {
public:
    void attach(HWND combo) { combo_ = combo; }
    // Lists the drives and selects the one of `path`.
    void fill(const std::wstring& path);
    // The selected drive, as "c:".
    std::wstring selected() const;
    void select(wchar_t letter);

private:
    HWND combo_ = nullptr;
};

class DirList {
public:
    void attach(HWND list) { list_ = list; }
    // Shows the folder's ancestors and subfolders; false, and nothing
    // changed, when the folder cannot be read.
    bool setPath(const std::wstring& path);
    const std::wstring& path() const { return path_; }
    // The folder that an entry of the list stands for.
    std::wstring entryPath(int index) const;

private:
    HWND list_ = nullptr;
    std::wstring path_;
    std::vector<std::wstring> entries_;
};

class FileList {
public:
    void attach(HWND list, const wchar_t* pattern) {
        list_ = list;
        pattern_ = pattern;
    }
    bool setPath(const std::wstring& path);
    const std::wstring& path() const { return path_; }
    // The name of the selected file; empty when none is selected.
    std::wstring selectedName() const;

private:
    HWND list_ = nullptr;
    std::wstring pattern_;
    std::wstring path_;
};
