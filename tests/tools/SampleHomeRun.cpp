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

std::vector<std::string> describeTree(const std::string& folder) {
    std::vector<std::string> lines;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        const std::string relative = it->path().string().substr(folder.size());
        struct stat info {};
        lstat(it->path().c_str(), &info);
        std::string line = relative + "|" + std::to_string(info.st_mode & S_IFMT) + "|";
        if (S_ISLNK(info.st_mode)) {
            line += fs::read_symlink(it->path(), error).string();
        } else if (S_ISREG(info.st_mode)) {
            line += std::to_string(info.st_size) + "|";
            // The first bytes are what the generator writes; the rest is a hole.
            std::ifstream in(it->path(), std::ios::binary);
            std::string head(256, '\0');
            in.read(head.data(), static_cast<std::streamsize>(head.size()));
            head.resize(static_cast<std::size_t>(in.gcount()));
            line += std::to_string(std::hash<std::string>{}(head));
        }
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace sorvane::test
