#include "cli/capturing_platform.h"

#include <utility>

std::vector<std::string> CapturingPlatform::takeNotices() {
    return std::exchange(notices_, {});
}
