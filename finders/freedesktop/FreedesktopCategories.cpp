#include "FreedesktopCategories.h"

#include "ChromiumFamilyFinder.h"
#include "ChromiumProgramsFinder.h"
#include "CrashReportsFinder.h"
#include "DeveloperCachesFinder.h"
#include "ElectronAppFinder.h"
#include "FreedesktopOldVersionsFinder.h"
#include "FreedesktopTrashFinder.h"
#include "MozillaCacheFinder.h"
#include "SandboxCachesFinder.h"
#include "SpotifyCacheFinder.h"
#include "ThumbnailsFinder.h"
#include "XdgCacheFinder.h"

namespace sorvane {

CategoryList freedesktopCategories() {
    return {
        std::make_shared<XdgCacheFinder>(),
        std::make_shared<SandboxCachesFinder>(),
        std::make_shared<ThumbnailsFinder>(),
        std::make_shared<FreedesktopTrashFinder>(),
        MozillaCacheFinder::firefox(),
        MozillaCacheFinder::thunderbird(),
        ChromiumFamilyFinder::chrome(),
        ChromiumFamilyFinder::chromium(),
        ChromiumFamilyFinder::brave(),
        ChromiumFamilyFinder::edge(),
        ChromiumFamilyFinder::vivaldi(),
        ElectronAppFinder::visualStudioCode(),
        ElectronAppFinder::slack(),
        ElectronAppFinder::discord(),
        ElectronAppFinder::signal(),
        std::make_shared<ChromiumProgramsFinder>(),
        std::make_shared<SpotifyCacheFinder>(),
        std::make_shared<DeveloperCachesFinder>(),
        std::make_shared<FreedesktopOldVersionsFinder>(),
        std::make_shared<CrashReportsFinder>(),
    };
}

} // namespace sorvane
