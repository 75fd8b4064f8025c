#pragma once

#include "CategoryFinder.h"
#include <QStringList>

namespace sorvane {

// The disposable data folders of the WhatsApp desktop program, picked by name.
class WhatsAppFinder final : public CategoryFinder {
public:
    WhatsAppFinder();
    void search() override;

private:
    const QStringList filesAndDirectories_;
};

} // namespace sorvane
