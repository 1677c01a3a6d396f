#include "tests/support/TestComponents.h"

#include "framework/ClassRegistry.h"

namespace bus::test {

std::vector<std::string>& EventLog() {
  static std::vector<std::string> log;
  return log;
}

const TClassInfo& TPart::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPart>("TPart", TCollectionItem::StaticClassInfo())
                                     .Int("Width", &TPart::Width, &TPart::SetWidth, 50)
                                     .Text("Text", &TPart::Text, &TPart::SetText)
                                     .Build();
  return info;
}

const TClassInfo& TStyle::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStyle>("TStyle", TPersistent::StaticClassInfo())
                                     .Text("FaceName", &TStyle::FaceName, &TStyle::SetFaceName)
                                     .Int("Size", &TStyle::Size, &TStyle::SetSize, 8)
                                     .Build();
  return info;
}

namespace {
const TIdentList kShapes{"stCircle", "stSquare", "stTriangle"};
const TIdentList kEdges{"ekLeft", "ekTop", "ekRight", "ekBottom"};
}  // namespace

const TClassInfo& TThing::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TThing>("TThing", TComponent::StaticClassInfo())
          .Creatable()
          .Int("Count", &TThing::Count, &TThing::SetCount)
          .Bool("Active", &TThing::Active, &TThing::SetActive, false)
          .Enum("Shape", &TThing::Shape, &TThing::SetShape, kShapes, TShape::stCircle)
          .SetOf("Edges", &TThing::Edges, &TThing::SetEdges, kEdges, TEdges{TEdge::ekLeft, TEdge::ekTop})
          .Text("Caption", &TThing::Caption, &TThing::SetCaption)
          .Reference<TThing>("Buddy", &TThing::Buddy, &TThing::SetBuddy)
          .Object<TStyle>("Style", &TThing::Style)
          .Strings("Lines", &TThing::Lines, &TThing::SetLines)
          .Collection("Parts", &TThing::Parts)
          .Binary("Data", &TThing::ReadData)
          .Event("OnChange", &TThing::OnChange)
          .Event("OnMeasure", &TThing::OnMeasure)
          .Build();
  return info;
}

void TThing::SetBuddy(TThing* b) {
  if (buddy_) buddy_->RemoveFreeNotification(this);
  buddy_ = b;
  if (b) b->FreeNotification(this);
}

void TThing::ReadData(TStream& s) {
  std::int32_t n = 0;
  s.ReadBuffer(&n, 4);
  if (n < 0) throw EReadError("negative length");
  data_.resize(size_t(n));
  if (n) s.ReadBuffer(data_.data(), size_t(n));
}

void TThing::SetParentComponent(TComponent* parent) {
  if (auto* t = dynamic_cast<TThing*>(parent); t && parent != Owner()) {
    container_ = t;
    t->children_.push_back(this);
    return;
  }
  TComponent::SetParentComponent(parent);
}

void TThing::Loaded() {
  TComponent::Loaded();
  EventLog().push_back("Loaded:" + Name());
}

void TThing::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  EventLog().push_back("Notify:" + Name() + "-" + component->Name());
  if (component == buddy_) buddy_ = nullptr;
  if (component == container_) container_ = nullptr;
  std::erase(children_, component);
}

TThingForm::TThingForm(TComponent* owner) : TThing(owner) {
  PublishMethod("ThingChange", &TThingForm::ThingChange);
  PublishMethod("ThingMeasure", &TThingForm::ThingMeasure);
  PublishField("First", &First);
  PublishField("Second", &Second);
}

const TClassInfo& TThingForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TThingForm>("TThingForm", TThing::StaticClassInfo()).Build();
  return info;
}

void RegisterTestClasses() { RegisterClasses({&TThing::StaticClassInfo(), &TThingForm::StaticClassInfo()}); }

}  // namespace bus::test
