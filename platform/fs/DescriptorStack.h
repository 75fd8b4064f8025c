#pragma once

#include "MountBoundary.h"

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The path from the root of a tree walk down to the folder being visited, held as directory
// descriptors so that no path text is built and no link is ever followed below the root.
// Only the deepest few levels keep their descriptors open; a closed ancestor is reopened
// through ".." when the walk climbs back, and refused unless it is still the very folder that
// was opened on the way down. That keeps arbitrarily deep trees within the descriptor limit
// and makes a folder moved or swapped mid-walk stop the walk instead of misleading it. The walk
// stays on the root's mount: a folder where another file system is mounted is not entered.
class DescriptorStack {
public:
    // Takes ownership of an open directory descriptor for the root, whose sub-folders still
    // to visit are the given names.
    explicit DescriptorStack(int rootDescriptor, std::vector<std::string> pending = {});
    ~DescriptorStack();
    DescriptorStack(const DescriptorStack&) = delete;
    DescriptorStack& operator=(const DescriptorStack&) = delete;

    std::size_t depth() const { return frames_.size(); }
    // The open descriptor of the deepest folder.
    int top() const { return frames_.back().descriptor; }
    // The device and inode of the deepest folder.
    dev_t topDevice() const { return frames_.back().device; }
    ino_t topInode() const { return frames_.back().inode; }
    // The deepest folder's name inside its parent (empty for the root).
    const std::string& topName() const { return frames_.back().name; }
    // The path of an entry of the deepest folder relative to the root (of the deepest folder
    // itself for an empty name), built only to name the entry where a walk failed.
    std::string pathTo(std::string_view name) const;
    // Sub-folders of the deepest folder still to visit.
    std::vector<std::string>& pending() { return frames_.back().pending; }
    // The same for the folder at a level (0 is the root), and its descriptor, -1 while it is
    // closed to stay within the descriptor budget.
    std::vector<std::string>& pendingAt(std::size_t level) { return frames_[level].pending; }
    int descriptorAt(std::size_t level) const { return frames_[level].descriptor; }

    // Gives away half of the sub-folders still to visit at the shallowest level that has at
    // least two, with a new descriptor of their folder for another walk to start from. The
    // descriptor is -1 when no level can spare any.
    struct Share {
        int descriptor = -1;
        std::vector<std::string> names;
    };
    Share share();

    // Opens the named sub-folder of the deepest folder, never through a link and never into
    // another mount, and makes it the deepest. False (with errno set, EXDEV for a mount point)
    // when it cannot be opened as a folder. Short of descriptors, it closes ancestors and waits
    // rather than fail.
    bool push(const std::string& name);
    // Leaves the deepest folder. False when its parent could not be reopened as the same folder,
    // in which case the walk must stop.
    bool pop();

private:
    struct Frame {
        int descriptor = -1;
        dev_t device = 0;
        ino_t inode = 0;
        std::string name;
        std::vector<std::string> pending;
    };

    void closeBeyondBudget();
    // Closes every open ancestor of the deepest folder; false when none was open.
    bool closeAncestors();

    MountBoundary boundary_;
    std::vector<Frame> frames_;
    std::size_t openFrom_ = 0; // frames below this index have their descriptors closed
};

} // namespace sorvane
