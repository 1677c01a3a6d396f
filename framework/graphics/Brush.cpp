#include "framework/graphics/Brush.h"

namespace bus {

struct TBrush::Data {
  TColor color = clWhite;           // fill colour
  TBrushStyle style = bsSolid;      // solid, clear or a hatch
  mutable HBRUSH handle = nullptr;  // made on first use
  mutable bool owned = false;       // handle must be deleted (not a stock or scheme brush)

  Data() = default;
  Data(TColor c, TBrushStyle s) : color(c), style(s) {}
  ~Data() {
    if (handle && owned) DeleteObject(handle);
  }
  Data(const Data&) = delete;
  Data& operator=(const Data&) = delete;
};

TBrush::TBrush() : data_(std::make_shared<Data>()) {}
TBrush::~TBrush() = default;

TColor TBrush::Color() const noexcept { return data_->color; }
void TBrush::SetColor(TColor color) { Replace(color, data_->style); }
TBrushStyle TBrush::Style() const noexcept { return data_->style; }
void TBrush::SetStyle(TBrushStyle style) { Replace(data_->color, style); }

void TBrush::Replace(TColor color, TBrushStyle style) {
  if (color == data_->color && style == data_->style) return;
  std::shared_ptr<Data> old = std::exchange(data_, std::make_shared<Data>(color, style));
  Changed(std::move(old));
}

HBRUSH TBrush::Handle() const {
  Data& d = *data_;
  if (d.handle) return d.handle;
  switch (d.style) {
    case bsClear:
      d.handle = HBRUSH(GetStockObject(NULL_BRUSH));
      break;
    case bsSolid:
      if (IsSystemColor(d.color) && (d.handle = GetSysColorBrush(int(d.color & 0xFF))) != nullptr) break;
      d.handle = CreateSolidBrush(ColorToRGB(d.color));
      d.owned = true;
      break;
    default: {
      static constexpr int kHatch[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
      d.handle = CreateHatchBrush(kHatch[d.style - bsHorizontal], ColorToRGB(d.color));
      d.owned = true;
    }
  }
  if (!d.handle) throw EInvalidGraphicOperation("Cannot create a brush");
  return d.handle;
}

bool TBrush::HandleAllocated() const noexcept { return data_->handle != nullptr; }

void TBrush::Assign(const TBrush& source) {
  if (source.data_ == data_) return;
  if (source.data_->color == data_->color && source.data_->style == data_->style) {
    if (!data_->handle) data_ = source.data_;
    return;
  }
  std::shared_ptr<Data> old = std::exchange(data_, source.data_);
  Changed(std::move(old));
}

}  // namespace bus
