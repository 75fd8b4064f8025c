#include "PredefinedCategories.h"

#include "AppleMapsFinder.h"
#include "AppleMusicFinder.h"
#include "AppleTvFinder.h"
#include "ApplicationStatesFinder.h"
#include "BraveFinder.h"
#include "ChromeFinder.h"
#include "CrashesFinder.h"
#include "FaceTimeFinder.h"
#include "FirefoxFinder.h"
#include "MailAttachmentsFinder.h"
#include "MessagesFinder.h"
#include "OldVersionsFinder.h"
#include "RecycleBinFinder.h"
#include "SafariFinder.h"
#include "SpotifyFinder.h"
#include "ThunderbirdFinder.h"
#include "UserCacheFinder.h"
#include "WhatsAppFinder.h"
#include "XcodeFinder.h"
#include "freedesktop/FreedesktopCategories.h"
#include "platform/places/Layout.h"

namespace sorvane {

namespace {

CategoryList macosCategories() {
    return {
        std::make_shared<AppleMapsFinder>(),  std::make_shared<AppleMusicFinder>(),
        std::make_shared<AppleTvFinder>(),    std::make_shared<ApplicationStatesFinder>(),
        std::make_shared<BraveFinder>(),      std::make_shared<ChromeFinder>(),
        std::make_shared<CrashesFinder>(),    std::make_shared<FaceTimeFinder>(),
        std::make_shared<FirefoxFinder>(),    std::make_shared<MailAttachmentsFinder>(),
        std::make_shared<MessagesFinder>(),   std::make_shared<OldVersionsFinder>(),
        std::make_shared<RecycleBinFinder>(), std::make_shared<SafariFinder>(),
        std::make_shared<SpotifyFinder>(),    std::make_shared<ThunderbirdFinder>(),
        std::make_shared<UserCacheFinder>(),  std::make_shared<WhatsAppFinder>(),
        std::make_shared<XcodeFinder>(),
    };
}

} // namespace

CategoryList predefinedCategories() {
    return predefinedCategories(Layout::current());
}

CategoryList predefinedCategories(LayoutKind layout) {
    return layout == LayoutKind::freedesktop ? freedesktopCategories() : macosCategories();
}

} // namespace sorvane
