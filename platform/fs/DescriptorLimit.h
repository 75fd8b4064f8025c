#pragma once

#include <functional>

namespace sorvane {

// How many files the process may hold open at once, and how walks behave when that runs out.
class DescriptorLimit {
public:
    DescriptorLimit() = delete;

    // Raises the soft limit to the hard one: parallel walks of deep trees hold many folders
    // open, and running short only slows them down.
    static void raiseToHardLimit();

    // Runs open() again while it fails for want of descriptors, first after release() (which may
    // be empty) has closed what the caller can spare, then after short and growing waits. It
    // gives up, with errno EMFILE or ENFILE, only when no descriptor anywhere in the process was
    // given back for a few seconds: while other walks make progress, waiting pays.
    static int openPatiently(const std::function<int()>& open,
                             const std::function<bool()>& release);

    // Whether some open ran short of descriptors a moment ago. Walks then keep only what they
    // need open and hand no work to other threads, since every piece handed off holds a
    // descriptor of its own while it waits to run.
    static bool isShort();
    // Every walk says when it closes a descriptor it held, so that a waiting open knows the
    // process is not stuck.
    static void noteReleased();
};

} // namespace sorvane
