#pragma once

#include "platform/fs/Url.h"
#include "platform/icons/Icon.h"

#include <QString>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace sorvane {

// One application bundle as read from its information file.
class App {
public:
    App(Url baseUrl, QString name, QString identifier);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    const Url& baseUrl() const { return baseUrl_; }
    // The bundle folder's name with every ".app" removed.
    const QString& name() const { return name_; }
    const QString& identifier() const { return identifier_; }
    const std::optional<QString>& version() const { return version_; }
    void setVersion(std::optional<QString> version) { version_ = std::move(version); }
    const std::optional<QString>& copyright() const { return copyright_; }
    void setCopyright(std::optional<QString> copyright) { copyright_ = std::move(copyright); }
    // Applications, extensions and services embedded in the bundle (when read with children).
    const std::vector<std::shared_ptr<App>>& children() const { return children_; }
    void setChildren(std::vector<std::shared_ptr<App>> children) {
        children_ = std::move(children);
    }

    // The icon of the application of this name, looked up on the first read and then kept.
    Image icon() const;

private:
    Url baseUrl_;
    QString name_;
    QString identifier_;
    std::optional<QString> version_;
    std::optional<QString> copyright_;
    std::vector<std::shared_ptr<App>> children_;
    mutable std::once_flag iconOnce_;
    mutable Image icon_;
};

using AppList = std::vector<std::shared_ptr<App>>;

} // namespace sorvane
