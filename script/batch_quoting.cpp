#include "script/batch_quoting.h"

bool needsBatchQuotes(const std::string& path) {
    return path.find_first_of(" &()[]{}^=;!'+,`~") != std::string::npos;
}
