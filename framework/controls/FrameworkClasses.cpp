#include "framework/controls/FrameworkClasses.h"

#include "framework/ClassRegistry.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Frame.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/TabControl.h"
#include "framework/controls/TabSet.h"
#include "framework/controls/TabSheet.h"
#include "framework/controls/Timer.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/ToolButton.h"
#include "framework/controls/TrackBar.h"
#include "framework/controls/UpDown.h"
#include "framework/data/DataSource.h"
#include "framework/data/DbConnection.h"
#include "framework/data/DbQuery.h"

namespace bus {

void RegisterFrameworkClasses() {
  RegisterClasses({&TForm::StaticClassInfo(), &TPanel::StaticClassInfo(), &TGroupBox::StaticClassInfo(),
                   &TLabel::StaticClassInfo(), &TEdit::StaticClassInfo(), &TMemo::StaticClassInfo(),
                   &TButton::StaticClassInfo(), &TCheckBox::StaticClassInfo(), &TSpeedButton::StaticClassInfo(),
                   &TStatusBar::StaticClassInfo(), &TTimer::StaticClassInfo(), &TPopupMenu::StaticClassInfo(),
                   &TMainMenu::StaticClassInfo(), &TMenuItem::StaticClassInfo(), &TImageList::StaticClassInfo(),
                   &TDataSource::StaticClassInfo(), &TDbConnection::StaticClassInfo(),
                   &TDbQuery::StaticClassInfo(), &TRadioButton::StaticClassInfo(),
                   &TRadioGroup::StaticClassInfo(), &TComboBox::StaticClassInfo(), &TListBox::StaticClassInfo(),
                   &TPageControl::StaticClassInfo(), &TTabSheet::StaticClassInfo(), &TTabControl::StaticClassInfo(),
                   &TProgressBar::StaticClassInfo(), &TTrackBar::StaticClassInfo(), &TUpDown::StaticClassInfo(),
                   &TScrollBar::StaticClassInfo(), &TDateTimePicker::StaticClassInfo(),
                   &TRichEdit::StaticClassInfo(), &THeaderControl::StaticClassInfo(),
                   &TListView::StaticClassInfo(), &TBitBtn::StaticClassInfo(),
                   &TTabSet::StaticClassInfo(), &TScrollBox::StaticClassInfo(), &TFrame::StaticClassInfo(),
                   &TToolBar::StaticClassInfo(), &TToolButton::StaticClassInfo()});
}

}  // namespace bus
