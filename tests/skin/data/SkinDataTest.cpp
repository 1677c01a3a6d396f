// The skin data component under Wine: our default skin through a form description and our second
// skin's file switched to and back, the reading rules on archives made to measure, the failures that
// must keep the previous skin, and the calls the component makes to the skin manager.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>

#include "core/TextUtil.h"
#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/FrameworkClasses.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Timer.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDescriptorRules.h"
#include "skin/data/SkinReader.h"
#include "skin/form/SkinManager.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

using test::Member;

std::uint32_t Pixel(const TBitmap& bitmap, int x, int y) {
  const int bytes = bitmap.PixelFormat() == pf32bit ? 4 : 3;
  const std::uint8_t* p = bitmap.ScanLine(y) + bytes * x;
  return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

// A descriptor text, the archive's member names written with some upper-case letters.
const std::vector<Member>& ReadingRuleMembers() {
  static const std::vector<Member> members = {
      {"Cap3.bmp", test::BmpFile(60, 20, [](int, int) { return 0x102030; })},      // 3 : 1
      {"cap6.bmp", test::BmpFile(120, 20, [](int, int) { return 0x203040; })},     // 6 : 1
      {"mdi.bmp", test::BmpFile(120, 10, [](int x, int) { return std::uint32_t(x); })},
      {"panel.bmp", test::BmpFile(30, 10, [](int x, int) { return x < 15 ? 0x0000FFu : 0x00FF00u; })},
      {"radio.bmp", test::BmpFile(52, 13, [](int, int) { return 0x777777; })},
      {"check.bmp", test::BmpFile(160, 16, [](int, int) { return 0x888888; })},
      {"thumb.bmp", test::BmpFile(30, 10, [](int, int) { return 0x999999; })},
  };
  return members;
}

const char* const kReadingRuleDescriptor = R"(
[TitlebarSkin]
SkinName=Rules
[Personality]
Left=left.bmp
Top=panel.bmp
TopTopHeight=7
TopBotHeight=9
TopFrame=3
ActiveTextR=10
ActiveTextG=20
ActiveTextB=30
InActiveTextR=1
InActiveTextG=2
TextShift=11
TextShiftVert=12
TextRightClip=13
[Colours]
WindowText=1 2 3
ButtonFace=200,100 50 7
ButtonText=5 6
Hilight=9
[Colour0]
color=10 20 30
[Colours]
[ColoursRevert]
[Colour1]
color=40 50 60
[Customcolors]
Color3=1 1 1
[Button0]
ButtonImage=cap3.bmp
Action=0
[Button1]
ButtonImage=CAP6.bmp
Action=1
Visibility=2
[Button2]
ButtonImage=cap3.bmp
Action=3
[Button3]
ButtonImage=cap3.bmp
Action=-1
[Button4]
ButtonImage=cap3.bmp
Action=-1
Visibility=0
[Button5]
ButtonImage=cap3.bmp
Action=11
frame=2
[Button.Radio]
ButtonImage=cap3.bmp
[MDICONTROLS]
Image=mdi.bmp
[Buttons]
Bitmap=skins\Blue\PANEL.bmp
Tile=3
RadioButton=radio.bmp
CheckButton=check.bmp
PressedColour2=1 2 3
[GroupBox]
Image=panel.bmp
Tile=2
BackgroundLeftShift=4
[Progress]
Bitmap=panel.bmp
Tile=3
Chunk=thumb.bmp
[Toolbars]
Image=panel.BMP
[Headerbar]
Image=
[HorzScrollThumb]
Image=thumb.bmp
[VertScrollThumb]
Image=thumb.bmp
FrameCount=7
[Scrollbar]
Image=thumb.bmp
[Tabs]
Image=panel.bmp
Border=thumb.bmp
Style=9
)";

class SkinData : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::StartSkinTestApplication(); }
  void TearDown() override {
    if (form_) form_->Free();
    FreeSkinManager();
    test::PumpPending();
  }

  // The default skin as the build renders it into a form description.
  static std::string DefaultSkinStream() { return test::ReadFile(test::BinaryDir() / "bussearch.skinstream"); }
  test::TfrmSkinHost* MakeHost(const std::string& skinProperties) {
    form_ = Application->CreateForm<test::TfrmSkinHost>(test::HostDescription(skinProperties));
    return form_;
  }
  static void LoadRules(TSkinData& skin) {
    test::StoreArchive(skin.StoredSkin(), kReadingRuleDescriptor, ReadingRuleMembers());
    ASSERT_TRUE(skin.LoadSkin());
  }

  test::TfrmSkinHost* form_ = nullptr;
};

TEST_F(SkinData, DefaultSkinLoadsThroughTheFormDescription) {
  // the description the build writes from a template, as it does the main form's
  form_ = Application->CreateForm<test::TfrmSkinHost>(test::ReadFile(test::BinaryDir() / "skin_host_form.txt"));
  TSkinData* skin = form_->SkinData1;
  ASSERT_NE(skin, nullptr);
  EXPECT_FALSE(skin->SkinEmpty());
  EXPECT_EQ(skin->SkinName(), "BusSearch Transit");

  // the descriptor the archive carries, for the values the reading copies
  TSkinReader reader;
  ASSERT_TRUE(reader.Load(skin->StoredSkin()));
  TMemoryStream descriptor;
  std::string name;
  ASSERT_TRUE(reader.ExtractByPart(".ini", descriptor, name));
  TQuickIni ini;
  ini.LoadFromStream(descriptor);

  // caption buttons in descriptor order, then the three window-control buttons
  const auto& buttons = skin->SysButtons();
  ASSERT_EQ(buttons.size(), 8u);
  const char* names[] = {"BUTTONCLOSE", "BUTTONMAXIMIZE", "BUTTONRESTORE", "BUTTONMINIMIZE", "BUTTONSYSTEM"};
  for (int i = 0; i < 5; ++i) {
    const TDataSkinSysButton& b = *buttons[std::size_t(i)];
    EXPECT_EQ(b.Name(), names[i]);
    EXPECT_EQ(b.Frame(), ini.ReadInteger(b.Name(), "frame", 0)) << b.Name();
    EXPECT_EQ(b.Action(), ini.ReadInteger(b.Name(), "Action", 0)) << b.Name();
    EXPECT_EQ(b.Xcoord(), ini.ReadInteger(b.Name(), "Xcoord", 0)) << b.Name();
    EXPECT_FALSE(b.Image().Empty()) << b.Name() << ": a frame key of its own keeps the image";
  }
  TBitmap mdi;
  TMemoryStream mdiBytes;
  ASSERT_TRUE(reader.ExtractByName(ini.ReadString("MDICONTROLS", "Image", ""), mdiBytes));
  mdi.LoadFromStream(mdiBytes);
  const int a = mdi.Width() / 12;
  for (int k = 0; k < 3; ++k) {
    const TDataSkinSysButton& b = *buttons[std::size_t(5 + k)];
    EXPECT_EQ(b.Action(), 7 + k);
    EXPECT_EQ(b.Frame(), 4);
    EXPECT_EQ(b.Align(), 100);
    EXPECT_EQ(b.Visibility(), 100);
    EXPECT_EQ(b.Visibility1(), 100);
    EXPECT_EQ(b.Xcoord(), (a + 4) * (3 - k));
    ASSERT_EQ(b.Image().Width(), 4 * a);
    ASSERT_EQ(b.Image().Height(), mdi.Height());
    for (int x = 0; x < 4 * a; x += 5) EXPECT_EQ(Pixel(b.Image(), x, 7), Pixel(mdi, 4 * a * k + x, 7));
  }

  // frame counts fixed after reading; the borders and thumbs keep what their keys say
  const std::pair<const char*, int> fixed[] = {
      {"Buttons", 5},        {"Title", 2},       {"Progress", 2},          {"Personality", 2},    {"GroupBoxEdge", 2},
      {"Toolbars", 5},       {"Tabs", 5},        {"StatusBarEdges", 3},    {"GroupBox", 1},       {"ComboButton", 4},
      {"SunkEdge", 4},       {"ExtraImages", 5}, {"Headerbar", 5},         {"MenuItem", 5},       {"MenuBackground", 1},
      {"Scrollbar", 23},     {"HorzScroll", 4},  {"VertScroll", 4},        {"UpDown.Horz", 8},    {"UpDown.Vert", 8},
      {"Trackbar.ThumbHorz", 5}, {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5}, {"Trackbar.ThumbRight", 5},
      {"Trackbar.ThumbUp", 5},   {"Trackbar.ThumbDown", 5},
  };
  for (const auto& [object, frames] : fixed) {
    const TDataSkinObject* o = skin->FindSkinObject(object);
    ASSERT_NE(o, nullptr) << object;
    EXPECT_EQ(o->Frame(), frames) << object;
    EXPECT_FALSE(o->Image().Empty()) << object;
  }
  EXPECT_EQ(skin->HorzScrollThumb()->Frame(), ini.ReadInteger("HorzScrollThumb", "FrameCount", 3));
  for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
    EXPECT_EQ(skin->FindSkinObject(side)->Frame(), ini.ReadInteger("Personality", std::string(side) + "Frame", 1)) << side;
  }
  EXPECT_EQ(skin->Top()->LeftWidth(), ini.ReadInteger("Personality", "TopTopHeight", 0));
  EXPECT_EQ(skin->Left()->TopHeight(), ini.ReadInteger("Personality", "LeftTopHeight", 0));
  EXPECT_EQ(skin->Buttons()->CheckButtonFrame(), ini.ReadInteger("Buttons", "CheckButtonFrame", 0));
  EXPECT_EQ(skin->Title()->ActiveText(), ParseSkinColour("255 255 255"));

  // the combo images: the composed strip and its mirror for the sunk edge
  const int w = GetSystemMetrics(SM_CXHSCROLL) + 2;
  const TDataSkinBorder* combo = skin->ComboButton();
  const TDataSkinObject* sunk = skin->SunkEdge();
  EXPECT_EQ(combo->Style(), 2);
  EXPECT_EQ(combo->Image().Width(), 4 * kComboCellWidth);
  EXPECT_EQ(combo->Image().Height(), kComboCellHeight);
  EXPECT_EQ(combo->Margins(), (TSkinMargins{2, ini.ReadInteger("SunkEdge", "TopHeight", 0), w + 2,
                                            ini.ReadInteger("SunkEdge", "BottomHeight", 0)}));
  EXPECT_EQ(sunk->LeftWidth(), w + 2);
  EXPECT_EQ(sunk->RightWidth(), 2);
  ASSERT_EQ(sunk->Image().Width(), combo->Image().Width());
  for (int y = 0; y < kComboCellHeight; y += 4) {
    for (int x = 0; x < combo->Image().Width(); x += 3) {
      ASSERT_EQ(Pixel(sunk->Image(), x, y), Pixel(combo->Image(), combo->Image().Width() - 1 - x, y)) << x << "," << y;
    }
  }
  for (int b = 0; b < 4; ++b) EXPECT_EQ(Pixel(combo->Image(), 50 * b + 10, 10), kSkinTransparent) << "field hole " << b;
  // Image2 is the button as drawn, mirrored
  TBitmap original;
  TMemoryStream comboBytes;
  ASSERT_TRUE(reader.ExtractByName(ini.ReadString("ComboButton", "Image", ""), comboBytes));
  original.LoadFromStream(comboBytes);
  ASSERT_EQ(combo->Image2().Width(), original.Width());
  EXPECT_EQ(combo->Image2().PixelFormat(), pf24bit);
  EXPECT_EQ(Pixel(combo->Image2(), 0, 5), Pixel(original, original.Width() - 1, 5));

  // colours, brush, glyphs
  EXPECT_EQ(skin->ButtonFace(), ParseSkinColour(ini.ReadString("Colours", "ButtonFace", "")));
  EXPECT_EQ(skin->ColourTable().size(), ColourTableSections([&] {
                                          TStringList s;
                                          ini.ReadSections(s);
                                          return s;
                                        }())
                                            .size());
  ASSERT_NE(skin->FaceBrush(), nullptr);
  LOGBRUSH lb{};
  GetObjectW(skin->FaceBrush(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, ColorToRGB(skin->ButtonFace()));
  EXPECT_EQ(skin->MenuImages().Count(), 4);
  EXPECT_EQ(skin->MenuImages().Width(), 16);

  // loading registered the component as the main skin and switched skinning on
  ASSERT_NE(SkinManager, nullptr);
  EXPECT_EQ(SkinManager->MainSkin(), skin);
  EXPECT_NE(SkinManager->HookHandle(), nullptr);
  EXPECT_TRUE(SkinManager->Active());
  EXPECT_TRUE(skin->Active());
  // the default kinds, adjusted for a skinned menu bar
  EXPECT_TRUE(skin->SkinControls().Contains(TSkinControlType::xcSystemMenu));
  EXPECT_FALSE(skin->SkinControls().Contains(TSkinControlType::xcMenuItem));
  EXPECT_EQ(skin->Skin3rd().Count(), 110);
}

TEST_F(SkinData, ReadingRulesForCaptionButtonsAndWindowControls) {
  TSkinData skin(nullptr);
  LoadRules(skin);
  // Button3 (Action -1, no Visibility) and Button.Radio are no caption buttons
  std::vector<std::string> names;
  for (const auto& b : skin.SysButtons()) names.push_back(b->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"BUTTON0", "BUTTON1", "BUTTON2", "BUTTON4", "BUTTON5", "MDICONTROLS",
                                             "MDICONTROLS", "MDICONTROLS"}));
  const auto& b = skin.SysButtons();
  EXPECT_EQ(b[0]->Frame(), 3);  // 60 × 20: at most 3.8 : 1
  EXPECT_EQ(b[1]->Frame(), 6);  // 120 × 20
  EXPECT_FALSE(b[1]->Image().Empty()) << "image names ignore letter case";
  EXPECT_EQ(b[2]->Frame(), 3);
  EXPECT_TRUE(b[2]->Image().Empty()) << "the system-menu button shows the window icon";
  EXPECT_EQ(b[3]->Frame(), 6) << "a negative action counts 6 frames";
  EXPECT_EQ(b[3]->Visibility1(), -1);
  EXPECT_EQ(b[3]->CombineOp(), -1);
  EXPECT_EQ(b[4]->Frame(), 2);
  EXPECT_FALSE(b[4]->Image().Empty()) << "a frame key of its own keeps the image";
  // the 120-wide strip of 12 frames: a = 10
  for (int k = 0; k < 3; ++k) {
    const TDataSkinSysButton& m = *b[std::size_t(5 + k)];
    EXPECT_EQ(m.Xcoord(), 14 * (3 - k));
    ASSERT_EQ(m.Image().Width(), 40);
    EXPECT_EQ(Pixel(m.Image(), 0, 3), std::uint32_t(40 * k));
    EXPECT_EQ(Pixel(m.Image(), 39, 3), std::uint32_t(40 * k + 39));
  }
}

TEST_F(SkinData, ReadingRulesForColoursImagesAndObjects) {
  TSkinData skin(nullptr);
  LoadRules(skin);
  EXPECT_EQ(skin.SkinName(), "Rules");
  // three numbers, more than three, two (red only), one (black); absent keys stay platform colours
  EXPECT_EQ(skin.WindowText(), RGBColor(1, 2, 3));
  EXPECT_EQ(skin.ButtonFace(), RGBColor(200, 100, 50));
  EXPECT_EQ(skin.ButtonText(), RGBColor(5, 0, 0));
  EXPECT_EQ(skin.Hilight(), RGBColor(0, 0, 0));
  EXPECT_EQ(skin.MenuText(), clMenuText);
  EXPECT_EQ(skin.ButtonDkShadow(), cl3DDkShadow);
  EXPECT_EQ(skin.Menubar(), RGBColor(200, 100, 50)) << "the menu bar takes ButtonFace when not given";
  EXPECT_EQ(skin.ColourTable(), (std::vector<TColor>{RGBColor(10, 20, 30), clWindowText, RGBColor(40, 50, 60)}));
  EXPECT_EQ(skin.CustomColours()[3], RGBColor(1, 1, 1));
  EXPECT_EQ(skin.CustomColours()[0], clWhite);

  // the image rule: the file-name part, any case of the member's name, ".bmp" in lower case only
  ASSERT_EQ(skin.Buttons()->Image().Width(), 30) << "skins\\Blue\\PANEL.bmp names panel.bmp";
  EXPECT_EQ(skin.Buttons()->Tile(), 3) << "Buttons keep Tile as written";
  EXPECT_EQ(skin.Buttons()->RadioButtonFrame(), 4) << "52 wide, 13 high: by 13";
  EXPECT_EQ(skin.Buttons()->CheckButtonFrame(), 10) << "160 wide, 16 high: by 16";
  EXPECT_FALSE(skin.Buttons()->HasNormalColour2());
  EXPECT_EQ(skin.Buttons()->NormalColour2(), skin.ButtonText());
  EXPECT_TRUE(skin.Buttons()->HasPressedColour2());
  EXPECT_EQ(skin.Buttons()->PressedColour2(), RGBColor(1, 2, 3));
  EXPECT_EQ(skin.Buttons()->NormalColour(), -1);
  ASSERT_NE(skin.Toolbars(), nullptr) << "a value names the object even when its image is empty";
  EXPECT_TRUE(skin.Toolbars()->Image().Empty()) << "\".BMP\" is no bitmap name";
  EXPECT_EQ(skin.Headerbar(), nullptr) << "an empty value leaves the object out";
  EXPECT_EQ(skin.MenuItem(), nullptr);
  EXPECT_EQ(skin.ComboButton(), nullptr);

  // generic objects store a Tile above 1 as 0; Progress keeps it
  ASSERT_NE(skin.GroupBox(), nullptr);
  EXPECT_EQ(skin.GroupBox()->Tile(), 0);
  EXPECT_EQ(skin.GroupBox()->BackgroundLeftShift(), 4);
  EXPECT_EQ(skin.Progress()->Tile(), 3);
  EXPECT_EQ(skin.Progress()->Image2().Width(), 30);
  EXPECT_EQ(skin.Tabs()->Style(), 0) << "Tabs read no Style";
  EXPECT_EQ(skin.Tabs()->Image2().Width(), 30);
  EXPECT_EQ(skin.HorzScrollThumb()->Frame(), 3);
  EXPECT_EQ(skin.VertScrollThumb()->Frame(), 7);
  EXPECT_EQ(skin.ScrollbarImage()->Frame(), 23);

  // borders: side and top keys, defaults of 1
  EXPECT_EQ(skin.Top()->Margins(), (TSkinMargins{7, 0, 9, 0}));
  EXPECT_EQ(skin.Top()->Frame(), 3);
  EXPECT_EQ(skin.Left()->Frame(), 1);
  EXPECT_EQ(skin.Left()->Tile(), 1);
  EXPECT_EQ(skin.Left()->Trans(), 1);
  EXPECT_TRUE(skin.Left()->Image().Empty()) << "a missing member gives an empty image";
  // the caption: text placement, a complete colour and one that is not given
  EXPECT_EQ(skin.Title()->Margins(), (TSkinMargins{11, 12, 13, 0}));
  EXPECT_EQ(skin.Title()->ActiveText(), RGBColor(10, 20, 30));
  EXPECT_EQ(skin.Title()->InActiveText(), clNone);
  EXPECT_EQ(skin.Title()->FontHeight(), 14);
}

TEST_F(SkinData, AnotherSkinFillsTheObjectsThatAlwaysExistInPlace) {
  TSkinData skin(nullptr);
  LoadRules(skin);
  const TDataSkinObject* held[] = {skin.Buttons(), skin.Title(), skin.Left(), skin.Right(), skin.Top(), skin.Bottom()};
  ASSERT_EQ(skin.Buttons()->Image().Width(), 30);
  ASSERT_EQ(skin.Top()->Frame(), 3);
  test::StoreArchive(skin.StoredSkin(), "[TitlebarSkin]\r\nSkinName=Plain\r\n", {});
  ASSERT_TRUE(skin.LoadSkin());
  // the engine's pointers still lead to live objects, which now show the plain skin
  const TDataSkinObject* now[] = {skin.Buttons(), skin.Title(), skin.Left(), skin.Right(), skin.Top(), skin.Bottom()};
  EXPECT_TRUE(std::equal(std::begin(held), std::end(held), std::begin(now)));
  EXPECT_EQ(skin.SkinName(), "Plain");
  EXPECT_TRUE(skin.Buttons()->Image().Empty());
  EXPECT_TRUE(skin.Buttons()->CheckButton().Empty());
  EXPECT_FALSE(skin.Buttons()->HasPressedColour2());
  EXPECT_EQ(skin.Top()->Margins(), (TSkinMargins{0, 0, 0, 0}));
  EXPECT_EQ(skin.Title()->ActiveText(), clNone);
  EXPECT_EQ(skin.GroupBox(), nullptr);
}

TEST_F(SkinData, AWrongVersionShowsTheMessageAndKeepsThePreviousSkin) {
  TSkinData skin(nullptr);
  LoadRules(skin);
  test::StoreArchive(skin.StoredSkin(), "[TitlebarSkin]\r\nSkinName=Other\r\n", {}, 19999);
  test::BoxAnswerer boxes;
  EXPECT_FALSE(skin.LoadSkin());
  ASSERT_EQ(boxes.Seen().size(), 1u);
  EXPECT_EQ(boxes.Seen()[0].text, "This is Older Skin File\rPlease update to new version !");
  EXPECT_TRUE(skin.SkinEmpty());
  EXPECT_EQ(skin.SkinName(), "Rules");
  EXPECT_EQ(skin.SysButtons().size(), 8u);
}

TEST_F(SkinData, AnInvalidBitmapMemberEndsTheReadingWithTheSkinEmpty) {
  TSkinData skin(nullptr);
  LoadRules(skin);
  test::StoreArchive(skin.StoredSkin(), "[TitlebarSkin]\nSkinName=Broken\n[Buttons]\nBitmap=bad.bmp\n",
                     {{"bad.bmp", {'B', 'M', 1, 2, 3}}});
  EXPECT_THROW(skin.LoadSkin(), EInvalidGraphic);
  EXPECT_TRUE(skin.SkinEmpty());
  EXPECT_EQ(skin.SkinName(), "Rules");
  EXPECT_EQ(skin.Buttons()->Image().Width(), 30);
}

TEST_F(SkinData, ActiveWithAnArchiveThatFailsIsSwitchedOffAndRequestsNothing) {
  TMemoryStream old;
  test::StoreArchive(old, "[TitlebarSkin]\r\nSkinName=Old\r\n", {}, 19999);
  TMemoryStream property;
  TSkinData writer(nullptr);
  writer.StoredSkin().LoadFromStream(old);
  writer.WriteSkinStream(property);
  std::string hex;
  for (std::int64_t i = 0; i < property.Size(); ++i) {
    const std::uint8_t byte = property.Memory()[i];
    hex += "0123456789ABCDEF"[byte >> 4];
    hex += "0123456789ABCDEF"[byte & 15];
  }
  test::BoxAnswerer boxes;
  TSkinData* skin = MakeHost("Active = True\nSkinStream = {" + hex + "}\nSkinControls = [xcPopupMenu, xcMenuItem, xcSystemMenu]")
                        ->SkinData1;
  EXPECT_EQ(boxes.Seen().size(), 1u);
  EXPECT_TRUE(skin->SkinEmpty());
  EXPECT_FALSE(skin->Active());
  ASSERT_NE(SkinManager, nullptr);
  EXPECT_FALSE(SkinManager->Active());
  EXPECT_EQ(SkinManager->PendingCommand(), 0);
  EXPECT_FALSE(SkinManager->Timer().Enabled());
  // without a skinned menu bar there is no skinned system menu
  EXPECT_EQ(skin->SkinControls(), (TSkinControlTypes{TSkinControlType::xcPopupMenu, TSkinControlType::xcMenuItem}));
}

TEST_F(SkinData, SwitchingOffTakesEffectAtOnceBeforeTheFirstActivationAndByTheTimerAfterIt) {
  TSkinData* skin = MakeHost(DefaultSkinStream())->SkinData1;
  ASSERT_NE(SkinManager, nullptr);
  int changed = 0;
  skin->OnSkinChanged = TNotifyEvent([&](TObject* sender) {
    EXPECT_EQ(sender, skin);
    ++changed;
  });
  SkinManager->SetRunCount(0);
  skin->SetActive(true);
  EXPECT_TRUE(SkinManager->Active()) << "recorded at once";
  EXPECT_EQ(SkinManager->RunCount(), 1);
  EXPECT_EQ(SkinManager->CurrentSkin(), skin);
  EXPECT_FALSE(SkinManager->Timer().Enabled());

  // from now on the timer carries requests out
  skin->SetActive(false);
  EXPECT_TRUE(SkinManager->Active());
  EXPECT_TRUE(SkinManager->Timer().Enabled());
  EXPECT_EQ(SkinManager->Timer().Interval(), kSkinCommandDelay);
  EXPECT_EQ(SkinManager->PendingCommand(), kSkinRemove);
  ASSERT_TRUE(test::PumpUntil([&] { return changed == 1; }, test::kSkinWait));
  EXPECT_FALSE(SkinManager->Active());
  EXPECT_EQ(SkinManager->CurrentSkin(), nullptr);
  EXPECT_FALSE(SkinManager->Timer().Enabled());

  // a component without a skin asks for nothing when switched on
  TSkinData empty(nullptr);
  SkinManager->SetCurrentSkin(nullptr);
  empty.SetActive(true);
  EXPECT_EQ(SkinManager->CurrentSkin(), nullptr);
  EXPECT_FALSE(SkinManager->Timer().Enabled());
}

TEST_F(SkinData, ASkinFileIsLoadedAndRefreshesTheMainSkin) {
  TSkinData* skin = MakeHost(DefaultSkinStream())->SkinData1;
  test::TempDir dir;
  TMemoryStream rules;
  test::StoreArchive(rules, kReadingRuleDescriptor, ReadingRuleMembers());
  rules.SaveToFile(dir.Path() / "rules.skn");

  skin->SetSkinFile(dir.File("missing.skn"));
  EXPECT_TRUE(skin->SkinEmpty());
  EXPECT_EQ(skin->SkinName(), "BusSearch Transit") << "a missing file changes nothing else";

  SkinManager->SetRunCount(1);
  skin->SetSkinFile(dir.File("rules.skn"));
  EXPECT_FALSE(skin->SkinEmpty());
  EXPECT_EQ(skin->SkinName(), "Rules");
  EXPECT_EQ(skin->SkinFile(), dir.File("rules.skn"));
  EXPECT_EQ(SkinManager->CurrentSkin(), skin);
  EXPECT_EQ(SkinManager->PendingCommand(), kSkinRefresh);
  EXPECT_TRUE(SkinManager->Timer().Enabled());

  // the stored archive is what the description would carry
  TMemoryStream written;
  skin->WriteSkinStream(written);
  ASSERT_EQ(written.Size(), rules.Size() + 4);
  EXPECT_EQ(std::memcmp(written.Memory() + 4, rules.Memory(), std::size_t(rules.Size())), 0);
  TSkinData copy(nullptr);
  written.SetPosition(0);
  copy.ReadSkinStream(written);
  EXPECT_EQ(copy.SkinName(), "Rules");
  // a length that promises more than there is
  TMemoryStream shortStream;
  const std::uint8_t head[5] = {100, 0, 0, 0, 1};
  shortStream.WriteBuffer(head, 5);
  shortStream.SetPosition(0);
  EXPECT_THROW(copy.ReadSkinStream(shortStream), EReadError);
}

TEST_F(SkinData, FormClassesAndTheComponentsPublishedProperties) {
  TSkinData skin(nullptr);
  EXPECT_TRUE(skin.SkinEmpty());
  EXPECT_TRUE(skin.CanSkinForm("TfrmBusMain"));
  EXPECT_FALSE(skin.CanSkinForm("SysMonthCal32"));
  skin.SetSkinControls(skin.SkinControls() + TSkinControlTypes{TSkinControlType::xcFastReport});
  EXPECT_FALSE(skin.CanSkinForm("TfrmBusMain")) << "report forms begin with Tfr";
  EXPECT_TRUE(skin.CanSkinForm("TForm1"));
  std::string asked;
  skin.OnFormSkin = TEvent<TObject*, const std::string&, bool&>([&](TObject*, const std::string& cls, bool& ok) {
    asked = cls;
    ok = cls != "TForm1";
  });
  EXPECT_TRUE(skin.CanSkinForm("SysMonthCal32")) << "the event alone decides";
  EXPECT_FALSE(skin.CanSkinForm("TForm1"));
  EXPECT_EQ(asked, "TForm1");

  // fixed and read-only texts ignore what a description writes
  SetPropertyValue(&skin, "Version", "1.0");
  SetPropertyValue(&skin, "SkinStore", "(Good)");
  EXPECT_EQ(GetPropertyValue(&skin, "Version"), "3.02.03.09");
  EXPECT_EQ(GetPropertyValue(&skin, "SkinStore"), "(none)");
  // the foreign class list: first match wins, kinds in any case
  const TStringList& third = skin.Skin3rd();
  EXPECT_EQ(third[0], "TAdvPanelGroup=embedscrollbar");
  int kinds = 0;
  for (const std::string& line : third) kinds += EqualsIgnoringAsciiCase(line, "TAdvPageControl=nil") ? 1 : 0;
  EXPECT_EQ(kinds, 1);
  TStringList mine;
  mine.Add("TMyGrid=scrollbar");
  skin.SetSkin3rd(mine);
  EXPECT_EQ(skin.Skin3rd().Count(), 1);
}

TEST_F(SkinData, AComponentForOneFormSwitchesSkinningOnAtLoading) {
  TSkinData* skin = MakeHost("SkinFormtype = sfOnlyThisForm\n" + DefaultSkinStream())->SkinData1;
  ASSERT_NE(SkinManager, nullptr);
  EXPECT_TRUE(SkinManager->Active());
  EXPECT_EQ(SkinManager->RunCount(), 1);
  EXPECT_EQ(SkinManager->MainSkin(), nullptr);
  EXPECT_EQ(SkinManager->HookHandle(), nullptr) << "only the main skin installs the hook";
  EXPECT_EQ(SkinManager->SelectSkinData(form_->Handle()), skin);
  // destroyed, the component leaves the manager with nothing pointing at it
  skin->SetActive(true);
  EXPECT_EQ(SkinManager->CurrentSkin(), skin);
  form_->Free();
  form_ = nullptr;
  EXPECT_TRUE(SkinManager->SkinDatas().empty());
  EXPECT_EQ(SkinManager->CurrentSkin(), nullptr);
  EXPECT_FALSE(SkinManager->Timer().Enabled());
}

// What the painting of a window frame and its controls reads from a skin, by name.
using SkinLook = std::vector<std::pair<std::string, std::string>>;

SkinLook LookOf(TSkinData& skin) {
  const auto text = [](auto v) { return std::to_string(v); };
  const auto across = [](const TDataSkinBorder* b) { return b->Image().Height() / std::max(b->Frame(), 1); };
  const auto side = [](const TDataSkinBorder* b) { return b->Image().Width() / std::max(b->Frame(), 1); };
  const TSkinMargins m = skin.Buttons()->Margins();
  SkinLook look = {
      {"SkinName", skin.SkinName()},
      {"FrameLeft", text(side(skin.Left()))},
      {"FrameTop", text(across(skin.Top()))},
      {"FrameRight", text(side(skin.Right()))},
      {"FrameBottom", text(across(skin.Bottom()))},
      {"Top Tile", text(skin.Top()->Tile())},
      {"Top Trans", text(skin.Top()->Trans())},
      {"TextAlignment", text(skin.Title()->TextAlignment())},
      {"TextShift", text(skin.Title()->LeftWidth())},
      {"FontHeight", text(skin.Title()->FontHeight())},
      {"ButtonFace", text(skin.ButtonFace())},
      {"ButtonText", text(skin.ButtonText())},
      {"TitleTextActive", text(skin.TitleTextActive())},
      {"Buttons margins", text(m.left) + " " + text(m.top) + " " + text(m.right) + " " + text(m.bottom)},
      {"CheckButtonFrame", text(skin.Buttons()->CheckButtonFrame())},
      {"HorzScrollThumb Frame", text(skin.HorzScrollThumb() ? skin.HorzScrollThumb()->Frame() : 0)},
  };
  for (const auto& b : skin.SysButtons()) {
    if (b->Action() != 0) continue;
    look.emplace_back("close Align", text(b->Align()));
    look.emplace_back("close Xcoord", text(b->Xcoord()));
    look.emplace_back("close Frame", text(b->Frame()));
  }
  return look;
}

TEST_F(SkinData, TheSecondSkinFileReplacesEveryObjectAndTheDefaultsFileGivesItBack) {
  // a form that carries the default skin in its description, as the main window does, switched to
  // the dark skin's file the way a running program is re-skinned
  form_ = Application->CreateForm<test::TfrmSkinHost>(test::ReadFile(test::BinaryDir() / "skin_host_form.txt"));
  TSkinData* skin = form_->SkinData1;
  ASSERT_NE(skin, nullptr);
  const SkinLook transit = LookOf(*skin);
  skin->SetSkinFile(test::Utf8(test::BinaryDir() / "night.skn"));
  ASSERT_FALSE(skin->SkinEmpty());
  EXPECT_EQ(SkinManager->CurrentSkin(), skin);

  // every object the default skin has, the night skin has too
  for (int part = 0; part < kSkinPartCount; ++part) {
    const TDataSkinObject* object = skin->Part(TSkinPart(part));
    ASSERT_NE(object, nullptr) << part;
    EXPECT_FALSE(object->Image().Empty()) << object->Name();
  }
  const TDataSkinObject* always[] = {skin->Buttons(), skin->Left(), skin->Right(), skin->Top(), skin->Bottom(), skin->Title()};
  for (const TDataSkinObject* object : always) EXPECT_FALSE(object->Image().Empty()) << object->Name();
  EXPECT_FALSE(skin->Buttons()->CheckButton().Empty());
  EXPECT_FALSE(skin->Buttons()->RadioButton().Empty());
  ASSERT_EQ(skin->SysButtons().size(), 8u) << "five caption buttons and the three window controls";
  for (const auto& b : skin->SysButtons()) {
    if (b->Action() != 3) {
      EXPECT_FALSE(b->Image().Empty()) << b->Name();
    }
  }
  EXPECT_EQ(skin->ColourTable().size(), 9u);

  // and differs in each thing the painting reads; the face brush follows
  const SkinLook night = LookOf(*skin);
  ASSERT_EQ(night.size(), transit.size());
  for (std::size_t i = 0; i < night.size(); ++i) EXPECT_NE(night[i].second, transit[i].second) << night[i].first;
  LOGBRUSH lb{};
  ASSERT_NE(skin->FaceBrush(), nullptr);
  GetObjectW(skin->FaceBrush(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, ColorToRGB(skin->ButtonFace()));

  // the default skin's file gives the default skin back, value for value
  skin->SetSkinFile(test::Utf8(test::BinaryDir() / "bussearch.skn"));
  ASSERT_FALSE(skin->SkinEmpty());
  EXPECT_EQ(LookOf(*skin), transit);
}

}  // namespace
}  // namespace bus
