// A page scroll of the database grid with skinned scroll bars against the platform's own list
// view, under Wine, in one run: the grid configured as the main window configures it over the
// Xi'an database (1,213 routes × 50 columns), its scroll bars covered by the skin's overlays drawn
// with our default skin; beside it an owner-data report list view of the same client size, font
// and column widths showing the same 1,213 × 50 texts (held as wide strings, so the list view
// pays no conversion); and, for scale, the same grid with its wrapper switched off (the
// platform's own scroll bars). Each sample is one page down as a click on the bar's track asks for
// it (WM_VSCROLL SB_PAGEDOWN), up to the moment every window involved has painted. The three take
// their samples in turn, so that the machine's moods fall on all of them alike. Prints one table.
//
//   bash scripts/wine-test.sh build/windows/wine build/windows/bin/scroll_timing.exe
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "core/WideText.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "framework/ClassRegistry.h"
#include "framework/controls/Application.h"
#include "framework/controls/FrameworkClasses.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "grid/DBTreeListColumn.h"
#include "grid/TreeListColumn.h"
#include "skin/control/SkinScrollbar.h"
#include "skin/control/WScrollbar.h"
#include "skin/data/SkinData.h"
#include "tests/grid/GridTestForm.h"

namespace {

using namespace bus;

constexpr int kRounds = 15;  // samples of each page position per contender
constexpr int kPages = 8;    // page downs from the top in one round

// The texts the list view shows, row by row, column by column.
struct TListTexts {
  int columns = 0;
  std::vector<std::wstring> cells;
};
TListTexts* gTexts = nullptr;

LRESULT CALLBACK ListHost(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NOTIFY && gTexts) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp);
    if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT)) {
      const std::size_t at = std::size_t(info->item.iItem) * std::size_t(gTexts->columns) + std::size_t(info->item.iSubItem);
      if (at < gTexts->cells.size()) info->item.pszText = const_cast<wchar_t*>(gTexts->cells[at].c_str());
      return 0;
    }
  }
  return DefWindowProcW(w, m, wp, lp);
}

void Settle() {
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
}

// Everything painted: pending messages handled (the grid's deferred scroll bar update, the
// overlays' placing) and every invalid window of the thread painted now.
void Painted(HWND top) {
  Settle();
  RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
}

struct Contender {
  const char* name;           // row label
  HWND scrolled;              // receives the page downs
  HWND top;                   // its top-level window, painted before the clock stops
  std::vector<double> times;  // milliseconds per page down
};

void PageDown(Contender& c) {
  const double start = bench::NowMs();
  SendMessageW(c.scrolled, WM_VSCROLL, SB_PAGEDOWN, 0);
  Painted(c.top);
  c.times.push_back(bench::NowMs() - start);
}

void BackToTop(Contender& c) {
  SendMessageW(c.scrolled, WM_VSCROLL, SB_TOP, 0);
  Painted(c.top);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int Run() {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  TSkinData skin(nullptr);
  skin.StoredSkin().LoadFromFile(std::filesystem::path(exe).parent_path() / "bussearch.skn");
  if (!skin.LoadSkin()) {
    std::printf("the default skin did not load\n");
    return 1;
  }

  // the grid, as the main window has it, its bars skinned
  test::gConnectionString = bench::ConnectionStringFor(bench::XianDatabase());
  test::gStatement = "select * from way ";
  auto* form = Application->CreateForm<test::TfrmGridTest>(test::GridFormDescription());
  Settle();
  TrgDBGrid* grid = form->DBGrid1;
  TCanvas canvas;
  auto* wrapper = new TSkinScrollbar(grid);
  wrapper->AttachScrolling(*grid, &skin, nullptr, &canvas);
  Painted(form->Handle());
  if (!wrapper->VertBar() || !wrapper->VertBar()->Shown()) {
    std::printf("the grid's vertical bar is not covered\n");
    return 1;
  }

  // the same texts, row by row in the grid's column order
  db::Connection connection;
  connection.Open(test::gConnectionString);
  db::Query query(connection);
  query.SetStatement(test::gStatement);
  query.Open();
  TListTexts texts;
  std::vector<int> fields;
  for (int i = 0; i < grid->ColumnCount(); ++i) {
    const auto* column = dynamic_cast<const TrgDBTreeListColumn*>(grid->Columns(i));
    fields.push_back(column ? query.FindField(column->FieldName()) : -1);
  }
  texts.columns = int(fields.size());
  for (query.First(); !query.Eof(); query.Next())
    for (int field : fields) texts.cells.push_back(field >= 0 ? Widen(query.Value(field)) : std::wstring());
  gTexts = &texts;

  // an owner-data report list view of the grid's client size, font and column widths
  RECT gridClient{};
  GetClientRect(grid->Handle(), &gridClient);
  RECT gridWindow{};
  GetWindowRect(grid->Handle(), &gridWindow);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ListHost;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ScrollTimingList";
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  RegisterClassW(&wc);
  const int width = gridWindow.right - gridWindow.left, height = gridWindow.bottom - gridWindow.top;
  const HWND host = CreateWindowExW(0, wc.lpszClassName, L"list view", WS_POPUP | WS_VISIBLE, 20, 20, width, height,
                                    nullptr, nullptr, wc.hInstance, nullptr);
  const HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL,
                                    0, 0, width, height, host, nullptr, wc.hInstance, nullptr);
  SendMessageW(list, WM_SETFONT, WPARAM(grid->Font()->Handle()), FALSE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int i = 0; i < texts.columns; ++i) {
    std::wstring caption = Widen(grid->Columns(i)->Caption());
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = caption.data();
    column.cx = grid->Columns(i)->Width();
    column.iSubItem = i;
    ListView_InsertColumn(list, i, &column);
  }
  ListView_SetItemCountEx(list, query.RecordCount(), LVSICF_NOINVALIDATEALL);
  Painted(host);
  RECT listClient{};
  GetClientRect(list, &listClient);

  Contender skinned{"grid, skinned scroll bars", grid->Handle(), form->Handle(), {}};
  Contender listView{"owner-data list view, platform's scroll bars", list, host, {}};
  Contender plain{"grid, its own scroll bars (wrapper switched off)", grid->Handle(), form->Handle(), {}};
  // warm up each, then the rounds in turn
  for (Contender* c : {&skinned, &listView, &plain}) {
    const bool off = c == &plain;
    SendMessageW(grid->Handle(), kSkinMsgSwitch, off ? 0 : 1, 0);
    for (int p = 0; p < kPages; ++p) PageDown(*c);
    BackToTop(*c);
    c->times.clear();
  }
  for (int round = 0; round < kRounds; ++round) {
    for (Contender* c : {&skinned, &listView, &plain}) {
      SendMessageW(grid->Handle(), kSkinMsgSwitch, c == &plain ? 0 : 1, 0);
      Painted(form->Handle());
      for (int p = 0; p < kPages; ++p) PageDown(*c);
      BackToTop(*c);
    }
  }

  std::printf("Xi'an: %d rows x %d columns; grid client %ld x %ld, %d rows a page; list view client %ld x %ld, %d rows a page\n",
              query.RecordCount(), texts.columns, gridClient.right, gridClient.bottom, grid->VisibleRowCount(),
              listClient.right, listClient.bottom, ListView_GetCountPerPage(list));
  std::printf("page down (median of %d rounds x %d pages)\n", kRounds, kPages);
  const double reference = Median(listView.times);
  for (const Contender* c : {&skinned, &listView, &plain}) {
    std::printf("  %-52s %7.2f ms  %5.2fx the list view\n", c->name, Median(c->times), Median(c->times) / reference);
  }
  std::fflush(stdout);
  gTexts = nullptr;
  DestroyWindow(host);
  form->Free();
  Settle();
  return 0;
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  TApplication app;
  app.Initialize();
  RegisterFrameworkClasses();
  RegisterGridClasses();
  try {
    return Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "scroll_timing: %s\n", e.what());
    return 1;
  }
}
