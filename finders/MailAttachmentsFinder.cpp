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
        if (entry.lastPathComponent() == "Attachments") {
            attachmentFolders.push_back(entry);
        }
    }
    // A folder nested in another one is collected twice and so lists its files twice.
    for (const Url& folder : attachmentFolders) {
        for (const Url& file : Path::files(folder)) {
            found().add(plainItem(file));
        }
    }
}

} // namespace sorvane
