// Painting under Wine: double buffering (one WM_PAINT through WindowProc, window-less children
// painted into the buffer through theirs), WM_PRINT into a memory bitmap, the speed button's glyph
// placement and frames, the image list's stored bitmap, and label sizes that follow the caption.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/BmpFile.h"
#include "core/WideText.h"
#include "framework/DescriptionReader.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/graphics/Icon.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

class TfrmPaint : public TForm {
  BUS_CLASS(TfrmPaint)
public:
  explicit TfrmPaint(TComponent* owner) : TForm(owner) {
    PublishField("Panel1", &Panel1);
    PublishField("Label1", &Label1);
    PublishField("Label2", &Label2);
    PublishField("Label3", &Label3);
    PublishField("Button1", &Button1);
    PublishField("ImageList1", &ImageList1);
  }
  TPanel* Panel1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TSpeedButton* Button1 = nullptr;
  TImageList* ImageList1 = nullptr;
};

const TClassInfo& TfrmPaint::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmPaint>("TfrmPaint", TForm::StaticClassInfo()).Build();
  return info;
}

const char* const kDescription = R"(
object frmPaint: TfrmPaint
  Left = 30
  Top = 30
  ClientWidth = 360
  ClientHeight = 200
  BorderStyle = bsSingle
  Color = clWhite
  Caption = 'paint'
  Visible = True
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 360
    Height = 120
    BevelOuter = bvNone
    Color = clLime
    DoubleBuffered = True
    object Label1: TLabel
      Left = 10
      Top = 10
      Width = 5
      Height = 5
      Caption = 'Hello world'
      Font.Color = clBlue
    end
    object Label2: TLabel
      Left = 100
      Top = 40
      Width = 50
      Alignment = taRightJustify
      Caption = 'right'
    end
    object Label3: TLabel
      Left = 10
      Top = 70
      Width = 5
      Height = 5
      AutoSize = False
      Caption = 'fixed'
    end
  end
  object Button1: TSpeedButton
    Left = 20
    Top = 140
    Width = 60
    Height = 40
    Flat = True
  end
  object ImageList1: TImageList
  end
end
)";

// An image of w × h pixels of one colour (0xRRGGBB).
BmpImage Filled(int w, int h, std::uint32_t rgb) {
  BmpImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, 0xFF000000u | rgb);
  return image;
}

bool IsRed(COLORREF c) { return c == RGB(255, 0, 0); }

class ControlPaint : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::EnsureApplication(); }
  void SetUp() override {
    form_ = Application->CreateForm<TfrmPaint>(kDescription);
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }));
    ASSERT_TRUE(test::PumpPending());
  }
  void TearDown() override {
    form_->Free();
    test::PumpPending();
  }

  // Paints the whole form now.
  void Redraw() {
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test::PumpPending();
  }

  TfrmPaint* form_ = nullptr;
};

TEST_F(ControlPaint, ADoubleBufferedPanelPassesOneWmPaintAndPaintsItsChildrenIntoTheBuffer) {
  // the panel's and the label's WM_PAINT in the order they arrive, with the kind of DC each brought
  std::vector<std::string> journal;
  const auto note = [&journal](const char* who) {
    return [&journal, who](const TMessage& m) {
      const DWORD kind = m.WParam ? GetObjectType(reinterpret_cast<HDC>(m.WParam)) : 0;
      journal.push_back(std::string(who) + (kind == OBJ_MEMDC ? " memory DC" : kind == OBJ_DC ? " DC" : " no DC"));
    };
  };
  {
    test::TMessageRecorder panel(*form_->Panel1, {WM_PAINT}, note("Panel1"));
    test::TMessageRecorder label(*form_->Label1, {WM_PAINT}, note("Label1"));
    form_->Panel1->Invalidate();
    form_->Panel1->Update();
  }
  EXPECT_EQ(journal, (std::vector<std::string>{"Panel1 no DC", "Label1 memory DC"}));
  // the copy reached the screen: the panel's colour, and the label's blue text on it
  EXPECT_EQ(test::PixelAt(*form_->Panel1, {300, 100}), RGB(0, 255, 0));
  bool blue = false;
  for (int x = 0; x < form_->Label1->Width() && !blue; ++x)
    for (int y = 0; y < form_->Label1->Height() && !blue; ++y) {
      const COLORREF c = test::PixelAt(*form_->Label1, {x, y});
      blue = GetBValue(c) > 160 && GetRValue(c) < 100 && GetGValue(c) < 100;
    }
  EXPECT_TRUE(blue);
}

TEST_F(ControlPaint, WmPrintPaintsAnOwnControlIntoTheDcGiven) {
  const int w = form_->Panel1->Width(), h = form_->Panel1->Height();
  WindowDC screen;
  MemoryDC mem(screen.Get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
  {
    DcSelection selected(mem.Get(), bitmap.Get());
    RECT all{0, 0, w, h};
    FillRect(mem.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SendMessageW(form_->Panel1->Handle(), WM_PRINT, WPARAM(mem.Get()), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    EXPECT_EQ(GetPixel(mem.Get(), 300, 100), RGB(0, 255, 0));
    int text = 0;
    const RECT l = form_->Label1->BoundsRect();
    for (int x = l.left; x < l.right; ++x)
      for (int y = l.top; y < l.bottom; ++y) text += GetPixel(mem.Get(), x, y) != RGB(0, 255, 0);
    EXPECT_GT(text, 10);  // the label's caption is in the picture
  }
}

TEST_F(ControlPaint, TheSpeedButtonPlacesItsGlyphByLayoutAndMarginAndPicksItsFrame) {
  TSpeedButton& b = *form_->Button1;
  // two 8 × 8 frames, red (up) and green (disabled); the bottom-left pixel's blue is transparent
  BmpImage strip = Filled(16, 8, 0xFF0000);
  for (int x = 8; x < 16; ++x)
    for (int y = 0; y < 8; ++y) strip.SetPixel(x, y, 0xFF00FF00u);
  strip.SetPixel(0, 7, 0xFF0000FFu);
  b.Glyph()->FromImage(strip, pf24bit);
  b.SetNumGlyphs(2);
  struct Case {
    TButtonLayout layout;
    int margin;
    POINT inside, outside;  // a glyph pixel, and the pixel just beyond the glyph's margin edge
  } cases[] = {
      {TButtonLayout::blGlyphLeft, 3, {3, 20}, {2, 20}},
      {TButtonLayout::blGlyphRight, 3, {56, 20}, {57, 20}},
      {TButtonLayout::blGlyphTop, 5, {30, 5}, {30, 4}},
      {TButtonLayout::blGlyphBottom, 5, {30, 34}, {30, 35}},
      {TButtonLayout::blGlyphLeft, -1, {26, 16}, {25, 16}},  // no caption: centred
  };
  for (const Case& c : cases) {
    b.SetLayout(c.layout);
    b.SetMargin(c.margin);
    Redraw();
    EXPECT_TRUE(IsRed(test::PixelAt(b, c.inside))) << int(c.layout) << " " << c.margin;
    EXPECT_FALSE(IsRed(test::PixelAt(b, c.outside))) << int(c.layout) << " " << c.margin;
  }
  // the transparent corner shows the form; a disabled button shows its second frame
  EXPECT_EQ(test::PixelAt(b, {26, 23}), RGB(255, 255, 255));
  b.SetEnabled(false);
  Redraw();
  EXPECT_EQ(test::PixelAt(b, {28, 18}), RGB(0, 255, 0));
}

TEST_F(ControlPaint, LabelsFollowTheirCaptionUnlessAutoSizeIsOff) {
  auto extent = [](TLabel& l) {
    WindowDC screen;
    DcSelection font(screen.Get(), l.Font()->Handle());
    SIZE s{};
    const std::wstring text = Widen(l.Caption());
    GetTextExtentPoint32W(screen.Get(), text.c_str(), int(text.size()), &s);
    return s;
  };
  TLabel& l1 = *form_->Label1;
  EXPECT_EQ(l1.Width(), extent(l1).cx);
  EXPECT_EQ(l1.Height(), extent(l1).cy);
  // right-justified: the right edge stays where it was stored, also when the font grows
  TLabel& l2 = *form_->Label2;
  EXPECT_EQ(l2.Left() + l2.Width(), 150);
  EXPECT_EQ(l2.Width(), extent(l2).cx);
  const int before = l2.Width();
  l2.Font()->SetSize(l2.Font()->Size() * 2);
  EXPECT_GT(l2.Width(), before);
  EXPECT_EQ(l2.Left() + l2.Width(), 150);
  l1.SetCaption("Hello world, longer");
  EXPECT_EQ(l1.Width(), extent(l1).cx);
  // without AutoSize the stored size stays
  EXPECT_EQ(form_->Label3->Width(), 5);
  EXPECT_EQ(form_->Label3->Height(), 5);
}

// The hexadecimal form of bytes for a description's {...} value.
std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string s;
  char pair[3];
  for (std::uint8_t b : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", b);
    s += pair;
  }
  return s;
}

// The pixel at p of a 16 × 16 icon drawn on white.
COLORREF IconPixelOnWhite(const TIcon& icon, POINT p) {
  WindowDC screen;
  MemoryDC mem(screen.Get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), 16, 16));
  DcSelection selected(mem.Get(), bitmap.Get());
  RECT all{0, 0, 16, 16};
  FillRect(mem.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIconEx(mem.Get(), 0, 0, icon.Handle(), 16, 16, 0, nullptr, DI_NORMAL);
  return GetPixel(mem.Get(), p.x, p.y);
}

TEST_F(ControlPaint, AStripJustDrawnOnItsCanvasIsAddedWithItsPixels) {
  // the strip's bitmap is still selected into its canvas's memory DC when it is added
  TBitmap strip(16, 16);
  strip.Canvas().Brush().SetColor(TColor(RGB(0, 128, 0)));
  strip.Canvas().FillRect({0, 0, 16, 16});
  strip.Canvas().Brush().SetColor(clFuchsia);
  strip.Canvas().FillRect({0, 0, 4, 4});
  TImageList images(nullptr);
  ASSERT_EQ(images.AddMasked(strip, clFuchsia), 0);
  TIcon icon;
  ASSERT_TRUE(images.GetIcon(0, icon));
  EXPECT_EQ(IconPixelOnWhite(icon, {8, 8}), RGB(0, 128, 0));
  EXPECT_EQ(IconPixelOnWhite(icon, {1, 1}), RGB(255, 255, 255));
}

TEST_F(ControlPaint, TheImageListReadsItsStoredStripWithTheMaskColour) {
  // a 32 × 16 strip: image 0 red, image 1 blue, each with a fuchsia (transparent) top-left pixel
  BmpImage strip = Filled(32, 16, 0xFF0000);
  for (int x = 16; x < 32; ++x)
    for (int y = 0; y < 16; ++y) strip.SetPixel(x, y, 0xFF0000FFu);
  strip.SetPixel(0, 0, 0xFFFF00FFu);
  strip.SetPixel(16, 0, 0xFFFF00FFu);
  const std::string description = "object frmImages: TfrmPaint\n object Images: TImageList\n  MaskColor = clFuchsia\n"
                                  "  Bitmap = {" + Hex(EncodeBmp(strip, 24)) + "}\n end\nend\n";
  TfrmPaint* form = new TfrmPaint(Application);
  ReadDescription(description, *form);
  auto* images = dynamic_cast<TImageList*>(form->FindComponent("Images"));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(images->Count(), 2);
  TIcon icon;
  ASSERT_TRUE(images->GetIcon(1, icon));
  EXPECT_FALSE(images->GetIcon(2, icon));
  EXPECT_EQ(IconPixelOnWhite(icon, {8, 8}), RGB(0, 0, 255));
  EXPECT_EQ(IconPixelOnWhite(icon, {0, 0}), RGB(255, 255, 255));  // the mask colour let the white through
  form->Free();
  // bytes that are no bitmap fail with the line of the value
  TfrmPaint* broken = new TfrmPaint(Application);
  try {
    ReadDescription("object frmImages: TfrmPaint\n object Images: TImageList\n  Bitmap = {424D0000}\n end\nend\n", *broken);
    ADD_FAILURE() << "a broken bitmap was accepted";
  } catch (const EDescriptionError& e) {
    EXPECT_EQ(e.Line(), 3);
  }
  broken->Free();
}

}  // namespace
}  // namespace bus
