// The container and bar wrappers under Wine with our default skin: panels take the face colour and
// give their own back; group boxes get the rounded line half the caption's height down and the
// caption on the face colour, composed off screen; the status bar is painted wholly from the skin
// (edges, texts, the last panel reaching the right edge, owner-drawn panels handed to the program);
// a dialog's size grip and background; foreign check glyphs. Pixels are read back from the screen
// and compared with the skin's own images where no text lies.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Form.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/StatusBar.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinBox.h"
#include "skin/control/SkinBoxH.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinGroupBox.h"
#include "skin/control/SkinObjImage.h"
#include "skin/control/SkinSizer.h"
#include "skin/control/SkinStatusBar.h"
#include "skin/data/SkinData.h"
#include "tests/skin/control/WrapperFixture.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/TestSupport.h"

namespace bus {

// A check box of a foreign kind that draws its marks from a bitmap it is given.
class TGlyphCheckBox : public TCheckBox {
  BUS_CLASS(TGlyphCheckBox)
public:
  using TCheckBox::TCheckBox;
  TBitmap* CustomGlyphs() { return &glyphs_; }
  bool UseCustomGlyphs() const { return use_; }
  void SetUseCustomGlyphs(bool v) {
    use_ = v;
    uses.push_back(v);
  }
  int TransparentColor() const { return transparent_; }
  void SetTransparentColor(int v) { transparent_ = v; }

  std::vector<bool> uses;  // every UseCustomGlyphs set, in order

private:
  TBitmap glyphs_;        // the marks
  bool use_ = false;      // draw from glyphs_
  int transparent_ = 0;   // key colour of glyphs_
};

const TClassInfo& TGlyphCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGlyphCheckBox>("TGlyphCheckBox", TCheckBox::StaticClassInfo())
          .Held<TBitmap>("CustomGlyphs", &TGlyphCheckBox::CustomGlyphs)
          .Bool("UseCustomGlyphs", &TGlyphCheckBox::UseCustomGlyphs, &TGlyphCheckBox::SetUseCustomGlyphs, false)
          .Int("TransparentColor", &TGlyphCheckBox::TransparentColor, &TGlyphCheckBox::SetTransparentColor)
          .Build();
  return info;
}

namespace {

using test::Rgb;
using test::Screen;

class SkinBoxTest : public test::SkinnedFormTest {};

// --- panels ---------------------------------------------------------------------------------

TEST_F(SkinBoxTest, APanelShowsTheFaceColourWhileAttachedAndGetsItsOwnColourBack) {
  auto* panel = Place(new TPanel(form_), 10, 10, 200, 80);
  panel->SetColor(RGBColor(200, 30, 40));
  auto* parented = Place(new TPanel(form_), 220, 10, 100, 80);
  parented->SetParentColor(true);
  auto* wrapper = new TSkinBox(panel);
  wrapper->AttachControl(&host_, skin_.get(), true, &canvas_);
  auto* second = new TSkinBox(parented);
  second->AttachControl(&host_, skin_.get(), true, &canvas_);
  test::PumpPending();
  EXPECT_EQ(wrapper->Status(), kWrapperAttached);
  EXPECT_EQ(Screen(panel->Handle()).Pixel(100, 40) & 0xFFFFFF, Rgb(skin_->ButtonFace()));

  wrapper->Detach();
  second->Detach();
  EXPECT_EQ(wrapper->Status(), kWrapperReleased);
  EXPECT_EQ(panel->Color(), RGBColor(200, 30, 40));
  EXPECT_TRUE(parented->ParentColor());
  test::PumpPending();
  EXPECT_EQ(Screen(panel->Handle()).Pixel(100, 40) & 0xFFFFFF, 0xC81E28u);
}

// --- group boxes ----------------------------------------------------------------------------

TEST_F(SkinBoxTest, AGroupBoxDrawsItsRoundedLineHalfTheCaptionDownAndTheCaptionOnTheFace) {
  auto* box = Place(new TGroupBox(form_), 10, 10, 240, 120);
  box->SetCaption("按站点查询");
  box->Font()->SetHeight(-12);
  const int textHeight = test::TextHeightOf(*box->Font(), L"0");
  ASSERT_GT(textHeight, 8);
  test::TMessageRecorder recorder(*box, {WM_PAINT, WM_ERASEBKGND, WM_PRINTCLIENT});
  auto* wrapper = new TSkinGroupBox(box);
  wrapper->AttachControl(&host_, skin_.get(), true, &canvas_);
  test::PumpPending();
  // the box's own painting only ever goes to the off-screen picture
  EXPECT_EQ(recorder.Messages(), (std::vector<UINT>{WM_ERASEBKGND, WM_PRINTCLIENT}));

  const BmpImage shot = Screen(box->Handle());
  const std::uint32_t face = Rgb(skin_->ButtonFace()), line = Rgb(skin_->ButtonShadow());
  const auto at = [&](int x, int y) { return shot.Pixel(x, y) & 0xFFFFFF; };
  const int top = textHeight / 2 - 1, w = shot.width, h = shot.height;
  // the line: top, left, right and bottom sides; outside and just inside it the face, where the
  // box's own etched frame was
  EXPECT_EQ(at(200, top), line);
  EXPECT_EQ(at(200, top + 1), face);
  EXPECT_EQ(at(200, top + 2), face);
  EXPECT_EQ(at(200, top - 1), face);
  EXPECT_EQ(at(1, h / 2), line);
  EXPECT_EQ(at(0, h / 2), face);
  EXPECT_EQ(at(2, h / 2), face);
  EXPECT_EQ(at(w - 2, h / 2), line);
  EXPECT_EQ(at(w - 1, h / 2), face);
  EXPECT_EQ(at(w - 3, h / 2), face);
  EXPECT_EQ(at(w / 2, h - 2), line);
  EXPECT_EQ(at(w / 2, h - 1), face);
  // the caption starts 9 pixels in, the line runs up to it, and its background cuts the line
  const test::Extent caption = test::InkExtent(shot, {0, 0, 200, textHeight}, {face, line});
  ASSERT_TRUE(caption.found);
  EXPECT_GE(caption.left, 9);
  EXPECT_LE(caption.left, 11);
  EXPECT_EQ(at(6, top), line);
  for (int x = 9; x < caption.right; ++x) EXPECT_NE(at(x, top), line) << "x " << x;
}

// --- status bar -----------------------------------------------------------------------------

class SkinStatusBarTest : public test::SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    bar_ = Place(new TStatusBar(form_), 0, 0, 0, 22);
    bar_->SetAlign(TAlign::alBottom);
    for (const char* text : {"共有 12 条线路", "", "右边"}) bar_->Panels()->Add()->SetText(text);
    bar_->Panels()->Items(0)->SetWidth(120);
    bar_->Panels()->Items(1)->SetWidth(60);
    bar_->Panels()->Items(2)->SetWidth(40);  // the last: reaches the right edge all the same
  }
  TSkinStatusBar* Attach() {
    auto* wrapper = new TSkinStatusBar(bar_);
    wrapper->AttachControl(&host_, skin_.get(), false, &canvas_);
    test::PumpPending();
    return wrapper;
  }
  RECT PanelRect(int i) const {
    RECT r{};
    SendMessageW(bar_->Handle(), SB_GETRECT, WPARAM(i), LPARAM(&r));
    return r;
  }
  // Frame `frame` of StatusBarEdges rendered over r, as the bar shows it where no text lies.
  BmpImage Edge(const RECT& r, int frame) const {
    const TDataSkinObject& edges = *skin_->StatusBarEdges();
    return RenderSkinImage(r, edges.Image(), edges.Margins(), false, edges.Tile() == 1, 3, frame)->ToImage();
  }

  TStatusBar* bar_ = nullptr;
};

TEST_F(SkinStatusBarTest, ThreePanelsDrawThreeEdgesAndTheLastReachesTheRightEdge) {
  ASSERT_NE(skin_->StatusBarEdges(), nullptr);
  test::TMessageRecorder recorder(*bar_, {WM_PAINT, WM_ERASEBKGND});
  Attach();
  recorder.Clear();
  InvalidateRect(bar_->Handle(), nullptr, TRUE);
  test::PumpPending();
  EXPECT_TRUE(recorder.Messages().empty()) << "the bar's own painting never runs";

  const BmpImage shot = Screen(bar_->Handle());
  const RECT second = PanelRect(1);
  // the empty panel: its edge and nothing else (the space drawn for it shows no ink)
  const RECT drawn{second.left, second.top, second.right + 2, second.bottom};
  EXPECT_EQ(test::Difference(shot, drawn, Edge(drawn, kEdgeLowered)), "");
  // every panel ends in the edge image's right side; the last at the bar's right edge
  const auto rightSide = [&](int right, const RECT& panel) {
    const BmpImage edge = Edge({0, 0, 40, panel.bottom - panel.top}, kEdgeLowered);
    return test::Difference(shot, {right - 2, panel.top, right, panel.bottom}, edge, {38, 0});
  };
  EXPECT_EQ(rightSide(PanelRect(0).right + 2, PanelRect(0)), "");
  EXPECT_EQ(rightSide(second.right + 2, second), "");
  EXPECT_EQ(rightSide(shot.width, PanelRect(2)), "");
}

TEST_F(SkinStatusBarTest, TextsTakeTheEdgeColourAndRightToLeftPanelsSwapTheirAlignment) {
  bar_->Panels()->Items(2)->SetBiDiMode(TBiDiMode::bdRightToLeft);  // left-aligned, read from the right
  bar_->Panels()->Items(2)->SetWidth(200);
  Attach();
  const BmpImage shot = Screen(bar_->Handle());
  const RECT first = PanelRect(0), third{PanelRect(2).left, first.top, shot.width, first.bottom};
  const test::Extent left = test::InkExtent(shot, first, test::ColoursOf(Edge(first, kEdgeLowered)));
  const test::Extent right = test::InkExtent(shot, third, test::ColoursOf(Edge(third, kEdgeLowered)));
  ASSERT_TRUE(left.found && right.found);
  EXPECT_LE(left.left, first.left + 4) << "left-aligned";
  EXPECT_GT(right.left, (third.left + third.right) / 2) << "right-to-left: the text keeps to the right";
  EXPECT_GE(right.right, third.right - 6);
  EXPECT_TRUE(test::HasColour(shot, first, Rgb(skin_->StatusBarEdges()->NormalColour2())));
}

TEST_F(SkinStatusBarTest, OwnerDrawnPanelsAreHandedToTheProgramOncePerPaintOverTheSkin) {
  bar_->Panels()->Items(1)->SetStyle(TStatusPanelStyle::psOwnerDraw);
  std::vector<std::pair<int, RECT>> calls;
  bar_->OnDrawPanel = TDrawPanelEvent([&](TCustomStatusBar* bar, TStatusPanel* panel, const RECT& r) {
    calls.emplace_back(panel->Index(), r);
    const GdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(bar->Canvas().Handle(), &r, red.Get());
  });
  Attach();
  calls.clear();
  InvalidateRect(bar_->Handle(), nullptr, TRUE);
  test::PumpPending();
  ASSERT_EQ(calls.size(), 1u);
  RECT expected = PanelRect(1);
  InflateRect(&expected, -1, -1);
  EXPECT_EQ(calls[0].first, 1);
  EXPECT_TRUE(EqualRect(&calls[0].second, &expected));
  EXPECT_EQ(Screen(bar_->Handle()).Pixel((expected.left + expected.right) / 2, expected.top + 2) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(SkinStatusBarTest, WithoutEdgeImagesPanelsGetAPlainFrameAndASimpleBarOnePanel) {
  TSkinData plain(nullptr);
  test::GiveTestSkin(plain);
  bar_->Panels()->Items(0)->SetBevel(TStatusPanelBevel::pbRaised);
  auto* wrapper = new TSkinStatusBar(bar_);
  wrapper->AttachControl(&host_, &plain, false, &canvas_);
  test::PumpPending();
  const BmpImage shot = Screen(bar_->Handle());
  const std::uint32_t light = Rgb(clBtnHighlight), dark = Rgb(clBtnShadow);
  const RECT raised = PanelRect(0), lowered = PanelRect(1);
  EXPECT_EQ(shot.Pixel(raised.left, raised.top + 5) & 0xFFFFFF, light);
  EXPECT_EQ(shot.Pixel(raised.right + 1, raised.top + 5) & 0xFFFFFF, dark);
  EXPECT_EQ(shot.Pixel(lowered.left, lowered.top + 5) & 0xFFFFFF, dark);
  EXPECT_EQ(shot.Pixel(lowered.right + 1, lowered.top + 5) & 0xFFFFFF, light);
  EXPECT_EQ(shot.Pixel(lowered.left + 20, lowered.top + 5) & 0xFFFFFF, Rgb(plain.ButtonFace()));

  // a simple bar is one lowered panel over the whole width with the simple text
  bar_->SetSimpleText("简单");
  bar_->SetSimplePanel(true);
  test::PumpPending();
  const BmpImage simple = Screen(bar_->Handle());
  EXPECT_EQ(simple.Pixel(simple.width - 1, 5) & 0xFFFFFF, light);
  EXPECT_EQ(simple.Pixel(0, 5) & 0xFFFFFF, dark);
  EXPECT_TRUE(test::InkExtent(simple, {0, 0, simple.width, simple.height}, {light, dark, Rgb(plain.ButtonFace())}).found);
}

// --- dialogs: size grip and background ------------------------------------------------------

TEST_F(SkinBoxTest, ADialogsSizeGripAndBackgroundTakeTheSkin) {
  // a size grip: face colour with the skin's grip in its corner
  const HWND grip = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300, 200, 20, 20,
                                    form_->Handle(), nullptr, nullptr, nullptr);
  auto* sizer = new TSkinSizer(nullptr);
  sizer->AttachWindow(grip, skin_.get(), &host_, &canvas_);
  // a dialog inside the form with a static text
  const HWND dialog = test::ChildDialog(form_->Handle(), {10, 10, 200, 100}, L"站点");
  auto* box = new TSkinBoxH(nullptr);
  box->AttachWindow(dialog, skin_.get(), &host_, &canvas_);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  test::PumpPending();

  const std::uint32_t face = Rgb(skin_->ButtonFace());
  const BmpImage gripShot = Screen(grip);
  const TBitmap& extra = skin_->ExtraImages()->Image();
  const int fw = extra.Width() / 5, fh = extra.Height();
  const BmpImage expected = test::OverFace(
      *skin_, 20, 20, [&](HDC dc) { DrawSkinFrameTransparent(dc, {19 - fw, 19 - fh, 19, 19}, 5, 5, extra); });
  EXPECT_EQ(test::Difference(gripShot, {0, 0, 20, 20}, expected), "");

  const BmpImage dialogShot = Screen(dialog);
  EXPECT_EQ(dialogShot.Pixel(150, 80) & 0xFFFFFF, face) << "the dialog's background";
  const HWND label = GetWindow(dialog, GW_CHILD);
  const BmpImage labelShot = Screen(label);
  EXPECT_EQ(labelShot.Pixel(labelShot.width - 2, labelShot.height - 2) & 0xFFFFFF, face) << "the label's background";
  EXPECT_TRUE(test::HasColour(labelShot, {0, 0, labelShot.width, labelShot.height}, Rgb(skin_->ButtonText())));

  sizer->Free();
  box->Free();
  DestroyWindow(dialog);
  DestroyWindow(grip);
}

// --- foreign check glyphs -------------------------------------------------------------------

// A skin whose check-box strip has `frames` frames of 4 × 3, frame f all of colour 0x10101 * f.
void GiveCheckStrip(TSkinData& skin, int frames) {
  test::StoreArchive(skin.StoredSkin(),
                     "[TitlebarSkin]\r\nSkinName=Glyphs\r\n[Buttons]\r\nCheckButton=check.bmp\r\nCheckButtonFrame=" +
                         std::to_string(frames) + "\r\n",
                     {{"check.bmp", test::BmpFile(4 * std::max(frames, 1), 3, [](int x, int) { return 0x101010u * (x / 4 + 1); })}});
  ASSERT_TRUE(skin.LoadSkin());
}

TEST_F(SkinBoxTest, ForeignCheckBoxesGetNineGlyphSlotsFromTheSkinsStrip) {
  for (const int frames : {5, 4}) {
    SCOPED_TRACE(frames);
    TSkinData skin(nullptr);
    GiveCheckStrip(skin, frames);
    auto* box = Place(new TGlyphCheckBox(form_), 10, 10, 100, 20);
    auto* wrapper = new TSkinObjImage(box);
    wrapper->SetMode(1);
    wrapper->AttachControl(&host_, &skin, true, &canvas_);
    EXPECT_EQ(box->uses, (std::vector<bool>{false, true})) << "switched off and on: the glyphs are reloaded";
    EXPECT_EQ(box->TransparentColor(), 0xFF00FF);
    const BmpImage glyphs = box->CustomGlyphs()->ToImage();
    ASSERT_EQ(glyphs.width, 36);
    ASSERT_EQ(glyphs.height, 3);
    const std::uint32_t none = 0xFF00FF;
    const std::uint32_t slots[9] = {0x101010, 0x202020, frames == 5 ? 0x505050u : none,
                                    0x101010, 0x202020, frames == 5 ? 0x505050u : none,
                                    0x303030, 0x404040, frames == 5 ? 0x505050u : none};
    for (int slot = 0; slot < 9; ++slot) EXPECT_EQ(glyphs.Pixel(slot * 4 + 2, 1) & 0xFFFFFF, slots[slot]) << slot;
    wrapper->Detach();
    EXPECT_FALSE(box->UseCustomGlyphs());
    box->Free();
  }
  // a strip that claims no frames (or fewer than none) gives nothing, and nothing fails
  TSkinData empty(nullptr);
  GiveCheckStrip(empty, -1);
  auto* box = Place(new TGlyphCheckBox(form_), 10, 10, 100, 20);
  auto* wrapper = new TSkinObjImage(box);
  wrapper->SetMode(1);
  wrapper->AttachControl(&host_, &empty, true, &canvas_);
  EXPECT_TRUE(box->uses.empty());
  EXPECT_TRUE(box->CustomGlyphs()->Empty());
}

}  // namespace
}  // namespace bus
