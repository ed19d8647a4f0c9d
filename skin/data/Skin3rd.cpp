#include "skin/data/Skin3rd.h"

#include "framework/core/Strings.h"

namespace tf {

namespace {

// Three names stand twice; the list is kept as it has always been stored.
const char* const kSkin3rd[] = {
    "TCategoryButtons=scrollbar", "TVirtualStringTree=scrollbar", "TVirtualDrawTree=scrollbar",
    "TAdvPanelGroup=scrollbar", "THTMLViewer=scrollbar", "TDBCtrlGrid=scrollbar",
    "TImageEnMView=scrollbar", "TImageEnView=scrollbar", "TAdvMemo=scrollbar",
    "TDBAdvMemo=scrollbar", "TPngSpeedbutton=pngspeedbutton", "TPngBitBtn=pngbitbtn",
    "TTBXDockablePanel=panel", "TControlBar=panel", "TTBDock=panel",
    "TTBToolbar=panel", "TRzGroup=panel", "TLMDCalculator=panel",
    "TLMDGROUPBOX=panel", "TLMDSIMPLEPANEL=panel", "TLMDDBCalendar=panel",
    "TLMDButtonPanel=panel", "TLMDLMDCalculator=panel", "TLMDHeaderPanel=panel",
    "TLMDTechnicalLine=panel", "TLMDLMDClock=panel", "TLMDTrackbar=panel",
    "TComboboxex=combobox", "TcxDBLookupComboBox=combobox", "TcxDBComboBox=combobox",
    "TcxDBDateEdit=combobox", "TcxDBImageComboBox=combobox", "TcxDBCalcEdit=combobox",
    "TcxDBBlobEdit=combobox", "TcxDBPopupEdit=combobox", "TcxDBFontNameComboBox=combobox",
    "TcxDBShellComboBox=combobox", "TRxLookupEdit=combobox", "TRxDBLookupCombo=combobox",
    "TRzDateTimeEdit=combobox", "TRzColorEdit=combobox", "TRzDateTimePicker=combobox",
    "TRzDBDateTimeEdit=combobox", "TRzDbColorEdit=combobox", "TRzDBDateTimePicker=combobox",
    "TLMDListCombobox=combobox", "TLMDCheckListCombobox=combobox", "TLMDHeaderListCombobox=combobox",
    "TLMDImageCombobox=combobox", "TLMDColorCombobox=combobox", "TLMDFontCombobox=combobox",
    "TLMDFontSizeCombobox=combobox", "TLMDFontSizeCombobox=combobox", "TLMDPrinterCombobox=combobox",
    "TLMDDriveCombobox=combobox", "TLMDCalculatorComboBox=combobox", "TLMDTrackBarComboBox=combobox",
    "TLMDCalendarComboBox=combobox", "TLMDTreeComboBox=combobox", "TDBLookupCombobox=combobox",
    "TWWDBCombobox=combobox", "TWWDBCombobox=combobox", "TWWDBLookupCombo=combobox",
    "TWWKeyCombo=combobox", "TWWTempKeyCombo=combobox", "TWWDBDateTimePicker=combobox",
    "TRxSpeedButton=speedbutton", "TfrSpeedButton=speedbutton", "TfrTBButton=speedbutton",
    "TRzButton=button", "TRzBitbtn=bitbtn", "TLMDButton=bitbtn",
    "TcxButton=bitbtn", "TRzMenuButton=menubtn", "TRzCheckGroup=checkgroup",
    "TLMDCheckGroup=checkgroup", "TLMDDBCheckGroup=checkgroup", "TRzRadioGroup=radiogroup",
    "TRzDBRadioGroup=radiogroup", "TLMDRADIOGROUP=radiogroup", "TLMDDBRADIOGROUP=radiogroup",
    "TWWRADIOGROUP=radiogroup", "TcxDBRadioGroup=radiogroup", "TcxRadioGroup=radiogroup",
    "TRzDBRadioButton=radiobutton", "TLMDRadiobutton=radiobutton", "TLMDGroupBox=groupbox",
    "TcxGroupbox=groupbox", "TDBCheckboxEh=checkbox", "TDBCheckboxEh=checkbox",
    "TLMDCHECKBOX=checkbox", "TLMDDBCHECKBOX=checkbox", "TRzButtonEdit=edit",
    "TLMDCalculatorEdit=edit", "TLMDEDIT=edit", "TLMDMASKEDIT=edit",
    "TLMDBROWSEEDIT=edit", "TLMDEXTSPINEDIT=edit", "TLMDCALENDAREDIT=edit",
    "TLMDFILEOPENEDIT=edit", "TLMDFILESAVEEDIT=edit", "TLMDCOLOREDIT=edit",
    "TLMDDBEDIT=edit", "TLMDDBMASKEDIT=edit", "TLMDDBEXTSPINEDIT=edit",
    "TLMDDBSPINEDIT=edit", "TLMDDBEDITDBLookup=edit", "TLMDEDITDBLookup=edit",
    "TWWDBEDIT=edit", "TOVCPICTUREFIELD=edit", "TOVCDBPICTUREFIELD=edit",
    "TOVCSLIDEREDIT=edit", "TOVCDBSLIDEREDIT=edit", "TOVCSIMPLEFIELD=edit",
    "TOVCDBSIMPLEFIELD=edit", "TO32DBFLEXEDIT=edit", "TOVCNUMERICFIELD=edit",
    "TOVCDBNUMERICFIELD=edit",
};

} // namespace

std::span<const char* const> BuiltinSkin3rd() { return kSkin3rd; }

void FillBuiltinSkin3rd(TStrings& list)
{
    list.BeginUpdate();
    list.Clear();
    for (const char* line : kSkin3rd) list.Add(line);
    list.EndUpdate();
}

} // namespace tf
