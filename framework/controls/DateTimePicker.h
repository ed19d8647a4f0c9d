// A date or time picker: a native "SysDateTimePick32" under the class name
// "TDateTimePicker". A date picker either drops a month calendar from its
// button (dmComboBox) or steps its fields with spin buttons (dmUpDown); a
// time picker always spins. The value lives in the window once it exists.
#pragma once
#include "ComCtrls.h"

namespace tf {

enum TDateTimeKind : uint8_t { dtkDate, dtkTime };
extern const TEnumInfo DateTimeKindInfo;
enum TDTDateMode : uint8_t { dmComboBox, dmUpDown };
extern const TEnumInfo DTDateModeInfo;
enum TDTDateFormat : uint8_t { dfShort, dfLong };
extern const TEnumInfo DTDateFormatInfo;

class TDateTimePicker : public TNativeControl {
    TF_CLASS(TDateTimePicker)
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode value);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    // The date and time shown.
    SYSTEMTIME DateTime();
    void SetDateTime(const SYSTEMTIME& value);
    // The drop-down calendar's window while it is open, else null.
    HWND CalendarWindow();

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notify(NMHDR* header, LRESULT& result) override;

private:
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    TDTDateFormat FDateFormat = dfShort;
    TBiDiMode FBiDiMode = bdLeftToRight;
    SYSTEMTIME FDateTime{};
};

} // namespace tf
