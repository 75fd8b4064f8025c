#include "StartOutcome.h"

namespace sorvane {

QString StartOutcome::reason() const {
    switch (refusal_) {
    case Refusal::none:
        break;
    case Refusal::searchRunning:
        return QStringLiteral("a search is running");
    case Refusal::cleaningRunning:
        return QStringLiteral("a cleaning is running");
    case Refusal::stopped:
        return QStringLiteral("the engine has been stopped");
    }
    return {};
}

} // namespace sorvane
