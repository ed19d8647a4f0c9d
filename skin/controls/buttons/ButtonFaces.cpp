#include "skin/controls/buttons/ButtonFaces.h"

namespace tf {

int ButtonFaceFrame(bool disabled, bool pressed, bool hot, bool focused)
{
    if (disabled) return bfDisabled;
    if (pressed) return bfPressed;
    if (hot) return bfHot;
    if (focused) return bfFocused;
    return bfNormal;
}

int SpeedButtonFaceFrame(bool enabled, bool down, bool pressed, bool hot)
{
    if (down) return bfPressed;
    if (!enabled) return bfDisabled;
    return pressed ? bfPressed : hot ? bfHot : bfNormal;
}

int SpeedButtonGlyphImage(int faceFrame, bool down)
{
    if (down) return 4;
    return faceFrame == bfPressed ? 3 : faceFrame == bfDisabled ? 2 : 1;
}

int BitButtonGlyphImage(bool disabled, bool pressed) { return pressed ? 3 : disabled ? 2 : 1; }

int CheckFrameOfState(std::string_view state)
{
    if (state.find("uncheck") != std::string_view::npos) return 1;
    if (state.find("check") != std::string_view::npos) return 2;
    if (state.find("gray") != std::string_view::npos) return 4;
    return 0;
}

namespace {
// The long strips (12 check frames, 8 radio frames) put on, off disabled and
// on disabled at 5, 4 and 8.
int LongStripFrame(int frame)
{
    switch (frame) {
    case 2: return 5;
    case 3: return 4;
    case 4: return 8;
    default: return frame;
    }
}
} // namespace

int CheckBoxFrame(int checkFrame, bool disabled, bool indeterminate, int frameCount)
{
    int frame = checkFrame + (disabled ? 2 : 0);
    if (indeterminate) frame = 4;
    if (frameCount != 12) return frame;
    if (indeterminate) return disabled ? 12 : 9;
    return LongStripFrame(frame);
}

int RadioButtonFrame(bool checked, bool disabled, int frameCount)
{
    const int frame = (checked ? 2 : 1) + (disabled ? 2 : 0);
    return frameCount == 8 ? LongStripFrame(frame) : frame;
}

TGlyphPlace GlyphPlaceOf(std::string_view layout)
{
    if (layout == "blglyphright") return TGlyphPlace::Right;
    if (layout == "blglyphtop") return TGlyphPlace::Top;
    if (layout == "blglyphbottom") return TGlyphPlace::Bottom;
    return TGlyphPlace::Left;
}

TLayoutRect ButtonTextArea(const TLayoutRect& face, TGlyphPlace place, TLayoutSize glyph)
{
    TLayoutRect r{face.Left + 2, face.Top + 2, face.Right - 2, face.Bottom - 2};
    if (place == TGlyphPlace::Left || place == TGlyphPlace::Right) r.Right -= glyph.Width + 2;
    else r.Bottom -= glyph.Height + 2;
    return r;
}

TGlyphTextLayout LayoutButton(const TButtonLayoutInput& in)
{
    TGlyphTextLayout out;
    const int w = in.Face.Width, h = in.Face.Height;
    const TLayoutSize g = in.Glyph, t = in.Text;
    const bool across = in.Place == TGlyphPlace::Left || in.Place == TGlyphPlace::Right;
    if (across) {
        out.Glyph.Y = (h - g.Height + 1) / 2;
        out.Text.Y = (h - t.Height + 1) / 2;
    } else {
        out.Glyph.X = (w - g.Width + 1) / 2;
        out.Text.X = (w - t.Width + 1) / 2;
    }
    int margin = in.Margin, spacing = in.Spacing;
    if (t.Width == 0 || g.Width == 0) spacing = 0;
    // Along the axis on which glyph and caption follow each other.
    const int room = across ? w : h;
    const int glyphLength = across ? g.Width : g.Height, textLength = across ? t.Width : t.Height;
    const bool centred = margin == -1 || (in.Centred && !in.SpeedButton);
    if (centred) {
        if (spacing == -1) {
            margin = (room - (glyphLength + textLength)) / 3;
            spacing = margin;
        } else {
            margin = (room - (glyphLength + spacing + textLength)) / 2 + (in.SpeedButton ? 1 : 0);
        }
    } else if (spacing == -1) {
        spacing = (room - margin - glyphLength - textLength) / 2;
    }
    out.Margin = margin;
    out.Spacing = spacing;
    switch (in.Place) {
    case TGlyphPlace::Left:
        out.Glyph.X = margin;
        out.Text.X = margin + g.Width + spacing;
        break;
    case TGlyphPlace::Right:
        out.Glyph.X = w - margin - g.Width;
        out.Text.X = out.Glyph.X - spacing - t.Width;
        out.Flags |= kTextRight;
        break;
    case TGlyphPlace::Top:
        out.Glyph.Y = margin;
        out.Text.Y = margin + g.Height + spacing;
        out.Flags |= kTextCenter;
        break;
    case TGlyphPlace::Bottom:
        out.Glyph.Y = h - margin - g.Height;
        out.Text.Y = out.Glyph.Y - spacing - t.Height;
        out.Flags |= kTextCenter;
        break;
    }
    return out;
}

TLayoutRect MenuButtonTextArea(TLayoutSize face, TLayoutSize glyph)
{
    return TLayoutRect{2, 2, face.Width - glyph.Width - 8 - 2, face.Height - 2};
}

TMenuButtonLayout LayoutMenuButton(TLayoutSize face, TLayoutSize glyph, TLayoutSize text, int margin, int spacing)
{
    constexpr int arrow = 8;
    const int w = face.Width, h = face.Height;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (w - (glyph.Width + text.Width + arrow)) / 4;
            spacing = margin;
        } else {
            margin = (w - (glyph.Width + text.Width + 2 * spacing + arrow)) / 2;
        }
    } else if (spacing == -1) {
        spacing = ((w + arrow - 2 * margin - glyph.Width) - text.Width) / 2;
    }
    TMenuButtonLayout out;
    out.Glyph = {margin, (h - glyph.Height) / 2};
    out.Text = {margin + glyph.Width + spacing, (h - text.Height + 1) / 2};
    out.Arrow = {out.Text.X + text.Width + 2 * spacing, (h - 3) / 2};
    return out;
}

} // namespace tf
