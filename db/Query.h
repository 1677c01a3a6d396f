// A statement on the route database and its whole result: the static cursor the searches and the
// grid work with.
//
// Open() runs the statement and fetches every record before it returns, so the record count is exact
// and moving is free. Values are read as text (an SQL NULL reads as empty text and IsNull() tells
// them apart). Statements take positional parameters ('?'), bound as text: user text never becomes
// SQL. A result whose fields all come from one table can be edited and deleted from; the record is
// found again by the table's primary key, or by all of its original values when the result lacks
// the key.
//
// Cursor rules: after Open() the first record is current and Bof() is true; Next() on the last
// record stays there and sets Eof(); Prior() on the first stays there and sets Bof(). An empty
// result has Bof() and Eof() both true and no current record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace bus::db {

class Connection;

// What a query is doing: closed, browsing its result, or editing its current record.
enum class QueryState { Inactive, Browse, Edit };

class Query {
public:
  // Names one fetched record for as long as the query stays open; 0 names none.
  using Bookmark = std::uint32_t;

  explicit Query(Connection& connection) : connection_(&connection) {}
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;
  Query(Query&&) = default;
  Query& operator=(Query&&) = default;

  Connection& connection() const noexcept { return *connection_; }

  // The statement and its parameters for the next Open(). Does not close an open query.
  void SetStatement(std::string sql, std::vector<std::string> parameters = {});
  const std::string& Statement() const noexcept { return sql_; }
  const std::vector<std::string>& Parameters() const noexcept { return params_; }

  // Runs the statement and fetches the whole result. Throws DatabaseError when the connection is
  // closed or the statement fails; the query is then closed. Opening an open query reopens it.
  void Open();
  // Drops the result (an unposted edit is lost). Harmless when closed.
  void Close() noexcept;
  bool Active() const noexcept { return state_ != QueryState::Inactive; }
  QueryState State() const noexcept { return state_; }

  // Fields of the result, in statement order; names as SQLite reports them.
  int FieldCount() const noexcept { return int(fieldNames_.size()); }
  const std::string& FieldName(int field) const;
  // Index of the field with this name (ASCII letter case ignored), or -1.
  int FindField(std::string_view name) const noexcept;

  int RecordCount() const noexcept { return int(rows_.size()); }
  bool IsEmpty() const noexcept { return rows_.empty(); }
  // Index of the current record in result order, or -1 without one.
  int RecNo() const noexcept { return current_; }
  bool Bof() const noexcept { return bof_; }
  bool Eof() const noexcept { return eof_; }

  void First();
  void Last();
  void Next();
  void Prior();
  // Moves by distance records (negative: backwards), stopping at either end, where it sets Eof() or
  // Bof(). Returns the distance actually moved. An edit in progress is posted first.
  int MoveBy(int distance);

  // Field value of the current record (the edit buffer while editing); empty when null.
  std::string_view Value(int field) const;
  bool IsNull(int field) const;

  // True when the result can be edited and deleted from (all fields from one table).
  bool CanModify() const noexcept { return !baseTable_.empty(); }
  // Starts editing the current record. Throws DatabaseError without one or when !CanModify().
  void Edit();
  // Changes a field of the record being edited (Edit() first).
  void SetValue(int field, std::string_view text);
  void SetNull(int field);
  // Writes the changed fields to the database and returns to browsing. Throws DatabaseError when
  // the record is no longer in the table; the edit then stays open.
  void Post();
  // Drops the edit.
  void Cancel() noexcept;
  // Deletes the current record from the database and from the result. The record after it
  // becomes current (the new last one when it was the last). Throws DatabaseError when there is no
  // current record, the result cannot be modified, or the record is no longer in the table.
  void Delete();

  Bookmark GetBookmark() const noexcept;
  bool BookmarkValid(Bookmark bookmark) const noexcept;
  // Makes the bookmarked record current. Throws DatabaseError when it is not in the result.
  void GotoBookmark(Bookmark bookmark);

private:
  struct Cell {
    std::uint32_t offset;  // start in text_
    std::uint32_t length;  // byte count, or kNull
  };
  static constexpr std::uint32_t kNull = 0xFFFFFFFFu;

  void Fetch();
  const Cell* CurrentCells() const;
  void RequireCurrent(const char* what) const;
  void FindBaseTable(sqlite3_stmt* stmt);
  // Binds the statement's WHERE part that finds the current record's row; returns its text.
  std::string KeyCondition() const;
  int BindKey(sqlite3_stmt* stmt, int firstIndex) const;
  std::string_view CellText(const Cell& c) const;
  Cell StoreText(std::string_view text);
  void SetCursor(int index);

  Connection* connection_;               // the database the statements run on
  std::string sql_;                      // statement text for Open()
  std::vector<std::string> params_;      // its '?' parameters, bound as text
  QueryState state_ = QueryState::Inactive;        // inactive, browsing or editing
  std::vector<std::string> fieldNames_;  // result fields in order
  std::string text_;                     // every fetched and edited value, back to back
  std::vector<Cell> cells_;              // FieldCount() cells per fetched record, by fetch ordinal
  std::vector<std::uint32_t> rows_;      // fetch ordinals of the records in the result, ascending
  int current_ = -1;                     // index into rows_, -1 when empty
  bool bof_ = true;                      // a move stopped at (or the cursor sits at) the start
  bool eof_ = true;                      // a move stopped at the end
  std::vector<Cell> editCells_;          // the record being edited
  std::vector<bool> editChanged_;        // which fields SetValue()/SetNull() touched
  std::string baseTable_;                // the one table the fields come from; empty: read-only
  std::vector<std::string> originNames_; // table column of each result field
  std::vector<int> keyFields_;           // result fields forming the primary key; empty: use all
};

}  // namespace bus::db
