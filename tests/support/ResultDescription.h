#pragma once

#include "TempHome.h"
#include "engine/CleanerResult.h"

#include <string>
#include <vector>

namespace sorvane::test {

// One line per item, paths shown relative to the home: "name @ url + suburl + suburl {icon}".
// The folder mark shows as a trailing "/"; an item without url shows "-".
std::vector<std::string> describe(const TempHome& home, const CleanerResult& result);

} // namespace sorvane::test
