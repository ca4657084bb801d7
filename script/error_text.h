// Why something failed, in Chinese words for the user.
#pragma once

#include "platform/error_codes.h"

#include <string>

std::string describeError(ErrorCode code);
