#include "grid/DBGridNode.h"

namespace bus {

namespace {
const Variant kEmptyVariant;
}  // namespace

TrgDBGridNode::Extras& TrgDBGridNode::Extra() {
  if (!extras_) extras_ = std::make_unique<Extras>();
  return *extras_;
}

const Variant& TrgDBGridNode::GroupValue() const noexcept { return extras_ ? extras_->group : kEmptyVariant; }
void TrgDBGridNode::SetGroupValue(Variant v) { Extra().group = std::move(v); }
const Variant& TrgDBGridNode::SummaryValue() const noexcept { return extras_ ? extras_->summary : kEmptyVariant; }
void TrgDBGridNode::SetSummaryValue(Variant v) { Extra().summary = std::move(v); }
std::vector<Variant>& TrgDBGridNode::SummaryList() { return Extra().list; }

}  // namespace bus
