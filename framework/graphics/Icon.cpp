#include "framework/graphics/Icon.h"

#include <cstring>
#include <vector>

#include "core/IconFile.h"
#include "framework/graphics/Canvas.h"

namespace bus {

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::Install(IconHandle icon) {
  int width = 0, height = 0;
  if (icon) {
    ICONINFO info{};
    if (GetIconInfo(icon.Get(), &info)) {
      GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
      BITMAP bm{};
      if (colour && GetObjectW(colour.Get(), sizeof bm, &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight;
      } else if (mask && GetObjectW(mask.Get(), sizeof bm, &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight / 2;  // monochrome: AND and XOR masks stacked
      }
    }
  }
  handle_ = std::move(icon);
  width_ = width;
  height_ = height;
  Changed();
}

void TIcon::SetHandle(HICON icon) {
  if (icon == handle_.Get()) return;
  Install(IconHandle(icon));
}

HICON TIcon::ReleaseHandle() {
  HICON icon = handle_.Release();
  Install(IconHandle());
  return icon;
}

void TIcon::Assign(const TIcon& source) {
  if (&source == this) return;
  IconHandle copy;
  if (source.handle_) {
    copy.Reset(CopyIcon(source.handle_.Get()));
    if (!copy) throw EInvalidGraphicOperation("Cannot copy the icon");
  }
  Install(std::move(copy));
}

void TIcon::LoadFromStream(TStream& source) {
  const std::int64_t left = source.Size() - source.Position();
  if (left <= 0) {
    Install(IconHandle());
    return;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(left));
  source.ReadBuffer(bytes.data(), bytes.size());
  LoadFromBytes(bytes);
}

void TIcon::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::vector<IconFileImage> images = ReadIconFile(bytes);
  const IconFileImage& best =
      images[ChooseIconImage(images, preferredSize_ > 0 ? preferredSize_ : GetSystemMetrics(SM_CXICON))];
  IconHandle icon(CreateIconFromResourceEx(const_cast<PBYTE>(bytes.data() + best.offset), DWORD(best.size), TRUE,
                                           0x00030000, best.width, best.height, LR_DEFAULTCOLOR));
  if (!icon) throw EInvalidGraphic("Icon image is not valid: the platform cannot read it");
  Install(std::move(icon));
}

void TIcon::SaveToStream(TStream& target) const {
  if (!handle_) return;
  ICONINFO info{};
  if (!GetIconInfo(handle_.Get(), &info)) throw EInvalidGraphicOperation("Cannot read the icon");
  GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
  const int w = width_, h = height_;
  WindowDC screen;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  // colour and mask as 32-bit rows, top-down; a monochrome icon keeps both in its mask, stacked
  BmpImage image(w, h), maskImage(w, h);
  if (colour) {
    bi.bmiHeader.biHeight = -h;
    GetDIBits(screen.Get(), colour.Get(), 0, UINT(h), image.pixels.data(), &bi, DIB_RGB_COLORS);
    bi.bmiHeader.biHeight = -h;
    GetDIBits(screen.Get(), mask.Get(), 0, UINT(h), maskImage.pixels.data(), &bi, DIB_RGB_COLORS);
  } else {
    BmpImage both(w, 2 * h);
    bi.bmiHeader.biHeight = -2 * h;
    GetDIBits(screen.Get(), mask.Get(), 0, UINT(2 * h), both.pixels.data(), &bi, DIB_RGB_COLORS);
    std::memcpy(maskImage.pixels.data(), both.pixels.data(), maskImage.pixels.size());
    std::memcpy(image.pixels.data(), both.pixels.data() + maskImage.pixels.size(), image.pixels.size());
  }
  bool anyAlpha = false;
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) anyAlpha = anyAlpha || image.pixels[i] != 0;
  if (!anyAlpha) {  // no alpha channel: the mask says which pixels show through
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
      const bool transparent = maskImage.pixels[i] | maskImage.pixels[i + 1] | maskImage.pixels[i + 2];
      image.pixels[i + 3] = transparent ? 0 : 255;
    }
  }
  const std::vector<std::uint8_t> bytes = EncodeIconFile(image);
  target.WriteBuffer(bytes.data(), bytes.size());
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) {
  if (!handle_) return;
  DrawIconEx(canvas.Handle(), rect.left, rect.top, handle_.Get(), rect.right - rect.left, rect.bottom - rect.top, 0,
             nullptr, DI_NORMAL);
}

}  // namespace bus
