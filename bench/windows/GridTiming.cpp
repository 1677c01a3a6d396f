// Timings of the database grid under Wine, configured as the main window configures it, over the
// Xi'an database and a synthetic one of 100,000 records: loading and sorting, a full repaint, a
// page scroll at the top, middle and end, and the memory each row holds. Prints one table; each
// figure is the median of several runs.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "framework/ClassRegistry.h"
#include "framework/controls/Application.h"
#include "framework/controls/FrameworkClasses.h"
#include "grid/DBGridNode.h"
#include "tests/grid/GridTestForm.h"

namespace {
// Live bytes allocated through new: what the rows hold, without the allocator's own overhead.
std::atomic<std::ptrdiff_t> gLiveBytes{0};
}  // namespace

void* operator new(std::size_t size) {
  auto* p = static_cast<std::size_t*>(std::malloc(size + 16));
  if (!p) throw std::bad_alloc();
  *p = size;
  gLiveBytes += std::ptrdiff_t(size);
  return reinterpret_cast<char*>(p) + 16;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  auto* base = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - 16);
  gLiveBytes -= std::ptrdiff_t(*base);
  std::free(base);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using namespace bus;

// Median milliseconds of runs calls of fn (prepare runs untimed before each).
double Median(int runs, const std::function<void()>& fn, const std::function<void()>& prepare = {}) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    if (prepare) prepare();
    const double start = bench::NowMs();
    fn();
    times.push_back(bench::NowMs() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}


void Settle() {
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
}

void Measure(const char* name, const std::filesystem::path& database, int runs) {
  test::gConnectionString = bench::ConnectionStringFor(database);
  test::gStatement = "select * from way ";
  auto* form = Application->CreateForm<test::TfrmGridTest>(test::GridFormDescription());
  Settle();
  TrgDBGrid* grid = form->DBGrid1;
  TDbQuery* qry = form->qry;
  const int rows = grid->Count();

  // the statement alone, for comparison: what the database layer costs
  db::Connection connection;
  connection.Open(test::gConnectionString);
  db::Query query(connection);
  query.SetStatement(test::gStatement);
  const double fetch = Median(runs, [&] { query.Open(); });

  // a search: the query reopened, the grid reloading and sorting every record; then until the
  // scroll bars are up to date and the grid is painted
  const double reopen = Median(runs, [&] {
    qry->Close();
    qry->Open();
  });
  const double reopenShown = Median(runs, [&] {
    qry->Close();
    qry->Open();
    Settle();
  });
  // the grid's own part: reload and sort from the open dataset
  const double reload = Median(runs, [&] { grid->Reload(); });
  // sorting by another column and back
  TrgTreeListColumn* no = grid->Columns(0);
  TrgTreeListColumn* w3 = grid->Columns(4);
  const double sort = Median(runs, [&] { w3->SetSorted(TrgTreeListColumnSort::csUp); },
                             [&] { no->SetSorted(TrgTreeListColumnSort::csUp); });
  no->SetSorted(TrgTreeListColumnSort::csUp);
  Settle();

  HWND h = grid->Handle();
  const double paint = Median(31, [&] { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
  const int page = grid->VisibleRowCount();
  // a page down: rows scrolled and repainted, the scroll bar moved
  auto scrollAt = [&](int top) {
    return Median(31, [&] {
      grid->SetTopIndex(top + page);
      Settle();
    }, [&] {
      grid->SetTopIndex(top);
      Settle();
    });
  };
  const double scrollTop = scrollAt(0);
  const double scrollMiddle = scrollAt(rows / 2);
  const double scrollEnd = scrollAt(std::max(rows - 2 * page, 0));
  // one row down (the common keyboard step): scrolls one row's pixels
  const double lineScroll = Median(31, [&] {
    grid->SetTopIndex(rows / 2 + 1);
    Settle();
  }, [&] {
    grid->SetTopIndex(rows / 2);
    Settle();
  });

  // memory: what the rows hold (node object, packed texts, the grid's lists), and every byte
  // allocated while loading that is still held afterwards
  std::size_t texts = 0;
  for (TrgTreeListNode* n : grid->RootList()) texts += static_cast<TrgDBGridNode*>(n)->CellTexts().AllocatedBytes();
  const std::size_t lists = grid->ListMemoryBytes();
  qry->Close();
  query.Close();
  Settle();
  const std::ptrdiff_t empty = gLiveBytes;
  qry->Open();
  Settle();
  grid->AbsoluteCount();  // the visible-order index, built on first use
  const std::ptrdiff_t loaded = gLiveBytes;
  const std::ptrdiff_t heldByQuery = [&] {
    const std::ptrdiff_t before = gLiveBytes;
    db::Query fresh(connection);
    fresh.SetStatement(test::gStatement);
    fresh.Open();
    return gLiveBytes - before;
  }();

  std::printf("%s: %d rows, page %d rows\n", name, rows, page);
  std::printf("  statement alone (database layer)        %9.2f ms\n", fetch);
  std::printf("  reopen: statement + load + sort by no   %9.2f ms\n", reopen);
  std::printf("    ... until scroll bars and rows are shown %6.2f ms\n", reopenShown);
  std::printf("  grid load + sort (Reload)               %9.2f ms\n", reload);
  std::printf("  sort by another column                  %9.2f ms\n", sort);
  std::printf("  full repaint                            %9.2f ms\n", paint);
  std::printf("  page scroll at top / middle / end       %9.2f / %.2f / %.2f ms\n", scrollTop, scrollMiddle, scrollEnd);
  std::printf("  one-row scroll in the middle            %9.2f ms\n", lineScroll);
  const std::size_t perRow = std::size_t(std::max(rows, 1));
  std::printf("  memory per row: node %zu + texts %zu + lists %zu = %zu bytes\n", sizeof(TrgDBGridNode),
              texts / perRow, lists / perRow, sizeof(TrgDBGridNode) + (texts + lists) / perRow);
  std::printf("  held after opening, per row: %td bytes (of which the query's own result %td)\n",
              (loaded - empty) / std::ptrdiff_t(perRow), heldByQuery / std::ptrdiff_t(perRow));
  std::fflush(stdout);
  form->Free();
  Settle();
}

}  // namespace

int main() {
  TApplication app;
  app.Initialize();
  RegisterFrameworkClasses();
  RegisterGridClasses();
  try {
    Measure("Xi'an", bench::XianDatabase(), 21);
    Measure("100,000 records", bench::SyntheticDatabase(100000), 3);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "grid_timing: %s\n", e.what());
    return 1;
  }
  return 0;
}
