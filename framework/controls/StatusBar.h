// The status bar: a native msctls_statusbar32 with panels (text, width, alignment, bevel,
// owner-drawn style) or one simple panel. The last panel reaches the bar's right edge.
//
// Not built yet (published and stored, it changes nothing): a panel's BiDiMode.
#pragma once

#include <memory>

#include "framework/Collection.h"
#include "framework/controls/ControlCanvas.h"
#include "framework/controls/WinControl.h"

namespace bus {

class TStatusBar;
class TCustomStatusBar;

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

class TStatusPanel : public TCollectionItem {
  BUS_CLASS(TStatusPanel)
public:
  using TCollectionItem::TCollectionItem;
  const std::string& Text() const noexcept { return text_; }
  void SetText(const std::string& v);
  int Width() const noexcept { return width_; }
  void SetWidth(int v);
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v);
  TStatusPanelBevel Bevel() const noexcept { return bevel_; }
  void SetBevel(TStatusPanelBevel v);
  TStatusPanelStyle Style() const noexcept { return style_; }
  void SetStyle(TStatusPanelStyle v);
  TBiDiMode BiDiMode() const noexcept { return biDiMode_; }
  void SetBiDiMode(TBiDiMode v) noexcept { biDiMode_ = v; }

private:
  std::string text_;                                      // shown text
  int width_ = 50;                                        // pixels
  TAlignment alignment_ = TAlignment::taLeftJustify;      // text placement
  TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;  // frame
  TStatusPanelStyle style_ = TStatusPanelStyle::psText;   // owner-drawn or text
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;         // reading order (stored only)
};

using TStatusPanels = TOwnedCollection<TStatusPanel>;
// (StatusBar, Panel, Rect)
using TDrawPanelEvent = TEvent<TCustomStatusBar*, TStatusPanel*, const RECT&>;

class TCustomStatusBar : public TWinControl {
  BUS_CLASS(TCustomStatusBar)
public:
  explicit TCustomStatusBar(TComponent* owner);
  ~TCustomStatusBar() override;

  TStatusPanels* Panels() const noexcept { return panels_.get(); }
  bool SimplePanel() const noexcept { return simplePanel_; }
  void SetSimplePanel(bool v);
  const std::string& SimpleText() const noexcept { return simpleText_; }
  void SetSimpleText(const std::string& v);
  // Changing it re-creates the window.
  bool SizeGrip() const noexcept { return sizeGrip_; }
  void SetSizeGrip(bool v);
  TControlCanvas& Canvas() noexcept { return *canvas_; }

  TDrawPanelEvent OnDrawPanel;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  void UpdatePanels();
  void UpdatePanel(int index);

  std::unique_ptr<TStatusPanels> panels_;   // the parts
  bool simplePanel_ = false;                // one part showing SimpleText
  std::string simpleText_;                  // text of the simple part
  bool sizeGrip_ = true;                    // sizing grip at the right end
  std::unique_ptr<TControlCanvas> canvas_;  // bound while a panel is owner-drawn
};

class TStatusBar : public TCustomStatusBar {
  BUS_CLASS(TStatusBar)
public:
  using TCustomStatusBar::TCustomStatusBar;
};

}  // namespace bus
