// A statement on the route database and its whole result: the static cursor the searches and the
// grid work with.
//
// open() runs the statement and fetches every record before it returns, so the record count is exact
// and moving is free. Values are read as text (an SQL NULL reads as empty text and isNull() tells
// them apart). Statements take positional parameters ('?'), bound as text: user text never becomes
// SQL. A result whose fields all come from one table can be edited and deleted from; the record is
// found again by the table's primary key, or by all of its original values when the result lacks
// the key.
//
// Cursor rules: after open() the first record is current and bof() is true; next() on the last
// record stays there and sets eof(); prior() on the first stays there and sets bof(). An empty
// result has bof() and eof() both true and no current record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace bus::db {

class Connection;

class Query {
public:
  // Names one fetched record for as long as the query stays open; 0 names none.
  using Bookmark = std::uint32_t;
  enum class State { Inactive, Browse, Edit };

  explicit Query(Connection& connection) : connection_(&connection) {}
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;
  Query(Query&&) = default;
  Query& operator=(Query&&) = default;

  Connection& connection() const noexcept { return *connection_; }

  // The statement and its parameters for the next open(). Does not close an open query.
  void setStatement(std::string sql, std::vector<std::string> parameters = {});
  const std::string& statement() const noexcept { return sql_; }
  const std::vector<std::string>& parameters() const noexcept { return params_; }

  // Runs the statement and fetches the whole result. Throws DatabaseError when the connection is
  // closed or the statement fails; the query is then closed. Opening an open query reopens it.
  void open();
  // Drops the result (an unposted edit is lost). Harmless when closed.
  void close() noexcept;
  bool active() const noexcept { return state_ != State::Inactive; }
  State state() const noexcept { return state_; }

  // Fields of the result, in statement order; names as SQLite reports them.
  int fieldCount() const noexcept { return int(fieldNames_.size()); }
  const std::string& fieldName(int field) const;
  // Index of the field with this name (ASCII letter case ignored), or -1.
  int findField(std::string_view name) const noexcept;

  int recordCount() const noexcept { return int(rows_.size()); }
  bool isEmpty() const noexcept { return rows_.empty(); }
  // Index of the current record in result order, or -1 without one.
  int recNo() const noexcept { return current_; }
  bool bof() const noexcept { return bof_; }
  bool eof() const noexcept { return eof_; }

  void first();
  void last();
  void next();
  void prior();
  // Moves by distance records (negative: backwards), stopping at either end, where it sets eof() or
  // bof(). Returns the distance actually moved. An edit in progress is posted first.
  int moveBy(int distance);

  // Field value of the current record (the edit buffer while editing); empty when null.
  std::string_view value(int field) const;
  bool isNull(int field) const;

  // True when the result can be edited and deleted from (all fields from one table).
  bool canModify() const noexcept { return !baseTable_.empty(); }
  // Starts editing the current record. Throws DatabaseError without one or when !canModify().
  void edit();
  // Changes a field of the record being edited (edit() first).
  void setValue(int field, std::string_view text);
  void setNull(int field);
  // Writes the changed fields to the database and returns to browsing. Throws DatabaseError when
  // the record is no longer in the table; the edit then stays open.
  void post();
  // Drops the edit.
  void cancel() noexcept;
  // Deletes the current record from the database and from the result. The record after it
  // becomes current (the new last one when it was the last). Throws DatabaseError when there is no
  // current record, the result cannot be modified, or the record is no longer in the table.
  void deleteRecord();

  Bookmark bookmark() const noexcept;
  bool bookmarkValid(Bookmark bookmark) const noexcept;
  // Makes the bookmarked record current. Throws DatabaseError when it is not in the result.
  void gotoBookmark(Bookmark bookmark);

private:
  struct Cell {
    std::uint32_t offset;  // start in text_
    std::uint32_t length;  // byte count, or kNull
  };
  static constexpr std::uint32_t kNull = 0xFFFFFFFFu;

  void fetch();
  const Cell* currentCells() const;
  void requireCurrent(const char* what) const;
  void findBaseTable(sqlite3_stmt* stmt);
  // Binds the statement's WHERE part that finds the current record's row; returns its text.
  std::string keyCondition() const;
  int bindKey(sqlite3_stmt* stmt, int firstIndex) const;
  std::string_view cellText(const Cell& c) const;
  Cell storeText(std::string_view text);
  void setCursor(int index);

  Connection* connection_;               // the database the statements run on
  std::string sql_;                      // statement text for open()
  std::vector<std::string> params_;      // its '?' parameters, bound as text
  State state_ = State::Inactive;        // inactive, browsing or editing
  std::vector<std::string> fieldNames_;  // result fields in order
  std::string text_;                     // every fetched and edited value, back to back
  std::vector<Cell> cells_;              // fieldCount() cells per fetched record, by fetch ordinal
  std::vector<std::uint32_t> rows_;      // fetch ordinals of the records in the result, ascending
  int current_ = -1;                     // index into rows_, -1 when empty
  bool bof_ = true;                      // a move stopped at (or the cursor sits at) the start
  bool eof_ = true;                      // a move stopped at the end
  std::vector<Cell> editCells_;          // the record being edited
  std::vector<bool> editChanged_;        // which fields setValue()/setNull() touched
  std::string baseTable_;                // the one table the fields come from; empty: read-only
  std::vector<std::string> originNames_; // table column of each result field
  std::vector<int> keyFields_;           // result fields forming the primary key; empty: use all
};

}  // namespace bus::db
