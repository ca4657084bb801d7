#include "app/win32/win32_dialogs.h"

#include "win32/shell.h"
#include "win32/wide.h"

void Win32Dialogs::notify(const std::string& text) {
    MessageBoxW(owner_, widen(text).c_str(), L"提示", MB_OK);
}

bool Win32Dialogs::ask(const std::string& text) {
    return MessageBoxW(owner_, widen(text).c_str(), L"提示",
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool Win32Dialogs::openUrl(const std::string& url) {
    return shellOpen(owner_, widen(url).c_str());
}
