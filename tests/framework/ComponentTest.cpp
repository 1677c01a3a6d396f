// The component model: ownership order, names, class identity, removal notifications and the
// two-phase destruction that frees owned components while their owner is still whole.
#include <gtest/gtest.h>

#include "framework/Component.h"
#include "tests/support/TestComponents.h"

namespace bus::test {
namespace {

// A component whose destructor looks at the component that created it: through a dynamic_cast,
// which fails once that object's most derived part has been destroyed.
class TProbe : public TComponent {
public:
  TProbe(TComponent* owner, std::vector<std::string>* seen) : TComponent(owner), host_(owner), seen_(seen) {}
  ~TProbe() override {
    seen_->push_back(Name() + (Owner() ? " owned" : " released") +
                     (dynamic_cast<TThing*>(host_) ? " host whole" : " host gone"));
  }

private:
  TComponent* host_;                // the owner it was created with
  std::vector<std::string>* seen_;  // where the destructor reports
};

TEST(Component, OwnsInCreationOrderFindsByNameAndFreesLastFirst) {
  std::vector<std::string> seen;
  auto* form = new TThingForm(nullptr);
  form->SetName("Form1");
  auto* a = new TProbe(form, &seen);
  a->SetName("A");
  auto* b = new TProbe(form, &seen);
  b->SetName("B");
  auto* c = new TProbe(form, &seen);
  c->SetName("C");
  ASSERT_EQ(form->ComponentCount(), 3);
  EXPECT_EQ(form->Components(0), a);
  EXPECT_EQ(form->Components(2), c);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(form->FindComponent("b"), b);  // letter case ignored
  EXPECT_EQ(form->FindComponent("D"), nullptr);

  b->Free();  // leaves the owner's list at once
  EXPECT_EQ(form->ComponentCount(), 2);
  form->Free();
  EXPECT_EQ(seen, (std::vector<std::string>{"B released host whole", "C released host whole",
                                            "A released host whole"}));
}

TEST(Component, OwnedComponentsGoWhileTheOwnerIsStillWhole) {
  // Free() runs the owner's destruction phase before any destructor, so the owned components'
  // destructors run while the owner is whole; the owner hears of each removal first.
  struct TOwnerChecks : public TThing {
    explicit TOwnerChecks(std::vector<std::string>* seen) : TThing(nullptr), seen(seen) {}
    ~TOwnerChecks() override { seen->push_back("owner destructor"); }
    void Notification(TComponent* component, TOperation op) override {
      TThing::Notification(component, op);
      if (op == TOperation::opRemove) seen->push_back("owner told " + component->Name());
    }
    std::vector<std::string>* seen;
  };
  std::vector<std::string> seen;
  auto* owner = new TOwnerChecks(&seen);
  (new TProbe(owner, &seen))->SetName("P");
  owner->Free();
  EXPECT_EQ(seen, (std::vector<std::string>{"owner told P", "P released host whole", "owner destructor"}));
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto* x = new TComponent(&owner);
  x->SetName("Edit3");
  auto* y = new TComponent(&owner);
  EXPECT_THROW(y->SetName("EDIT3"), EComponentError);
  EXPECT_THROW(y->SetName("3Edit"), EComponentError);
  EXPECT_THROW(y->SetName("Ed it"), EComponentError);
  y->SetName("Edit4");
  EXPECT_EQ(y->Name(), "Edit4");
  y->SetName("");  // unnamed is allowed, any number of times
  (new TComponent(&owner))->SetName("");
  // an owner-less component needs no unique name
  TComponent loose(nullptr);
  loose.SetName("Edit3");
}

TEST(Component, ClassNamesAndClassTests) {
  TThingForm form(nullptr);
  EXPECT_EQ(form.ClassName(), "TThingForm");
  EXPECT_TRUE(form.InheritsFrom("TTHING"));  // whole name, letter case ignored
  EXPECT_TRUE(form.InheritsFrom("TComponent"));
  EXPECT_FALSE(form.InheritsFrom("TThin"));
  EXPECT_TRUE(TThingForm::StaticClassInfo().InheritsFrom(TThing::StaticClassInfo()));
  EXPECT_FALSE(TThing::StaticClassInfo().InheritsFrom(TThingForm::StaticClassInfo()));
  TObject* asObject = &form;
  EXPECT_NE(dynamic_cast<TThing*>(asObject), nullptr);
}

TEST(Component, RemovalIsToldToTheOwnersComponentsAndToSubscribers) {
  EventLog().clear();
  auto* form = new TThingForm(nullptr);
  form->SetName("F");
  auto* list = new TThing(form);
  list->SetName("List");
  auto* tray = new TThing(form);
  tray->SetName("Tray");
  tray->SetBuddy(list);
  // a component of another owner subscribes explicitly
  TThing outsider(nullptr);
  outsider.SetName("Out");
  outsider.SetBuddy(list);

  EventLog().clear();
  list->Free();
  EXPECT_EQ(tray->Buddy(), nullptr);
  EXPECT_EQ(outsider.Buddy(), nullptr);
  const auto& log = EventLog();
  EXPECT_NE(std::find(log.begin(), log.end(), "Notify:Out-List"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "Notify:Tray-List"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "Notify:F-List"), log.end());

  // a subscriber that goes first is forgotten: freeing the target later tells nobody stale
  auto* target = new TThing(nullptr);
  target->SetName("T");
  {
    TThing watcher(nullptr);
    watcher.SetBuddy(target);
  }
  EventLog().clear();
  target->Free();
  EXPECT_TRUE(EventLog().empty());
  form->Free();
}

TEST(Component, MovingBetweenOwners) {
  TComponent a(nullptr), b(nullptr);
  auto* c = new TComponent(&a);
  c->SetName("C");
  a.RemoveComponent(c);
  EXPECT_EQ(c->Owner(), nullptr);
  b.InsertComponent(c);
  EXPECT_EQ(c->Owner(), &b);
  EXPECT_EQ(b.FindComponent("C"), c);
  auto* clash = new TComponent(&a);
  clash->SetName("C");
  a.RemoveComponent(clash);
  EXPECT_THROW(b.InsertComponent(clash), EComponentError);
  delete clash;
}

}  // namespace
}  // namespace bus::test
