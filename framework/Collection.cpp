#include "framework/Collection.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo info{"TCollectionItem", &TPersistent::StaticClassInfo(), {}, {}};
  return info;
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo info{"TCollection", &TPersistent::StaticClassInfo(), {}, {}};
  return info;
}

int TCollectionItem::Index() const noexcept {
  for (int i = 0; i < collection_->Count(); ++i)
    if (collection_->Items(i) == this) return i;
  return -1;
}

void TCollectionItem::Changed() {
  if (collection_) collection_->Changed(this);
}

TCollectionItem* TCollection::Add() {
  items_.push_back(makeItem_(this));
  Changed(nullptr);
  return items_.back().get();
}

void TCollection::Delete(int index) {
  items_.erase(items_.begin() + index);
  Changed(nullptr);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed(nullptr);
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
  if (updateCount_ == 0 && OnUpdate) OnUpdate(item);
}

}  // namespace bus
