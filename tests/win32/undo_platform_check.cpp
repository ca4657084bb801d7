// What the undo and the export ask of the machine, on Wine's real registry
// and file system: names no text can carry, keys deleted only when empty,
// files never written through a second name.
#include "platform/win32/win32_platform.h"
#include "win32/wide.h"
#include "win_check.h"

namespace {

const wchar_t kTestKey[] = L"Software\\VelkorChecks";
const std::string kTestKeyName = "HKEY_CURRENT_USER\\Software\\VelkorChecks";

void setValue(const wchar_t* key, const std::wstring& name) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
        return;
    const wchar_t data[] = L"x";
    RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data);
    RegCloseKey(k);
}

void removeTestKey() {
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VelkorChecks\\Sub\\Deeper");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VelkorChecks\\Sub");
    RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
}

} // namespace

WIN_CHECK(ANameWithAnUnpairedSurrogateIsNotReadAsSomeOtherName) {
    removeTestKey();
    setValue(kTestKey, std::wstring(L"bad") + wchar_t(0xD800) + L"name");
    Win32Platform sys;
    RegistryTree tree;
    EXPECT(sys.readRegistryTree(kTestKeyName, &tree) == kErrorNoUnicodeTranslation);
    removeTestKey();
    setValue(kTestKey, std::wstring(L"pair") + wchar_t(0xD83D) + wchar_t(0xDE00));
    EXPECT(sys.readRegistryTree(kTestKeyName, &tree) == 0);
    EXPECT(tree.size() == 1 && tree[0].values.size() == 1 &&
           tree[0].values[0].name == "pair\xF0\x9F\x98\x80");
    removeTestKey();
}

WIN_CHECK(OnlyAnEmptyKeyIsDeleted) {
    removeTestKey();
    setValue(L"Software\\VelkorChecks\\Sub", L"value");
    Win32Platform sys;
    EXPECT(sys.deleteEmptyRegistryKey(kTestKeyName) == kErrorKeyNotEmpty);           // a subkey
    EXPECT(sys.deleteEmptyRegistryKey(kTestKeyName + "\\Sub") == kErrorKeyNotEmpty); // a value
    EXPECT(sys.checkRegistryKey(kTestKeyName + "\\Sub") == 0);
    HKEY sub = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VelkorChecks\\Sub", 0, KEY_SET_VALUE, &sub) ==
        ERROR_SUCCESS) {
        RegDeleteValueW(sub, L"value");
        RegCloseKey(sub);
    }
    EXPECT(sys.deleteEmptyRegistryKey(kTestKeyName + "\\Sub") == 0);
    EXPECT(sys.checkRegistryKey(kTestKeyName + "\\Sub") == kErrorFileNotFound);
    EXPECT(sys.deleteEmptyRegistryKey(kTestKeyName + "\\Sub") == 0); // already gone
    EXPECT(sys.deleteEmptyRegistryKey(kTestKeyName) == 0);
    EXPECT(sys.checkRegistryKey(kTestKeyName) == kErrorFileNotFound);
}

WIN_CHECK(WriteFileNeverWritesThroughASecondName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring other = std::wstring(temp) + L"velkor-other.txt";
    const std::wstring second = std::wstring(temp) + L"velkor-second.txt";
    DeleteFileW(second.c_str());
    Win32Platform sys;
    const std::string otherName = narrow(other);
    const std::string secondName = narrow(second);
    EXPECT(sys.writeFile(otherName, "other's bytes") == 0);
    EXPECT(CreateHardLinkW(second.c_str(), other.c_str(), nullptr));
    EXPECT(sys.writeFile(secondName, "mine") == 0);
    EXPECT(sys.readFile(otherName, nullptr) == std::optional<std::string>("other's bytes"));
    EXPECT(sys.readFile(secondName, nullptr) == std::optional<std::string>("mine"));
    EXPECT(sys.writeFile(secondName, "again") == 0); // a file of its own now: written in place
    EXPECT(sys.readFile(secondName, nullptr) == std::optional<std::string>("again"));
    DeleteFileW(second.c_str());
    DeleteFileW(other.c_str());
}
