#include "MailAttachmentsFinder.h"

#include "FinderBlocks.h"
#include "platform/fs/Path.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

MailAttachmentsFinder::MailAttachmentsFinder()
    : CategoryFinder("MAIL_ATTACHMENTS", applicationIcon("Mail"),
                     QStringLiteral("com.apple.mail")) {}

void MailAttachmentsFinder::search() {
    appendListing(found(), url(Directory::mailAttachments));
    std::vector<Url> attachmentFolders;
    for (const Url& entry : deepWalk(url(Directory::library).appending("Mail", true))) {
        // The walk gives a folder before what it holds, so an attachments folder inside one
        // already taken follows it; its files are listed with the outer folder's, once.
        const bool nested = !attachmentFolders.empty() &&
                            entry.path().starts_with(attachmentFolders.back().path() + "/");
        if (entry.lastPathComponent() == "Attachments" && !nested) {
            attachmentFolders.push_back(entry);
        }
    }
    for (const Url& folder : attachmentFolders) {
        for (const Url& file : Path::files(folder)) {
            found().add(plainItem(file));
        }
    }
}

} // namespace sorvane
