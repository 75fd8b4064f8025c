#pragma once

#include <sys/types.h>

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace sorvane {

// Folders of a removal's own user that denied writing to their owner (as a Go module cache
// does to guard its contents) and were made writable so that their entries could go, each
// with the mode it had, so that one that stays after all gets it back. Modes change only
// through descriptors that the removal opened itself, never by path, so a folder swapped for a
// link meanwhile is never the one changed. One object serves every thread of one removal.
class WritableFolders {
public:
    // Lets the owner write to the folder open as descriptor when the effective user owns it;
    // true when its owner may now write to it (another thread may have seen to it already), so
    // that the refused operation is worth one more try.
    bool makeWritable(int folder);
    // Gives the folder named in the open folder parent back the mode it had, when this removal
    // changed it: for a folder that stays.
    void restore(int parent, const std::string& name);

private:
    std::mutex mutex_;
    std::map<std::pair<dev_t, ino_t>, mode_t> changed_;
};

} // namespace sorvane
