#include "undo/snapshot_record.h"

#include "undo/text.h"

namespace {

const char kSequence[] = "sequence ";
const char kDigest[] = "sha256 ";

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

std::string recordText(const SnapshotRecord& record) {
    std::string text = record.action + "\r\n" + kSequence + decimalText(record.sequence);
    for (const auto& [name, digest] : record.digests)
        text += "\r\n" + std::string(kDigest) + name + " " + digest;
    return text;
}

SnapshotRecord parseRecord(const std::string& text) {
    const std::vector<std::string> lines = split(text, "\r\n");
    SnapshotRecord record;
    record.action = lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (startsWith(line, kSequence)) {
            record.sequence = parseDecimal(line.substr(sizeof kSequence - 1)).value_or(0);
        } else if (startsWith(line, kDigest)) {
            const std::string rest = line.substr(sizeof kDigest - 1);
            const std::string::size_type blank = rest.rfind(' ');
            if (blank != std::string::npos)
                record.digests.emplace_back(rest.substr(0, blank), rest.substr(blank + 1));
        }
    }
    return record;
}
