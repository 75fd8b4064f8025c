#include "Processes.h"

#include "TempHome.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <grp.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sorvane::test {

ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted(timeoutMs)) {
        result.err = process.errorString().toStdString();
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = "timed out";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess() {
    kill();
}

void ChildProcess::kill() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

bool runningAsRoot() {
    return geteuid() == 0;
}

unsigned unprivilegedUid() {
    const passwd* user = getpwnam("nobody");
    return user != nullptr ? user->pw_uid : 65534U;
}

unsigned unprivilegedGid() {
    const passwd* user = getpwnam("nobody");
    return user != nullptr ? user->pw_gid : 65534U;
}

ProcessResult runUnprivileged(const QString& program, const QStringList& arguments) {
    if (!runningAsRoot()) {
        return run(program, arguments);
    }
    QStringList wrapped{QStringLiteral("--reuid=%1").arg(unprivilegedUid()),
                        QStringLiteral("--regid=%1").arg(unprivilegedGid()),
                        QStringLiteral("--clear-groups"), program};
    wrapped += arguments;
    return run(QStringLiteral("setpriv"), wrapped);
}

ProgramCopy::ProgramCopy(const QString& program) {
    folder_ = QString::fromStdString(makeTemporaryFolder("sorvane-program"));
    path_ = folder_ + QLatin1Char('/') + QFileInfo(program).fileName();
    if (!QFile::copy(program, path_)) {
        throw std::runtime_error("cannot copy " + program.toStdString());
    }
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                     QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                     QFile::ExeOther);
}

ProgramCopy::~ProgramCopy() {
    QDir(folder_).removeRecursively();
}

QString pathProbe() {
    static const ProgramCopy copy(QStringLiteral(SORVANE_PATH_PROBE));
    return copy.path();
}

// The C library makes every thread of the process take the new ids, the engine's workers too.
AsUnprivilegedUser::AsUnprivilegedUser()
    : switched_(runningAsRoot()) {
    if (switched_ && (setegid(unprivilegedGid()) != 0 || seteuid(unprivilegedUid()) != 0)) {
        throw std::runtime_error("cannot act as the unprivileged user");
    }
}

AsUnprivilegedUser::~AsUnprivilegedUser() {
    if (switched_ && (seteuid(0) != 0 || setegid(0) != 0)) {
        std::abort(); // a test process left without root would mislead every later test
    }
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    // A real event loop rather than processEvents(), so that deferred deletions happen as they
    // do in the application.
    if (condition()) {
        return true;
    }
    QEventLoop loop;
    QTimer poll;
    QDeadlineTimer deadline(timeoutMs);
    bool met = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        met = condition();
        if (met || deadline.hasExpired()) {
            loop.quit();
        }
    });
    poll.start(2);
    loop.exec();
    return met;
}

} // namespace sorvane::test
