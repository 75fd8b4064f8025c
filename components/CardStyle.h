#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace sorvane {

// The looks a Card can take. Exposed to QML as a singleton so that screens write
// `CardStyle.Line` and can ask for a style's display-name key.
class CardStyle : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QList<int> allCases READ allCases CONSTANT)

public:
    enum Style {
        Default,
        Shadows,
        Line,
    };
    Q_ENUM(Style)

    using QObject::QObject;

    // Every style, in menu order.
    static QList<int> allCases();
    // The string-table key that names a style; an unknown value gives an empty key.
    Q_INVOKABLE static QString nameKey(int style);
};

} // namespace sorvane
