#include "PermissionViewModel.h"

#include "platform/places/Layout.h"

#include "platform/desktop/SecureFolders.h"

namespace sorvane {

PermissionViewModel::PermissionViewModel(Directory directory, QObject* parent)
    : QObject(parent)
    , directory_(directory) {
    // A freedesktop home needs no grants: stored ones are neither read nor written there.
    if (Layout::current() == LayoutKind::macos) {
        SecureFolders::restoreAccess(key());
        setAuthenticated(SecureFolders::isAccessible(url(directory_)));
    }
}

QString PermissionViewModel::key() const {
    return QString::fromStdString(url(directory_).lastPathComponent());
}

QString PermissionViewModel::path() const {
    return QString::fromStdString(url(directory_).path());
}

void PermissionViewModel::setShowingAlert(bool showing) {
    showingAlert_ = showing;
    emit showingAlertChanged();
}

void PermissionViewModel::setAuthenticated(bool authenticated) {
    isAuthenticated_ = authenticated;
    emit isAuthenticatedChanged();
}

void PermissionViewModel::grant() {
    const Url folder = url(directory_);
    SecureFolders::grantAccess(folder, key());
    setAuthenticated(SecureFolders::isAccessible(folder));
}

} // namespace sorvane
