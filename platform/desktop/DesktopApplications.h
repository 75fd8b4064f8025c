#pragma once

#include <QString>

#include <string>
#include <vector>

namespace sorvane {

// A desktop application as the running-application monitor recognises it: by its desktop
// application identifier and the shell-style patterns its executable's path matches.
struct DesktopApplication {
    QString identifier;
    std::vector<std::string> executablePatterns;
};

// The applications whose caches the freedesktop layout cleans.
const std::vector<DesktopApplication>& desktopApplications();

// Whether an executable path matches one of the application's patterns (case-sensitive, "*"
// crossing "/").
bool matchesExecutable(const DesktopApplication& application, const std::string& executable);
// Whether a process's control-group text places it in the Flatpak sandbox of the application.
bool runsInFlatpakOf(const DesktopApplication& application, std::string_view controlGroups);

} // namespace sorvane
