#pragma once

#include <string>
#include <sys/types.h>

namespace sorvane {

// Puts new contents in a file's place: written to a new file beside it, synced, then renamed
// over it, so that a reader sees the old contents or the new, never a part, and a crash leaves
// one of them whole. The folder is an open descriptor: nothing on the way is looked up again.
class FileReplacement {
public:
    FileReplacement() = delete;

    // 0, or the errno value of the step that failed (the new file is then removed and the old
    // one stays). The file gets the mode, less the umask.
    static int replace(int folder, const std::string& name, const std::string& text, mode_t mode);
};

} // namespace sorvane
