#pragma once

#include "App.h"

#include <optional>
#include <string>
#include <utility>

namespace sorvane {

class Apps {
public:
    Apps() = delete;

    // The bundles directly in /Applications (links read from their targets), each with its
    // embedded applications. Folders that are not readable bundles are skipped, and nothing
    // nested in them is looked for. With excludingSystemApps, "com.apple." identifiers are left
    // out.
    static AppList installedApps(bool excludingSystemApps);
    // The bundle at url, or none when its information file is missing, unreadable or has no
    // identifier (or a system identifier that is excluded).
    static std::shared_ptr<App> app(const Url& url, bool withChildren, bool excludingSystemApps);
    // The name (".app" removed) and icon of the first application found below
    // <buildFolder>/Products.
    static std::optional<std::pair<QString, Image>> builtProduct(const Url& buildFolder);
    // The running program's own bundle identifier: its bundle's when it runs from inside one,
    // else "org.sorvane.Sorvane".
    static QString mainBundleIdentifier();
    // The bundle folder that holds an executable, if it lies in <X>.app/Contents/MacOS/.
    static std::optional<std::string> bundleOfExecutable(const std::string& executable);
};

} // namespace sorvane
