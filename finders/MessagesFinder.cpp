#include "MessagesFinder.h"

#include "FinderBlocks.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

MessagesFinder::MessagesFinder()
    : CategoryFinder("MESSAGES_CACHE", applicationIcon("Messages"),
                     QStringLiteral("com.apple.MobileSMS")) {}

void MessagesFinder::search() {
    appendListing(found(), url(Directory::containers).appending("com.apple.MobileSMS", true));
}

} // namespace sorvane
