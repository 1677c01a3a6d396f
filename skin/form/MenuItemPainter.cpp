#include "skin/form/MenuItemPainter.h"

#include <algorithm>

#include "core/ScopedValue.h"
#include "core/WideText.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinControl.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/ButtonFrames.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinManager.h"
#include "skin/form/SkinPopupMenu.h"

namespace bus {

namespace {

constexpr int kMenuItemFrames = 5;
constexpr int kFrameNormal = 1;
constexpr int kFrameSeparator = 2;
constexpr int kFrameSelected = 4;
constexpr int kNativeTextLimit = 80;  // characters of a native item's text that are read
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kArrowPlace = 16;      // width of the sub-menu arrow's place at an item's right end
constexpr int kArrowHalf = 3;        // half the height of the sub-menu arrow
constexpr WORD kCheckBitmap = 32760;  // the platform's OBM_CHECK (declared only with OEMRESOURCE)
constexpr int kDotRadius = 3;        // of a radio item's dot when the skin has no radio picture

// The object of the menu window that shows menu, or null.
TSkinPopupMenu* PopupOf(HMENU menu) { return SkinManager && menu ? SkinManager->FindPopupMenu(menu) : nullptr; }

// The work bitmap of an item, of r's size, its canvas with the menu font: the painting code's
// shared scratch bitmap (the items of a menu are mostly of one size, so it is seldom made anew).
TBitmap& WorkBitmap(const RECT& r) {
  TBitmap& g = ScratchBitmap();
  g.SetSize(std::max<int>(r.right - r.left, 1), std::max<int>(r.bottom - r.top, 1));
  g.Canvas().SetFont(Screen().MenuFont());
  return g;
}

// Fills g with the part of the menu window's background under r (r in the window's client
// coordinates), or with fill when the window has no background.
void FillItemBackground(TBitmap& g, const RECT& r, HMENU menu, TColor fill) {
  TSkinPopupMenu* popup = PopupOf(menu);
  TBitmap* background = popup ? &popup->Background() : nullptr;
  const RECT whole{0, 0, g.Width(), g.Height()};
  if (!background || background->Empty()) {
    g.Canvas().Brush().SetStyle(bsSolid);  // the text of the last item left it clear
    g.Canvas().Brush().SetColor(fill);
    g.Canvas().FillRect(whole);
    return;
  }
  // the item's place in the window: its client coordinates moved by where the client area starts
  const POINT origin = popup->ClientOrigin();
  BitBlt(g.Canvas().Handle(), 0, 0, g.Width(), g.Height(), background->Canvas().Handle(), r.left + origin.x,
         r.top + origin.y, SRCCOPY);
}

// Copies g to the canvas at r's top-left.
void Present(TBitmap& g, TCanvas& canvas, const RECT& r) {
  BitBlt(canvas.Handle(), r.left, r.top, g.Width(), g.Height(), g.Canvas().Handle(), 0, 0, SRCCOPY);
}

// The platform's check mark, centred in box, in colour; the pixels around the mark stay as they are.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
  GdiObject<HBITMAP> mark(static_cast<HBITMAP>(LoadImageW(nullptr, MAKEINTRESOURCEW(kCheckBitmap), IMAGE_BITMAP, 0, 0, 0)));
  BITMAP info{};
  if (!mark || !GetObjectW(mark.Get(), sizeof info, &info)) {
    // a tick of our own where the platform has none
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, colour));
    const DcSelection use(dc, pen.Get());
    const POINT tick[] = {{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 4, cy - 3}};
    Polyline(dc, tick, 3);
    return;
  }
  const int x = box.left + (box.right - box.left - info.bmWidth) / 2 + 1;
  const int y = box.top + (box.bottom - box.top - info.bmHeight) / 2 + 1;
  MemoryDC source(dc);
  const DcSelection select(source.Get(), mark.Get());
  const SavedDCState keep(dc);
  // the mark's 0 bits become black, its 1 bits leave the pixels alone; then the black is coloured
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCAND);
  SetTextColor(dc, colour);
  SetBkColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCPAINT);
}

// The platform's pattern behind a checked item's image: button face and button highlight dots.
void FillCheckedPattern(HDC dc, const RECT& box) {
  static const WORD kDots[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  GdiObject<HBITMAP> dots(CreateBitmap(8, 8, 1, 1, kDots));
  GdiObject<HBRUSH> brush(CreatePatternBrush(dots.Get()));
  const SavedDCState keep(dc);
  SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
  SetBkColor(dc, GetSysColor(COLOR_BTNHILIGHT));
  FillRect(dc, &box, brush.Get());
}

}  // namespace

int TMenuItemPainter::LeftInset() const noexcept {
  const TDataSkinObject* object = skin_.MenuItem();
  return object ? object->LeftWidth() : 0;
}

TColor TMenuItemPainter::TextColour(const TMenuItem& item, bool selected) const noexcept {
  if (!item.Enabled())
    return skin_.ButtonShadow() == skin_.MenuText() ? TColor(GetSysColor(COLOR_BTNSHADOW)) : skin_.ButtonShadow();
  return selected ? skin_.HilightText() : skin_.MenuText();
}

// --- Measuring ---------------------------------------------------------------------------------

void TMenuItemPainter::MeasurePopupItem(TMenuItem& item, int& width, int& height) const {
  (void)height;
  const TMenu* menu = item.GetParentMenu();
  width += LeftInset() + (menu && menu->Images() ? 12 : 35);
}

void TMenuItemPainter::MeasureMenuItem(TMenuItem& item, TCanvas& canvas, int& width, int& height) const {
  {
    // the layer's own size, without this very event
    const ScopedValue<TMenuMeasureItemEvent> withoutEvent(item.OnMeasureItem, TMenuMeasureItemEvent());
    item.MeasureItem(canvas, width, height);
  }
  const TMenu* menu = item.GetParentMenu();
  width += LeftInset() + (menu && menu->Images() ? 10 : 35);
}

void TMenuItemPainter::MeasureNativeItem(const std::wstring& text, int& width, int& height) const {
  MemoryDC dc;
  SIZE size{};
  {
    const DcSelection font(dc.Get(), Screen().MenuFont().Handle());
    GetTextExtentPoint32W(dc.Get(), text.c_str(), int(text.size()), &size);
  }
  width = size.cx + 26 + LeftInset();
  if (!text.empty()) height += 4;
  else height = 8;
  if (SkinManager && (SkinManager->PlatformVersion() & 0x80000000u)) height += 4;
}

// --- Drawing -----------------------------------------------------------------------------------

void TMenuItemPainter::DrawMenuItem(TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected) const {
  if (!skin_.MenuItem()) {
    DrawPlainItem(item, canvas, selected, r);
    return;
  }
  HMENU menu = item.Parent() ? item.Parent()->Handle() : nullptr;
  if (TSkinPopupMenu* pending = TSkinPopupMenu::PendingPopup(); pending && item.Parent()) {
    pending->SetOwnerMenu(menu);
    TSkinPopupMenu::SetPendingPopup(nullptr);
  }
  DrawSkinnedItem(item, canvas, r, selected, menu, false);
}

void TMenuItemPainter::DrawNativeItem(HMENU menu, UINT id, TMenuItem& item, bool selected, const RECT& r,
                                      TCanvas& canvas) const {
  const bool radio = IsRadioItem(menu, id);
  if (!skin_.MenuItem()) {
    DrawPlainItem(item, canvas, selected, r, radio);
    return;
  }
  DrawSkinnedItem(item, canvas, r, selected, menu, true, radio);
}

void TMenuItemPainter::DrawSkinnedItem(TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected, HMENU menu,
                                       bool separatorAsItem, bool radio) const {
  const TDataSkinObject& object = *skin_.MenuItem();
  TBitmap& g = WorkBitmap(r);
  FillItemBackground(g, r, menu, skin_.Menu());
  if (item.IsLine() && !separatorAsItem) {
    Present(g, canvas, r);
    DrawSeparator(canvas, r);
    return;
  }
  const RECT whole{0, 0, g.Width(), g.Height()};
  DrawSkinImage(g.Canvas().Handle(), whole, object.Image(), false, object.Tile() == 1, object.Trans() == 1,
                kMenuItemFrames, selected ? kFrameSelected : kFrameNormal, object.Margins());
  DrawItemContent(item, g.Canvas(), selected, whole, radio);
  Present(g, canvas, r);
  if (item.Count() > 0) DrawSubMenuArrow(item, canvas, r, selected);
}

void TMenuItemPainter::DrawPlainItem(TMenuItem& item, TCanvas& canvas, bool selected, const RECT& r,
                                     bool radio) const {
  TBitmap& g = WorkBitmap(r);
  const RECT whole{0, 0, g.Width(), g.Height()};
  g.Canvas().Brush().SetStyle(bsSolid);  // the text of the last item left it clear
  g.Canvas().Brush().SetColor(selected ? skin_.Hilight() : skin_.Menu());
  g.Canvas().FillRect(whole);
  DrawItemContent(item, g.Canvas(), selected, whole, radio);
  Present(g, canvas, r);
  if (item.Count() > 0) DrawSubMenuArrow(item, canvas, r, selected);
}

void TMenuItemPainter::DrawSubMenuArrow(const TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected) const {
  const RECT place{std::max<int>(r.right - kArrowPlace, r.left), r.top, r.right, r.bottom};
  const int tip = place.right - 6, middle = (r.top + r.bottom) / 2;
  HDC dc = canvas.Handle();
  {
    const COLORREF colour = ColorToRGB(TextColour(item, selected));
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    const DcSelection useBrush(dc, brush.Get());  // put back before the objects are deleted
    const DcSelection usePen(dc, pen.Get());
    const POINT arrow[] = {{tip - kArrowHalf, middle - kArrowHalf}, {tip, middle}, {tip - kArrowHalf, middle + kArrowHalf}};
    Polygon(dc, arrow, 3);
  }
  ExcludeClipRect(dc, place.left, place.top, place.right, place.bottom);
}

void TMenuItemPainter::DrawSeparator(TCanvas& canvas, const RECT& r) const {
  TDataSkinObject* object = skin_.MenuItem();
  if (!object || object->Image().Empty()) return;
  TBitmap& image = object->Image();  // its canvas is the source of the copies
  const int fw = image.Width() / kMenuItemFrames, ih = image.Height();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (fw <= 0 || w <= 0 || h <= 0) return;
  const int dy = ih > h ? ih - h : 0;  // a low item shows the image's bottom rows
  const int left = std::min(object->LeftWidth(), fw), right = std::min(object->RightWidth(), fw - left);
  TBitmap line(w, h);
  HDC target = line.Canvas().Handle();
  HDC source = image.Canvas().Handle();
  const int x0 = (kFrameSeparator - 1) * fw;
  SetStretchBltMode(target, COLORONCOLOR);
  const int middleDest = std::max(w - left - right, 0), middleSource = fw - left - right;
  StretchBlt(target, 0, 0, left, h, source, x0, dy, left, ih - dy, SRCCOPY);
  StretchBlt(target, w - right, 0, right, h, source, x0 + fw - right, dy, right, ih - dy, SRCCOPY);
  if (middleSource > 0)
    StretchBlt(target, left, 0, middleDest, h, source, x0 + left, dy, middleSource, ih - dy, SRCCOPY);
  DrawTransparent(canvas.Handle(), r, line, TColor(kMagenta));
}

void TMenuItemPainter::DrawRadioMark(HDC dc, const RECT& glyph, const TMenuItem& item, bool selected) const {
  if (const TDataSkinButton* buttons = skin_.Buttons();
      buttons && !buttons->RadioButton().Empty() && buttons->RadioButtonFrame() > 0) {
    const int frames = buttons->RadioButtonFrame();
    DrawSkinGlyph(dc, glyph, buttons->RadioButton(), true, frames, RadioButtonFrame(true, item.Enabled(), frames));
    return;
  }
  const COLORREF colour = ColorToRGB(TextColour(item, selected));
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
  const DcSelection useBrush(dc, brush.Get());  // put back before the objects are deleted
  const DcSelection usePen(dc, pen.Get());
  const int cx = (glyph.left + glyph.right) / 2, cy = (glyph.top + glyph.bottom) / 2;
  Ellipse(dc, cx - kDotRadius, cy - kDotRadius, cx + kDotRadius + 1, cy + kDotRadius + 1);
}

void TMenuItemPainter::DrawItemContent(TMenuItem& item, TCanvas& canvas, bool selected, const RECT& r,
                                       bool radio) const {
  const std::wstring text = Widen(item.Caption());
  TMenu* menu = item.GetParentMenu();
  if (!menu) menu = barMenu_;
  TImageList* images = menu ? menu->Images() : nullptr;
  int gs = images ? images->Width() : 16;
  if (item.Checked()) gs = std::max(gs, 16);
  const int inset = LeftInset();
  HDC dc = canvas.Handle();

  RECT glyph{r.left + 1 + inset, r.top + 1, r.left + 1 + inset + gs, r.top + 1 + gs};
  if (item.IsLine()) {
    glyph.left = glyph.right = 0;
  } else if (images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count()) {
    if (item.Checked()) {
      FillCheckedPattern(dc, glyph);
      RECT edge = glyph;
      InflateRect(&edge, 1, 1);
      DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    images->Draw(canvas, glyph.left, glyph.top, item.ImageIndex(), item.Enabled());
  } else if (item.Checked() && radio) {
    DrawRadioMark(dc, glyph, item, selected);
  } else if (item.Checked()) {
    DrawCheckMark(dc, glyph, GetSysColor(COLOR_BTNTEXT));
  }

  const RECT box{glyph.right + 3, r.top, r.right - 1, r.bottom};
  RECT t = box;
  DrawItemText(item, canvas, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE, selected, t, text);
  const int height = t.bottom - t.top;
  t.top = box.top + (box.bottom - box.top - height) / 2;
  t.bottom = t.top + height;
  DrawItemText(item, canvas, DT_SINGLELINE | DT_EXPANDTABS, selected, t, text);

  if (const std::string shortCut = ShortCutToText(item.ShortCut()); !shortCut.empty()) {
    t.left = t.right;
    t.right = r.right - 1 - 10;
    DrawItemText(item, canvas, DT_SINGLELINE | DT_EXPANDTABS | DT_RIGHT, selected, t, Widen(shortCut));
  }
}

void TMenuItemPainter::DrawItemText(const TMenuItem& item, TCanvas& canvas, UINT format, bool selected, RECT& r,
                                    std::wstring text) const {
  const bool measuring = (format & DT_CALCRECT) != 0;
  if (measuring && (text.empty() || text == L"&")) text += L' ';
  if (text == L"-") {
    if (!measuring) {
      RECT line = r;
      OffsetRect(&line, 0, 4);
      DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
    }
    return;
  }
  canvas.Brush().SetStyle(bsClear);
  // a new style makes a new font: only when it changes
  if (const TFontStyles style = canvas.Font().Style(); style.Contains(fsBold) != item.Default())
    canvas.Font().SetStyle(item.Default() ? style + TFontStyles{fsBold} : style - TFontStyles{fsBold});
  canvas.Font().SetColor(TextColour(item, selected));
  // through the canvas, which selects its font into the DC first
  canvas.TextRect(r, Narrow(text), format);
}

// --- Native items ------------------------------------------------------------------------------

std::wstring TMenuItemPainter::NativeItemText(HMENU menu, UINT id) {
  // read through the item's information: an owner-drawn item keeps its text there too
  wchar_t buffer[kNativeTextLimit + 1] = {};
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_STRING;
  mii.dwTypeData = buffer;
  mii.cch = kNativeTextLimit + 1;
  if (!menu || !GetMenuItemInfoW(menu, id, FALSE, &mii)) return {};
  return std::wstring(buffer, std::size_t(std::clamp<UINT>(mii.cch, 0, kNativeTextLimit)));
}

bool TMenuItemPainter::IsRadioItem(HMENU menu, UINT id) {
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE;
  return menu && GetMenuItemInfoW(menu, id, FALSE, &mii) && (mii.fType & MFT_RADIOCHECK) != 0;
}

std::unique_ptr<TMenuItem> TMenuItemPainter::BuildTempItem(HMENU menu, UINT id) {
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_STATE;
  if (!menu || !GetMenuItemInfoW(menu, id, FALSE, &mii)) return nullptr;
  auto item = std::make_unique<TMenuItem>(nullptr);
  const std::wstring text = NativeItemText(menu, id);
  item->SetCaption(text.empty() ? std::string("-") : Narrow(text));
  item->SetEnabled((mii.fState & (MFS_GRAYED | MFS_DISABLED)) == 0);
  item->SetChecked((mii.fState & MFS_CHECKED) != 0);
  return item;
}

}  // namespace bus
