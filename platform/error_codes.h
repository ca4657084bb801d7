// Failures as the platform reports them: Win32 error codes (0: success), and
// the ones that the portable logic names.
#pragma once

#include <cstdint>

using ErrorCode = std::uint32_t;

// Win32 error codes that the portable logic names.
constexpr ErrorCode kErrorFileNotFound = 2;
constexpr ErrorCode kErrorPathNotFound = 3;
constexpr ErrorCode kErrorAccessDenied = 5;
constexpr ErrorCode kErrorSharingViolation = 32;
constexpr ErrorCode kErrorFileExists = 80;
constexpr ErrorCode kErrorDiskFull = 112;
constexpr ErrorCode kErrorAlreadyExists = 183;
constexpr ErrorCode kErrorServiceDoesNotExist = 1060;
// A name that is not valid UTF-16 (an unpaired surrogate), so that no text can
// carry it (ERROR_NO_UNICODE_TRANSLATION).
constexpr ErrorCode kErrorNoUnicodeTranslation = 1113;
// A registry key that still holds values or subkeys (ERROR_KEY_HAS_CHILDREN).
constexpr ErrorCode kErrorKeyNotEmpty = 1020;
// ERROR_FILE_INVALID: a file was altered by someone else after it was written.
constexpr ErrorCode kErrorFileChanged = 1006;
// A name that should be the program's own file or folder is a link that
// leads elsewhere, a second name of another file, or of the other kind
// (ERROR_DIRECTORY).
constexpr ErrorCode kErrorNotPlainEntry = 267;
// Another change to the system goes on (ERROR_BUSY).
constexpr ErrorCode kErrorChangeGoing = 170;
