#pragma once

#include "CategoryFinder.h"
namespace sorvane {

// The window states the system saves for applications, named after their applications.
class ApplicationStatesFinder : public CategoryFinder {
public:
    ApplicationStatesFinder();
    void search() override;
};

} // namespace sorvane
