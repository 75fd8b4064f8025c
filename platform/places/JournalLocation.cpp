#include "JournalLocation.h"

#include <QString>
#include <QtGlobal>

namespace sorvane {

std::string journalLocation() {
    // A relative value is ignored, as the base directory conventions ask: it would name a
    // folder below whatever the working directory happens to be.
    std::string state = qEnvironmentVariable("XDG_STATE_HOME").toStdString();
    if (state.empty() || state.front() != '/') {
        state = qEnvironmentVariable("HOME").toStdString() + "/.local/state";
    }
    while (state.size() > 1 && state.back() == '/') {
        state.pop_back();
    }
    return state + "/sorvane/journal.jsonl";
}

} // namespace sorvane
