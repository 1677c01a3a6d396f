// Collections: an owned, ordered list of items of one class, each with published properties
// (status bar panels). A form description writes them as  Panels = < item Width = 100 end ... >.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/Persistent.h"

namespace bus {

class TCollection;

class TCollectionItem : public TPersistent {
  BUS_CLASS(TCollectionItem)
public:
  explicit TCollectionItem(TCollection* collection) : collection_(collection) {}
  TCollection* Collection() const noexcept { return collection_; }
  // Position in the collection.
  int Index() const noexcept;

protected:
  // Tells the collection that this item changed (it repaints its owner, for example).
  void Changed();

private:
  TCollection* collection_;  // the collection holding this item
};

class TCollection : public TPersistent {
  BUS_CLASS(TCollection)
public:
  using Factory = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;
  explicit TCollection(Factory makeItem) : makeItem_(std::move(makeItem)) {}

  int Count() const noexcept { return int(items_.size()); }
  TCollectionItem* Items(int index) const { return items_.at(size_t(index)).get(); }
  // Appends a new item and returns it.
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  // Groups changes: Update runs once when the outermost EndUpdate ends.
  void BeginUpdate() noexcept { ++updateCount_; }
  void EndUpdate();

  // Runs when an item was added, removed or changed (item null: many changed).
  std::function<void(TCollectionItem* item)> OnUpdate;

protected:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);

private:
  Factory makeItem_;                                   // makes one item of the collection's class
  std::vector<std::unique_ptr<TCollectionItem>> items_;  // in order
  int updateCount_ = 0;                                // BeginUpdate nesting
};

// A collection whose items are of class T; Items() typed.
template <class T>
class TOwnedCollection : public TCollection {
public:
  TOwnedCollection() : TCollection([](TCollection* c) { return std::make_unique<T>(c); }) {}
  T* Items(int index) const { return static_cast<T*>(TCollection::Items(index)); }
  T* Add() { return static_cast<T*>(TCollection::Add()); }
};

}  // namespace bus
