#include "CardStyle.h"

namespace sorvane {

QList<int> CardStyle::allCases() {
    return {Default, Shadows, Line};
}

QString CardStyle::nameKey(int style) {
    switch (style) {
    case Default:
        return QStringLiteral("DEFAULT");
    case Shadows:
        return QStringLiteral("SHADOWS");
    case Line:
        return QStringLiteral("LINE");
    default:
        return {};
    }
}

} // namespace sorvane
