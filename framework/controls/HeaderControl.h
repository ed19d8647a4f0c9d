// THeaderControl: the native column header ("SysHeader32") under the class
// name "THeaderControl". Sections are a collection (text, width, alignment,
// image); the window is refilled whenever they change, and a section dragged
// to a new width keeps it. HotTrack lights the section under the mouse.
#pragma once
#include <memory>

#include "ComCtrls.h"

namespace tf {

class THeaderControl;
class TImageList;

class THeaderSection : public TCollectionItem {
    TF_CLASS(THeaderSection)
public:
    explicit THeaderSection(TCollection* collection);

    const std::string& Text() const { return FText; }
    void SetText(const std::string& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool AllowClick() const { return FAllowClick; }
    void SetAllowClick(bool value) { FAllowClick = value; }

private:
    friend class THeaderControl;
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
    bool FAllowClick = true;
};

class THeaderSections : public TCollection {
    TF_CLASS(THeaderSections)
public:
    explicit THeaderSections(THeaderControl* owner);
    THeaderSection* Items(int index) const { return static_cast<THeaderSection*>(TCollection::Items(index)); }
    THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    THeaderControl* FHeader;
};

using TSectionNotifyEvent = TEvent<TObject*, THeaderSection*>;

class THeaderControl : public TNativeControl {
    TF_CLASS(THeaderControl)
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    THeaderSections* Sections() const { return FSections.get(); }
    void SetSections(THeaderSections* value);   // copies
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);

    // Puts the sections into the window again.
    void Refill();

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;

    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Notify(NMHDR* header, LRESULT& result) override;

private:
    std::unique_ptr<THeaderSections> FSections;
    bool FHotTrack = false;
    TImageList* FImages = nullptr;
    bool FFilling = false;
};

} // namespace tf
