#include "FreedesktopCategories.h"

#include "ChromiumFamilyFinder.h"
#include "ChromiumProgramsFinder.h"
#include "CrashReportsFinder.h"
#include "DeveloperCachesFinder.h"
#include "ElectronAppFinder.h"
#include "FreedesktopOldVersionsFinder.h"
#include "FreedesktopTrashFinder.h"
#include "LogsFinder.h"
#include "MozillaCacheFinder.h"
#include "ProgramCacheFinder.h"
#include "SandboxCachesFinder.h"
#include "TelegramCacheFinder.h"
#include "ThumbnailsFinder.h"
#include "WineTempFinder.h"
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
        ProgramCacheFinder::spotify(),
        ProgramCacheFinder::steam(),
        std::make_shared<TelegramCacheFinder>(),
        std::make_shared<DeveloperCachesFinder>(),
        std::make_shared<FreedesktopOldVersionsFinder>(),
        std::make_shared<CrashReportsFinder>(),
        std::make_shared<WineTempFinder>(),
        std::make_shared<LogsFinder>(),
    };
}

} // namespace sorvane
