// A form with the main window's grid configuration (50 columns over the route query, flat look,
// row select, load all records, key field "id"), for the grid's window tests and its timing
// harness. FormCreate opens gConnectionString; FormShow runs gStatement and sets the column
// widths as the main window does.
#pragma once

#include <string>

#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/data/DbConnection.h"
#include "framework/data/DbQuery.h"
#include "grid/DBGrid.h"

namespace bus::test {

extern std::string gConnectionString;  // the database the next form opens
extern std::string gStatement;         // what FormShow runs

class TfrmGridTest : public TForm {
  BUS_CLASS(TfrmGridTest)
public:
  explicit TfrmGridTest(TComponent* owner);
  void FormCreate(TObject*);
  // As the main window does: every route, then the column widths (90, the line number 50).
  void FormShow(TObject*);
  // Closes the query and opens it again with statement.
  void Requery(const std::string& statement);

  TrgDBGrid* DBGrid1 = nullptr;
  TEdit* Edit1 = nullptr;
  TDbQuery* qry = nullptr;
  TDbConnection* ADOConnection1 = nullptr;
};

// The form's description.
std::string GridFormDescription();

}  // namespace bus::test
