#include "Grids.h"

#include <algorithm>

#include "Publish.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

// ------------------------------------------------------------ TCustomGrid

const TClassInfo& TCustomGrid::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomGrid>("TCustomGrid", TCustomControl::StaticClass()).Build();
    return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    SetBounds(0, 0, 320, 120);
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomGrid::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateScrollBars();
}

void TCustomGrid::Changed()
{
    FRowCount = std::max(FRowCount, FFixedRows + 1);
    FColCount = std::max(FColCount, FFixedCols + 1);
    FTopRow = std::clamp(FTopRow, FFixedRows, FRowCount - 1);
    FLeftCol = std::clamp(FLeftCol, FFixedCols, FColCount - 1);
    FRow = std::clamp(FRow, FFixedRows, FRowCount - 1);
    FCol = std::clamp(FCol, FFixedCols, FColCount - 1);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetColCount(int value)
{
    FColCount = std::max(1, value);
    Changed();
}

void TCustomGrid::SetRowCount(int value)
{
    FRowCount = std::max(1, value);
    Changed();
}

void TCustomGrid::SetFixedCols(int value)
{
    FFixedCols = std::max(0, value);
    Changed();
}

void TCustomGrid::SetFixedRows(int value)
{
    FFixedRows = std::max(0, value);
    Changed();
}

void TCustomGrid::SetDefaultColWidth(int value)
{
    FDefaultColWidth = std::max(1, value);
    Changed();
}

void TCustomGrid::SetDefaultRowHeight(int value)
{
    FDefaultRowHeight = std::max(1, value);
    Changed();
}

void TCustomGrid::SetFixedColor(TColor value)
{
    if (FFixedColor == value) return;
    FFixedColor = value;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle value)
{
    if (FScrollBars == value) return;
    FScrollBars = value;
    RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value)
{
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

int TCustomGrid::VisibleRowCount()
{
    const int room = ClientHeight() - FFixedRows * (FDefaultRowHeight + 1);
    return std::max(1, room / (FDefaultRowHeight + 1));
}

int TCustomGrid::VisibleColCount()
{
    const int room = ClientWidth() - FFixedCols * (FDefaultColWidth + 1);
    return std::max(1, room / (FDefaultColWidth + 1));
}

void TCustomGrid::SetTopRow(int value)
{
    value = std::clamp(value, FFixedRows, std::max(FFixedRows, FRowCount - VisibleRowCount()));
    if (value == FTopRow) return;
    FTopRow = value;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetLeftCol(int value)
{
    value = std::clamp(value, FFixedCols, std::max(FFixedCols, FColCount - VisibleColCount()));
    if (value == FLeftCol) return;
    FLeftCol = value;
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetSelection(int col, int row)
{
    FCol = std::clamp(col, FFixedCols, FColCount - 1);
    FRow = std::clamp(row, FFixedRows, FRowCount - 1);
    Invalidate();
}

void TCustomGrid::UpdateScrollBars()
{
    if (!HandleAllocated()) return;
    // Units are scrollable rows and columns; a bar whose page covers the
    // whole range is hidden by the system.
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
        si.nMin = FFixedRows;
        si.nMax = FRowCount - 1;
        si.nPage = static_cast<UINT>(VisibleRowCount());
        si.nPos = FTopRow;
        SetScrollInfo(WindowHandle(), SB_VERT, &si, TRUE);
    }
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
        si.nMin = FFixedCols;
        si.nMax = FColCount - 1;
        si.nPage = static_cast<UINT>(VisibleColCount());
        si.nPos = FLeftCol;
        SetScrollInfo(WindowHandle(), SB_HORZ, &si, TRUE);
    }
}

void TCustomGrid::ScrollMessage(TMessage& m, bool vertical)
{
    const int current = vertical ? FTopRow : FLeftCol;
    const int page = vertical ? VisibleRowCount() : VisibleColCount();
    int pos = current;
    switch (LOWORD(m.WParam)) {
    case SB_LINEUP: pos -= 1; break;
    case SB_LINEDOWN: pos += 1; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (GetScrollInfo(WindowHandle(), vertical ? SB_VERT : SB_HORZ, &si)) pos = si.nTrackPos;
        break;
    }
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = vertical ? FRowCount : FColCount; break;
    default: break;
    }
    vertical ? SetTopRow(pos) : SetLeftCol(pos);
    m.Result = 0;
}

bool TCustomGrid::CellAt(POINT p, int& col, int& row)
{
    for (int r = 0; r < FRowCount; ++r)
        for (int c = 0; c < FColCount; ++c) {
            const RECT cell = CellRect(c, r);
            if (PtInRect(&cell, p)) {
                col = c;
                row = r;
                return true;
            }
        }
    return false;
}

RECT TCustomGrid::CellRect(int col, int row)
{
    const int cw = FDefaultColWidth + 1, rh = FDefaultRowHeight + 1;
    int x = 0, y = 0;
    if (col < FFixedCols) x = col * cw;
    else if (col >= FLeftCol) x = FFixedCols * cw + (col - FLeftCol) * cw;
    else return RECT{0, 0, 0, 0};
    if (row < FFixedRows) y = row * rh;
    else if (row >= FTopRow) y = FFixedRows * rh + (row - FTopRow) * rh;
    else return RECT{0, 0, 0, 0};
    const RECT client = ClientRect();
    if (x >= client.right || y >= client.bottom) return RECT{0, 0, 0, 0};
    return RECT{x, y, x + FDefaultColWidth, y + FDefaultRowHeight};
}

void TCustomGrid::Paint()
{
    HDC dc = Canvas()->Handle();
    const RECT client = ClientRect();
    TBrushHandle lines(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    FillRect(dc, &client, lines.Get());   // what the cells leave is grid line
    TBrushHandle fixed(CreateSolidBrush(ColorToRGB(FFixedColor)));
    TBrushHandle normal(CreateSolidBrush(ColorToRGB(Color())));
    TBrushHandle selected(CreateSolidBrush(ColorToRGB(clHighlight)));
    TSelectObject font(dc, Font()->Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    for (int row = 0; row < FRowCount; ++row)
        for (int col = 0; col < FColCount; ++col) {
            RECT r = CellRect(col, row);
            if (IsRectEmpty(&r) || !RectVisible(dc, &r)) continue;
            const bool isFixed = row < FFixedRows || col < FFixedCols;
            const bool isSelected = !isFixed && col == FCol && row == FRow;
            FillRect(dc, &r, isFixed ? fixed.Get() : isSelected ? selected.Get() : normal.Get());
            if (isFixed) {
                RECT edge = r;
                DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
            }
            SetTextColor(dc, ColorToRGB(isSelected ? clHighlightText : Enabled() ? Font()->Color() : clGrayText));
            DrawCell(dc, col, row, r, isFixed);
        }
    SetBkMode(dc, oldMode);
}

void TCustomGrid::Resize()
{
    TCustomControl::Resize();
    UpdateScrollBars();
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus() && HandleAllocated() && GetFocus() != WindowHandle()) SetFocus();
    int col = 0, row = 0;
    if (button == mbLeft && CellAt(POINT{x, y}, col, row) && col >= FFixedCols && row >= FFixedRows)
        SetSelection(col, row);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_VSCROLL: ScrollMessage(m, true); return;
    case WM_HSCROLL: ScrollMessage(m, false); return;
    case WM_MOUSEWHEEL:
        SetTopRow(FTopRow - 3 * static_cast<short>(HIWORD(m.WParam)) / WHEEL_DELTA);
        m.Result = 0;
        return;
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
    case WM_KEYDOWN:
        switch (m.WParam) {
        case VK_UP: SetSelection(FCol, FRow - 1); break;
        case VK_DOWN: SetSelection(FCol, FRow + 1); break;
        case VK_LEFT: SetSelection(FCol - 1, FRow); break;
        case VK_RIGHT: SetSelection(FCol + 1, FRow); break;
        default: break;
        }
        // Keep the selected cell in view.
        if (FRow < FTopRow) SetTopRow(FRow);
        else if (FRow >= FTopRow + VisibleRowCount()) SetTopRow(FRow - VisibleRowCount() + 1);
        if (FCol < FLeftCol) SetLeftCol(FCol);
        else if (FCol >= FLeftCol + VisibleColCount()) SetLeftCol(FCol - VisibleColCount() + 1);
        break;
    default: break;
    }
    TCustomControl::WndProc(m);
}

// ------------------------------------------------------------ TDrawGrid

namespace {
template <class C>
TClassBuilder<C>& PublishGrid(TClassBuilder<C>& b)
{
    b.Int("ColCount", &C::ColCount, &C::SetColCount)
        .Int("RowCount", &C::RowCount, &C::SetRowCount)
        .Int("FixedCols", &C::FixedCols, &C::SetFixedCols)
        .Int("FixedRows", &C::FixedRows, &C::SetFixedRows)
        .Int("DefaultColWidth", &C::DefaultColWidth, &C::SetDefaultColWidth)
        .Int("DefaultRowHeight", &C::DefaultRowHeight, &C::SetDefaultRowHeight)
        .Int("FixedColor", &C::FixedColor, &C::SetFixedColor)
        .Enum("ScrollBars", ScrollStyleInfo, &C::ScrollBars, &C::SetScrollBars)
        .Enum("BorderStyle", BorderStyleInfo, &C::BorderStyle, &C::SetBorderStyle);
    return PublishWinControlDefaults(b);
}
} // namespace

const TClassInfo& TDrawGrid::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TDrawGrid> b("TDrawGrid", TCustomGrid::StaticClass());
        PublishGrid(b);
        PublishEvent<TDrawCellEvent>(b, "OnDrawCell", &TDrawGrid::OnDrawCell);
        return b.Build();
    }();
    return info;
}

TDrawGrid::TDrawGrid(TComponent* owner) : TCustomGrid(owner) {}

void TDrawGrid::DrawCell(HDC, int col, int row, const RECT& rect, bool) { OnDrawCell(this, col, row, rect); }

// ------------------------------------------------------------ TStringGrid

const TClassInfo& TStringGrid::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TStringGrid> b("TStringGrid", TDrawGrid::StaticClass());
        PublishGrid(b);
        return b.Build();
    }();
    return info;
}

TStringGrid::TStringGrid(TComponent* owner) : TDrawGrid(owner) {}

std::string TStringGrid::Cells(int col, int row) const
{
    const auto it = FCells.find({col, row});
    return it == FCells.end() ? std::string() : it->second;
}

void TStringGrid::SetCells(int col, int row, const std::string& text)
{
    FCells[{col, row}] = text;
    const RECT r = CellRect(col, row);
    if (HandleAllocated() && !IsRectEmpty(&r)) InvalidateRect(WindowHandle(), &r, FALSE);
}

void TStringGrid::DrawCell(HDC dc, int col, int row, const RECT& rect, bool fixed)
{
    const std::string text = Cells(col, row);
    if (!text.empty()) {
        RECT r = rect;
        InflateRect(&r, -2, 0);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    TDrawGrid::DrawCell(dc, col, row, rect, fixed);
}

} // namespace tf
