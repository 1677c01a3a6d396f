#include "skin/control/SkinObjImage.h"

#include <array>

#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/SkinData.h"

namespace bus {

namespace {

// The strip frame (1-based) each of the nine glyph slots takes; frame 5 only from a 5-frame strip.
constexpr std::array<int, 9> kSlotFrames = {1, 2, 5, 1, 2, 5, 3, 4, 5};

}  // namespace

const TClassInfo& TSkinObjImage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinObjImage>("TSkinObjImage", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinObjImage::AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) {
  if (Attached()) return;
  auto* control = dynamic_cast<TWinControl*>(Owner());
  if (!control) return;
  SetRecolour(recolour);
  Bind(*control, skin, form, canvas, false);
  if (mode_ == 1) ApplyGlyphs();
  SetStatus(kWrapperAttached);
}

void TSkinObjImage::Detach() {
  if (mode_ == 1) SetPropertyText(Owner(), "UseCustomGlyphs", "False");
}

void TSkinObjImage::SkinChanged() {
  if (mode_ == 1) ApplyGlyphs();
}

void TSkinObjImage::ApplyGlyphs() {
  const TDataSkinButton* buttons = SkinData() ? SkinData()->Buttons() : nullptr;
  if (!buttons || buttons->CheckButton().Empty()) return;
  const int frames = buttons->CheckButtonFrame();
  if (frames <= 0) return;
  const BmpImage strip = buttons->CheckButton().ToImage();
  const int width = strip.width / frames, height = strip.height;
  auto* glyphs = GetHeldProperty<TBitmap>(Owner(), "CustomGlyphs");
  if (width <= 0 || !glyphs) return;
  BmpImage built(9 * width, height);
  for (int slot = 0; slot < 9; ++slot) {
    const int frame = kSlotFrames[std::size_t(slot)];
    const bool taken = frame <= frames && (frame != 5 || frames == 5);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x)
        built.SetPixel(slot * width + x, y, taken ? strip.Pixel((frame - 1) * width + x, y) : 0xFF000000u | kSkinTransparent);
    }
  }
  glyphs->FromImage(built, pf24bit);
  SetPropertyText(Owner(), "TransparentColor", std::to_string(clFuchsia));
  SetPropertyText(Owner(), "UseCustomGlyphs", "False");
  SetPropertyText(Owner(), "UseCustomGlyphs", "True");
}

}  // namespace bus
