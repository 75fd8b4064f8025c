#pragma once

#include "support/Processes.h"
#include "support/TempHome.h"

#include <QJsonObject>

#include <string>

namespace sorvane::test {

// A generated sample home in a temporary home, with its system root beside it.
class SampleHomeRun {
public:
    explicit SampleHomeRun(unsigned long long seed = 7, unsigned long long files = 400,
                           const QString& layout = QStringLiteral("macos"));
    ~SampleHomeRun();
    SampleHomeRun(const SampleHomeRun&) = delete;
    SampleHomeRun& operator=(const SampleHomeRun&) = delete;

    const TempHome& home() const { return home_; }
    const std::string& root() const { return root_; }
    const ProcessResult& generated() const { return generated_; }

private:
    TempHome home_;
    std::string root_;
    ProcessResult generated_;
};

// Runs the CLI with the home and root of the run appended to the arguments.
ProcessResult runCli(const SampleHomeRun& run, QStringList arguments);
QJsonObject parseJson(const std::string& text);

} // namespace sorvane::test
