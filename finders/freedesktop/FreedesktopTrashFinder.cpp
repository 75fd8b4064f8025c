#include "FreedesktopTrashFinder.h"

#include "FreedesktopBlocks.h"
#include "TrashRecord.h"
#include "finders/FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/icons/Images.h"

namespace sorvane {

using namespace finder;

namespace {

constexpr std::string_view recordSuffix = ".trashinfo";

} // namespace

FreedesktopTrashFinder::FreedesktopTrashFinder()
    : CategoryFinder("FREEDESKTOP_TRASH", Images::stock("user-trash-full"), std::nullopt) {}

void FreedesktopTrashFinder::search() {
    const auto trash = locate({Base::data, "Trash"});
    if (!trash) {
        return;
    }
    const Url files = trash->appending("files", true);
    const Url info = trash->appending("info", true);
    // Hidden entries are trashed files like any other; a link is trashed as the link.
    for (const FolderEntry& entry : Path::everyEntry(files)) {
        auto item = plainItem(entry.url);
        const Url record =
            info.appending(entry.url.lastPathComponent() + std::string(recordSuffix));
        const auto status = Path::itemStatus(record);
        // An entry is as old as its stay in the trash, not as its own times; without a record
        // that tells, it is never old.
        item->setAgeBasis(AgeBasis::deletionDate);
        if (status && status->type != ItemType::link) {
            item->addSuburl(record);
            item->setDeletedAt(TrashRecord::deletionDateAt(record.path()));
        }
        found().add(item);
    }
    auto orphans = groupItem("TRASH_ORPHANED_RECORDS", Images::stock("user-trash-full"));
    for (const FolderEntry& record : Path::everyEntry(info)) {
        const std::string name = record.url.lastPathComponent();
        if (record.type == ItemType::link || name.size() <= recordSuffix.size() ||
            !name.ends_with(recordSuffix)) {
            continue;
        }
        // Only a record whose entry is certainly gone: one that cannot be looked at (a link in
        // the way) may still have its entry.
        const Url entry = files.appending(name.substr(0, name.size() - recordSuffix.size()));
        if (Path::isGone(entry)) {
            orphans->addSuburl(record.url);
        }
    }
    appendGroup(found(), orphans);
    // What an emptying of the trash moved aside and did not finish removing.
    auto expunged = groupItem("TRASH_EXPUNGED", Images::stock("user-trash-full"));
    for (const FolderEntry& entry : Path::everyEntry(trash->appending("expunged", true))) {
        expunged->addSuburl(entry.url);
    }
    appendGroup(found(), expunged);
}

} // namespace sorvane
