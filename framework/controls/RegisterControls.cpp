#include "RegisterControls.h"

// Declared before windows.h can rename it (its RegisterClass macro).
#include "framework/core/Object.h"

#include "Buttons.h"
#include "ComCtrls.h"
#include "ComboBox.h"
#include "DateTimePicker.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Grids.h"
#include "GroupBox.h"
#include "HeaderControl.h"
#include "ListBox.h"
#include "ListView.h"
#include "Memo.h"
#include "MPlayer.h"
#include "Menus.h"
#include "PageControl.h"
#include "ProgressBar.h"
#include "RadioButton.h"
#include "ScrollBar.h"
#include "ScrollBox.h"
#include "SpinEdit.h"
#include "SpeedButton.h"
#include "StatusBar.h"
#include "StdCtrls.h"
#include "TabControl.h"
#include "TabSet.h"
#include "Timer.h"
#include "ToolBar.h"
#include "TrackBar.h"
#include "TreeView.h"
#include "UpDown.h"
#include "framework/graphics/Color.h"

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
             &TSpeedButton::StaticClass(), &TRadioButton::StaticClass(), &TGroupBox::StaticClass(),
             &TRadioGroup::StaticClass(), &TScrollBar::StaticClass(), &TListView::StaticClass(),
             &TTreeView::StaticClass(), &TDrawGrid::StaticClass(), &TStringGrid::StaticClass(),
             &TScrollBox::StaticClass(), &TToolBar::StaticClass(), &TToolButton::StaticClass(),
         })
        RegisterClassInfo(*info);
    // Edits, combo boxes, spin buttons, date pickers, status bars and pages.
    for (const TClassInfo* info : {&TComboBox::StaticClass(), &TUpDown::StaticClass(), &TSpinEdit::StaticClass(),
                                   &TDateTimePicker::StaticClass(), &TStatusBar::StaticClass(),
                                   &TPageControl::StaticClass(), &TTabSheet::StaticClass()})
        RegisterClassInfo(*info);
    // Bars, headers, tab sets and tab controls, and the media player.
    for (const TClassInfo* info : {&TProgressBar::StaticClass(), &TTrackBar::StaticClass(),
                                   &THeaderControl::StaticClass(), &TTabSet::StaticClass(),
                                   &TTabControl::StaticClass(), &TMediaPlayer::StaticClass()})
        RegisterClassInfo(*info);
}

} // namespace tf
