#pragma once

#include "platform/places/Directory.h"

#include <QObject>

namespace sorvane {

// Whether one of the folders the application needs is granted, and the grant itself.
class PermissionViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isAuthenticated READ isAuthenticated NOTIFY isAuthenticatedChanged)
    Q_PROPERTY(bool showingAlert READ showingAlert WRITE setShowingAlert NOTIFY showingAlertChanged)
    Q_PROPERTY(QString path READ path CONSTANT)

public:
    // Restores a grant stored by an earlier run.
    explicit PermissionViewModel(Directory directory, QObject* parent = nullptr);

    bool isAuthenticated() const { return isAuthenticated_; }
    Directory directory() const { return directory_; }
    // The folder's location, where the folder chooser opens.
    QString path() const;
    // The wrong-folder alert of this row is showing.
    bool showingAlert() const { return showingAlert_; }
    void setShowingAlert(bool showing);

    // Grants the expected folder (whatever the chooser returned) and reads the answer back.
    void grant();

signals:
    void isAuthenticatedChanged();
    void showingAlertChanged();

private:
    QString key() const;
    void setAuthenticated(bool authenticated);

    bool isAuthenticated_ = false;
    bool showingAlert_ = false;
    const Directory directory_;
};

} // namespace sorvane
