// Published properties read and written by name, as the skin engine and tools use them.
#include <gtest/gtest.h>

#include "framework/Properties.h"
#include "tests/support/TestComponents.h"

namespace bus::test {
namespace {

TEST(Properties, RoutinesAnswerNeutralForMissingObjectsAndNames) {
  EXPECT_EQ(GetIntProperty(nullptr, "Count"), 0);
  EXPECT_EQ(GetEnumPropertyName(nullptr, "Active"), "");
  EXPECT_EQ(GetTextProperty(nullptr, "Caption"), "");
  EXPECT_EQ(GetObjectProperty(nullptr, "Style"), nullptr);
  SetPropertyText(nullptr, "Count", "3");  // nothing happens
  TThing t(nullptr);
  EXPECT_EQ(GetIntProperty(&t, "NumButtons"), 0);
  EXPECT_EQ(GetIntProperty(&t, "Caption"), 0);       // wrong kind reads neutral too
  EXPECT_EQ(GetTextProperty(&t, "Count"), "");
  EXPECT_EQ(GetEnumPropertyName(&t, "Count"), "");
  SetPropertyText(&t, "Transparent", "True");       // unknown: left alone
  SetPropertyText(&t, "Caption", "x");              // text kind: left alone
  EXPECT_EQ(t.Caption(), "");
}

TEST(Properties, NamesIgnoreCaseAndValuesUseIdentifiers) {
  TThing t(nullptr);
  t.SetCaption("路");
  t.SetActive(false);
  EXPECT_EQ(GetTextProperty(&t, "caption"), "路");
  EXPECT_EQ(GetEnumPropertyName(&t, "ACTIVE"), "False");
  SetPropertyText(&t, "active", "true");
  EXPECT_TRUE(t.Active());
  SetPropertyText(&t, "Shape", "STSQUARE");
  EXPECT_EQ(GetEnumPropertyName(&t, "shape"), "stSquare");
  SetPropertyText(&t, "Shape", "stOval");  // no such identifier: left alone
  EXPECT_EQ(t.Shape(), TShape::stSquare);
  SetPropertyText(&t, "count", "42");
  EXPECT_EQ(GetIntProperty(&t, "Count"), 42);
  SetPropertyText(&t, "count", "4x");  // not decimal: left alone
  EXPECT_EQ(t.Count(), 42);
  EXPECT_EQ(GetObjectProperty(&t, "style", &TStyle::StaticClassInfo()), t.Style());
  EXPECT_EQ(GetObjectProperty(&t, "style", &TComponent::StaticClassInfo()), nullptr);  // wrong class
  EXPECT_EQ(GetObjectProperty<TStyle>(&t, "Style"), t.Style());
}

TEST(Properties, AnyPropertyRoundTripsThroughText) {
  TComponent root(nullptr);
  auto* a = new TThing(&root);
  a->SetName("A");
  auto* b = new TThing(&root);
  b->SetName("B");
  SetPropertyValue(a, "Edges", "[ ekTop , ekBottom ]");
  EXPECT_EQ(GetPropertyValue(a, "edges"), "[ekTop, ekBottom]");
  SetPropertyValue(a, "Edges", "[]");
  EXPECT_EQ(GetPropertyValue(a, "Edges"), "[]");
  SetPropertyValue(a, "Style.Size", "12");
  EXPECT_EQ(GetPropertyValue(a, "style.size"), "12");
  SetPropertyValue(a, "Buddy", "b", &root);
  EXPECT_EQ(a->Buddy(), b);
  EXPECT_EQ(GetPropertyValue(a, "Buddy"), "B");
  SetPropertyValue(a, "Buddy", "", &root);
  EXPECT_EQ(a->Buddy(), nullptr);
  SetPropertyValue(a, "Lines", "one\r\ntwo\r\n");
  EXPECT_EQ(GetPropertyValue(a, "Lines"), "one\r\ntwo\r\n");
  EXPECT_THROW(SetPropertyValue(a, "Edges", "[ekNone]"), EPropertyError);
  EXPECT_THROW(SetPropertyValue(a, "Edges", "ekTop"), EPropertyError);
  EXPECT_THROW(SetPropertyValue(a, "Count", "ten"), EPropertyError);
  EXPECT_THROW(SetPropertyValue(a, "Nope", "1"), EPropertyError);
  EXPECT_THROW(SetPropertyValue(a, "Buddy", "Ghost", &root), EPropertyError);
  EXPECT_THROW(SetPropertyValue(a, "Caption.Size", "1"), EPropertyError);
}

TEST(Properties, PublishedListIncludesAncestorsOnce) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TThingForm::StaticClassInfo().AllProperties()) names.push_back(p->name);
  EXPECT_EQ(names.front(), "Name");
  EXPECT_EQ(std::count(names.begin(), names.end(), "Count"), 1);
  EXPECT_NE(std::find(names.begin(), names.end(), "OnMeasure"), names.end());
}

}  // namespace
}  // namespace bus::test
