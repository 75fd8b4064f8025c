#include "App.h"

#include "platform/icons/FileIconManager.h"

namespace sorvane {

App::App(Url baseUrl, QString name, QString identifier)
    : baseUrl_(std::move(baseUrl))
    , name_(std::move(name))
    , identifier_(std::move(identifier)) {}

Image App::icon() const {
    std::call_once(iconOnce_,
                   [this] { icon_ = FileIconManager::shared().iconForApplicationNamed(name_); });
    return icon_;
}

} // namespace sorvane
