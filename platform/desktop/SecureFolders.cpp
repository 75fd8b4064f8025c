#include "SecureFolders.h"

#include "UserDefaults.h"
#include "platform/fs/Path.h"

#include <mutex>
#include <set>

namespace sorvane {

namespace {

struct AccessedSet {
    std::mutex mutex;
    std::set<std::string> urls; // absolute texts
};

AccessedSet& accessed() {
    static AccessedSet instance;
    return instance;
}

void insert(const Url& url) {
    const std::lock_guard lock(accessed().mutex);
    accessed().urls.insert(url.absoluteString());
}

} // namespace

void SecureFolders::restoreAccess(const QString& key) {
    const auto stored = UserDefaults::value(key);
    if (!stored) {
        return;
    }
    const QByteArray token = stored->toByteArray();
    const std::string path(token.constData(), static_cast<std::size_t>(token.size()));
    if (path.empty() || path.front() != '/' || !Path::isDirectory(path)) {
        return; // stale: kept as it is, neither used nor renewed
    }
    insert(Url::folder(path));
}

void SecureFolders::grantAccess(const Url& folder, const QString& key) {
    if (folder.isEmpty() || !Path::isDirectory(folder.path())) {
        return;
    }
    insert(folder);
    UserDefaults::setValue(
        key, QByteArray(folder.path().data(), static_cast<qsizetype>(folder.path().size())));
}

bool SecureFolders::isAccessible(const Url& url) {
    const std::lock_guard lock(accessed().mutex);
    return accessed().urls.count(url.absoluteString()) != 0;
}

void SecureFolders::forgetAccess() {
    const std::lock_guard lock(accessed().mutex);
    accessed().urls.clear();
}

} // namespace sorvane
