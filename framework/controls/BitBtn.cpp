#include "framework/controls/BitBtn.h"

#include <initializer_list>
#include <vector>

#include "core/ScopedValue.h"
#include "framework/Properties.h"
#include "framework/controls/ButtonContent.h"
#include "framework/controls/Form.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

namespace {
const TIdentList kKinds{"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                        "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"};
const TIdentList kLayouts{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
const char* const kKindCaptions[] = {"", "OK", "Cancel", "&Help", "&Yes", "&No",
                                     "&Close", "Abort", "&Retry", "&Ignore", "&All"};

constexpr int kGlyphSize = 16;
constexpr COLORREF kTransparent = RGB(255, 0, 255);  // the bottom-left pixel's colour

enum class TMark { Check, DoubleCheck, Cross, Question, Retry, Skip };

TMark MarkOf(TBitBtnKind kind) {
  switch (kind) {
    case TBitBtnKind::bkOK:
    case TBitBtnKind::bkYes:
      return TMark::Check;
    case TBitBtnKind::bkAll:
      return TMark::DoubleCheck;
    case TBitBtnKind::bkHelp:
      return TMark::Question;
    case TBitBtnKind::bkRetry:
      return TMark::Retry;
    case TBitBtnKind::bkIgnore:
      return TMark::Skip;
    default:
      return TMark::Cross;
  }
}

COLORREF MarkColour(TMark mark) {
  switch (mark) {
    case TMark::Check:
    case TMark::DoubleCheck:
      return RGB(0, 128, 0);
    case TMark::Cross:
      return RGB(192, 0, 0);
    default:
      return RGB(0, 0, 160);
  }
}

// Draws a kind's mark in one 16 × 16 frame whose top-left corner is (x, 0).
void DrawMark(HDC dc, int x, TMark mark, COLORREF colour) {
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, colour));
  DcSelection selected(dc, pen.Get());
  const auto line = [&](std::initializer_list<POINT> points) {
    std::vector<POINT> p(points);
    for (POINT& q : p) q.x += x;
    Polyline(dc, p.data(), int(p.size()));
  };
  switch (mark) {
    case TMark::Check:
      line({{3, 8}, {6, 11}, {13, 4}});
      break;
    case TMark::DoubleCheck:
      line({{1, 8}, {4, 11}, {9, 5}});
      line({{6, 8}, {9, 11}, {15, 4}});
      break;
    case TMark::Cross:
      line({{4, 4}, {12, 12}});
      line({{12, 4}, {4, 12}});
      break;
    case TMark::Question:
      line({{5, 5}, {6, 3}, {10, 3}, {11, 5}, {11, 6}, {8, 8}, {8, 10}});
      line({{8, 12}, {8, 14}});
      break;
    case TMark::Retry:
      Arc(dc, x + 3, 3, x + 14, 14, x + 14, 8, x + 8, 3);
      line({{11, 12}, {13, 13}, {14, 10}});
      break;
    case TMark::Skip:
      line({{2, 8}, {13, 8}});
      line({{9, 4}, {13, 8}, {9, 12}});
      break;
  }
}

// The glyph of a standard kind: the mark in its colour, then the same mark in grey for the
// disabled look, on the transparent colour.
void MakeKindGlyph(TBitBtnKind kind, TBitmap& glyph) {
  glyph.SetSize(2 * kGlyphSize, kGlyphSize);
  HDC dc = glyph.Canvas().Handle();
  GdiObject<HBRUSH> background(CreateSolidBrush(kTransparent));
  const RECT all{0, 0, 2 * kGlyphSize, kGlyphSize};
  FillRect(dc, &all, background.Get());
  const TMark mark = MarkOf(kind);
  DrawMark(dc, 0, mark, MarkColour(mark));
  DrawMark(dc, kGlyphSize, mark, GetSysColor(COLOR_GRAYTEXT));
  glyph.ReleaseCanvasHandle();
}
}  // namespace

const TClassInfo& TBitBtn::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBitBtn>("TBitBtn", TButton::StaticClassInfo())
                                     .Creatable()
                                     .Enum("Kind", &TBitBtn::Kind, &TBitBtn::SetKind, kKinds, TBitBtnKind::bkCustom)
                                     .Held<TBitmap>("Glyph", &TBitBtn::Glyph)
                                     .Binary("Glyph.Data", &TBitBtn::ReadGlyph)
                                     .Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs, 1)
                                     .Enum("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout, kLayouts,
                                           TButtonLayout::blGlyphLeft)
                                     .Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin, -1)
                                     .Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing, 4)
                                     .Build();
  return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {
  glyph_->SetOnChange([this] {
    if (!settingGlyph_) kind_ = TBitBtnKind::bkCustom;
    Invalidate();
  });
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::ReadGlyph(TStream& stream) { glyph_->LoadFromStream(stream); }

// A standard kind sets the caption (while a description is read, only when it gave none), the
// glyph, and whether the button is a default or a cancel button.
void TBitBtn::SetKind(TBitBtnKind v) {
  if (v == kind_) return;
  if (v != TBitBtnKind::bkCustom) {
    {
      ScopedValue keepKind(settingGlyph_, true);
      MakeKindGlyph(v, *glyph_);
    }
    numGlyphs_ = 2;
    SetDefault(v == TBitBtnKind::bkOK || v == TBitBtnKind::bkYes);
    SetCancel(v == TBitBtnKind::bkCancel || v == TBitBtnKind::bkNo);
    if (!Loading() || Caption().empty()) SetCaption(kKindCaptions[int(v)]);
  }
  kind_ = v;
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int v) {
  numGlyphs_ = v < 1 ? 1 : v;
  Invalidate();
}
void TBitBtn::SetLayout(TButtonLayout v) {
  layout_ = v;
  Invalidate();
}
void TBitBtn::SetMargin(int v) {
  margin_ = v;
  Invalidate();
}
void TBitBtn::SetSpacing(int v) {
  spacing_ = v;
  Invalidate();
}

void TBitBtn::Click() {
  TButton::Click();
  if (kind_ != TBitBtnKind::bkClose) return;
  if (TCustomForm* form = ParentForm()) form->Close();
}

// The face as the platform draws a push button (a dark frame round a default or focused one),
// then the glyph and caption, moved while pressed, and the focus rectangle.
void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool focused = item.itemState & ODS_FOCUS;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  if (Default() || focused) {
    GdiObject<HBRUSH> frame(CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME)));
    FrameRect(dc, &r, frame.Get());
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
  DcSelection font(dc, Font()->Handle());
  const TButtonContent content{glyph_.get(), numGlyphs_, ButtonGlyphFrame(numGlyphs_, enabled, pressed, false),
                               Caption(), layout_, margin_, spacing_};
  DrawButtonContent(dc, r, content, enabled ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT),
                    pressed ? 1 : 0, (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
  if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
    InflateRect(&r, -2, -2);
    DrawFocusRect(dc, &r);
  }
}

// An owner-drawn button takes a double click as a notification only; a quick second click must
// press it again, as it does any push button.
void TBitBtn::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return;
    case WM_LBUTTONDBLCLK:
      m.Msg = WM_LBUTTONDOWN;
      return TButton::WndProc(m);
    default:
      return TButton::WndProc(m);
  }
}

}  // namespace bus
