// Calls that fill a buffer of the caller's size: the short name of a path.
#include "platform/win32/grow_buffer.h"
#include "platform/win32/win32_platform.h"
#include "win_check.h"

namespace {

// Stands in for GetShortPathNameW on a path that is renamed between calls.
struct ChangingPath {
    std::vector<std::wstring> answers; // what the path is at the first, second, ... call
    size_t calls = 0;
    DWORD operator()(wchar_t* buffer, DWORD size) {
        const std::wstring& now = answers[std::min(calls++, answers.size() - 1)];
        if (size <= now.size())
            return static_cast<DWORD>(now.size() + 1);
        now.copy(buffer, now.size());
        buffer[now.size()] = L'\0';
        return static_cast<DWORD>(now.size());
    }
};

WIN_CHECK(GrowBufferFollowsAPathThatChangesBetweenTheCalls) {
    ChangingPath longer{{L"C:\\A", L"C:\\LONGER~1"}};
    EXPECT(callWithGrowingBuffer(std::ref(longer)) == std::wstring(L"C:\\LONGER~1"));
    ChangingPath shorter{{L"C:\\LONGER~1", L"C:\\A"}};
    EXPECT(callWithGrowingBuffer(std::ref(shorter)) == std::wstring(L"C:\\A"));
    ChangingPath steady{{L"C:\\PROGRA~1"}};
    EXPECT(callWithGrowingBuffer(std::ref(steady)) == std::wstring(L"C:\\PROGRA~1"));
    EXPECT(steady.calls == 2);
    EXPECT(!callWithGrowingBuffer([](wchar_t*, DWORD) -> DWORD { return 0; }));
}

WIN_CHECK(ShortPathOfARealFile) {
    const wchar_t name[] = L"a long file name.txt";
    HANDLE f = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT(f != INVALID_HANDLE_VALUE);
    CloseHandle(f);
    wchar_t full[MAX_PATH];
    GetFullPathNameW(name, MAX_PATH, full, nullptr);
    Win32Platform platform;
    std::string utf8;
    for (const wchar_t* p = full; *p; ++p)
        utf8 += static_cast<char>(*p); // the test folder's path is ASCII
    const std::optional<std::string> shortName = platform.shortPath(utf8);
    EXPECT(shortName && !shortName->empty());
    EXPECT(shortName && shortName->find('\0') == std::string::npos);
    EXPECT(shortName && shortName->find(' ') == std::string::npos);
    EXPECT(shortName && platform.fileExists(*shortName));
    EXPECT(!platform.shortPath(utf8 + ".missing"));
    DeleteFileW(name);
}

} // namespace
