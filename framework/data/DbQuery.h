// The query component (qry, Qrytmp): a statement in SQL lines on a connection, opened with a static
// cursor into a dataset that grids and searches read.
//
//   qry->Close(); qry->SQL().Clear(); qry->SQL().Add("select * from way"); qry->Open();
//
// Open throws bus::db::DatabaseError when the connection is closed or the statement fails.
//
// Stored only, the behaviour being fixed: CursorType (the cursor is always static).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/StringList.h"
#include "db/Query.h"
#include "framework/data/DataSet.h"

namespace bus {

class TDbConnection;

enum class TCursorType { ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic };

class TDbQuery : public TDataSet {
  BUS_CLASS(TDbQuery)
public:
  explicit TDbQuery(TComponent* owner) : TDataSet(owner) {}

  TDbConnection* Connection() const noexcept { return connection_; }
  void SetConnection(TDbConnection* connection);
  // The statement's lines, joined with line breaks at Open. Edit freely while closed.
  TStringList& SQL() noexcept { return sql_; }
  const TStringList& SQLLines() const noexcept { return sql_; }
  void SetSQL(const TStringList& lines);
  // Values for the statement's '?' markers, bound as text at Open.
  std::vector<std::string>& Parameters() noexcept { return parameters_; }

  // Closes the query, then lets work run statements on a fresh cursor of the connection (code of
  // the route database layer, such as the searches, works on that). When work leaves the cursor
  // open, the query opens on that very result, first record current, its statement and parameters
  // taken as SQL and Parameters: data-aware controls hear a close and an open, as for any new
  // statement. Otherwise, or when work throws, the query stays closed (the exception passes on).
  void Run(const std::function<void(db::Query&)>& work);
  TCursorType CursorType() const noexcept { return cursorType_; }
  void SetCursorType(TCursorType t) noexcept { cursorType_ = t; }

  int RecordCount() const override;
  int RecNo() const override;
  bool CanModify() const override;
  std::string FieldText(int field, bool& isNull) const override;
  bool AppendFieldText(int field, std::string& out) const override;
  void SetFieldText(int field, const std::string* text) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;
  void BeforeDestruction() override;

  std::vector<std::string> InternalOpen() override;
  void InternalClose() noexcept override;
  void InternalFirst() override;
  void InternalLast() override;
  int InternalMoveBy(int distance, bool& bof, bool& eof) override;
  void InternalEdit() override;
  void InternalPost() override;
  void InternalCancel() noexcept override;
  void InternalDelete() override;
  std::string InternalBookmark() const override;
  bool InternalBookmarkValid(const std::string& bookmark) const override;
  void InternalGotoBookmark(const std::string& bookmark) override;

private:
  db::Query& Cursor() const;

  TDbConnection* connection_ = nullptr;    // where statements run
  TStringList sql_;                        // the statement
  std::vector<std::string> parameters_;    // '?' values
  TCursorType cursorType_ = TCursorType::ctStatic;  // stored; the cursor is always static
  std::unique_ptr<db::Query> query_;       // the open result, if any
  std::unique_ptr<db::Query> adopted_;     // a result Run hands to the next InternalOpen
};

}  // namespace bus
