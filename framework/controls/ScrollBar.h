// TScrollBar: a stand-alone native scroll bar ("SCROLLBAR") under the class
// name "TScrollBar". Its range and position live in the window once it
// exists; the scroll requests its parent receives come back reflected and
// move the position (OnScroll may change the new position, OnChange follows
// every change).
#pragma once
#include "ComCtrls.h"

namespace tf {

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
extern const TEnumInfo ScrollBarKindInfo;

enum TScrollCode : uint8_t { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = TEvent<TObject*, TScrollCode, int&>;

class TScrollBar : public TNativeControl {
    TF_CLASS(TScrollBar)
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    int Min() const { return FMin; }
    void SetMin(int value) { SetParams(FPosition, value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int value) { SetParams(FPosition, FMin, value); }
    int Position() const { return FPosition; }
    void SetPosition(int value) { SetParams(value, FMin, FMax); }
    // The thumb covers PageSize units (0: a square thumb).
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value) { FLargeChange = value; }
    // Position within [Min, Max - PageSize + 1] (or [Min, Max] without a page).
    void SetParams(int position, int min, int max);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Scroll(TMessage& m) override;

private:
    void UpdateWindow();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};

} // namespace tf
