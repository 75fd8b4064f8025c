#pragma once

namespace sorvane {

// What a tree walk's visitor answers for an entry: open it as a folder and walk it, pass it by,
// or end the whole walk.
enum class WalkStep { enter, skip, stop };

} // namespace sorvane
