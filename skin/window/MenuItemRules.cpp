#include "skin/window/MenuItemRules.h"

#include <algorithm>

namespace tf::menuitem {

int MainMenuExtraWidth(int elementLeftMargin, bool hasImageList)
{
    return elementLeftMargin + 10 + (hasImageList ? 0 : 25);
}

int PopupExtraWidth(int elementLeftMargin, bool hasImageList)
{
    return elementLeftMargin + 12 + (hasImageList ? 0 : 23);
}

TSize MeasureByText(int textWidth, bool textEmpty, int height, int elementLeftMargin, bool windows95)
{
    TSize s;
    s.Width = textWidth + 26 + elementLeftMargin;
    s.Height = textEmpty ? 8 : height + 4;
    if (windows95) s.Height += 4;
    return s;
}

TContentLayout ContentLayout(const TContentInput& in)
{
    TContentLayout out;
    const frame::TBox& r = in.Item;
    int glyph = in.ImageListWidth > 0 ? in.ImageListWidth : 16;
    if (in.Checked) glyph = std::max(glyph, 16);
    const int margin = in.HasElement ? in.ElementLeftMargin : 0;
    const int size = in.Separator ? 0 : glyph;
    const int top = r.Top + 1;
    if (in.RightToLeft) {
        const int right = r.Right - 1 - margin;
        out.GlyphBox = frame::TBox{right - size, top, right, top + size};
    } else {
        const int left = r.Left + 1 + margin;
        out.GlyphBox = frame::TBox{left, top, left + size, top + size};
    }
    frame::TBox& box = out.GlyphBox;

    if (!in.Separator) {
        if (in.HasImage) {
            out.DrawImage = true;
            if (in.Checked) {
                out.CheckedBack = true;
                out.FilledBox = box;
            }
            if (!in.RightToLeft) box.Top = r.Top + (r.Height() - (in.Checked ? 16 : in.ImageHeight)) / 2;
            out.ImageX = box.Left;
            out.ImageY = in.RightToLeft ? r.Top + 1 : box.Top;
        } else if (in.Checked) {
            out.DrawCheck = true;
            out.CheckX = box.Left + (box.Width() - in.CheckWidth) / 2 + 1;
            out.CheckY = in.RightToLeft ? box.Top + (box.Height() - in.CheckHeight) / 2 + 1
                                        : r.Top + (r.Height() - in.CheckHeight) / 2 + 1;
        }
    }

    const int textTop = r.Top + (r.Height() - in.CaptionHeight) / 2;
    const int textBottom = textTop + in.CaptionHeight;
    if (in.RightToLeft) {
        out.Text = frame::TBox{r.Left + 1, textTop, box.Left - 3, textBottom};
        out.CaptionRight = out.Text.Right;
        out.Shortcut = frame::TBox{r.Left + 11, textTop, box.Left - 3, textBottom};
    } else {
        out.Text = frame::TBox{box.Right + 3, textTop, r.Right - 1, textBottom};
        out.CaptionRight = out.Text.Left + in.CaptionWidth;
        out.Shortcut = frame::TBox{out.CaptionRight, textTop, r.Right - 11, textBottom};
    }
    return out;
}

TSeparatorSlices SeparatorSlices(int imageWidth, int imageHeight, int leftMargin, int rightMargin, int itemWidth,
                                 int itemHeight)
{
    const int fw = imageWidth / 5;
    const int sy = itemHeight < imageHeight ? imageHeight - itemHeight : 0;
    const int sh = itemHeight < imageHeight ? itemHeight : imageHeight;
    const int x0 = fw, x1 = 2 * fw;
    TSeparatorSlices s;
    s.Left = {frame::TBox{x0, sy, x0 + leftMargin, sy + sh}, frame::TBox{0, 0, leftMargin, itemHeight}};
    s.Right = {frame::TBox{x1 - rightMargin, sy, x1, sy + sh},
               frame::TBox{itemWidth - rightMargin, 0, itemWidth, itemHeight}};
    s.Middle = {frame::TBox{x0 + leftMargin, sy, x1 - rightMargin, sy + sh},
                frame::TBox{leftMargin, 0, itemWidth - rightMargin, itemHeight}};
    return s;
}

} // namespace tf::menuitem
