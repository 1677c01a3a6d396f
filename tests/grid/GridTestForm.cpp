#include "tests/grid/GridTestForm.h"

#include "framework/Properties.h"

namespace bus::test {

std::string gConnectionString;
std::string gStatement = "select * from way ";

const TClassInfo& TfrmGridTest::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmGridTest>("TfrmGridTest", TForm::StaticClassInfo()).Build();
  return info;
}

TfrmGridTest::TfrmGridTest(TComponent* owner) : TForm(owner) {
  PublishMethod("FormCreate", &TfrmGridTest::FormCreate);
  PublishMethod("FormShow", &TfrmGridTest::FormShow);
  PublishField("DBGrid1", &DBGrid1);
  PublishField("Edit1", &Edit1);
  PublishField("qry", &qry);
  PublishField("ADOConnection1", &ADOConnection1);
}

void TfrmGridTest::FormCreate(TObject*) {
  ADOConnection1->SetConnectionString(gConnectionString);
  ADOConnection1->Open();
}

void TfrmGridTest::FormShow(TObject*) {
  Requery(gStatement);
  const int fields = qry->FieldCount();
  for (int i = 0; i <= fields - 2 && i < DBGrid1->ColumnCount(); ++i) DBGrid1->Columns(i)->SetWidth(90);
  DBGrid1->Columns(0)->SetWidth(50);
}

void TfrmGridTest::Requery(const std::string& statement) {
  qry->Close();
  qry->SQL().Clear();
  qry->SQL().Add(statement);
  qry->Open();
}

std::string GridFormDescription() {

  std::string d = R"(
object frmGridTest: TfrmGridTest
  Left = 40
  Top = 40
  ClientWidth = 789
  ClientHeight = 376
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Caption = 'grid'
  Visible = True
  OnCreate = FormCreate
  OnShow = FormShow
  object Edit1: TEdit
    Left = 8
    Top = 344
    Width = 121
    Height = 19
    TabOrder = 0
  end
  object DBGrid1: TrgDBGrid
    Left = 4
    Top = 0
    Width = 779
    Height = 244
    Anchors = [akLeft, akTop, akRight, akBottom]
    TabOrder = 1
    DataSource = DataSource1
    KeyField = 'id'
    LookAndFeel = lfFlat
    HideSelectionColor = clGradientActiveCaption
    SummarySeparator = ', '
    OptionsDB = [rgoCancelOnExit, rgoCanDelete, rgoCanInsert, rgoCanNavigation, rgoConfirmDelete, rgoLoadAllRecords, rgoUseBookmarks]
    OptionsView = [rgoBandHeaderWidth, rgoRowSelect, rgoUseBitmap]
    object DBGrid1no: TrgDBGridColumn
      Caption = '路'
      Width = 100
      BandIndex = 0
      RowIndex = 0
      FieldName = 'no'
      Sorted = csUp
    end
    object DBGrid1w0: TrgDBGridColumn
      Caption = '首站'
      Width = 124
      BandIndex = 0
      RowIndex = 0
      FieldName = 'w0'
    end
)";
  for (int i = 1; i <= 48; ++i) {
    const std::string w = "w" + std::to_string(i);
    d += "    object DBGrid1" + w + ": TrgDBGridColumn\n      Width = 124\n      BandIndex = 0\n      RowIndex = 0\n" +
         "      FieldName = '" + w + "'\n    end\n";
  }
  d += R"(  end
  object DataSource1: TDataSource
    DataSet = qry
  end
  object ADOConnection1: TDbConnection
    LoginPrompt = False
    Mode = cmShareDenyNone
  end
  object qry: TDbQuery
    Connection = ADOConnection1
    CursorType = ctStatic
    SQL = ('select * from way')
  end
end
)";
  return d;
}

}  // namespace bus::test
