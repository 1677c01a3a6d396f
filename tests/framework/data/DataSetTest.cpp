// The dataset wrapper over the route database: the notifications data-aware controls rely on,
// with their timing, and the values, edits, deletions and bookmarks behind them.
#include <gtest/gtest.h>

#include "framework/data/DataLink.h"
#include "framework/data/DataSource.h"
#include "framework/data/DbConnection.h"
#include "framework/data/DbQuery.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

// Records every notification as text.
class TRecordingLink : public TDataLink {
public:
  std::vector<std::string> seen;
  std::function<void()> onChanged;  // runs inside DataSetChanged

protected:
  void ActiveChanged() override { seen.push_back(Active() ? "active" : "inactive"); }
  void DataSetChanged() override {
    seen.push_back("changed");
    if (onChanged) onChanged();
  }
  void DataSetScrolled(int distance) override { seen.push_back("scrolled " + std::to_string(distance)); }
  void RecordChanged(TField* field) override { seen.push_back("record " + (field ? field->FieldName() : "-")); }
  void UpdateData() override { seen.push_back("update"); }
  void EditingChanged() override { seen.push_back(Editing() ? "editing" : "browsing"); }
  bool FocusControl(TField* field) override {
    seen.push_back("focus " + field->FieldName());
    return true;
  }
};

class DataSetTest : public ::testing::Test {
protected:
  void SetUp() override {
    db_ = dir_.Path() / "routes.db";
    test::WriteRoutes(db_, {{"5", {"A", "B"}}, {"10", {"B", "C"}}, {"2", {"C", "D"}}});
    owner_ = new TComponent(nullptr);
    connection_ = new TDbConnection(owner_);
    connection_->SetConnectionString(test::ConnectionStringFor(db_));
    connection_->Open();
    query_ = new TDbQuery(owner_);
    query_->SetConnection(connection_);
    query_->SQL().Add("select * from way");
    source_ = new TDataSource(owner_);
    source_->SetDataSet(query_);
    link_.SetDataSource(source_);
  }
  void TearDown() override { FreeAndNil(owner_); }

  std::vector<std::string> Take() { return std::exchange(link_.seen, {}); }

  test::TempDir dir_;
  std::filesystem::path db_;
  TComponent* owner_ = nullptr;
  TDbConnection* connection_ = nullptr;
  TDbQuery* query_ = nullptr;
  TDataSource* source_ = nullptr;
  TRecordingLink link_;
};

TEST_F(DataSetTest, OpenCloseAndReopenTellTheLinks) {
  query_->Open();
  EXPECT_EQ(Take(), (std::vector<std::string>{"active"}));
  EXPECT_EQ(query_->RecordCount(), 3);
  EXPECT_TRUE(query_->Bof());
  EXPECT_EQ(query_->FieldByName("NO")->AsString(), "5");
  // a new statement is a close followed by an open
  query_->Close();
  query_->SQL().Clear();
  query_->SQL().Add("select * from way where no = ?");
  query_->Parameters() = {"10"};
  query_->Open();
  EXPECT_EQ(Take(), (std::vector<std::string>{"inactive", "active"}));
  EXPECT_EQ(query_->RecordCount(), 1);
  EXPECT_THROW(query_->FieldByName("nope"), EDatabaseError);
}

TEST_F(DataSetTest, RunOpensOnTheResultTheWorkLeavesOpenAndStaysClosedOtherwise) {
  query_->Open();
  Take();
  query_->Run([](db::Query& q) {
    q.SetStatement("select * from way where no <> ? order by no", {"5"});
    q.Open();
    q.Last();  // wherever the work leaves the cursor, the dataset starts at the first record
  });
  EXPECT_EQ(Take(), (std::vector<std::string>{"inactive", "active"}));
  EXPECT_EQ(query_->RecordCount(), 2);
  EXPECT_TRUE(query_->Bof());
  EXPECT_EQ(query_->FieldByName("no")->AsString(), "10");
  ASSERT_EQ(query_->SQL().Count(), 1);
  EXPECT_EQ(query_->SQL().Strings(0), "select * from way where no <> ? order by no");
  EXPECT_EQ(query_->Parameters(), std::vector<std::string>{"5"});
  // the adopted result behaves as one the query opened itself, and reopens from its statement
  query_->Next();
  EXPECT_EQ(query_->FieldByName("no")->AsString(), "2");
  query_->Close();
  query_->Open();
  EXPECT_EQ(query_->RecordCount(), 2);
  Take();

  // work that fails or leaves its cursor closed leaves the query closed
  EXPECT_THROW(query_->Run([](db::Query& q) {
    q.SetStatement("select * from nowhere");
    q.Open();
  }), Exception);
  EXPECT_FALSE(query_->Active());
  query_->Run([](db::Query&) {});
  EXPECT_FALSE(query_->Active());
  EXPECT_EQ(Take(), (std::vector<std::string>{"inactive"}));
}

TEST_F(DataSetTest, DisplayTextsAppendToABufferAndHonourTheTextEvent) {
  query_->Open();
  TField* no = query_->FieldByName("no");
  std::string buffer = "|";
  EXPECT_FALSE(no->AppendDisplayText(buffer));
  EXPECT_FALSE(query_->FieldByName("w0")->AppendDisplayText(buffer));
  EXPECT_EQ(buffer, "|5A");
  no->OnGetText = TFieldGetTextEvent([](TField*, std::string& text, bool) { text = "<" + text + ">"; });
  EXPECT_FALSE(no->AppendDisplayText(buffer));
  EXPECT_EQ(buffer, "|5A<5>");
  query_->Close();
  TField* none = nullptr;
  EXPECT_EQ(query_->FindField("no"), none);
}

TEST_F(DataSetTest, MovesReportTheDistanceMoved) {
  query_->Open();
  Take();
  EXPECT_EQ(query_->MoveBy(5), 2);
  query_->Next();  // at the end: nothing moves, nothing is told
  EXPECT_TRUE(query_->Eof());
  query_->Prior();
  query_->First();
  EXPECT_EQ(Take(), (std::vector<std::string>{"scrolled 2", "scrolled -1", "scrolled -1"}));
  EXPECT_TRUE(query_->Bof());
  EXPECT_FALSE(query_->Eof());
}

TEST_F(DataSetTest, DisabledControlsHearNothingUntilEnabledAgain) {
  query_->Open();
  Take();
  query_->DisableControls();
  query_->DisableControls();
  query_->Next();
  query_->Close();
  query_->Open();
  query_->EnableControls();  // still disabled once
  EXPECT_TRUE(Take().empty());
  query_->EnableControls();
  EXPECT_EQ(Take(), (std::vector<std::string>{"active", "changed"}));
  query_->EnableControls();  // unbalanced: nothing more
  EXPECT_TRUE(Take().empty());
}

TEST_F(DataSetTest, DataSetChangedFromEnableControlsArrivesWhileTheListenerIsStillBusy) {
  // a grid loads all records with notifications off and re-enables them before clearing its busy
  // flag: the "changed" it then receives must be ignorable, not a reason to load again
  query_->Open();
  Take();
  bool busy = false;
  int loads = 0;
  link_.onChanged = [&] {
    if (busy) return;
    busy = true;
    ++loads;
    query_->DisableControls();
    for (query_->First(); !query_->Eof(); query_->Next()) {
    }
    query_->EnableControls();
    busy = false;
  };
  query_->Cancel();  // not editing: no notification
  query_->DataEvent(TDataEvent::deDataSetChange);
  EXPECT_EQ(loads, 1);
}

TEST_F(DataSetTest, EditAndPostWriteTheDatabaseWithUpdateDataFirst) {
  query_->Open();
  query_->Next();
  Take();
  query_->Edit();
  query_->FieldByName("w0")->SetAsString("新站");
  query_->Post();
  EXPECT_EQ(Take(), (std::vector<std::string>{"editing", "record w0", "update", "browsing", "changed"}));
  EXPECT_EQ(query_->FieldByName("w0")->AsString(), "新站");
  query_->Close();
  query_->Open();
  query_->Next();
  EXPECT_EQ(query_->FieldByName("w0")->AsString(), "新站");
  // a move while editing posts first
  query_->Edit();
  query_->FieldByName("w1")->Clear();
  query_->Next();
  EXPECT_EQ(query_->State(), TDataSetState::dsBrowse);
  query_->Prior();
  EXPECT_TRUE(query_->FieldByName("w1")->IsNull());
  EXPECT_TRUE(query_->FieldByName("w1")->AsVariant().IsNull());
}

TEST_F(DataSetTest, CancelAndDelete) {
  query_->Open();
  query_->Edit();
  query_->FieldByName("no")->SetAsString("99");
  Take();
  query_->Cancel();
  EXPECT_EQ(Take(), (std::vector<std::string>{"browsing", "changed"}));
  EXPECT_EQ(query_->FieldByName("no")->AsString(), "5");
  query_->Delete();
  EXPECT_EQ(Take(), (std::vector<std::string>{"changed"}));
  EXPECT_EQ(query_->RecordCount(), 2);
  query_->Close();
  query_->Open();
  EXPECT_EQ(query_->RecordCount(), 2);  // gone from the file
  EXPECT_THROW(query_->FieldByName("no")->SetAsString("1"), Exception);  // not editing
}

TEST_F(DataSetTest, BookmarksLocateAndFocusRequests) {
  query_->Open();
  query_->Last();
  const std::string last = query_->Bookmark();
  query_->First();
  Take();
  ASSERT_TRUE(query_->BookmarkValid(last));
  query_->GotoBookmark(last);
  EXPECT_EQ(query_->FieldByName("no")->AsString(), "2");
  EXPECT_TRUE(query_->Locate("no", Variant::String("10")));
  EXPECT_EQ(query_->RecNo(), 1);
  EXPECT_FALSE(query_->Locate("no", Variant::String("77")));
  EXPECT_EQ(query_->RecNo(), 1);  // a failed locate stays put
  query_->FieldByName("w0")->FocusControl();
  EXPECT_EQ(Take(), (std::vector<std::string>{"scrolled 2", "scrolled -1", "focus w0"}));
  EXPECT_FALSE(query_->BookmarkValid("junk"));
  EXPECT_THROW(query_->GotoBookmark("junk"), EDatabaseError);
  query_->Close();
  EXPECT_FALSE(query_->BookmarkValid(last));
}

TEST_F(DataSetTest, FreedDataSetsAndSourcesAreDropped) {
  query_->Open();
  Take();
  query_->Free();
  EXPECT_EQ(source_->DataSet(), nullptr);
  EXPECT_FALSE(link_.Active());
  EXPECT_EQ(Take(), (std::vector<std::string>{"inactive"}));
  source_->Free();
  EXPECT_EQ(link_.DataSource(), nullptr);
}

TEST_F(DataSetTest, FailuresRaiseAndLeaveTheQueryClosed) {
  query_->SQL().Clear();
  query_->SQL().Add("select * from nowhere");
  EXPECT_THROW(query_->Open(), Exception);
  EXPECT_FALSE(query_->Active());
  connection_->Close();
  query_->SQL().Clear();
  query_->SQL().Add("select * from way");
  EXPECT_THROW(query_->Open(), Exception);
  TDbConnection broken(nullptr);
  broken.SetConnectionString(test::ConnectionStringFor(dir_.Path() / "missing.db"));
  EXPECT_THROW(broken.Open(), Exception);
  EXPECT_FALSE(broken.Connected());
}

TEST(Variant, ValueOrderOfTheGrid) {
  // text by ordinal bytes: null first, then "10", "2", "9A"
  const Variant null = Variant::Null(), a = Variant::String("10"), b = Variant::String("2"), c = Variant::String("9A");
  EXPECT_EQ(VarCompare(null, a), -1);
  EXPECT_EQ(VarCompare(a, null), 1);
  EXPECT_EQ(VarCompare(null, Variant::Null()), 0);
  EXPECT_EQ(VarCompare(a, b), -1);
  EXPECT_EQ(VarCompare(b, c), -1);
  EXPECT_EQ(VarCompare(c, c), 0);
  EXPECT_EQ(VarCompare(Variant::String("b"), Variant::String("B")), 1);  // case-sensitive
  EXPECT_EQ(VarCompare(Variant::String("é"), Variant::String("z")), 1);  // bytes, unsigned
  EXPECT_EQ(VarCompare(Variant::Integer(10), Variant::Integer(9)), 1);
  EXPECT_EQ(VarCompare(Variant::Integer(2), Variant::String("10")), -1);  // numeric when possible
  EXPECT_EQ(VarCompare(Variant::Integer(2), Variant::String("x")), -1);  // cannot compare
  EXPECT_EQ(VarCompare(Variant::String("x"), Variant::Integer(2)), -1);
  EXPECT_TRUE(Variant().IsEmpty());
  EXPECT_FALSE(Variant() == Variant::Null());
  EXPECT_EQ(Variant::Float(2.5).AsString(), "2.5");
}

}  // namespace
}  // namespace bus
