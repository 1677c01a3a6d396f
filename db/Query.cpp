#include "db/Query.h"

#include <sqlite3.h>

#include <algorithm>
#include <cassert>
#include <memory>

#include "core/ScopeExit.h"
#include "core/TextUtil.h"
#include "db/Connection.h"
#include "db/DatabaseError.h"

namespace bus::db {

namespace {

struct StatementDeleter {
  void operator()(sqlite3_stmt* s) const noexcept { sqlite3_finalize(s); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// Prepares sql on db or throws DatabaseError with SQLite's message.
StatementHandle Prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &raw, nullptr) != SQLITE_OK) {
    const std::string msg = sqlite3_errmsg(db);
    sqlite3_finalize(raw);
    throw DatabaseError(msg);
  }
  return StatementHandle(raw);
}

}  // namespace

void Query::SetStatement(std::string sql, std::vector<std::string> parameters) {
  sql_ = std::move(sql);
  params_ = std::move(parameters);
}

void Query::Open() {
  Close();
  {
    ScopeFailure closeAgain([this] { Close(); });
    Fetch();
  }
  state_ = QueryState::Browse;
  First();
}

// Runs the statement and fills fieldNames_, cells_ and rows_; Open() cleans up on failure.
void Query::Fetch() {
  sqlite3* db = connection_->Handle();
  if (db == nullptr) throw DatabaseError("the database is not connected");
  StatementHandle stmt = Prepare(db, sql_);
  for (size_t i = 0; i < params_.size(); ++i) {
    if (sqlite3_bind_text(stmt.get(), int(i + 1), params_[i].data(), int(params_[i].size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
      throw DatabaseError(sqlite3_errmsg(db));
  }
  const int columns = sqlite3_column_count(stmt.get());
  std::vector<std::string> names;
  for (int c = 0; c < columns; ++c) {
    const char* name = sqlite3_column_name(stmt.get(), c);
    names.emplace_back(name ? name : "");
  }
  fieldNames_ = std::move(names);
  FindBaseTable(stmt.get());

  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    if (rows_.size() >= 0xFFFFFFFEu || text_.size() > 0xF0000000u)
      throw DatabaseError("the result is too large");
    rows_.push_back(std::uint32_t(rows_.size()));
    for (int c = 0; c < columns; ++c) {
      // Through the value rather than column_text/column_bytes: those two check the statement and
      // the connection's error state on every call, a third of the cost of a fetch. Reading an
      // unprotected value is safe because a connection belongs to one thread.
      sqlite3_value* value = sqlite3_column_value(stmt.get(), c);
      if (sqlite3_value_type(value) == SQLITE_NULL) {
        cells_.push_back({0, kNull});
        continue;
      }
      const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
      if (text == nullptr) throw DatabaseError("out of memory");
      cells_.push_back(StoreText(std::string_view(text, size_t(sqlite3_value_bytes(value)))));
    }
  }
  if (rc != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db));
}

void Query::Close() noexcept {
  state_ = QueryState::Inactive;
  fieldNames_.clear();
  text_.clear();
  cells_.clear();
  rows_.clear();
  editCells_.clear();
  editChanged_.clear();
  baseTable_.clear();
  originNames_.clear();
  keyFields_.clear();
  current_ = -1;
  bof_ = eof_ = true;
}

// Decides whether the result can be modified: every field must come from the same table of the
// main database. Then looks up that table's primary key among the fields.
void Query::FindBaseTable(sqlite3_stmt* stmt) {
  baseTable_.clear();
  originNames_.clear();
  keyFields_.clear();
  std::string table;
  for (int c = 0; c < FieldCount(); ++c) {
    const char* t = sqlite3_column_table_name(stmt, c);
    const char* d = sqlite3_column_database_name(stmt, c);
    const char* o = sqlite3_column_origin_name(stmt, c);
    if (!t || !d || !o || std::string_view(d) != "main") return;
    if (c == 0) table = t;
    else if (table != t) return;
    originNames_.emplace_back(o);
  }
  if (table.empty()) return;

  StatementHandle info = Prepare(connection_->Handle(), "pragma table_info(" + DoubleQuoted(table) + ")");
  std::vector<std::pair<int, std::string>> pk;  // (position in key, column)
  while (sqlite3_step(info.get()) == SQLITE_ROW) {
    const int pos = sqlite3_column_int(info.get(), 5);
    if (pos > 0) pk.emplace_back(pos, reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1)));
  }
  std::sort(pk.begin(), pk.end());
  for (const auto& entry : pk) {
    const std::string& column = entry.second;
    auto it = std::find_if(originNames_.begin(), originNames_.end(),
                           [&](const std::string& o) { return EqualsIgnoringAsciiCase(o, column); });
    if (it == originNames_.end()) {
      keyFields_.clear();  // the key is not in the result: match every field instead
      break;
    }
    keyFields_.push_back(int(it - originNames_.begin()));
  }
  baseTable_ = table;
}

const std::string& Query::FieldName(int field) const {
  assert(field >= 0 && field < FieldCount());
  return fieldNames_.at(size_t(field));
}

int Query::FindField(std::string_view name) const noexcept {
  for (int i = 0; i < FieldCount(); ++i)
    if (EqualsIgnoringAsciiCase(fieldNames_[size_t(i)], name)) return i;
  return -1;
}

void Query::SetCursor(int index) {
  assert(index >= -1 && index < RecordCount());
  current_ = index;
}

void Query::First() {
  if (state_ == QueryState::Edit) Post();
  SetCursor(IsEmpty() ? -1 : 0);
  bof_ = true;
  eof_ = IsEmpty();
}

void Query::Last() {
  if (state_ == QueryState::Edit) Post();
  SetCursor(RecordCount() - 1);
  eof_ = true;
  bof_ = IsEmpty();
}

void Query::Next() { MoveBy(1); }
void Query::Prior() { MoveBy(-1); }

int Query::MoveBy(int distance) {
  if (state_ == QueryState::Edit) Post();
  if (IsEmpty() || distance == 0) return 0;
  const long long target = (long long)current_ + distance;
  const int clamped = int(std::clamp<long long>(target, 0, RecordCount() - 1));
  const int moved = clamped - current_;
  SetCursor(clamped);
  if (distance > 0) {
    bof_ = false;
    eof_ = target > clamped;
  } else {
    eof_ = false;
    bof_ = target < clamped;
  }
  return moved;
}

const Query::Cell* Query::CurrentCells() const {
  if (state_ == QueryState::Edit) return editCells_.data();
  if (current_ < 0) return nullptr;
  return &cells_[size_t(rows_[size_t(current_)]) * size_t(FieldCount())];
}

std::string_view Query::CellText(const Cell& c) const {
  if (c.length == kNull) return {};
  return std::string_view(text_).substr(c.offset, c.length);
}

Query::Cell Query::StoreText(std::string_view text) {
  const Cell c{std::uint32_t(text_.size()), std::uint32_t(text.size())};
  text_.append(text);
  return c;
}

std::string_view Query::Value(int field) const {
  const Cell* cells = CurrentCells();
  if (cells == nullptr || field < 0 || field >= FieldCount()) return {};
  return CellText(cells[field]);
}

bool Query::IsNull(int field) const {
  const Cell* cells = CurrentCells();
  if (cells == nullptr || field < 0 || field >= FieldCount()) return true;
  return cells[field].length == kNull;
}

void Query::RequireCurrent(const char* what) const {
  if (!Active()) throw DatabaseError(std::string("cannot ") + what + ": the query is not open");
  if (current_ < 0) throw DatabaseError(std::string("cannot ") + what + ": there is no current record");
  if (!CanModify()) throw DatabaseError(std::string("cannot ") + what + ": this result cannot be changed");
}

void Query::Edit() {
  if (state_ == QueryState::Edit) return;
  RequireCurrent("edit");
  const Cell* cells = CurrentCells();
  editCells_.assign(cells, cells + FieldCount());
  editChanged_.assign(size_t(FieldCount()), false);
  state_ = QueryState::Edit;
}

void Query::SetValue(int field, std::string_view text) {
  if (state_ != QueryState::Edit) throw DatabaseError("cannot change a field outside an edit");
  if (field < 0 || field >= FieldCount()) throw DatabaseError("no such field");
  editCells_[size_t(field)] = StoreText(text);
  editChanged_[size_t(field)] = true;
}

void Query::SetNull(int field) {
  if (state_ != QueryState::Edit) throw DatabaseError("cannot change a field outside an edit");
  if (field < 0 || field >= FieldCount()) throw DatabaseError("no such field");
  editCells_[size_t(field)] = {0, kNull};
  editChanged_[size_t(field)] = true;
}

std::string Query::KeyCondition() const {
  std::string where;
  if (!keyFields_.empty()) {
    for (int f : keyFields_) {
      if (!where.empty()) where += " and ";
      where += DoubleQuoted(originNames_[size_t(f)]) + " = ?";
    }
    return where;
  }
  // no key in the result: the first row whose every field equals the fetched values
  for (int f = 0; f < FieldCount(); ++f) {
    if (f) where += " and ";
    where += DoubleQuoted(originNames_[size_t(f)]) + " is ?";
  }
  return "rowid = (select rowid from " + DoubleQuoted(baseTable_) + " where " + where + " limit 1)";
}

// Binds the fetched (not edited) values of the current record to the key condition's parameters.
int Query::BindKey(sqlite3_stmt* stmt, int index) const {
  const Cell* cells = &cells_[size_t(rows_[size_t(current_)]) * size_t(FieldCount())];
  const auto bindField = [&](int f) {
    const Cell& c = cells[f];
    if (c.length == kNull) sqlite3_bind_null(stmt, index++);
    else sqlite3_bind_text(stmt, index++, text_.data() + c.offset, int(c.length), SQLITE_STATIC);
  };
  if (!keyFields_.empty())
    for (int f : keyFields_) bindField(f);
  else
    for (int f = 0; f < FieldCount(); ++f) bindField(f);
  return index;
}

void Query::Post() {
  if (state_ != QueryState::Edit) return;
  std::string set;
  for (int f = 0; f < FieldCount(); ++f) {
    if (!editChanged_[size_t(f)]) continue;
    if (!set.empty()) set += ", ";
    set += DoubleQuoted(originNames_[size_t(f)]) + " = ?";
  }
  if (!set.empty()) {
    sqlite3* db = connection_->Handle();
    if (db == nullptr) throw DatabaseError("the database is not connected");
    connection_->RequireWritable("save the record");
    StatementHandle stmt = Prepare(db, "update " + DoubleQuoted(baseTable_) + " set " + set + " where " + KeyCondition());
    int index = 1;
    for (int f = 0; f < FieldCount(); ++f) {
      if (!editChanged_[size_t(f)]) continue;
      const Cell& c = editCells_[size_t(f)];
      if (c.length == kNull) sqlite3_bind_null(stmt.get(), index++);
      else sqlite3_bind_text(stmt.get(), index++, text_.data() + c.offset, int(c.length), SQLITE_STATIC);
    }
    BindKey(stmt.get(), index);
    if (const int rc = sqlite3_step(stmt.get()); rc != SQLITE_DONE) throw connection_->WriteError(rc, "save the record");
    if (sqlite3_changes(db) != 1) throw DatabaseError("the record is no longer in the database");
    Cell* cells = &cells_[size_t(rows_[size_t(current_)]) * size_t(FieldCount())];
    std::copy(editCells_.begin(), editCells_.end(), cells);
  }
  editCells_.clear();
  editChanged_.clear();
  state_ = QueryState::Browse;
}

void Query::Cancel() noexcept {
  if (state_ != QueryState::Edit) return;
  editCells_.clear();
  editChanged_.clear();
  state_ = QueryState::Browse;
}

void Query::Delete() {
  Cancel();
  RequireCurrent("delete");
  sqlite3* db = connection_->Handle();
  if (db == nullptr) throw DatabaseError("the database is not connected");
  connection_->RequireWritable("delete the record");
  StatementHandle stmt = Prepare(db, "delete from " + DoubleQuoted(baseTable_) + " where " + KeyCondition());
  BindKey(stmt.get(), 1);
  if (const int rc = sqlite3_step(stmt.get()); rc != SQLITE_DONE) throw connection_->WriteError(rc, "delete the record");
  if (sqlite3_changes(db) != 1) throw DatabaseError("the record is no longer in the database");
  rows_.erase(rows_.begin() + current_);
  SetCursor(std::min(current_, RecordCount() - 1));
  bof_ = current_ <= 0;
  eof_ = IsEmpty();
}

Query::Bookmark Query::GetBookmark() const noexcept {
  return current_ < 0 ? 0 : rows_[size_t(current_)] + 1;
}

bool Query::BookmarkValid(Bookmark bookmark) const noexcept {
  return bookmark != 0 && std::binary_search(rows_.begin(), rows_.end(), bookmark - 1);
}

void Query::GotoBookmark(Bookmark bookmark) {
  if (!BookmarkValid(bookmark)) throw DatabaseError("the bookmarked record is not in the result");
  if (state_ == QueryState::Edit) Post();
  SetCursor(int(std::lower_bound(rows_.begin(), rows_.end(), bookmark - 1) - rows_.begin()));
  bof_ = eof_ = false;
}

}  // namespace bus::db
