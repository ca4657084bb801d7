// Whether a name in a folder that other users could write to before the
// program made it its own leads to the file or folder itself: not a link
// that leads elsewhere, not a second name of another file (a hard link).
#pragma once

#include "platform/error_codes.h"

#include <string>
#include <windows.h>

enum class EntryKind { File, Folder };

// 0 when the entry held open under `path` (opened with
// FILE_FLAG_OPEN_REPARSE_POINT) is a plain one of that kind; kErrorNotPlainEntry
// when it is a link, a file with a second name, or of the other kind; else
// the error of the query. Both the handle and the name are asked: Wine shows
// a link in the name's attributes only.
ErrorCode checkPlainEntry(HANDLE held, const std::wstring& path, EntryKind kind);
