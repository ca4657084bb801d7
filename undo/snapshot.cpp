#include "undo/snapshot.h"

#include "script/error_text.h"
#include "undo/text.h"

#include <algorithm>

namespace {

bool absent(ErrorCode e) {
    return e == kErrorFileNotFound || e == kErrorPathNotFound;
}

// A name that a .reg file cannot carry: regedit reads a line break as the
// end of the line and stops a name at a NUL.
const std::string kUncarried("\r\n\0", 3);

bool uncarried(const std::string& name) {
    return name.find_first_of(kUncarried) != std::string::npos;
}

class Recorder {
public:
    Recorder(Platform& sys, std::string& failure) : sys_(sys), failure_(failure) {}

    // A service named twice keeps its first record: the state before the plan.
    bool service(const std::string& name) {
        for (const ServiceState& s : shot.services)
            if (s.service == name)
                return true;
        StartMode mode = StartMode::Demand;
        const ErrorCode e = sys_.readServiceStartMode(name, &mode);
        if (e != 0 && e != kErrorServiceDoesNotExist)
            return fail("无法读取服务 ", name, e);
        shot.services.push_back({name, std::nullopt});
        if (e == 0)
            shot.services.back().mode = mode;
        return true;
    }

    bool registry(const RegistryChange& change) {
        using Kind = RegistryChange::Kind;
        if (change.kind == Kind::DeleteKey)
            return deletedKey(change.key);
        const ErrorCode e = sys_.checkRegistryKey(change.key);
        if (absent(e)) { // deleting from a missing key changes nothing; anything else creates it
            if (change.kind == Kind::DeleteValue)
                return true;
            if (change.kind == Kind::SetValue && !absentValue(change.key, change.value))
                return false;
            return newKey(change.key);
        }
        if (e != 0)
            return fail("无法读取注册表项 ", change.key, e);
        return change.kind == Kind::CreateKey || value(change.key, change.value);
    }

    bool file(const std::string& path) {
        for (const FileState& f : shot.files)
            if (f.path == path)
                return true;
        ErrorCode e = 0;
        FileState state{path, sys_.readFile(path, &e), std::string(), 0};
        // Only a missing file is recorded as missing: a missing folder says
        // that the path leads nowhere (on 64-bit Windows without the native
        // system folder, say), and its undo would delete the real file.
        if (!state.bytes && e != kErrorFileNotFound)
            return fail("无法读取 ", path, e);
        if (state.bytes)
            if ((e = sys_.fileAttributes(path, &state.attributes)))
                return fail("无法读取属性 ", path, e);
        // Numbered, so that two files of one name and the snapshot's own
        // files never meet: "saved-1-oeminfo.ini".
        state.savedName = "saved-" +
                          decimalText(static_cast<std::uint32_t>(shot.files.size() + 1)) + "-" +
                          path.substr(path.rfind('\\') + 1);
        shot.files.push_back(std::move(state));
        return true;
    }

    Snapshot shot;

private:
    bool fail(const char* what, const std::string& name, ErrorCode e) {
        failure_ = what + name + "：" + describeError(e);
        return false;
    }

    bool uncarriedName(const std::string& key) {
        failure_ = "注册表项 " + key + " 中有含换行符或无效字符的名称，撤销文件无法记录它";
        return false;
    }

    bool value(const std::string& key, const std::string& name) {
        for (const ValueState& v : shot.values)
            if (v.key == key && v.name == name)
                return true;
        RegistryValue data;
        const ErrorCode e = sys_.readRegistryValue(key, name, &data);
        if (e != 0 && !absent(e))
            return fail("无法读取注册表值 ", key + "\\" + name, e);
        shot.values.push_back({key, name, std::nullopt});
        if (e == 0)
            shot.values.back().value = std::move(data);
        return true;
    }

    // A value written into a key that the plan creates: absent before.
    bool absentValue(const std::string& key, const std::string& name) {
        for (const ValueState& v : shot.values)
            if (v.key == key && v.name == name)
                return true;
        shot.values.push_back({key, name, std::nullopt});
        return true;
    }

    bool deletedKey(const std::string& key) {
        for (const KeyState& k : shot.deletedKeys)
            if (k.key == key)
                return true;
        RegistryTree tree;
        const ErrorCode e = sys_.readRegistryTree(key, &tree);
        if (e == kErrorNoUnicodeTranslation)
            return uncarriedName(key);
        if (e != 0 && !absent(e))
            return fail("无法读取注册表项 ", key, e);
        // Refused before anything changes: once the key is deleted, a name
        // that undo.reg cannot hold could never come back.
        for (const RegistryKeyContent& content : tree) {
            if (uncarried(content.key)) // named by the key that holds it
                return uncarriedName(content.key.substr(
                    0, content.key.rfind('\\', content.key.find_first_of(kUncarried))));
            for (const RegistryValue& v : content.values)
                if (uncarried(v.name))
                    return uncarriedName(content.key);
        }
        shot.deletedKeys.push_back({key, std::nullopt});
        if (e == 0)
            shot.deletedKeys.back().tree = std::move(tree);
        return true;
    }

    // A missing key that the plan creates, and with it every missing key
    // above it, the highest first.
    bool newKey(const std::string& key) {
        std::vector<std::string> chain{key};
        for (std::string::size_type cut; (cut = chain.back().rfind('\\')) != std::string::npos;) {
            const std::string parent = chain.back().substr(0, cut);
            if (parent.find('\\') == std::string::npos)
                break; // a root key always exists
            const ErrorCode e = sys_.checkRegistryKey(parent);
            if (e == 0)
                break;
            if (!absent(e))
                return fail("无法读取注册表项 ", parent, e);
            chain.push_back(parent);
        }
        for (auto k = chain.rbegin(); k != chain.rend(); ++k)
            if (std::find(shot.newKeys.begin(), shot.newKeys.end(), *k) == shot.newKeys.end())
                shot.newKeys.push_back(*k);
        return true;
    }

    Platform& sys_;
    std::string& failure_;
};

} // namespace

SnapshotScope scopeOf(const Plan& plan) {
    SnapshotScope scope;
    for (const PlannedScript& s : plan.scripts)
        scope.scripts.push_back(s.name);
    for (const ServiceChange& s : plan.services)
        scope.services.push_back(s.service);
    scope.registry = plan.registry;
    scope.files = plan.files;
    return scope;
}

std::optional<Snapshot> takeSnapshot(Platform& sys, const SnapshotScope& scope,
                                     std::string* failure) {
    Recorder recorder(sys, *failure);
    recorder.shot.windowsFolder = sys.windowsDirectory();
    for (const std::string& service : scope.services)
        if (!recorder.service(service))
            return std::nullopt;
    for (const RegistryChange& change : scope.registry)
        if (!recorder.registry(change))
            return std::nullopt;
    for (const std::string& path : scope.files)
        if (!recorder.file(path))
            return std::nullopt;
    return std::move(recorder.shot);
}
