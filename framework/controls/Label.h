// Labels: window-less text painted by the parent, in the parent's colour unless transparent; with
// AutoSize the bounds follow the caption.
#pragma once

#include "framework/Types.h"
#include "framework/controls/GraphicControl.h"

namespace bus {

class TCustomLabel : public TGraphicControl {
  BUS_CLASS(TCustomLabel)
public:
  explicit TCustomLabel(TComponent* owner);
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v);
  bool AutoSize() const noexcept { return autoSize_; }
  void SetAutoSize(bool v);
  bool Transparent() const noexcept { return transparent_; }
  void SetTransparent(bool v);
  bool WordWrap() const noexcept { return wordWrap_; }
  void SetWordWrap(bool v);

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void FontChanged() override;
  // Fits the size to the caption (AutoSize).
  void AdjustBounds();

private:
  UINT DrawFlags() const;
  TAlignment alignment_ = TAlignment::taLeftJustify;  // text placement
  bool autoSize_ = true;                               // size follows the caption
  bool transparent_ = false;                           // background left unpainted
  bool wordWrap_ = false;                              // wrap long captions
};

class TLabel : public TCustomLabel {
  BUS_CLASS(TLabel)
public:
  using TCustomLabel::TCustomLabel;
};

}  // namespace bus
