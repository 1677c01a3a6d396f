#include "db/Query.h"

#include <sqlite3.h>

#include <algorithm>
#include <cassert>
#include <memory>

#include "core/TextUtil.h"
#include "db/Connection.h"
#include "db/DatabaseError.h"

namespace bus::db {

namespace {

struct StatementDeleter {
  void operator()(sqlite3_stmt* s) const noexcept { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// Prepares sql on db or throws DatabaseError with SQLite's message.
Statement prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &raw, nullptr) != SQLITE_OK) {
    const std::string msg = sqlite3_errmsg(db);
    sqlite3_finalize(raw);
    throw DatabaseError(msg);
  }
  return Statement(raw);
}

std::string quoteIdentifier(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

}  // namespace

void Query::setStatement(std::string sql, std::vector<std::string> parameters) {
  sql_ = std::move(sql);
  params_ = std::move(parameters);
}

void Query::open() {
  close();
  try {
    fetch();
  } catch (...) {
    close();
    throw;
  }
  state_ = State::Browse;
  first();
}

// Runs the statement and fills fieldNames_, cells_ and rows_; open() cleans up on failure.
void Query::fetch() {
  sqlite3* db = connection_->handle();
  if (db == nullptr) throw DatabaseError("the database is not connected");
  Statement stmt = prepare(db, sql_);
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
  findBaseTable(stmt.get());

  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    if (rows_.size() >= 0xFFFFFFFEu || text_.size() > 0xF0000000u)
      throw DatabaseError("the result is too large");
    rows_.push_back(std::uint32_t(rows_.size()));
    for (int c = 0; c < columns; ++c) {
      // column_text gives null for SQL NULL (and when out of memory, told by the error code)
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), c));
      if (text == nullptr) {
        if (sqlite3_errcode(db) == SQLITE_NOMEM) throw DatabaseError("out of memory");
        cells_.push_back({0, kNull});
        continue;
      }
      cells_.push_back(storeText(std::string_view(text, size_t(sqlite3_column_bytes(stmt.get(), c)))));
    }
  }
  if (rc != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db));
}

void Query::close() noexcept {
  state_ = State::Inactive;
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
void Query::findBaseTable(sqlite3_stmt* stmt) {
  baseTable_.clear();
  originNames_.clear();
  keyFields_.clear();
  std::string table;
  for (int c = 0; c < fieldCount(); ++c) {
    const char* t = sqlite3_column_table_name(stmt, c);
    const char* d = sqlite3_column_database_name(stmt, c);
    const char* o = sqlite3_column_origin_name(stmt, c);
    if (!t || !d || !o || std::string_view(d) != "main") return;
    if (c == 0) table = t;
    else if (table != t) return;
    originNames_.emplace_back(o);
  }
  if (table.empty()) return;

  Statement info = prepare(connection_->handle(), "pragma table_info(" + quoteIdentifier(table) + ")");
  std::vector<std::pair<int, std::string>> pk;  // (position in key, column)
  while (sqlite3_step(info.get()) == SQLITE_ROW) {
    const int pos = sqlite3_column_int(info.get(), 5);
    if (pos > 0) pk.emplace_back(pos, reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1)));
  }
  std::sort(pk.begin(), pk.end());
  for (const auto& entry : pk) {
    const std::string& column = entry.second;
    auto it = std::find_if(originNames_.begin(), originNames_.end(),
                           [&](const std::string& o) { return equalsIgnoringAsciiCase(o, column); });
    if (it == originNames_.end()) {
      keyFields_.clear();  // the key is not in the result: match every field instead
      break;
    }
    keyFields_.push_back(int(it - originNames_.begin()));
  }
  baseTable_ = table;
}

const std::string& Query::fieldName(int field) const {
  assert(field >= 0 && field < fieldCount());
  return fieldNames_.at(size_t(field));
}

int Query::findField(std::string_view name) const noexcept {
  for (int i = 0; i < fieldCount(); ++i)
    if (equalsIgnoringAsciiCase(fieldNames_[size_t(i)], name)) return i;
  return -1;
}

void Query::setCursor(int index) {
  assert(index >= -1 && index < recordCount());
  current_ = index;
}

void Query::first() {
  if (state_ == State::Edit) post();
  setCursor(isEmpty() ? -1 : 0);
  bof_ = true;
  eof_ = isEmpty();
}

void Query::last() {
  if (state_ == State::Edit) post();
  setCursor(recordCount() - 1);
  eof_ = true;
  bof_ = isEmpty();
}

void Query::next() { moveBy(1); }
void Query::prior() { moveBy(-1); }

int Query::moveBy(int distance) {
  if (state_ == State::Edit) post();
  if (isEmpty() || distance == 0) return 0;
  const long long target = (long long)current_ + distance;
  const int clamped = int(std::clamp<long long>(target, 0, recordCount() - 1));
  const int moved = clamped - current_;
  setCursor(clamped);
  if (distance > 0) {
    bof_ = false;
    eof_ = target > clamped;
  } else {
    eof_ = false;
    bof_ = target < clamped;
  }
  return moved;
}

const Query::Cell* Query::currentCells() const {
  if (state_ == State::Edit) return editCells_.data();
  if (current_ < 0) return nullptr;
  return &cells_[size_t(rows_[size_t(current_)]) * size_t(fieldCount())];
}

std::string_view Query::cellText(const Cell& c) const {
  if (c.length == kNull) return {};
  return std::string_view(text_).substr(c.offset, c.length);
}

Query::Cell Query::storeText(std::string_view text) {
  const Cell c{std::uint32_t(text_.size()), std::uint32_t(text.size())};
  text_.append(text);
  return c;
}

std::string_view Query::value(int field) const {
  const Cell* cells = currentCells();
  if (cells == nullptr || field < 0 || field >= fieldCount()) return {};
  return cellText(cells[field]);
}

bool Query::isNull(int field) const {
  const Cell* cells = currentCells();
  if (cells == nullptr || field < 0 || field >= fieldCount()) return true;
  return cells[field].length == kNull;
}

void Query::requireCurrent(const char* what) const {
  if (!active()) throw DatabaseError(std::string("cannot ") + what + ": the query is not open");
  if (current_ < 0) throw DatabaseError(std::string("cannot ") + what + ": there is no current record");
  if (!canModify()) throw DatabaseError(std::string("cannot ") + what + ": this result cannot be changed");
}

void Query::edit() {
  if (state_ == State::Edit) return;
  requireCurrent("edit");
  const Cell* cells = currentCells();
  editCells_.assign(cells, cells + fieldCount());
  editChanged_.assign(size_t(fieldCount()), false);
  state_ = State::Edit;
}

void Query::setValue(int field, std::string_view text) {
  if (state_ != State::Edit) throw DatabaseError("cannot change a field outside an edit");
  if (field < 0 || field >= fieldCount()) throw DatabaseError("no such field");
  editCells_[size_t(field)] = storeText(text);
  editChanged_[size_t(field)] = true;
}

void Query::setNull(int field) {
  if (state_ != State::Edit) throw DatabaseError("cannot change a field outside an edit");
  if (field < 0 || field >= fieldCount()) throw DatabaseError("no such field");
  editCells_[size_t(field)] = {0, kNull};
  editChanged_[size_t(field)] = true;
}

std::string Query::keyCondition() const {
  std::string where;
  if (!keyFields_.empty()) {
    for (int f : keyFields_) {
      if (!where.empty()) where += " and ";
      where += quoteIdentifier(originNames_[size_t(f)]) + " = ?";
    }
    return where;
  }
  // no key in the result: the first row whose every field equals the fetched values
  for (int f = 0; f < fieldCount(); ++f) {
    if (f) where += " and ";
    where += quoteIdentifier(originNames_[size_t(f)]) + " is ?";
  }
  return "rowid = (select rowid from " + quoteIdentifier(baseTable_) + " where " + where + " limit 1)";
}

// Binds the fetched (not edited) values of the current record to the key condition's parameters.
int Query::bindKey(sqlite3_stmt* stmt, int index) const {
  const Cell* cells = &cells_[size_t(rows_[size_t(current_)]) * size_t(fieldCount())];
  const auto bindField = [&](int f) {
    const Cell& c = cells[f];
    if (c.length == kNull) sqlite3_bind_null(stmt, index++);
    else sqlite3_bind_text(stmt, index++, text_.data() + c.offset, int(c.length), SQLITE_STATIC);
  };
  if (!keyFields_.empty())
    for (int f : keyFields_) bindField(f);
  else
    for (int f = 0; f < fieldCount(); ++f) bindField(f);
  return index;
}

void Query::post() {
  if (state_ != State::Edit) return;
  std::string set;
  for (int f = 0; f < fieldCount(); ++f) {
    if (!editChanged_[size_t(f)]) continue;
    if (!set.empty()) set += ", ";
    set += quoteIdentifier(originNames_[size_t(f)]) + " = ?";
  }
  if (!set.empty()) {
    sqlite3* db = connection_->handle();
    if (db == nullptr) throw DatabaseError("the database is not connected");
    Statement stmt = prepare(db, "update " + quoteIdentifier(baseTable_) + " set " + set + " where " + keyCondition());
    int index = 1;
    for (int f = 0; f < fieldCount(); ++f) {
      if (!editChanged_[size_t(f)]) continue;
      const Cell& c = editCells_[size_t(f)];
      if (c.length == kNull) sqlite3_bind_null(stmt.get(), index++);
      else sqlite3_bind_text(stmt.get(), index++, text_.data() + c.offset, int(c.length), SQLITE_STATIC);
    }
    bindKey(stmt.get(), index);
    if (sqlite3_step(stmt.get()) != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db));
    if (sqlite3_changes(db) != 1) throw DatabaseError("the record is no longer in the database");
    Cell* cells = &cells_[size_t(rows_[size_t(current_)]) * size_t(fieldCount())];
    std::copy(editCells_.begin(), editCells_.end(), cells);
  }
  editCells_.clear();
  editChanged_.clear();
  state_ = State::Browse;
}

void Query::cancel() noexcept {
  if (state_ != State::Edit) return;
  editCells_.clear();
  editChanged_.clear();
  state_ = State::Browse;
}

void Query::deleteRecord() {
  cancel();
  requireCurrent("delete");
  sqlite3* db = connection_->handle();
  if (db == nullptr) throw DatabaseError("the database is not connected");
  Statement stmt = prepare(db, "delete from " + quoteIdentifier(baseTable_) + " where " + keyCondition());
  bindKey(stmt.get(), 1);
  if (sqlite3_step(stmt.get()) != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db));
  if (sqlite3_changes(db) != 1) throw DatabaseError("the record is no longer in the database");
  rows_.erase(rows_.begin() + current_);
  setCursor(std::min(current_, recordCount() - 1));
  bof_ = current_ <= 0;
  eof_ = isEmpty();
}

Query::Bookmark Query::bookmark() const noexcept {
  return current_ < 0 ? 0 : rows_[size_t(current_)] + 1;
}

bool Query::bookmarkValid(Bookmark bookmark) const noexcept {
  return bookmark != 0 && std::binary_search(rows_.begin(), rows_.end(), bookmark - 1);
}

void Query::gotoBookmark(Bookmark bookmark) {
  if (!bookmarkValid(bookmark)) throw DatabaseError("the bookmarked record is not in the result");
  if (state_ == State::Edit) post();
  setCursor(int(std::lower_bound(rows_.begin(), rows_.end(), bookmark - 1) - rows_.begin()));
  bof_ = eof_ = false;
}

}  // namespace bus::db
