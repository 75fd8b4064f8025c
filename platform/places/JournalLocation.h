#pragma once

#include <string>

namespace sorvane {

// Where the journal of cleanings is written: $XDG_STATE_HOME/sorvane/journal.jsonl when that
// variable holds an absolute path, else ~/.local/state/sorvane/journal.jsonl. Computed only;
// nothing is read.
std::string journalLocation();

} // namespace sorvane
