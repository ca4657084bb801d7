#include "oem/oem_text_rule.h"

#include "platform/cp936.h"
#include "platform/unicode_text.h"

bool inOemFile(OemField field) {
    return field == OemField::Manufacturer || field == OemField::Model;
}

std::optional<OemTextFaults> oemTextFaults(OemField field, const std::string& text) {
    OemTextFaults faults;
    faults.unencodable = !isValidUtf8(text) || (inOemFile(field) && !toCp936(text));
    for (char c : text) {
        if (c == '\r' || c == '\n')
            faults.lineBreak = true;
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            faults.controlCharacter = true;
    }
    if (!faults.unencodable && !faults.lineBreak && !faults.controlCharacter)
        return std::nullopt;
    return faults;
}
