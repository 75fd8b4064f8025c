#include "Url.h"

namespace sorvane {

namespace {

std::string normalised(std::string_view raw) {
    std::string out;
    out.reserve(raw.size() + 1);
    out.push_back('/');
    for (const char c : raw) {
        if (c == '/' && out.back() == '/') {
            continue;
        }
        out.push_back(c);
    }
    if (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    return out;
}

} // namespace

Url::Url(std::string_view path, bool isFolder)
    : path_(normalised(path))
    , isFolder_(isFolder) {}

std::string Url::absoluteString() const {
    if (isFolder_ && path_ != "/") {
        return path_ + "/";
    }
    return path_;
}

std::string Url::lastPathComponent() const {
    if (path_.empty()) {
        return {};
    }
    if (path_ == "/") {
        return "/";
    }
    return path_.substr(path_.rfind('/') + 1);
}

std::string Url::pathExtension() const {
    const std::string name = lastPathComponent();
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || name == "/") {
        return {};
    }
    return name.substr(dot + 1);
}

Url Url::deletingLastPathComponent() const {
    if (path_.empty() || path_ == "/") {
        return Url::folder("/");
    }
    const auto slash = path_.rfind('/');
    return Url::folder(slash == 0 ? std::string_view("/")
                                  : std::string_view(path_).substr(0, slash));
}

Url Url::appending(std::string_view component, bool isFolder) const {
    std::string joined = path_.empty() ? std::string("/") : path_;
    joined.push_back('/');
    joined.append(component);
    return Url(joined, isFolder);
}

Url Url::appendingFolders(const std::vector<std::string>& components) const {
    Url url = *this;
    for (const auto& component : components) {
        url = url.appending(component, true);
    }
    return url;
}

} // namespace sorvane
