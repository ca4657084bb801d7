// The check after an undo, against a model machine (the fake platform).
//
// Input: a machine (services and their start modes, registry keys with
// values, files with bytes and attributes), what a change covers (services,
// values set or deleted, keys created or deleted, files), and one change of
// the machine after the record was saved.
// Invariants: on the machine as recorded, the check finds nothing; after any
// single change of something the record covers (a byte or the type of a
// value, an extra subkey or value in a key the change deletes, a file's byte
// or attribute, a service's start mode), it finds at least one thing.
#include "fakes/fake_platform.h"
#include "fuzz_check.h"
#include "undo/restore_check.h"
#include "undo/snapshot_scope.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const char* const kKeys[] = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\A",
                             "HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B",
                             "HKEY_LOCAL_MACHINE\\SOFTWARE\\C", "HKEY_CURRENT_USER\\D"};
const char* const kNames[] = {"", "v", "w"};
const char* const kServices[] = {"Spooler", "BITS", "Schedule"};
const char* const kFiles[] = {"C:\\WINDOWS\\system32\\oeminfo.ini",
                              "C:\\WINDOWS\\system32\\oemlogo.bmp"};
const StartMode kModes[] = {StartMode::Boot,   StartMode::System,   StartMode::Auto,
                            StartMode::Demand, StartMode::Disabled, StartMode::DelayedAuto};

template <typename T, std::size_t N> const T& pick(FuzzedDataProvider& in, const T (&items)[N]) {
    return items[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

RegistryValue value(FuzzedDataProvider& in, const std::string& name) {
    return {name, in.ConsumeIntegralInRange<std::uint32_t>(0, 11),
            in.ConsumeRandomLengthString(12)};
}

// The machine: each key present or not (a key below a missing one is
// missing too), with values; services; files.
void machine(FuzzedDataProvider& in, FakePlatform& sys) {
    for (const char* key : kKeys) {
        const std::string k = key;
        const std::string parent = k.substr(0, k.rfind('\\'));
        if (!in.ConsumeBool() ||
            (parent.find('\\') != std::string::npos && !sys.registryKeys.count(parent) &&
             parent != "HKEY_LOCAL_MACHINE\\SOFTWARE"))
            continue;
        std::vector<RegistryValue>& values = sys.registryKeys[k];
        for (const char* name : kNames)
            if (in.ConsumeBool())
                values.push_back(value(in, name));
    }
    sys.registryKeys["HKEY_LOCAL_MACHINE\\SOFTWARE"];
    for (const char* service : kServices)
        if (in.ConsumeBool())
            sys.services[service] = pick(in, kModes);
    for (const char* file : kFiles)
        if (in.ConsumeBool()) {
            sys.files[file] = in.ConsumeRandomLengthString(8);
            sys.attributes[file] = in.ConsumeIntegralInRange<std::uint32_t>(0, 7);
        }
}

SnapshotScope scope(FuzzedDataProvider& in) {
    SnapshotScope s;
    for (const char* service : kServices)
        if (in.ConsumeBool())
            s.services.push_back(service);
    for (int n = in.ConsumeIntegralInRange<int>(0, 5); n > 0; --n)
        s.registry.push_back({static_cast<RegistryChange::Kind>(in.ConsumeIntegralInRange(0, 3)),
                              pick(in, kKeys), pick(in, kNames)});
    for (const char* file : kFiles)
        if (in.ConsumeBool())
            s.files.push_back(file);
    return s;
}

// One change of something the record covers; false when the record covers
// nothing that this change can reach.
bool change(FuzzedDataProvider& in, FakePlatform& sys, const Snapshot& shot) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0: // a byte of a recorded value
    case 1: // the type of a recorded value
        for (const ValueState& v : shot.values)
            if (v.value && sys.registryKeys.count(v.key))
                for (RegistryValue& now : sys.registryKeys[v.key])
                    if (now.name == v.name) {
                        if (in.ConsumeBool() && !now.data.empty())
                            now.data[in.ConsumeIntegralInRange<std::size_t>(0, now.data.size() -
                                                                                   1)] ^= 1;
                        else
                            now.type ^= 1 + in.ConsumeIntegralInRange<std::uint32_t>(0, 6);
                        return true;
                    }
        return false;
    case 2: // an extra subkey, or an extra value, in a key the change deletes
        for (const KeyState& k : shot.deletedKeys)
            if (k.tree) {
                if (in.ConsumeBool())
                    sys.registryKeys[k.key + "\\extra"];
                else
                    sys.registryKeys[k.key].push_back({"extra", 4, std::string(4, '\0')});
                return true;
            }
        return false;
    case 3: // an attribute of a saved file
    case 4: // a byte of a saved file
        for (const FileState& f : shot.files)
            if (f.bytes) {
                if (in.ConsumeBool() || f.bytes->empty())
                    sys.attributes[f.path] ^= 1u << in.ConsumeIntegralInRange(0, 2);
                else
                    sys.files[f.path]
                             [in.ConsumeIntegralInRange<std::size_t>(0, f.bytes->size() - 1)] ^= 1;
                return true;
            }
        return false;
    default: // a service's start mode
        for (const ServiceState& s : shot.services)
            if (s.mode) {
                sys.services[s.service] =
                    *s.mode == StartMode::Disabled ? StartMode::Auto : StartMode::Disabled;
                return true;
            }
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FakePlatform sys;
    machine(in, sys);
    const SnapshotScope covered = scope(in);
    std::string failure;
    const std::optional<Snapshot> shot = takeSnapshot(sys, covered, &failure);
    if (!shot || shot->empty() || saveSnapshot(sys, *shot, covered, "x"))
        return 0;
    const std::vector<SnapshotEntry> entries = undoableSnapshots(sys);
    FUZZ_CHECK(entries.size() == 1);
    SnapshotScope saved;
    FUZZ_CHECK(parseScope(sys.files[entries[0].folder + "\\" + kScopeName], &saved));

    std::vector<std::string> found;
    FUZZ_CHECK(notRestored(sys, entries[0], saved, &found, &failure));
    FUZZ_CHECK(found.empty());

    if (!change(in, sys, *shot))
        return 0;
    found.clear();
    const bool checked = notRestored(sys, entries[0], saved, &found, &failure);
    FUZZ_CHECK(!checked || !found.empty());
    return 0;
}
