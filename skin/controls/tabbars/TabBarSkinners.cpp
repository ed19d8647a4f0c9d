#include "skin/controls/tabbars/TabBarSkinners.h"

#include "skin/controls/tabbars/SkinHeader.h"
#include "skin/controls/media/SkinMP.h"
#include "skin/controls/tabbars/SkinProgress.h"
#include "skin/controls/tabbars/SkinTab.h"
#include "skin/controls/tabbars/SkinTab31.h"
#include "skin/controls/tabbars/SkinTabBtn.h"
#include "skin/controls/tabbars/SkinTrackBar.h"
#include "skin/controls/SkinnerRegistry.h"

namespace tf {

void RegisterTabAndBarSkinners()
{
    RegisterSkinner(TSkinnerKind::Tab, &MakeSkinner<TSkinTab>);
    RegisterSkinner(TSkinnerKind::TabBtn, &MakeSkinner<TSkinTabBtn>);
    RegisterSkinner(TSkinnerKind::Tab31, &MakeSkinner<TSkinTab31>);
    RegisterSkinner(TSkinnerKind::Header, &MakeSkinner<TSkinHeader>);
    RegisterSkinner(TSkinnerKind::Progress, &MakeSkinner<TSkinProgress>);
    RegisterSkinner(TSkinnerKind::TrackBar, &MakeSkinner<TSkinTrackBar>);
    RegisterSkinner(TSkinnerKind::MediaPlayer, &MakeSkinner<TSkinMP>);
}

} // namespace tf
