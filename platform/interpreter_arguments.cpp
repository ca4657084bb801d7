#include "platform/interpreter_arguments.h"

std::string interpreterArguments(const std::string& scriptName) {
    return "/d /v:off /c " + scriptName;
}
