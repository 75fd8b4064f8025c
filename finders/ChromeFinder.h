#pragma once

#include "CategoryFinder.h"
#include <QStringList>

namespace sorvane {

// The cache folders anywhere in Chrome's cache tree, picked by name.
class ChromeFinder final : public CategoryFinder {
public:
    ChromeFinder();
    void search() override;

private:
    const QStringList filesAndDirectories_;
};

} // namespace sorvane
