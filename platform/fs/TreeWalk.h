#pragma once

#include "DescriptorStack.h"
#include "WalkStep.h"
#include "WorkerPool.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sorvane {

// What a tree walk does at each entry. One visitor serves one thread: a walk that hands part
// of its tree to another thread asks for a visitor of its own for that part.
class TreeVisitor {
public:
    virtual ~TreeVisitor() = default;

    // An entry of the folder at the top of the stack, as the folder listing gives it: type is
    // the listing's d_type, DT_UNKNOWN when the file system does not say (entryType() asks).
    // enter queues the entry to be opened as a folder.
    virtual WalkStep visit(DescriptorStack& stack, const char* name, unsigned char type) = 0;
    // All entries of the folder at the top have been visited.
    virtual void read(DescriptorStack& /*stack*/) {}
    // A folder queued by enter is now open at the top; skip leaves its entries unread.
    virtual WalkStep opened(DescriptorStack& /*stack*/) { return WalkStep::enter; }
    // A folder queued by enter could not be opened as one (errno value): EXDEV where another
    // file system is mounted, ELOOP or ENOTDIR when it is no longer a folder, ENOENT when it
    // went away, EMFILE or ENFILE when descriptors stayed short.
    virtual void notOpened(DescriptorStack& /*stack*/, const std::string& /*name*/, int /*error*/) {
    }
    // A folder is done and closed; its parent is the top again.
    virtual void left(DescriptorStack& /*stack*/, const std::string& /*name*/) {}
    // Part of the tree could not be walked (errno value): reading the folder at the top failed,
    // or the walk ends early, with ECANCELED when the process is ending and ESTALE when a
    // folder above was moved away.
    virtual void failed(DescriptorStack& /*stack*/, int /*error*/) {}
    // The part of the walk this visitor served is over; called on the thread that walked it,
    // before the walk returns.
    virtual void done() {}
    // A visitor for a part of the tree walked on another thread.
    virtual std::unique_ptr<TreeVisitor> piece() { return nullptr; }
};

// One depth-first walk of a folder's tree, through descriptors only (DescriptorStack): nothing
// below the root is reached through a link or across a mount, and every walk stops at the
// next entry once the process is ending.
//
// A walk in listing order reads each folder whole, sorts the names in byte order and walks an
// entered folder before its next sibling, as a listing shows a tree. A walk in reading order
// visits entries as the kernel gives them and opens the entered folders after their parent is
// read; once it has seen enough entries to be worth it, it hands parts of the tree to the
// shared worker pool, each walked with a visitor of its own.
class TreeWalk {
public:
    enum class Order { listing, reading };
    // A walk goes alone until it has seen this many entries; small trees never touch the pool.
    static constexpr std::size_t entriesBeforeSharing = 2048;

    explicit TreeWalk(Order order, bool mayShare = true)
        : order_(order)
        , mayShare_(mayShare) {}
    TreeWalk(const TreeWalk&) = delete;
    TreeWalk& operator=(const TreeWalk&) = delete;

    // Walks the folder open as rootDescriptor (taken over), entries first, then the queued
    // sub-folders; returns once every part handed to other threads is done too.
    void run(int rootDescriptor, TreeVisitor& visitor);

    // Whether handing a part to another thread pays now: a thread is idle and descriptors are
    // not short.
    bool canHandOff() const;
    // Hands a part of the walk to another thread: it starts at the folder open as descriptor
    // (taken over) with the given sub-folders queued and its own visitor, lets prepare visit
    // what it was given, then walks the queued sub-folders.
    using Preparation = std::function<void(DescriptorStack&, TreeVisitor&)>;
    void handOff(int descriptor, std::vector<std::string> folders,
                 std::unique_ptr<TreeVisitor> visitor, Preparation prepare = {});
    // Whether parts were handed off, so that a folder may have been left with entries that
    // another thread was still working on.
    bool handedOff() const { return handedOff_.load(); }

    // The type of an entry of an open folder when the listing did not tell it (DT_UNKNOWN),
    // read without following a link; DT_UNKNOWN when it cannot be looked at.
    static unsigned char entryType(int folder, const char* name, unsigned char listed);

private:
    class Walker;

    void walkInListingOrder(int rootDescriptor, TreeVisitor& visitor);

    const Order order_;
    const bool mayShare_;
    std::atomic<bool> handedOff_ = false;
    std::atomic<bool> stopped_ = false;
    WorkerPool::Group pieces_; // last, so that it waits for the pieces before the rest goes
};

} // namespace sorvane
