#include "services/service_scripts.h"

namespace {

const char kPerServiceScript[] = "xiangxi.bat";

// A script piece from table rows; a service named twice keeps its last mode.
Plan servicePiece(const std::string& name, const ServiceRow* rows, std::size_t count) {
    Plan piece;
    piece.scripts.push_back({name, serviceScriptLines(rows, count, name), ShowState::Hidden});
    for (std::size_t i = 0; i < count; ++i)
        piece.services.push_back({rows[i].service, rows[i].mode});
    return piece;
}

} // namespace

Plan fuwuyouhua() {
    return servicePiece(kOptimisedServicesScript, kOptimisedServices, kOptimisedServiceCount);
}

Plan huifufuwu() {
    return servicePiece(kDefaultServicesScript, kDefaultServices, kDefaultServiceCount);
}

Plan xiangxiyouhua(const ServiceChoices& choices) {
    Plan piece;
    ScriptLines lines;
    for (int i = 0; i < kServiceChoiceCount; ++i) {
        const ServiceChoice& choice = kServiceChoices[i];
        const bool on = choices[static_cast<std::size_t>(i)] == 1;
        for (int l = 0; l < choice.lineCount(); ++l) {
            const ServiceLine& line = choice.lines[l];
            const ModeAndBlanks& mode = on ? line.whenOn : line.whenOff;
            lines.push_back(serviceConfigLine(line.service, mode.mode, mode.blanksAtEnd));
            piece.services.push_back({line.service, mode.mode});
        }
    }
    lines.push_back(std::string("del ") + kPerServiceScript);
    piece.scripts.push_back({kPerServiceScript, lines, ShowState::Hidden});
    return piece;
}
