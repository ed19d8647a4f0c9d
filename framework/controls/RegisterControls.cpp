#include "RegisterControls.h"

// Declared before windows.h can rename it (its RegisterClass macro).
#include "framework/core/Object.h"

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ListBox.h"
#include "Memo.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "Timer.h"
#include "framework/graphics/Color.h"

#undef RegisterClass

namespace tf {

void RegisterControlClasses()
{
    RegisterCursorIdents();
    RegisterColorIdents();
    for (const TClassInfo* info : {
             &TForm::StaticClass(), &TButton::StaticClass(), &TBitBtn::StaticClass(), &TCheckBox::StaticClass(),
             &TLabel::StaticClass(), &TListBox::StaticClass(), &TEdit::StaticClass(), &TMemo::StaticClass(),
             &TPanel::StaticClass(), &TImage::StaticClass(), &TCoolBar::StaticClass(), &TTimer::StaticClass(),
             &TMainMenu::StaticClass(), &TPopupMenu::StaticClass(), &TMenuItem::StaticClass(),
         })
        RegisterClass(*info);
}

} // namespace tf
