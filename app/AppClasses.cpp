#include "AppClasses.h"

#include "Unit_main.h"
#include "framework/controls/RegisterControls.h"
#include "framework/core/Idents.h"
#include "framework/graphics/Color.h"
#include "skin/data/WinSkinData.h"
#include "support/RxTrayIcon.h"
#include "support/ZorListBox.h"
#include "watch/FileSystemWatcher.h"

using namespace tf;

namespace {
const TIdentMapEntry CharsetIdents[] = {
    {0, "ANSI_CHARSET"},
    {1, "DEFAULT_CHARSET"},
    {2, "SYMBOL_CHARSET"},
    {134, "GB2312_CHARSET"},
};
} // namespace

void RegisterMainWindowClasses()
{
    RegisterColorIdents();
    RegisterIntegerIdents(CharsetIdents, sizeof CharsetIdents / sizeof CharsetIdents[0]);
    RegisterControlClasses();
    RegisterWatchClasses();
    RegisterTrayClasses();
    RegisterSkinDataClasses();
    RegisterClass(Tzorlistbox::StaticClass());
    RegisterClass(TForm_main::StaticClass());
}
