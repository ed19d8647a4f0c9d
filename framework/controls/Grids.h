// Grids: a window of rows and columns of cells, the first FixedRows rows and
// FixedCols columns fixed (painted in FixedColor, never scrolled away), the
// rest scrolled by the window's own scroll bars a whole row or column at a
// time. TCustomGrid paints the frame of every cell and asks DrawCell for the
// content; TDrawGrid hands that to OnDrawCell, TStringGrid writes its Cells.
#pragma once
#include <map>
#include <string>

#include "Forms.h"
#include "GraphicControl.h"
#include "Memo.h"   // TScrollStyle

namespace tf {

using TDrawCellEvent = TEvent<TObject*, int, int, RECT>;   // grid, column, row, rect

class TCustomGrid : public TCustomControl {
    TF_CLASS(TCustomGrid)
public:
    explicit TCustomGrid(TComponent* owner);

    int ColCount() const { return FColCount; }
    void SetColCount(int value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // The first scrollable row and column shown.
    int TopRow() const { return FTopRow; }
    void SetTopRow(int value);
    int LeftCol() const { return FLeftCol; }
    void SetLeftCol(int value);
    // The selected cell.
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    void SetSelection(int col, int row);

    // How many scrollable rows (columns) fit below (right of) the fixed ones.
    int VisibleRowCount();
    int VisibleColCount();
    // The cell under a client point, false when there is none.
    bool CellAt(POINT p, int& col, int& row);
    // A cell's rectangle in client coordinates; empty when it is not shown.
    RECT CellRect(int col, int row);

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // Paints a cell's content; the frame and background are drawn already.
    virtual void DrawCell(HDC dc, int col, int row, const RECT& rect, bool fixed) {}

private:
    void UpdateScrollBars();
    void ScrollMessage(TMessage& m, bool vertical);
    void Changed();

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    TColor FFixedColor = clBtnFace;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    int FTopRow = 1;
    int FLeftCol = 1;
    int FCol = 1;
    int FRow = 1;
};

class TDrawGrid : public TCustomGrid {
    TF_CLASS(TDrawGrid)
public:
    explicit TDrawGrid(TComponent* owner);
    TDrawCellEvent OnDrawCell;

protected:
    void DrawCell(HDC dc, int col, int row, const RECT& rect, bool fixed) override;
};

class TStringGrid : public TDrawGrid {
    TF_CLASS(TStringGrid)
public:
    explicit TStringGrid(TComponent* owner);
    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);

protected:
    void DrawCell(HDC dc, int col, int row, const RECT& rect, bool fixed) override;

private:
    std::map<std::pair<int, int>, std::string> FCells;
};

} // namespace tf
