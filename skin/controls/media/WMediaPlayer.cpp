#include "skin/controls/media/WMediaPlayer.h"

#include <exception>

#include "framework/controls/MPlayer.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/tabbars/BarGeometry.h"
#include "skin/controls/media/SkinMP.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

const TClassInfo& TWMediaPlayer::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWMediaPlayer>("TWMediaPlayer", TCustomPanel::StaticClass()).Build();
    return info;
}

TWMediaPlayer::TWMediaPlayer(TComponent* owner) : TCustomPanel(owner)
{
    SetBevelOuter(bvNone);
    for (int b = 0; b < MPButtonCount; ++b)
        for (int k = 0; k < 3; ++k)
            FButtons[b].Glyphs[k] = LoadMediaGlyph(static_cast<TMPGlyphKind>(k), static_cast<TMPBtnType>(b));
}

TWMediaPlayer::~TWMediaPlayer()
{
    Destroying();
}

void TWMediaPlayer::AttachPlayer(TControl* player, TSkinMP* skinner, TSkinData* data)
{
    FPlayer = player;
    FSkinner = skinner;
    FSkinData = data;
    if (data) SetTag(data->DisableTag());
    SetVisible(false);
    SetParent(player->Parent());
    FollowPlayer();
    BringToFront();
}

void TWMediaPlayer::FollowPlayer()
{
    if (!FPlayer) return;
    SetBounds(FPlayer->Left(), FPlayer->Top(), FPlayer->Width(), FPlayer->Height());
    SetEnabled(FPlayer->Enabled());
    Invalidate();
}

void TWMediaPlayer::ReadButtons()
{
    const uint32_t visible = MediaButtonsOfText(WideToAnsi(ReadText(FPlayer, "VisibleButtons")));
    const uint32_t enabled = MediaButtonsOfText(WideToAnsi(ReadText(FPlayer, "EnabledButtons")));
    const uint32_t colored = MediaButtonsOfText(WideToAnsi(ReadText(FPlayer, "ColoredButtons")));
    // A disabled player has no enabled button.
    const bool playerEnabled = !FPlayer || FPlayer->Enabled();
    FVisibleCount = 0;
    for (int b = 0; b < MPButtonCount; ++b) {
        FButtons[b].Visible = visible & (1u << b);
        FButtons[b].Enabled = playerEnabled && (enabled & (1u << b));
        FButtons[b].Colored = colored & (1u << b);
        FVisibleCount += FButtons[b].Visible;
    }
}

int TWMediaPlayer::ButtonUnder(int x)
{
    uint32_t visible = 0;
    for (int b = 0; b < MPButtonCount; ++b)
        if (FButtons[b].Visible) visible |= 1u << b;
    return MediaButtonAt(visible, ClientWidth(), x);
}

void TWMediaPlayer::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {   // a second press of a double click is a press too
        // A handler of the player's may free it, and this panel with it.
        const auto alive = LifeWatch();
        FMouseDown = true;
        TCustomPanel::WndProc(m);
        if (FPlayer) FPlayer->Perform(m.Msg, m.WParam, m.LParam);
        if (!*alive) return;
        // The player took the mouse; the panel keeps it until the release,
        // wherever that is.
        SetMouseCapture(true);
        FHitButton = ButtonUnder(m.XPos());
        FPressedButton = FHitButton;
        Invalidate();
        return;
    }
    case WM_LBUTTONUP: {
        const auto alive = LifeWatch();
        FMouseDown = false;
        TCustomPanel::WndProc(m);   // lets the mouse go
        FHitButton = ButtonUnder(m.XPos());
        // A click reaches the player only when pressed and released on one button.
        if (FHitButton == FPressedButton && FPlayer) FPlayer->Perform(m.Msg, m.WParam, m.LParam);
        if (!*alive) return;
        FPressedButton = FHitButton;
        Invalidate();
        return;
    }
    default: TCustomPanel::WndProc(m); return;
    }
}

void TWMediaPlayer::Paint()
{
    // A failure while drawing hands the player back its own face (the
    // skinner switches off and hides the panel), reported once.
    try {
        PaintButtons();
    } catch (const std::exception& e) {
        if (FSkinner) FSkinner->ReportFailure(e.what());
    }
}

void TWMediaPlayer::PaintButtons()
{
    if (!FPlayer || !FSkinData) return;
    HDC dc = Canvas()->Handle();
    ReadButtons();
    const RECT client = ClientRect();
    const TColor face = FSkinData->FColors[SkinColor::ButtonFace];
    if (FVisibleCount == 0) {
        TSkinControl::FillSolid(dc, client, face);
        return;
    }
    FButtonWidth = client.right / FVisibleCount;
    TBitmap work(client.right, client.bottom, pf24bit);
    HDC wdc = work.Canvas()->Handle();
    TSkinControl::FillSolid(wdc, client, face);
    TDataSkinButton& element = *FSkinData->SkinButtons;
    int x = 0;
    for (int b = 0; b < MPButtonCount; ++b) {
        const TButtonLook& look = FButtons[b];
        if (!look.Visible) continue;
        const RECT r{x, 0, x + FButtonWidth, client.bottom};
        x += FButtonWidth;
        const bool pressed = FMouseDown && b == FPressedButton;
        const int frame = !look.Enabled ? 3 : pressed ? 2 : 1;
        DrawElementFrame(wdc, r, element.FrameCount, frame, element);
        TBitmap& glyph = *look.Glyphs[!look.Enabled ? 1 : look.Colored ? 2 : 0];
        if (glyph.Empty()) continue;
        const int shift = frame == 2 ? 1 : 0;
        const int gx = r.left + (FButtonWidth - glyph.Width()) / 2 + shift;
        const int gy = (client.bottom - glyph.Height()) / 2 + shift;
        DrawTransparent(wdc, RECT{gx, gy, gx + glyph.Width(), gy + glyph.Height()}, glyph, MediaGlyphKey);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, wdc, 0, 0, SRCCOPY);
}

} // namespace tf
