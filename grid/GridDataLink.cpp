#include "grid/GridDataLink.h"

namespace bus {

namespace {
constexpr int kBufferedRecords = 100;  // records mirrored without the load-all mode
}  // namespace

TrgGridDataLink::TrgGridDataLink(TCustomrgDBTreeListControl* grid) : TrgDBTreeListControlDataLink(grid) {}

void TrgGridDataLink::SetLoadAll(bool loadAll) noexcept { SetBufferCount(loadAll ? 1 : kBufferedRecords); }

}  // namespace bus
