#include "skin/controls/TabBarSkinners.h"

#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMP.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTab31.h"
#include "skin/controls/SkinTabBtn.h"
#include "skin/controls/SkinTrackBar.h"
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
