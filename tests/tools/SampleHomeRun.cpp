#include "SampleHomeRun.h"

#include <QJsonDocument>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane::test {

namespace fs = std::filesystem;

SampleHomeRun::SampleHomeRun(unsigned long long seed, unsigned long long files,
                             const QString& layout)
    : root_(makeTemporaryFolder("sorvane-root")) {
    generated_ = run(QStringLiteral(SORVANE_SAMPLE_HOME),
                     {QStringLiteral("--home"), QString::fromStdString(home_.path()),
                      QStringLiteral("--root"), QString::fromStdString(root_),
                      QStringLiteral("--seed"), QString::number(seed), QStringLiteral("--files"),
                      QString::number(files), QStringLiteral("--layout"), layout});
}

SampleHomeRun::~SampleHomeRun() {
    std::error_code error;
    fs::remove_all(root_, error);
}

ProcessResult runCli(const SampleHomeRun& run, QStringList arguments) {
    arguments << QStringLiteral("--home") << QString::fromStdString(run.home().path())
              << QStringLiteral("--root") << QString::fromStdString(run.root());
    return test::run(QStringLiteral(SORVANE_CLI), arguments);
}

QJsonObject parseJson(const std::string& text) {
    QJsonParseError error{};
    const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        throw std::runtime_error("not a JSON object: " + error.errorString().toStdString());
    }
    return document.object();
}

} // namespace sorvane::test
