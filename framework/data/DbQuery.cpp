#include "framework/data/DbQuery.h"

#include <charconv>

#include "core/ScopeExit.h"
#include "db/DatabaseError.h"
#include "framework/Properties.h"
#include "framework/data/DbConnection.h"

namespace bus {

const TClassInfo& TDbQuery::StaticClassInfo() {
  static const TIdentList kCursors{"ctUnspecified", "ctOpenForwardOnly", "ctKeyset", "ctDynamic", "ctStatic"};
  static const TClassInfo info =
      TClassBuilder<TDbQuery>("TDbQuery", TDataSet::StaticClassInfo())
          .Creatable()
          .Reference<TDbConnection>("Connection", &TDbQuery::Connection, &TDbQuery::SetConnection)
          .Strings("SQL", &TDbQuery::SQLLines, &TDbQuery::SetSQL)
          .Enum("CursorType", &TDbQuery::CursorType, &TDbQuery::SetCursorType, kCursors, TCursorType::ctStatic)
          .Build();
  return info;
}

void TDbQuery::SetConnection(TDbConnection* connection) {
  if (connection == connection_) return;
  Close();
  if (connection_) {
    connection_->DetachQuery(this);
    connection_->RemoveFreeNotification(this);
  }
  connection_ = connection;
  if (connection_) {
    connection_->AttachQuery(this);
    connection_->FreeNotification(this);
  }
}

void TDbQuery::SetSQL(const TStringList& lines) {
  Close();
  sql_.Assign(lines);
}

void TDbQuery::Notification(TComponent* component, TOperation operation) {
  TDataSet::Notification(component, operation);
  if (operation == TOperation::opRemove && component == connection_) {
    Close();
    connection_ = nullptr;
  }
}

void TDbQuery::BeforeDestruction() {
  Close();
  SetConnection(nullptr);
  TDataSet::BeforeDestruction();
}

db::Query& TDbQuery::Cursor() const {
  if (!query_) throw EDatabaseError((Name().empty() ? std::string("the query") : Name()) + " is closed");
  return *query_;
}

void TDbQuery::Run(const std::function<void(db::Query&)>& work) {
  Close();
  if (!connection_) throw EDatabaseError((Name().empty() ? std::string("the query") : Name()) + " has no connection");
  auto q = std::make_unique<db::Query>(connection_->Connection());
  work(*q);
  if (!q->Active()) return;
  sql_.Clear();
  sql_.Add(q->Statement());
  parameters_ = q->Parameters();
  if (q->State() == db::QueryState::Edit) q->Cancel();
  q->First();
  adopted_ = std::move(q);
  // unused when the query could not open now (being read from a description)
  ScopeExit drop([this] { adopted_.reset(); });
  Open();
}

std::vector<std::string> TDbQuery::InternalOpen() {
  if (!connection_) throw EDatabaseError((Name().empty() ? std::string("the query") : Name()) + " has no connection");
  std::unique_ptr<db::Query> q = std::move(adopted_);
  if (!q) {
    q = std::make_unique<db::Query>(connection_->Connection());
    q->SetStatement(sql_.Text(), parameters_);
    q->Open();
  }
  std::vector<std::string> names;
  for (int i = 0; i < q->FieldCount(); ++i) names.push_back(q->FieldName(i));
  query_ = std::move(q);
  return names;
}

void TDbQuery::InternalClose() noexcept { query_.reset(); }

int TDbQuery::RecordCount() const { return query_ ? query_->RecordCount() : 0; }
int TDbQuery::RecNo() const { return query_ ? query_->RecNo() : -1; }
bool TDbQuery::CanModify() const { return query_ && query_->CanModify(); }

std::string TDbQuery::FieldText(int field, bool& isNull) const {
  if (!query_ || query_->RecNo() < 0 || field < 0 || field >= query_->FieldCount()) {
    isNull = true;
    return {};
  }
  isNull = query_->IsNull(field);
  return std::string(query_->Value(field));
}

bool TDbQuery::AppendFieldText(int field, std::string& out) const {
  if (!query_ || query_->RecNo() < 0 || field < 0 || field >= query_->FieldCount()) return true;
  out.append(query_->Value(field));
  return query_->IsNull(field);
}

void TDbQuery::SetFieldText(int field, const std::string* text) {
  if (State() != TDataSetState::dsEdit) throw EDatabaseError("the record is not being edited");
  if (text) Cursor().SetValue(field, *text);
  else Cursor().SetNull(field);
}

void TDbQuery::InternalFirst() { Cursor().First(); }
void TDbQuery::InternalLast() { Cursor().Last(); }

int TDbQuery::InternalMoveBy(int distance, bool& bof, bool& eof) {
  db::Query& q = Cursor();
  const int moved = q.MoveBy(distance);
  if (distance != 0) {
    bof = q.Bof();
    eof = q.Eof();
  }
  return moved;
}

void TDbQuery::InternalEdit() { Cursor().Edit(); }
void TDbQuery::InternalPost() { Cursor().Post(); }
void TDbQuery::InternalCancel() noexcept {
  if (query_) query_->Cancel();
}
void TDbQuery::InternalDelete() { Cursor().Delete(); }

std::string TDbQuery::InternalBookmark() const {
  const db::Query::Bookmark b = query_ ? query_->GetBookmark() : 0;
  return b == 0 ? std::string() : std::to_string(b);
}

namespace {
db::Query::Bookmark ParseBookmark(const std::string& s) {
  db::Query::Bookmark b = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), b);
  return ec == std::errc() && end == s.data() + s.size() ? b : 0;
}
}  // namespace

bool TDbQuery::InternalBookmarkValid(const std::string& bookmark) const {
  return query_ && query_->BookmarkValid(ParseBookmark(bookmark));
}

void TDbQuery::InternalGotoBookmark(const std::string& bookmark) {
  const db::Query::Bookmark b = ParseBookmark(bookmark);
  if (!Cursor().BookmarkValid(b)) throw EDatabaseError("the bookmarked record is not in the result");
  Cursor().GotoBookmark(b);
}

}  // namespace bus
