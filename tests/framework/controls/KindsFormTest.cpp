// The kinds form as a whole: every published property of every control reads back what it is set
// to by name (the getters and setters of a property agree, and setting a value a control already
// has changes nothing else), and the form goes without leaving windows or GDI objects behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "framework/Properties.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "tests/framework/controls/KindsTest.h"
#include "tests/support/GdiObjectCount.h"

namespace bus::test {
namespace {

// Every property that text can set, of every component of the form, as "Component.Property".
std::map<std::string, std::string> PropertyValues(TComponent& root) {
  std::map<std::string, std::string> values;
  for (int i = 0; i < root.ComponentCount(); ++i) {
    TComponent* c = root.Components(i);
    for (const TPropInfo* p : c->ClassInfo().AllProperties()) {
      const bool settable = (p->setOrdinal && p->kind != TPropKind::Event) || p->setText || p->setStrings || p->setObject;
      if (settable) values[c->Name() + "." + p->name] = GetPropertyValue(c, p->name);
    }
  }
  return values;
}

TEST_F(ControlKinds, EveryPropertyReadsBackWhatItIsSetToByName) {
  // a user's choices first, so the values are not all the stored ones
  Get<TComboBox>("ComboBox2").SetItemIndex(1);
  Get<TPageControl>("PageControl1").SetActivePage(&Get<TTabSheet>("TabSheet2"));
  const auto before = PropertyValues(*form_);
  ASSERT_GT(before.size(), 100u);
  for (const auto& [path, value] : before) {
    const size_t dot = path.find('.');
    SetPropertyValue(form_->FindComponent(path.substr(0, dot)), path.substr(dot + 1), value, form_);
  }
  const auto after = PropertyValues(*form_);
  for (const auto& [path, value] : before) EXPECT_EQ(after.at(path), value) << path;
  EXPECT_TRUE(Events().empty());
}

TEST_F(ControlKinds, TheFormGoesWithEveryWindowAndGdiObjectItMade) {
  HWND h = form_->Handle();
  form_->Free();
  form_ = nullptr;
  PumpPending();
  EXPECT_FALSE(IsWindow(h));
  // what is made once on first use (window classes, the common controls' own objects) stays: a
  // second form, used and freed, must leave the counts where the first one left them
  const int windows = ThreadWindowCount(), gdi = GdiObjectCount();
  auto* again = Application->CreateForm<TfrmKinds>(kKindsDescription);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(again->Handle()) != 0; }));
  EXPECT_GT(ThreadWindowCount(), windows + 5);  // the form and its windowed controls
  again->Get<TComboBox>("ComboBox1").SetDroppedDown(true);
  again->Get<TComboBox>("ComboBox1").SetDroppedDown(false);
  again->Get<TPageControl>("PageControl1").SetActivePage(&again->Get<TTabSheet>("TabSheet2"));
  PumpPending();
  again->Free();
  PumpPending();
  EXPECT_EQ(ThreadWindowCount(), windows);
  if (gdi >= 0) {  // counted on Windows only
    EXPECT_LE(GdiObjectCount(), gdi);
  }
}

}  // namespace
}  // namespace bus::test
