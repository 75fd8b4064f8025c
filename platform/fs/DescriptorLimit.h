#pragma once

namespace sorvane {

// How many files the process may hold open at once.
class DescriptorLimit {
public:
    DescriptorLimit() = delete;

    // Raises the soft limit to the hard one: parallel walks of deep trees hold many folders
    // open, and running short only slows them down.
    static void raiseToHardLimit();
};

} // namespace sorvane
