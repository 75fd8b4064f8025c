#pragma once

#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace sorvane::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs = 120000);

bool runningAsRoot();
// Runs the program as the user "nobody" when the tests run as root (where every folder is
// readable and every file deletable), and as the current user otherwise.
ProcessResult runUnprivileged(const QString& program, const QStringList& arguments);
unsigned unprivilegedUid();
unsigned unprivilegedGid();

// A copy of a program that every user may run, wherever the build tree lies; removed again
// when the object goes.
class ProgramCopy {
public:
    explicit ProgramCopy(const QString& program);
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const QString& path() const { return path_; }

private:
    QString folder_;
    QString path_;
};

// A copy of the path probe that every user may run, wherever the build tree lies.
QString pathProbe();

// While it lives, the whole process (every thread) acts as the user "nobody" when the tests run
// as root, so that modes bind as they do for a user; the current user otherwise.
class AsUnprivilegedUser {
public:
    AsUnprivilegedUser();
    ~AsUnprivilegedUser();
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

private:
    bool switched_ = false;
};

// A program started with fork() and exec(), killed and reaped when the object goes. Unlike
// QProcess, which starts programs with vfork(), it keeps thread checkers' view of the parent whole.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // Kills the program and waits for its end.
    void kill();

private:
    int pid_ = -1;
};

// Processes events of the calling thread until the condition holds; false on timeout.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);

} // namespace sorvane::test
