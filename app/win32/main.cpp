// Start-up: with switches on the command line the program runs them without a
// window (cli/); without any, the main window is created and loaded and the
// program runs until its last window is closed.
#include "app/win32/form1_window.h"
#include "app/win32/single_window.h"
#include "cli/command_line.h"
#include "cli/switches.h"
#include "cli/win32/win32_console.h"
#include "platform/win32/win32_platform.h"
#include "win32/shell.h"
#include "win32/top_windows.h"
#include "win32/wide.h"

#include <commctrl.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// The arguments after the program's name, UTF-8. Most starts have none, and
// then the shell need not be loaded to split the line.
std::vector<std::string> commandLineArguments() {
    std::vector<std::string> args;
    int count = 0;
    if (!anythingAfterProgramName(GetCommandLineW()))
        return args;
    if (LPWSTR* words = shellCommandLineToArgv(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            args.push_back(narrow(words[i]));
        LocalFree(words);
    }
    return args;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const std::vector<std::string> args = commandLineArguments();
    if (!args.empty()) {
        Win32Platform machine;
        Win32Console console;
        return runCommandLine(machine, console, args);
    }

    if (bringOpenWindowToFront(kForm1ClassName))
        return 0;
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);

    Form1Window form;
    if (!form.create(showCommand))
        return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (routeDialogMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
