#include "ResultDescription.h"

namespace sorvane::test {

namespace {

std::string relative(const TempHome& home, const std::string& path) {
    const std::string prefix = home.path() + "/";
    return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : path;
}

std::string describeIcon(const TempHome& home, const Image& icon) {
    if (!icon) {
        return {};
    }
    static const char* const kinds[] = {"image", "file", "symbol", "stock"};
    return " {" + std::string(kinds[static_cast<int>(icon->kind)]) + ":" +
           relative(home, icon->value) + "}";
}

} // namespace

std::vector<std::string> describe(const TempHome& home, const CleanerResult& result) {
    std::vector<std::string> lines;
    for (const auto& item : result.items()) {
        std::string line = item->name().toStdString() + " @ ";
        line += item->url() ? relative(home, item->url()->absoluteString()) : "-";
        for (const auto& suburl : item->suburls()) {
            line += " + " + relative(home, suburl.absoluteString());
        }
        line += describeIcon(home, item->alternateIcon());
        lines.push_back(line);
    }
    return lines;
}

} // namespace sorvane::test
