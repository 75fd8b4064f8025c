#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

Q_IMPORT_QML_PLUGIN(Sorvane_ComponentsPlugin)

namespace sorvane {

// Makes the component module, linked into this program, importable by the test files.
class ComponentsTestSetup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
    }
};

} // namespace sorvane

QUICK_TEST_MAIN_WITH_SETUP(components, sorvane::ComponentsTestSetup)

#include "main.moc"
