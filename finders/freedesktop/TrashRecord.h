#pragma once

#include "platform/fs/AgeLimit.h"

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// The record the trash keeps beside each trashed entry (info/N.trashinfo).
class TrashRecord {
public:
    TrashRecord() = delete;

    // When the entry went to the trash: the DeletionDate of the record's [Trash Info] group,
    // written YYYY-MM-DDThh:mm:ss in local time. Nothing when the date is missing, malformed or
    // still to come.
    static std::optional<AgeLimit::Clock::time_point> deletionDate(std::string_view text);
    // The same, read from the record at the location; nothing when it cannot be read.
    static std::optional<AgeLimit::Clock::time_point> deletionDateAt(const std::string& path);
};

} // namespace sorvane
