// A program that imports GetTickCount64, which Windows XP lacks: the import
// check must reject it. Built only to test the check itself.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return static_cast<int>(GetTickCount64() & 1);
}
