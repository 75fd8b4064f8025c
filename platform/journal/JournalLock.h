#pragma once

#include "platform/fs/FileDescriptor.h"

#include <utility>

namespace sorvane {

// A hold on the journal beside it, taken with flock() on a lock file in the journal's folder:
// shared while a line is appended, exclusive while the file is rewritten. A line appended to
// the file that a rewrite is about to replace would be lost; under the hold it goes either
// before the rewrite reads the file or after the new file took its place. Processes wait for
// each other here, and so do two holds of one process, since each opens the file anew.
class JournalLock {
public:
    enum class Mode { shared, exclusive };

    // Holds nothing.
    JournalLock() = default;

    // Waits for the hold on the lock file in the open folder; not held() when the lock file
    // cannot be made or locked, which the journal writes on without (a missing hold can only
    // lose a line, a missing line never a file).
    static JournalLock take(int folder, Mode mode);

    bool held() const { return file_.isOpen(); }

private:
    explicit JournalLock(FileDescriptor file)
        : file_(std::move(file)) {}

    // Closing the file lets the hold go.
    FileDescriptor file_;
};

} // namespace sorvane
