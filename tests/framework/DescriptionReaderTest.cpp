// Form descriptions: every value kind, stored order, references resolved after reading, handler
// binding, Loaded order, and errors that name their line.
#include <gtest/gtest.h>

#include "framework/DescriptionReader.h"
#include "framework/Properties.h"
#include "tests/support/TestComponents.h"

namespace bus::test {
namespace {

class DescriptionReader : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    EventLog().clear();
    form_ = new TThingForm(nullptr);
  }
  void TearDown() override { FreeAndNil(form_); }

  // Reads text into a fresh form and returns the error message ("" when it read).
  std::string ErrorOf(const std::string& text) {
    FreeAndNil(form_);
    form_ = new TThingForm(nullptr);
    try {
      ReadDescription(text, *form_);
    } catch (const EDescriptionError& e) {
      return e.Message();
    }
    return "";
  }

  TThingForm* form_ = nullptr;
};

const char* const kForm = R"(// a test form
object Form1: TThingForm
  Caption = 'It''s ' + #26085'ok'   // quote doubled, character code, pieces joined
  Count = -12
  OnChange = ThingChange
  object First: TThing
    Count = $1F
    Active = True
    Shape = stTriangle
    Edges = [ekRight, ekBottom]
    Buddy = Second                  // a reference written before its target exists
    Style.FaceName = 'MS Sans Serif'
    Style.Size = 9
    Lines = ('select * from way' '' 'line 3')
    Parts = <
      item Width = 100 end
      item Width = 300 Text = 'status' end
      item end
    >
    Data = {05000000 01 02
            0304ff}
    OnChange = ThingChange
    OnMeasure = thingmeasure       // method names ignore letter case
    object Inner: TThing
      Edges = []
    end
  end
  object Second: TThing
    Buddy = Form1
  end
end
)";

TEST_F(DescriptionReader, ReadsEveryKindOfValue) {
  ReadDescription(kForm, *form_);
  EXPECT_EQ(form_->Name(), "Form1");
  EXPECT_EQ(form_->Caption(), "It's 日ok");
  EXPECT_EQ(form_->Count(), -12);
  ASSERT_NE(form_->First, nullptr);
  ASSERT_NE(form_->Second, nullptr);
  TThing& first = *form_->First;
  EXPECT_EQ(first.Count(), 31);
  EXPECT_TRUE(first.Active());
  EXPECT_EQ(first.Shape(), TShape::stTriangle);
  EXPECT_EQ(first.Edges(), (TEdges{TEdge::ekRight, TEdge::ekBottom}));
  EXPECT_EQ(first.Buddy(), form_->Second);
  EXPECT_EQ(form_->Second->Buddy(), form_);
  EXPECT_EQ(first.Style()->FaceName(), "MS Sans Serif");
  EXPECT_EQ(first.Style()->Size(), 9);
  EXPECT_EQ(first.Lines(), (TStringList{"select * from way", "", "line 3"}));
  ASSERT_EQ(first.Parts()->Count(), 3);
  EXPECT_EQ(first.Parts()->Items(1)->Width(), 300);
  EXPECT_EQ(first.Parts()->Items(1)->Text(), "status");
  EXPECT_EQ(first.Parts()->Items(2)->Width(), 50);  // default kept
  EXPECT_EQ(first.Data(), (std::vector<std::uint8_t>{1, 2, 3, 4, 0xFF}));

  // handlers are bound to the root's methods; one handler serves several components
  first.OnChange(&first);
  form_->OnChange(form_);
  EXPECT_EQ(form_->changes, (std::vector<TObject*>{&first, form_}));
  int size = 1;
  first.OnMeasure(&first, size);
  EXPECT_EQ(size, 11);

  // all components are owned by the root, in stored order; Inner sits inside First
  ASSERT_EQ(form_->ComponentCount(), 3);
  EXPECT_EQ(form_->Components(0)->Name(), "First");
  EXPECT_EQ(form_->Components(1)->Name(), "Inner");
  EXPECT_EQ(form_->Components(2)->Name(), "Second");
  auto* inner = dynamic_cast<TThing*>(form_->Components(1));
  EXPECT_EQ(inner->Container(), &first);
  EXPECT_TRUE(inner->Edges().Empty());
}

TEST_F(DescriptionReader, LoadedRunsAfterEveryReferenceInStoredOrderRootFirst) {
  ReadDescription(kForm, *form_);
  std::vector<std::string> loaded;
  for (const auto& e : EventLog())
    if (e.rfind("Loaded:", 0) == 0) loaded.push_back(e);
  EXPECT_EQ(loaded, (std::vector<std::string>{"Loaded:Form1", "Loaded:First", "Loaded:Inner", "Loaded:Second"}));
  for (int i = 0; i < form_->ComponentCount(); ++i) EXPECT_FALSE(form_->Components(i)->Loading());
  EXPECT_FALSE(form_->Loading());
}

TEST_F(DescriptionReader, PropertiesAreSetWhileLoadingThroughTheSetters) {
  ReadDescription("object F: TThingForm\n object First: TThing\n Active = True\n end\nend\n", *form_);
  EXPECT_TRUE(form_->First->ActiveSetWhileLoading());
}

TEST_F(DescriptionReader, BadDescriptionsNameTheLine) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"object F: TThingForm\n  Count = 'x'\nend", "line 2: wrong kind of value for Count"},
      {"object F: TThingForm\n\n  Nope = 1\nend", "line 3: TThingForm has no property Nope"},
      {"object F: TThingForm\n  object A: TWidget\n  end\nend", "line 2: unknown class TWidget"},
      {"object F: TThingForm\n  object A: TThing\n    Buddy = Ghost\n  end\nend", "line 3: no component named Ghost"},
      {"object F: TThingForm\n  OnChange = Missing\nend", "line 2: TThingForm has no method Missing"},
      {"object F: TThingForm\n  OnChange = ThingMeasure\nend", "line 2: the handler does not fit this event"},
      {"object F: TThingForm\n  Shape = stOval\nend", "line 2: 'stOval' is not a value for Shape"},
      {"object F: TThingForm\n  Edges = [ekLeft, ekMiddle]\nend", "line 2: 'ekMiddle' is not a member of Edges"},
      {"object F: TThingForm\n  Caption = 'open\nend", "line 2: unterminated text"},
      {"object F: TThingForm\n  Data = {0100000}\nend", "line 2: odd number of hexadecimal digits"},
      {"object F: TThingForm\n  Data = {09000000 01}\nend", "line 2: "},  // the reader's own error
      {"object F: TThingForm\n  object A: TThing\n  end\n  object a: TThing\n  end\nend",
       "line 4: a component named a already exists"},
      {"object F: TThingForm\n  Style = 1\nend", "line 2: Style is set through its own properties"},
      {"object F: TComponent\nend", "line 1: the description is for a TComponent, not a TThingForm"},
      {"object F: TThingForm\n  Count = 99999999999999999999\nend", "line 2: number too large"},
      {"object F: TThingForm\nend\nend", "line 3: text after the final 'end'"},
      {"object F: TThingForm\n  Count = 1", "line 2: property name, 'object' or 'end' expected"},
  };
  for (const Case& c : cases) {
    const std::string message = ErrorOf(c.text);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.text << "\n  gave: " << message;
    EXPECT_EQ(message.rfind("form description, line ", 0), 0u) << message;
  }
}

// A value the description reader refuses is refused by the property setter for the same reason,
// and a dotted path leads to the same property in both.
TEST_F(DescriptionReader, TheReaderAndThePropertySetterRefuseAndReachAlike) {
  struct Case {
    const char* name;
    const char* text;         // the value as the setter takes it
    const char* stored;       // the value as a description stores it
    const char* message;
  } cases[] = {
      {"Nope", "1", "1", "TThingForm has no property Nope"},
      {"Shape", "stOval", "stOval", "'stOval' is not a value for Shape"},
      {"Count", "clRed", "clRed", "'clRed' is not a value for Count"},
      {"Edges", "[ekLeft, ekMiddle]", "[ekLeft, ekMiddle]", "'ekMiddle' is not a member of Edges"},
      {"Caption.Size", "1", "1", "TThingForm has no object property Caption"},
      {"Style.Nope", "1", "1", "TStyle has no property Nope"},
  };
  for (const Case& c : cases) {
    const std::string read =
        ErrorOf(std::string("object F: TThingForm\n  ") + c.name + " = " + c.stored + "\nend");
    EXPECT_EQ(read, std::string("form description, line 2: ") + c.message);
    try {
      SetPropertyValue(form_, c.name, c.text);
      ADD_FAILURE() << c.name << " = " << c.text << " was taken";
    } catch (const EPropertyError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_EQ(ErrorOf("object F: TThingForm\n  Style.Size = 7\nend"), "");
  EXPECT_EQ(GetPropertyValue(form_, "Style.Size"), "7");
  SetPropertyValue(form_, "style.size", "9");
  EXPECT_EQ(form_->Style()->Size(), 9);
}

TEST_F(DescriptionReader, AFailedReadLeavesNoComponentLoading) {
  EXPECT_NE(ErrorOf("object F: TThingForm\n object A: TThing\n end\n Nope = 1\nend"), "");
  ASSERT_EQ(form_->ComponentCount(), 1);
  EXPECT_FALSE(form_->Components(0)->Loading());
  EXPECT_FALSE(form_->Loading());
}

TEST_F(DescriptionReader, DeepNestingIsRefusedNotOverflowed) {
  std::string text = "object F: TThingForm\n";
  for (int i = 0; i < 200; ++i) text += "object T" + std::to_string(i) + ": TThing\n";
  EXPECT_NE(ErrorOf(text).find("nested too deeply"), std::string::npos);
}

}  // namespace
}  // namespace bus::test
