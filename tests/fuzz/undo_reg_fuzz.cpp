// undo.reg, the file an undo trusts to bring the registry back, read back by
// an independent regedit 5 reader (tests/fakes/reg_file.h).
//
// Input: a snapshot's values and deleted keys, drawn from the bytes: key
// paths of non-empty components, names and string data of well-formed UTF-8
// without a line break or a NUL (what a snapshot takes; others it refuses),
// any type and data.
// Invariants: the writer takes every such snapshot; the reader gives back
// exactly its operations (each key, each value's name, type and bytes, each
// deletion, in order); every physical line after the header begins with "[",
// "\"", "@" or two blanks, or is empty.
#include "fakes/reg_file.h"
#include "fuzz_check.h"
#include "undo/undo_scripts.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const char* const kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT",
                              "HKEY_USERS"};

// Text from the bytes, kept when it is a name a snapshot takes.
std::string name(FuzzedDataProvider& in, bool allowBackslash) {
    std::string text = in.ConsumeRandomLengthString(24);
    if (!isWellFormedUtf8(text) ||
        text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos ||
        (!allowBackslash && text.find('\\') != std::string::npos))
        return "x";
    return text;
}

std::string key(FuzzedDataProvider& in) {
    std::string k = kRoots[in.ConsumeIntegralInRange<int>(0, 3)];
    for (int n = in.ConsumeIntegralInRange<int>(1, 3); n > 0; --n) {
        std::string part = name(in, false);
        k += "\\" + (part.empty() ? std::string("k") : part);
    }
    return k;
}

RegistryValue value(FuzzedDataProvider& in, const std::string& valueName) {
    RegistryValue v{valueName, 0, {}};
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: { // a string as regedit would write it back as text
        std::string text = name(in, true);
        for (char& c : text)
            if (static_cast<unsigned char>(c) < 0x20)
                c = ' ';
        v.type = 1;
        v.data = regfile::toUtf16(text) + std::string(2, '\0');
        break;
    }
    case 1:
        v.type = 4;
        v.data = in.ConsumeBytesAsString(in.ConsumeBool() ? 4 : in.ConsumeIntegralInRange(0, 6));
        break;
    default:
        v.type = in.ConsumeIntegralInRange<std::uint32_t>(0, 0x200);
        v.data = in.ConsumeRandomLengthString(100);
    }
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Snapshot shot;
    std::vector<RegOperation> expected;
    for (int n = in.ConsumeIntegralInRange<int>(0, 6); n > 0; --n) {
        ValueState v{key(in), in.ConsumeBool() ? std::string() : name(in, true), std::nullopt};
        if (in.ConsumeBool())
            v.value = value(in, v.name);
        shot.values.push_back(v);
    }
    for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0; --n) {
        KeyState k{key(in), std::nullopt};
        if (in.ConsumeBool()) {
            k.tree.emplace();
            for (int c = in.ConsumeIntegralInRange<int>(0, 3), i = 0; i <= c; ++i) {
                RegistryKeyContent content{i == 0 ? k.key : k.key + "\\" + name(in, false), {}};
                if (content.key.back() == '\\')
                    content.key += "s";
                for (int m = in.ConsumeIntegralInRange<int>(0, 3); m > 0; --m)
                    content.values.push_back(value(in, in.ConsumeBool() ? "" : name(in, true)));
                k.tree->push_back(content);
            }
        }
        shot.deletedKeys.push_back(k);
    }

    // What regedit must read: the values under their keys in the order the
    // keys first appear, then each deleted key's deletion and its content.
    std::vector<bool> done(shot.values.size());
    for (std::size_t i = 0; i < shot.values.size(); ++i) {
        if (done[i])
            continue;
        expected.push_back({RegOperation::Kind::OpenKey, shot.values[i].key, "", 0, {}});
        for (std::size_t j = i; j < shot.values.size(); ++j) {
            const ValueState& v = shot.values[j];
            if (done[j] || v.key != shot.values[i].key)
                continue;
            done[j] = true;
            if (v.value)
                expected.push_back(
                    {RegOperation::Kind::SetValue, v.key, v.name, v.value->type, v.value->data});
            else
                expected.push_back({RegOperation::Kind::DeleteValue, v.key, v.name, 0, {}});
        }
    }
    for (const KeyState& k : shot.deletedKeys) {
        if (!k.tree)
            continue;
        expected.push_back({RegOperation::Kind::DeleteKey, k.key, "", 0, {}});
        for (const RegistryKeyContent& content : *k.tree) {
            expected.push_back({RegOperation::Kind::OpenKey, content.key, "", 0, {}});
            for (const RegistryValue& v : content.values)
                expected.push_back(
                    {RegOperation::Kind::SetValue, content.key, v.name, v.type, v.data});
        }
    }

    const std::optional<std::string> bytes = undoRegBytes(shot);
    FUZZ_CHECK(bytes.has_value());
    std::string error;
    const std::optional<std::vector<RegOperation>> read = readRegFile(*bytes, &error);
    if (!read)
        std::fprintf(stderr, "not read back: %s\n", error.c_str());
    FUZZ_CHECK(read.has_value());
    FUZZ_CHECK(read->size() == expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const RegOperation& a = (*read)[i];
        const RegOperation& e = expected[i];
        FUZZ_CHECK(a.kind == e.kind && a.key == e.key && a.name == e.name);
        FUZZ_CHECK(a.type == e.type && a.data == e.data);
    }
    const std::vector<std::string> lines = regPhysicalLines(*regfile::fromUtf16(bytes->substr(2)));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        FUZZ_CHECK(l.empty() || l[0] == '[' || l[0] == '"' || l[0] == '@' ||
                   l.compare(0, 2, "  ") == 0);
    }
    return 0;
}
