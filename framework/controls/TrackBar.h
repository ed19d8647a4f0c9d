// TTrackBar: the native track bar ("msctls_trackbar32") under the class name
// "TTrackBar". Range, position and tick frequency live in the window once it
// exists; every move the window reports fires OnChange. Custom-draw
// notifications come back reflected (CN_NOTIFY) through OnNotify.
#pragma once
#include "ComCtrls.h"

namespace tf {

enum TTrackBarOrientation : uint8_t { trHorizontal, trVertical };
enum TTickMark : uint8_t { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle : uint8_t { tsNone, tsAuto, tsManual };
extern const TEnumInfo TrackBarOrientationInfo;
extern const TEnumInfo TickMarkInfo;
extern const TEnumInfo TickStyleInfo;

class TTrackBar : public TNativeControl {
    TF_CLASS(TTrackBar)
public:
    explicit TTrackBar(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position();
    void SetPosition(int value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation value);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark value);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle value);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Scroll(TMessage& m) override;

private:
    void UpdateWindow();

    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FFrequency = 1;
    int FLineSize = 1;
    int FPageSize = 2;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
};

} // namespace tf
