// Runs every check and prints one line each; the exit code is the number of
// failed checks (0: all passed).
#include "win_check.h"

namespace {
int failures = 0;
}

std::vector<WinCheck>& winChecks() {
    static std::vector<WinCheck> checks;
    return checks;
}

void winCheckFailed(const char* file, int line, const char* condition) {
    std::printf("    %s:%d: expected %s\n", file, line, condition);
    ++failures;
}

int main() {
    int failed = 0;
    for (const WinCheck& check : winChecks()) {
        const int before = failures;
        check.run();
        const bool ok = failures == before;
        failed += ok ? 0 : 1;
        std::printf("%s %s\n", ok ? "ok  " : "FAIL", check.name);
        std::fflush(stdout);
    }
    std::printf("%d of %d checks failed\n", failed, static_cast<int>(winChecks().size()));
    return failed;
}
