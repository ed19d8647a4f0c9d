#include "skin/controls/tabbars/ItemText.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/tabbars/TabGeometry.h"
#include "skin/data/SkinText.h"

namespace tf {

namespace {

void DrawItemText(HDC dc, const RECT& rect, int align, const std::wstring& text, int imageIndex, HIMAGELIST images,
                  bool enabled, UINT flags)
{
    int iconWidth = 0, iconHeight = 0;
    if (images) ImageList_GetIconSize(images, &iconWidth, &iconHeight);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const bool image = imageIndex != -1 && images && iconWidth < width;
    if (!image) iconWidth = iconHeight = 0;

    RECT measured = rect;
    if (image) measured.right += iconWidth + 2;
    int textWidth = 0, textHeight = 0;
    if (!text.empty()) {
        DrawTextWide(dc, text, measured, flags | DT_CALCRECT | DT_NOCLIP);
        textWidth = measured.right - measured.left;
        textHeight = measured.bottom - measured.top;
    }
    const int x = ImageTextOffset(align, width, textWidth, iconWidth);
    if (image)
        ImageList_Draw(images, imageIndex, dc, rect.left + x, rect.top + (height - iconHeight) / 2, ILD_TRANSPARENT);
    if (text.empty()) return;

    RECT box{rect.left + x + iconWidth, rect.top + (height - textHeight) / 2, 0, 0};
    box.right = box.left + textWidth;
    box.bottom = box.top + textHeight;
    if (box.left < rect.left) box.left = rect.left;
    if (box.right > rect.right) box.right = rect.right;
    TBkModeScope transparent(dc, TRANSPARENT);
    const COLORREF old = enabled ? GetTextColor(dc) : SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextWide(dc, text, box, flags);
    if (!enabled) SetTextColor(dc, old);
}

} // namespace

void DrawImageAndText(HDC dc, const RECT& rect, int align, const std::wstring& text, int imageIndex,
                      HIMAGELIST images, bool enabled)
{
    DrawItemText(dc, rect, align, text, imageIndex, images, enabled, DT_END_ELLIPSIS | DT_EXPANDTABS | DT_WORDBREAK);
}

void DrawHeaderText(HDC dc, const RECT& rect, int align, const std::wstring& text, int imageIndex,
                    HIMAGELIST images)
{
    DrawItemText(dc, rect, align, text, imageIndex, images, true, DT_END_ELLIPSIS | DT_EXPANDTABS);
}

std::wstring TabItemText(HWND tabControl, bool unicode, int index, int& image)
{
    image = -1;
    const auto i = static_cast<WPARAM>(index);
    if (unicode) {
        wchar_t buffer[80] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        item.pszText = buffer;
        item.cchTextMax = 80;
        if (!SendMessageW(tabControl, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item))) return {};
        image = item.iImage;
        return WideCopy(buffer, -1);
    }
    char buffer[80] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = buffer;
    item.cchTextMax = 80;
    if (!SendMessageA(tabControl, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item))) return {};
    image = item.iImage;
    return AnsiToWide(buffer);
}

} // namespace tf
