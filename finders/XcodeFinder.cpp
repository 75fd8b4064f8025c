#include "XcodeFinder.h"

#include "FinderBlocks.h"
#include "platform/bundles/Apps.h"
#include "platform/fs/Path.h"
#include "platform/icons/Images.h"
#include "platform/places/Directory.h"

namespace sorvane {

using namespace finder;

XcodeFinder::XcodeFinder()
    : CategoryFinder("XCODE_CACHE", applicationIcon("Xcode"),
                     QStringLiteral("com.apple.dt.Xcode")) {}

void XcodeFinder::search() {
    const Url xcode = Url::folder(url(Directory::xcode).path());

    // Only the Build folders of projects that produced an application, not the projects.
    auto derivedData = groupItem("DERIVED_DATA", Images::stock("folder"));
    for (const Url& project : listing(xcode.appending("DerivedData", true))) {
        const Url build = project.appending("Build", true);
        if (Path::exists(build) && Apps::builtProduct(build)) {
            derivedData->addSuburl(build);
        }
    }
    appendGroup(found(), derivedData);

    const Url deviceSupport = xcode.appending("iOS DeviceSupport", true);
    if (Path::exists(deviceSupport)) {
        auto devices = groupItem("IOS_DEVICE_SUPPORT", Images::symbol("iphone"));
        for (const Url& folder : Path::contents(deviceSupport, true)) {
            devices->addSuburl(folder);
        }
        // Each version's support files and each archive serve only as a whole.
        devices->setAgeBasis(AgeBasis::wholeUnit);
        appendGroup(found(), devices);
    }

    auto archives = groupItem("ARCHIVES", Images::symbol("archivebox"));
    for (const Url& archive : Path::files(xcode.appending("Archives", true), "xcarchive")) {
        archives->addSuburl(archive);
    }
    archives->setAgeBasis(AgeBasis::wholeUnit);
    appendGroup(found(), archives);
}

} // namespace sorvane
