// Edits: a native EDIT under the control's class name ("TEdit", "TMemo").
// A memo's Lines is a string list over the window's text: each line ends
// with CR LF, as TStrings::Text has it.
#pragma once
#include <memory>

#include "Forms.h"
#include "WinControl.h"
// windows.h maps GetObject to GetObjectA; TStrings has a member of that name.
#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

class TCustomMemo;

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumInfo ScrollStyleInfo;

class TCustomEdit : public TWinControl {
    TF_CLASS(TCustomEdit)
public:
    explicit TCustomEdit(TComponent* owner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    bool Modified();
    void SetModified(bool value);

    void Clear() { SetText(""); }
    void SelectAll();
    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);

    TNotifyEvent OnChange;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void Change();

private:
    TBorderStyle FBorderStyle = bsSingle;
    bool FReadOnly = false;
    int FMaxLength = 0;
    bool FHideSelection = true;
};

class TEdit : public TCustomEdit {
    TF_CLASS(TEdit)
public:
    explicit TEdit(TComponent* owner);
};

// The lines of a memo, read from and written to its text.
class TMemoStrings : public TStrings {
    TF_CLASS(TMemoStrings)
public:
    explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    std::vector<std::string> Lines() const;
    void Store(const std::vector<std::string>& lines, bool atEnd);
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
    TF_CLASS(TCustomMemo)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* value);   // copies
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    TAlignment FAlignment = taLeftJustify;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
    TF_CLASS(TMemo)
public:
    explicit TMemo(TComponent* owner);
};

} // namespace tf
