#include "KeepEntry.h"

#include <algorithm>
#include <fnmatch.h>

namespace sorvane {

namespace {

constexpr std::string_view anyDepth = "**";

std::vector<std::string_view> componentsOf(std::string_view path) {
    std::vector<std::string_view> components;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        const std::string_view component = path.substr(0, slash);
        if (!component.empty()) {
            components.push_back(component);
        }
        if (slash == std::string_view::npos) {
            break;
        }
        path.remove_prefix(slash + 1);
    }
    return components;
}

bool isPattern(std::string_view component) {
    return component.find_first_of("*?[\\") != std::string_view::npos;
}

bool componentMatches(const std::string& pattern, std::string_view name) {
    if (!isPattern(pattern)) {
        return pattern == name;
    }
    // A hidden name is matched by "*" too: keeping more than asked is the safe side.
    return fnmatch(pattern.c_str(), std::string(name).c_str(), 0) == 0;
}

} // namespace

KeepEntry::KeepEntry(std::string text, std::vector<std::string> components)
    : text_(std::move(text))
    , components_(std::move(components)) {}

std::variant<KeepEntry, std::string> KeepEntry::parse(std::string_view text,
                                                      std::string_view home) {
    std::string written(text);
    while (written.size() > 1 && written.back() == '/') {
        written.pop_back();
    }
    std::string expanded = written;
    if (written == "~" || written.starts_with("~/")) {
        // The home is a location, not a pattern: "/home/a[1]" must keep itself, not "/home/a1".
        expanded = forLocation(home, {}) + written.substr(1);
    }
    if (!expanded.starts_with('/')) {
        return "'" + std::string(text) + "' is not an absolute location (begin it with / or ~/)";
    }
    std::vector<std::string> components;
    std::string_view rest = std::string_view(expanded).substr(1);
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view component = rest.substr(0, slash);
        if (component.empty() || component == "." || component == "..") {
            return "'" + std::string(text) + "' holds an empty, '.' or '..' component";
        }
        // Several "**" in a row match what one does; folding them keeps matching linear.
        if (component != anyDepth || components.empty() || components.back() != anyDepth) {
            components.emplace_back(component);
        }
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    if (components.empty()) {
        return "'" + std::string(text) + "' would keep the whole system";
    }
    return KeepEntry(written, std::move(components));
}

std::string KeepEntry::forLocation(std::string_view path, std::string_view home) {
    std::string text;
    if (!home.empty() && home != "/" && path.starts_with(home) &&
        (path.size() == home.size() || path[home.size()] == '/')) {
        text = "~";
        path.remove_prefix(home.size());
    }
    for (const char c : path) {
        if (std::string_view("*?[\\").find(c) != std::string_view::npos) {
            text += '\\';
        }
        text += c;
    }
    return text;
}

std::string KeepEntry::base() const {
    std::string folder;
    for (const auto& component : components_) {
        if (component == anyDepth || isPattern(component)) {
            break;
        }
        folder += "/" + component;
    }
    return folder.empty() ? "/" : folder;
}

bool KeepEntry::isLiteral() const {
    return std::none_of(components_.begin(), components_.end(), [](const std::string& component) {
        return component == anyDepth || isPattern(component);
    });
}

bool KeepEntry::keeps(std::string_view path) const {
    return keepsFrom(componentsOf(path), 0, 0);
}

bool KeepEntry::leadsBelow(std::string_view path) const {
    return leadsFrom(componentsOf(path), 0, 0);
}

bool KeepEntry::keepsFrom(const std::vector<std::string_view>& path, std::size_t entryAt,
                          std::size_t pathAt) const {
    if (entryAt == components_.size()) {
        return true;
    }
    if (components_[entryAt] == anyDepth) {
        return keepsFrom(path, entryAt + 1, pathAt) ||
               (pathAt < path.size() && keepsFrom(path, entryAt, pathAt + 1));
    }
    return pathAt < path.size() && componentMatches(components_[entryAt], path[pathAt]) &&
           keepsFrom(path, entryAt + 1, pathAt + 1);
}

bool KeepEntry::leadsFrom(const std::vector<std::string_view>& path, std::size_t entryAt,
                          std::size_t pathAt) const {
    if (pathAt == path.size()) {
        return entryAt < components_.size();
    }
    if (entryAt == components_.size()) {
        return false;
    }
    if (components_[entryAt] == anyDepth) {
        return leadsFrom(path, entryAt + 1, pathAt) || leadsFrom(path, entryAt, pathAt + 1);
    }
    return componentMatches(components_[entryAt], path[pathAt]) &&
           leadsFrom(path, entryAt + 1, pathAt + 1);
}

} // namespace sorvane
