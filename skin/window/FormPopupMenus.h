// A form's popup menus drawn by the skin before the form itself is skinned.
// The guard's window starts hidden and is skinned at its first activation,
// yet its notification-area menu shows the skin from the first right click.
// When the form skinner comes it gives these menus back and takes them over
// itself, and when it goes they keep the system's look.
#pragma once
#include "skin/window/OwnerDrawMenus.h"

namespace tf {

class TCustomForm;

class TEarlyPopupMenus final : public TComponent {
    TF_CLASS(TEarlyPopupMenus)
public:
    // Owned by the form.
    explicit TEarlyPopupMenus(TCustomForm& form);
    ~TEarlyPopupMenus() override;

    // The form's popup menus drawn by the skin that the skin manager chooses
    // for the form's window (nothing while skinning is off, without a skin or
    // without xcPopupMenu).
    void Apply();
    // Everything given back, as the form skinner takes over.
    void GiveBack();

private:
    class TPainter final : public TSkinMenuPainter {
    public:
        explicit TPainter(TCustomForm& form) : form(form) {}

    protected:
        TSkinData* SkinDataForItems() const override;

    private:
        TCustomForm& form;
    };

    TCustomForm& form;
    TPainter painter;
    TOwnerDrawRecord record;
};

// Makes (once) and applies the form's early popup menu skin.
void SkinPopupMenusBeforeForm(TCustomForm& form);

// Gives back the early popup menu skin of a form, if it has one.
void GiveBackEarlyPopupMenus(TCustomForm& form);

} // namespace tf
