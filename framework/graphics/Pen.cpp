#include "framework/graphics/Pen.h"

namespace bus {

struct TPen::Data {
  TColor color = clBlack;         // line colour
  int width = 1;                  // pixels
  TPenStyle style = psSolid;      // dash pattern, clear or inside-frame
  mutable HPEN handle = nullptr;  // made on first use
  mutable bool owned = false;     // handle must be deleted (not the stock null pen)

  Data() = default;
  Data(TColor c, int w, TPenStyle s) : color(c), width(w), style(s) {}
  ~Data() {
    if (handle && owned) DeleteObject(handle);
  }
  Data(const Data&) = delete;
  Data& operator=(const Data&) = delete;
};

int PenModeToRop2(TPenMode mode) noexcept {
  static constexpr int kRop2[] = {R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN,
                                  R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                                  R2_MERGEPEN, R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN,
                                  R2_XORPEN, R2_NOTXORPEN};
  return kRop2[mode];
}

TPen::TPen() : data_(std::make_shared<Data>()) {}
TPen::~TPen() = default;

TColor TPen::Color() const noexcept { return data_->color; }
void TPen::SetColor(TColor color) { Replace(color, data_->width, data_->style); }
int TPen::Width() const noexcept { return data_->width; }
void TPen::SetWidth(int width) { Replace(data_->color, width < 1 ? 1 : width, data_->style); }
TPenStyle TPen::Style() const noexcept { return data_->style; }
void TPen::SetStyle(TPenStyle style) { Replace(data_->color, data_->width, style); }

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  Changed();
}

void TPen::Replace(TColor color, int width, TPenStyle style) {
  if (color == data_->color && width == data_->width && style == data_->style) return;
  std::shared_ptr<Data> old = std::exchange(data_, std::make_shared<Data>(color, width, style));
  Changed(std::move(old));
}

HPEN TPen::Handle() const {
  Data& d = *data_;
  if (d.handle) return d.handle;
  if (d.style == psClear) {
    d.handle = HPEN(GetStockObject(NULL_PEN));
  } else {
    static constexpr int kStyle[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    d.handle = CreatePen(kStyle[d.style], d.width, ColorToRGB(d.color));
    d.owned = true;
  }
  if (!d.handle) throw EInvalidGraphicOperation("Cannot create a pen");
  return d.handle;
}

bool TPen::HandleAllocated() const noexcept { return data_->handle != nullptr; }

void TPen::Assign(const TPen& source) {
  if (&source == this) return;
  const bool modeChanged = source.mode_ != mode_;
  mode_ = source.mode_;
  const Data& s = *source.data_;
  if (source.data_ == data_ || (s.color == data_->color && s.width == data_->width && s.style == data_->style)) {
    if (!data_->handle) data_ = source.data_;
    if (modeChanged) Changed();
    return;
  }
  std::shared_ptr<Data> old = std::exchange(data_, source.data_);
  Changed(std::move(old));
}

}  // namespace bus
