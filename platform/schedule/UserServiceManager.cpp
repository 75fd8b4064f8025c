#include "UserServiceManager.h"

#include <QProcess>
#include <QStandardPaths>

namespace sorvane {

namespace {

// The manager answers within moments or not at all.
constexpr int answerMs = 30000;

std::vector<QStringList> enableSteps(const std::string& timer) {
    return {{"--user", "daemon-reload"},
            {"--user", "enable", "--now", QString::fromStdString(timer)}};
}

} // namespace

UserServiceManager::Outcome UserServiceManager::systemctl(const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("systemctl"));
    const std::string command = ("systemctl " + arguments.join(QLatin1Char(' '))).toStdString();
    if (program.isEmpty()) {
        return {false, {}, command + ": systemctl is not installed"};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(answerMs)) {
        process.kill();
        process.waitForFinished();
        return {false, {}, command + ": no answer"};
    }
    const std::string output = process.readAllStandardOutput().trimmed().toStdString();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QByteArray said = process.readAllStandardError().trimmed();
        return {false, output,
                command + ": " +
                    (said.isEmpty() ? "exit status " + std::to_string(process.exitCode())
                                    : said.split('\n').first().toStdString())};
    }
    return {true, output, {}};
}

UserServiceManager::Problem UserServiceManager::enable(const std::string& timer) {
    for (const auto& step : enableSteps(timer)) {
        if (const Outcome outcome = systemctl(step); !outcome.succeeded) {
            return outcome.problem;
        }
    }
    return std::nullopt;
}

UserServiceManager::Problem UserServiceManager::reload() {
    const Outcome outcome = systemctl({"--user", "daemon-reload"});
    return outcome.succeeded ? std::nullopt : std::optional(outcome.problem);
}

UserServiceManager::Problem UserServiceManager::disable(const std::string& timer) {
    const Outcome outcome =
        systemctl({"--user", "disable", "--now", QString::fromStdString(timer)});
    return outcome.succeeded ? std::nullopt : std::optional(outcome.problem);
}

std::optional<std::string> UserServiceManager::nextRun(const std::string& timer) {
    const Outcome outcome = systemctl({"--user", "show", "--property=NextElapseUSecRealtime",
                                       "--value", QString::fromStdString(timer)});
    // An inactive timer has no next time: the manager writes nothing, or "n/a".
    if (!outcome.succeeded || outcome.output.empty() || outcome.output == "n/a") {
        return std::nullopt;
    }
    return outcome.output;
}

std::vector<std::string> UserServiceManager::enableCommands(const std::string& timer) {
    std::vector<std::string> commands;
    for (const auto& step : enableSteps(timer)) {
        commands.push_back("systemctl " + step.join(QLatin1Char(' ')).toStdString());
    }
    return commands;
}

} // namespace sorvane
