#include "undo/change_claim.h"

#include "script/error_text.h"
#include "undo/program_folder.h"

namespace {

const char kSomeChange[] = "另一项更改";
const char kNeedsAdministrator[] = "需要管理员权限，请以管理员身份运行本程序。";

} // namespace

std::string changeLockPath(Platform& sys) {
    return programFolder(sys) + "\\change.lock";
}

std::optional<ClaimFailure> claimMachineChange(Platform& sys, const std::string& what) {
    // The claim's file is only as safe as the folder it lies in.
    if (std::optional<std::string> unsafe = secureProgramFolder(sys))
        return ClaimFailure{false, "", *unsafe};
    const std::string path = changeLockPath(sys);
    std::string holder;
    const ErrorCode e = sys.claimChange(path, what, &holder);
    if (e == kErrorChangeGoing)
        return ClaimFailure{true, holder.empty() ? kSomeChange : holder, ""};
    if (e)
        return ClaimFailure{false, "", "无法创建 " + path + "：" + describeError(e)};
    return std::nullopt;
}

std::string changeGoingText(const ClaimFailure& failure) {
    return failure.holder + "仍在进行中，请稍候再试。";
}

std::string cannotBeginText(Platform& sys, const std::string& failure) {
    std::string text = "无法开始这次更改（" + failure + "）。本次没有作任何更改。";
    if (!sys.isAdministrator())
        text += std::string("\n") + kNeedsAdministrator;
    return text;
}
