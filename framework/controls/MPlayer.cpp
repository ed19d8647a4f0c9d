#include "MPlayer.h"

#include "Publish.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace tf {

const TEnumInfo MPBtnTypeInfo{"TMPBtnType",
                              {"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"}};
const TEnumInfo MPModesInfo{"TMPModes", {"mpNotReady", "mpStopped", "mpPlaying", "mpRecording", "mpSeeking", "mpPaused", "mpOpen"}};

namespace {
constexpr const char* GlyphButtonNames[MPButtonCount] = {"MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV",
                                                         "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};
constexpr const char* GlyphPrefixes[3] = {"EN", "DI", "CL"};

constexpr TButtonSet Bits(std::initializer_list<TMPBtnType> buttons)
{
    TButtonSet s = 0;
    for (TMPBtnType b : buttons) s |= 1u << b;
    return s;
}
} // namespace

std::string MediaGlyphName(TMPGlyphKind kind, TMPBtnType button)
{
    return Format("%s_%s", GlyphPrefixes[static_cast<int>(kind)], GlyphButtonNames[button]);
}

std::unique_ptr<TBitmap> LoadMediaGlyph(TMPGlyphKind kind, TMPBtnType button)
{
    auto glyph = std::make_unique<TBitmap>();
    try {
        glyph->LoadFromResourceName(GetModuleHandleA(nullptr), MediaGlyphName(kind, button));
    } catch (const Exception&) {
        glyph->FreeImage();   // a missing glyph stays empty
    }
    glyph->SetTransparentColor(MediaGlyphKey);
    glyph->SetTransparent(true);
    return glyph;
}

const TClassInfo& TMediaPlayer::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TMediaPlayer> b("TMediaPlayer", TCustomControl::StaticClass());
        b.Set("VisibleButtons", MPBtnTypeInfo, &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons)
            .Set("EnabledButtons", MPBtnTypeInfo, &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons)
            .Set("ColoredButtons", MPBtnTypeInfo, &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons)
            .Bool("AutoEnable", &TMediaPlayer::AutoEnable, &TMediaPlayer::SetAutoEnable)
            .Bool("Notify", &TMediaPlayer::Notify, &TMediaPlayer::SetNotify);
        PublishEvent<TMPBtnClickEvent>(b, "OnClick", &TMediaPlayer::OnBtnClick);
        PublishEvent<TMPPostBtnClickEvent>(b, "OnPostClick", &TMediaPlayer::OnPostClick);
        PublishEvent<TNotifyEvent>(b, "OnNotify", &TMediaPlayer::OnNotify);
        PublishShowHint(b);
        PublishTabs(b);
        return b.Build();
    }();
    return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
    SetBounds(0, 0, 253, 30);
    SetColor(clBtnFace);
    SetParentColor(false);
    for (int b = 0; b < MPButtonCount; ++b)
        for (int k = 0; k < 3; ++k)
            FGlyphs[b][k] = LoadMediaGlyph(static_cast<TMPGlyphKind>(k), static_cast<TMPBtnType>(b));
}

TMediaPlayer::~TMediaPlayer()
{
    Destroying();
}

void TMediaPlayer::Changed()
{
    Invalidate();
    // Whatever covers the player (a skin) hears of it too.
    Perform(CM_CHANGED);
}

void TMediaPlayer::SetVisibleButtons(TButtonSet value)
{
    FVisibleButtons = value & AllMPButtons;
    Changed();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet value)
{
    FEnabledButtons = value & AllMPButtons;
    Changed();
}

void TMediaPlayer::SetColoredButtons(TButtonSet value)
{
    FColoredButtons = value & AllMPButtons;
    Changed();
}

int TMediaPlayer::ButtonAt(int x)
{
    int count = 0;
    for (int b = 0; b < MPButtonCount; ++b) count += IsVisible(b);
    if (count == 0 || x < 0) return -1;
    const int width = ClientWidth() / count;
    int start = 0;
    for (int b = 0; b < MPButtonCount; ++b) {
        if (!IsVisible(b)) continue;
        if (x >= start && x < start + width) return b;
        start += width;
    }
    return -1;
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        const int b = ButtonAt(x);
        FPressed = b >= 0 && (FEnabledButtons & (1u << b)) ? b : -1;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    const auto alive = LifeWatch();
    if (button == mbLeft && FPressed >= 0) {
        const int pressed = FPressed;
        FPressed = -1;
        Invalidate();
        if (y >= 0 && y < Height() && ButtonAt(x) == pressed) ClickButton(static_cast<TMPBtnType>(pressed));
    }
    if (*alive) TCustomControl::MouseUp(button, shift, x, y);
}

void TMediaPlayer::ClickButton(TMPBtnType button)
{
    if (!(FEnabledButtons & (1u << button))) return;
    // Each handler may free the player (a form may, in OnClick).
    const auto alive = LifeWatch();
    bool doDefault = true;
    OnBtnClick(this, button, doDefault);
    if (!*alive) return;
    if (doDefault) Action(button);
    OnPostClick(this, button);
    if (!*alive || !FNotify) return;
    FNotify = false;
    OnNotify(this);
}

void TMediaPlayer::Action(TMPBtnType button)
{
    switch (button) {
    case btPlay: FMode = mpPlaying; break;
    case btPause:
        if (FMode == mpPlaying || FMode == mpRecording) FMode = mpPaused;
        else if (FMode == mpPaused) FMode = mpPlaying;
        break;
    case btStop: FMode = mpStopped; break;
    case btNext: FPosition = Length; break;
    case btPrev: FPosition = 0; break;
    case btStep: FPosition = FPosition < Length ? FPosition + 1 : Length; break;
    case btBack: FPosition = FPosition > 0 ? FPosition - 1 : 0; break;
    case btRecord: FMode = mpRecording; break;
    case btEject: FMode = mpOpen; break;
    }
    if (!FAutoEnable) return;
    constexpr TButtonSet moving = Bits({btPause, btStop, btNext, btPrev, btStep, btBack, btEject});
    constexpr TButtonSet still = Bits({btPlay, btNext, btPrev, btStep, btBack, btRecord, btEject});
    switch (FMode) {
    case mpPlaying:
    case mpRecording: SetEnabledButtons(moving); break;
    case mpPaused: SetEnabledButtons(moving | Bits({btPlay})); break;
    case mpOpen: SetEnabledButtons(Bits({btEject})); break;
    default: SetEnabledButtons(still); break;
    }
}

void TMediaPlayer::Paint()
{
    HDC dc = Canvas()->Handle();
    const RECT client = ClientRect();
    TBrushHandle face(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &client, face.Get());
    int count = 0;
    for (int b = 0; b < MPButtonCount; ++b) count += IsVisible(b);
    if (count == 0) return;
    const int width = client.right / count;
    int x = 0;
    for (int b = 0; b < MPButtonCount; ++b) {
        if (!IsVisible(b)) continue;
        RECT r{x, 0, x + width, client.bottom};
        x += width;
        const bool pressed = b == FPressed;
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        const bool enabled = Enabled() && (FEnabledButtons & (1u << b));
        TBitmap& glyph = *FGlyphs[b][!enabled ? 1 : (FColoredButtons & (1u << b)) ? 2 : 0];
        if (glyph.Empty()) continue;
        const int shift = pressed ? 1 : 0;
        const int gx = r.left + (width - glyph.Width()) / 2 + shift, gy = (client.bottom - glyph.Height()) / 2 + shift;
        Canvas()->Draw(gx, gy, &glyph);
    }
}

} // namespace tf
