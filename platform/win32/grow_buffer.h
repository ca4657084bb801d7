// Win32 calls that fill a caller's buffer and, when it is too small, return
// the size they need (GetShortPathNameW and its kind).
#pragma once

#include <optional>
#include <string>
#include <windows.h>

// The text that `call(buffer, size)` writes. What the call needs may change
// between two calls (a folder of the path renamed in between): the buffer
// grows until what the call returns fits, and the text is exactly what the
// last call wrote. nullopt when the call fails or never settles.
template <class Call> std::optional<std::wstring> callWithGrowingBuffer(Call call) {
    DWORD size = call(nullptr, 0);
    for (int attempt = 0; attempt < 8 && size != 0; ++attempt) {
        std::wstring text(size, L'\0');
        const DWORD n = call(&text[0], size);
        if (n == 0)
            return std::nullopt;
        if (n < size) { // it fitted: n characters without the terminating null
            text.resize(n);
            return text;
        }
        size = n; // it needs more now than it said before
    }
    return std::nullopt;
}
