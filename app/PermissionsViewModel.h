#pragma once

#include "PermissionViewModel.h"

#include <QObject>

namespace sorvane {

// The pair of folders the application needs: the home folder and its Library folder.
class PermissionsViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(sorvane::PermissionViewModel* user READ user CONSTANT)
    Q_PROPERTY(sorvane::PermissionViewModel* library READ library CONSTANT)

public:
    explicit PermissionsViewModel(QObject* parent = nullptr);

    PermissionViewModel* user() const { return user_; }
    PermissionViewModel* library() const { return library_; }

private:
    PermissionViewModel* user_;    // owned as a child
    PermissionViewModel* library_; // owned as a child
};

} // namespace sorvane
