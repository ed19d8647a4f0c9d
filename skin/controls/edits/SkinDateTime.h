// TSkinDateTime: date pickers with a drop-down calendar. The picker keeps
// its own fields; the skinner draws a flat border and covers the picker's
// drop-down button with a TArrowButton of its own, which opens the calendar
// like the picker's button does.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TArrowButton;

class TSkinDateTime : public TSkinControl {
    TF_CLASS(TSkinDateTime)
public:
    explicit TSkinDateTime(TComponent* owner);
    ~TSkinDateTime() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void Unskin() override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;

    TArrowButton* Arrow() const { return FArrow; }

protected:
    void ActiveChanged() override;

private:
    void RestoreClipChildren();

    TArrowButton* FArrow = nullptr;
    bool FAddedClipChildren = false;
};

} // namespace tf
