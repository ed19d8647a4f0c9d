// Text with an optional image in an item's rectangle, as tabs and header
// items show it: the image (from an image list, when the index is not -1
// and the image is narrower than the rectangle) and then the text, the pair
// placed by Align (0 left, 1 centred, 2 right) and centred vertically.
// Text is drawn on a transparent background, its end cut with an ellipsis
// and clipped to the rectangle horizontally; disabled text is the button
// shadow colour, else the DC's text colour.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace tf {

// Tabs: words wrap (DT_WORDBREAK).
void DrawImageAndText(HDC dc, const RECT& rect, int align, const std::wstring& text, int imageIndex,
                      HIMAGELIST images, bool enabled);
// Header items: one line.
void DrawHeaderText(HDC dc, const RECT& rect, int align, const std::wstring& text, int imageIndex,
                    HIMAGELIST images);

// A tab's text and image index (TCM_GETITEMW for a Unicode window, else
// TCM_GETITEMA; at most 79 characters); empty and -1 when the tab has none.
std::wstring TabItemText(HWND tabControl, bool unicode, int index, int& image);

} // namespace tf
