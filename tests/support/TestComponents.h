// Small components with one property of every kind, used by the portable framework tests and the
// description reader's fuzz target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Stream.h"
#include "framework/Collection.h"
#include "framework/Component.h"
#include "framework/Properties.h"

namespace bus::test {

enum class TShape { stCircle, stSquare, stTriangle };
enum class TEdge { ekLeft, ekTop, ekRight, ekBottom };
using TEdges = TSet<TEdge>;

// Everything that happened, in order: "Loaded:Name", "Notify:Name-<removed>", "Set:Prop".
std::vector<std::string>& EventLog();

class TPart : public TCollectionItem {
  BUS_CLASS(TPart)
public:
  using TCollectionItem::TCollectionItem;
  int Width() const { return width_; }
  void SetWidth(int w) { width_ = w; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& t) { text_ = t; }

private:
  int width_ = 50;    // published
  std::string text_;  // published
};

// A held object with its own properties (like a font).
class TStyle : public TPersistent {
  BUS_CLASS(TStyle)
public:
  const std::string& FaceName() const { return face_; }
  void SetFaceName(const std::string& f) { face_ = f; }
  int Size() const { return size_; }
  void SetSize(int s) { size_ = s; }

private:
  std::string face_ = "Default";  // published
  int size_ = 8;                  // published
};

class TThing : public TComponent {
  BUS_CLASS(TThing)
public:
  explicit TThing(TComponent* owner) : TComponent(owner) {}

  int Count() const { return count_; }
  void SetCount(int c) {
    count_ = c;
    EventLog().push_back("Set:Count");
  }
  bool Active() const { return active_; }
  void SetActive(bool a) {
    active_ = a;
    activeWhileLoading_ = Loading();
  }
  bool ActiveSetWhileLoading() const { return activeWhileLoading_; }
  TShape Shape() const { return shape_; }
  void SetShape(TShape s) { shape_ = s; }
  TEdges Edges() const { return edges_; }
  void SetEdges(TEdges e) { edges_ = e; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  TThing* Buddy() const { return buddy_; }
  void SetBuddy(TThing* b);
  TStyle* Style() const { return const_cast<TStyle*>(&style_); }
  const TStringList& Lines() const { return lines_; }
  void SetLines(const TStringList& l) { lines_.Assign(l); }
  TOwnedCollection<TPart>* Parts() const { return const_cast<TOwnedCollection<TPart>*>(&parts_); }
  const std::vector<std::uint8_t>& Data() const { return data_; }
  // Reads a signed 32-bit little-endian length, then that many bytes.
  void ReadData(TStream& s);
  // The parent given by a description (only other TThings accept children).
  TThing* Container() const { return container_; }
  void SetParentComponent(TComponent* parent) override;
  // Child things placed inside this one.
  int ChildCount() const { return int(children_.size()); }

  TNotifyEvent OnChange;                 // published
  TEvent<TObject*, int&> OnMeasure;      // published

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  int count_ = 0;                 // published Integer
  bool active_ = false;           // published Boolean
  bool activeWhileLoading_ = false;  // Active was set during loading
  TShape shape_ = TShape::stCircle;  // published enumeration
  TEdges edges_{TEdge::ekLeft, TEdge::ekTop};  // published set
  std::string caption_;           // published text
  TThing* buddy_ = nullptr;       // published reference
  TStyle style_;                  // published held object
  TStringList lines_;             // published lines
  TOwnedCollection<TPart> parts_; // published collection
  std::vector<std::uint8_t> data_;  // published binary
  TThing* container_ = nullptr;   // parent from the description
  std::vector<TThing*> children_; // things placed inside
};

// A root with published handlers and fields.
class TThingForm : public TThing {
  BUS_CLASS(TThingForm)
public:
  explicit TThingForm(TComponent* owner);
  void ThingChange(TObject* sender) { changes.push_back(sender); }
  void ThingMeasure(TObject*, int& size) { size += 10; }

  std::vector<TObject*> changes;  // senders of ThingChange
  TThing* First = nullptr;        // published field
  TThing* Second = nullptr;       // published field
};

// Registers TThing and TThingForm with the class registry.
void RegisterTestClasses();

}  // namespace bus::test
