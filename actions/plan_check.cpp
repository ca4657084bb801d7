#include "actions/plan_check.h"

#include "actions/service_read_back.h"
#include "script/plan_readback.h"

void checkAfterScripts(Platform& sys, const Plan& plan, std::vector<std::string>* notInPlace,
                       std::vector<std::string>* notInstalled) {
    std::vector<std::string>& problems = *notInPlace;
    for (const PlannedFileWrite& file : plan.fileWrites)
        if (sys.readFile(file.path, nullptr) != file.bytes)
            problems.push_back(file.path + " 写入后读回的内容不符。");
    for (const PlannedRegistryWrite& value : plan.registryWrites)
        if (sys.readRegistryString(value.fullName, nullptr) != value.data)
            problems.push_back("注册表值 " + value.fullName + " 写入后读回的内容不符。");
    for (const PlannedFileWrite& file : plan.expectedFiles)
        if (sys.readFile(file.path, nullptr) != file.bytes)
            problems.push_back(file.path + " 与所选文件不同，复制未能完成。");
    for (const std::string& change : registryNotInPlace(sys, plan.registry))
        problems.push_back(change);
    const ServiceReadBack services = readBackServices(sys, plan);
    problems.insert(problems.end(), services.notInPlace.begin(), services.notInPlace.end());
    *notInstalled = services.notInstalled;
}
