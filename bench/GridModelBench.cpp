// The grid's model natively: turning every record of the route query into a row (the texts of its
// 50 columns packed in one allocation, key and load position), sorting the rows by a column, and
// building the visible-order index, on the Xi'an database and a synthetic one of 100,000 records.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "framework/data/DataSource.h"
#include "framework/data/DbConnection.h"
#include "framework/data/DbQuery.h"
#include "grid/DBGridNode.h"
#include "grid/NodeSort.h"
#include "grid/NodeTree.h"

namespace {

using namespace bus;

class Rows : public TrgNodeTree {
public:
  ~Rows() override { ClearNodes(); }
  using TrgNodeTree::InvalidateIndex;

protected:
  TrgTreeListNode* CreateNode() override { return new TrgDBGridNode(this); }
};

// The route query over a database, open.
struct Source {
  explicit Source(int records) {
    const auto file = records == 0 ? bench::XianDatabase() : bench::SyntheticDatabase(records);
    connection = new TDbConnection(owner);
    connection->SetConnectionString(bench::ConnectionStringFor(file));
    connection->Open();
    query = new TDbQuery(owner);
    query->SetConnection(connection);
    query->SQL().Add("select * from way ");
    query->Open();
  }
  ~Source() { owner->Free(); }
  Source(const Source&) = delete;
  Source& operator=(const Source&) = delete;
  TComponent* owner = new TComponent(nullptr);  // owns the connection and the query
  TDbConnection* connection = nullptr;
  TDbQuery* query = nullptr;
};

// What the grid does per record: key, the texts of fields no, w0 .. w48, load position.
void Load(TDbQuery& q, Rows& rows) {
  TField* key = q.FieldByName("id");
  std::vector<TField*> fields;
  for (int i = 1; i < q.FieldCount(); ++i) fields.push_back(q.Fields(i));
  TrgCellTextBuilder texts;
  rows.BeginUpdate();
  q.DisableControls();
  q.First();
  for (int n = 0; !q.Eof(); ++n) {
    auto* node = static_cast<TrgDBGridNode*>(rows.Add());
    node->SetKeyValue(key->AsVariant());
    texts.Clear();
    for (TField* f : fields) {
      f->AppendDisplayText(texts.Buffer());
      texts.Close();
    }
    texts.Store(node->CellTexts());
    node->SetLoadIndex(n);
    q.Next();
  }
  q.EnableControls();
  rows.EndUpdate();
}

void Sort(Rows& rows, int column) {
  TrgSortSettings s;
  s.column = column;
  std::vector<TrgTreeListNode*> order = rows.RootList();
  SortNodes(order, s);
  rows.ReorderRoots(std::move(order));
}

// Arg 0 = the Xi'an database; otherwise a synthetic one of that many records.
void BM_LoadAndSort(benchmark::State& state) {
  Source source(int(state.range(0)));
  for (auto _ : state) {
    Rows rows;
    Load(*source.query, rows);
    Sort(rows, 0);
    benchmark::DoNotOptimize(rows.Count());
    state.PauseTiming();  // freeing the rows is not part of a load
    rows.ClearNodes();
    state.ResumeTiming();
  }
  state.counters["rows"] = source.query->RecordCount();
}

void BM_SortByColumn(benchmark::State& state) {
  Source source(int(state.range(0)));
  Rows rows;
  Load(*source.query, rows);
  int column = 0;
  for (auto _ : state) {
    column = column == 0 ? 4 : 0;  // w3, then no
    Sort(rows, column);
  }
}

void BM_VisibleOrderIndex(benchmark::State& state) {
  Source source(int(state.range(0)));
  Rows rows;
  Load(*source.query, rows);
  for (auto _ : state) {
    rows.InvalidateIndex();
    benchmark::DoNotOptimize(rows.AbsoluteCount());
  }
}

// Bytes a row holds: the node, its packed texts, its share of the grid's lists.
void BM_BytesPerRow(benchmark::State& state) {
  Source source(int(state.range(0)));
  Rows rows;
  Load(*source.query, rows);
  rows.AbsoluteCount();
  std::size_t texts = 0;
  for (TrgTreeListNode* n : rows.RootList()) texts += static_cast<TrgDBGridNode*>(n)->CellTexts().AllocatedBytes();
  for (auto _ : state) benchmark::DoNotOptimize(texts);
  const double n = double(rows.Count());
  state.counters["node"] = double(sizeof(TrgDBGridNode));
  state.counters["texts"] = double(texts) / n;
  state.counters["lists"] = double(rows.ListMemoryBytes()) / n;
}

BENCHMARK(BM_LoadAndSort)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByColumn)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VisibleOrderIndex)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BytesPerRow)->Arg(0)->Arg(100000)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
