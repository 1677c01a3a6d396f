#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/WideText.h"

namespace bus {

namespace {

// Largest pixel memory a bitmap may ask for (a 4K screen at 32 bits is 33 MB).
constexpr std::int64_t kMaxDibBytes = std::int64_t(1) << 30;

int BitsOf(TPixelFormat format) { return format == pf32bit ? 32 : 24; }

int RowBytes(int width, TPixelFormat format) { return ((width * BitsOf(format) + 31) / 32) * 4; }

// BITMAPINFO of a top-down 32-bit image, for GetDIBits.
BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

}  // namespace

// The memory DC of a bitmap, with the bitmap selected while it exists.
class TBitmap::BitmapCanvas : public TCanvas {
public:
  explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {}
  ~BitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    if (!HandleAllocated()) return;
    HDC dc = Handle();
    SetHandle(nullptr);
    if (previousBitmap_) SelectObject(dc, previousBitmap_);
    previousBitmap_ = nullptr;
    DeleteDC(dc);
  }

protected:
  void CreateHandle() override {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) throw EInvalidGraphicOperation("Cannot create a device context for a bitmap");
    previousBitmap_ = owner_.Handle() ? SelectObject(dc, owner_.Handle()) : nullptr;
    SetHandle(dc);
  }

private:
  TBitmap& owner_;                    // whose image is selected
  HGDIOBJ previousBitmap_ = nullptr;  // the DC's own bitmap, put back before deletion
};

struct TBitmap::Dib {
  GdiObject<HBITMAP> handle;     // the DIB section; empty for an empty image
  std::uint8_t* bits = nullptr;  // pixel memory
  int width = 0;
  int height = 0;
  TPixelFormat format = pf24bit;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) {
  if (width > 0 && height > 0) Install(CreateDib(width, height, format));
}

TBitmap::~TBitmap() {
  canvas_.reset();  // deselects the bitmap before handle_ deletes it
}

TBitmap::Dib TBitmap::CreateDib(int width, int height, TPixelFormat format) {
  Dib dib;
  dib.format = format;
  if (width <= 0 || height <= 0) return dib;
  if (width > kMaxBmpDimension || height > kMaxBmpDimension ||
      std::int64_t(RowBytes(width, format)) * height > kMaxDibBytes)
    throw EInvalidGraphicOperation("Bitmap too large");
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = WORD(BitsOf(format));
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib.handle.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib.handle || !bits) throw EInvalidGraphicOperation("Cannot create a bitmap (out of resources)");
  dib.bits = static_cast<std::uint8_t*>(bits);
  std::memset(dib.bits, 0, std::size_t(RowBytes(width, format)) * std::size_t(height));
  dib.width = width;
  dib.height = height;
  return dib;
}

void TBitmap::Install(Dib&& dib) {
  if (canvas_) canvas_->FreeContext();
  handle_ = std::move(dib.handle);
  bits_ = dib.bits;
  width_ = dib.width;
  height_ = dib.height;
  format_ = dib.format;
  Changed();
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  Dib next = CreateDib(width, height, format_);
  if (next.bits && bits_) {
    GdiFlush();
    const int rows = std::min(height, height_);
    const std::size_t bytes = std::size_t(std::min(width, width_)) * (BitsOf(format_) / 8);
    for (int y = 0; y < rows; ++y)
      std::memcpy(next.bits + std::size_t(RowBytes(width, format_)) * y, ScanLine(y), bytes);
  }
  if (!next.bits) {  // empty: keep the format, lose the image
    next.width = width;
    next.height = height;
  }
  Install(std::move(next));
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  if (Empty()) {
    format_ = format;
    Changed();
    return;
  }
  Dib next = CreateDib(width_, height_, format);
  GdiFlush();
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* src = ScanLine(y);
    std::uint8_t* dst = next.bits + std::size_t(RowBytes(width_, format)) * y;
    for (int x = 0; x < width_; ++x) {
      if (format == pf32bit) {
        std::memcpy(dst + 4 * x, src + 3 * x, 3);
        dst[4 * x + 3] = 0;
      } else {
        std::memcpy(dst + 3 * x, src + 4 * x, 3);
      }
    }
  }
  Install(std::move(next));
}

int TBitmap::ScanLineSize() const noexcept { return RowBytes(width_, format_); }

std::uint8_t* TBitmap::ScanLine(int y) {
  return const_cast<std::uint8_t*>(static_cast<const TBitmap*>(this)->ScanLine(y));
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= height_ || !bits_) throw EInvalidGraphicOperation("Scan line index out of range");
  GdiFlush();
  return bits_ + std::size_t(ScanLineSize()) * std::size_t(y);
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<BitmapCanvas>(*this);
  return *canvas_;
}

void TBitmap::ReleaseCanvasHandle() {
  if (canvas_) canvas_->FreeContext();
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  if (source.Empty()) {
    Dib empty;
    empty.format = source.format_;
    Install(std::move(empty));
    return;
  }
  Dib next = CreateDib(source.width_, source.height_, source.format_);
  GdiFlush();
  std::memcpy(next.bits, source.bits_, std::size_t(source.ScanLineSize()) * std::size_t(source.height_));
  Install(std::move(next));
}

void TBitmap::Clear() {
  if (Empty() && !handle_) return;
  Dib empty;
  empty.format = format_;
  Install(std::move(empty));
}

BmpImage TBitmap::ToImage() const {
  BmpImage image(width_, height_);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* src = ScanLine(y);
    std::uint8_t* dst = image.Row(y);
    if (format_ == pf32bit) {
      std::memcpy(dst, src, std::size_t(width_) * 4);
    } else {
      for (int x = 0; x < width_; ++x) {
        std::memcpy(dst + 4 * x, src + 3 * x, 3);
        dst[4 * x + 3] = 255;
      }
    }
  }
  return image;
}

void TBitmap::FromImage(const BmpImage& image, TPixelFormat format) {
  if (image.pixels.size() != std::size_t(std::max(image.width, 0)) * std::size_t(std::max(image.height, 0)) * 4)
    throw EInvalidGraphicOperation("Image pixel buffer does not match its size");
  Dib next = CreateDib(image.width, image.height, format);
  for (int y = 0; y < next.height; ++y) {
    const std::uint8_t* src = image.Row(y);
    std::uint8_t* dst = next.bits + std::size_t(RowBytes(next.width, format)) * y;
    if (format == pf32bit) {
      std::memcpy(dst, src, std::size_t(next.width) * 4);
    } else {
      for (int x = 0; x < next.width; ++x) std::memcpy(dst + 3 * x, src + 4 * x, 3);
    }
  }
  Install(std::move(next));
}

void TBitmap::LoadFromStream(TStream& source) {
  const std::int64_t left = source.Size() - source.Position();
  if (left <= 0) {
    Clear();
    return;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(left));
  source.ReadBuffer(bytes.data(), bytes.size());
  const BmpImage image = DecodeBmp(bytes);
  FromImage(image, image.sourceBitsPerPixel == 32 ? pf32bit : pf24bit);
}

void TBitmap::SaveToStream(TStream& target) const {
  if (Empty()) return;
  const std::vector<std::uint8_t> bytes = EncodeBmp(ToImage(), BitsOf(format_));
  target.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::LoadFromBitmapHandle(HBITMAP source) {
  BITMAP bm{};
  if (!source || GetObjectW(source, sizeof bm, &bm) == 0)
    throw EInvalidGraphicOperation("Not a bitmap handle");
  const int width = bm.bmWidth, height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  BmpImage image(width, height);
  if (!image.pixels.empty()) {
    BITMAPINFO bi = TopDown32(width, height);
    WindowDC screen;
    if (GetDIBits(screen.Get(), source, 0, UINT(height), image.pixels.data(), &bi, DIB_RGB_COLORS) != height)
      throw EInvalidGraphicOperation("Cannot read the bitmap's pixels");
  }
  FromImage(image, bm.bmBitsPixel == 32 ? pf32bit : pf24bit);
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const std::string& name) {
  const std::wstring wide = Widen(name);
  GdiObject<HBITMAP> loaded(
      static_cast<HBITMAP>(LoadImageW(module, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!loaded) throw EInvalidGraphicOperation("Bitmap resource " + name + " not found");
  LoadFromBitmapHandle(loaded.Get());
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
  if (Empty()) return;
  HDC target = canvas.Handle();
  SetStretchBltMode(target, COLORONCOLOR);
  auto blt = [&](HDC source) {
    StretchBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0, width_,
               height_, canvas.CopyMode());
  };
  if (canvas_ && canvas_->HandleAllocated()) {
    blt(canvas_->Handle());  // the bitmap is selected there and cannot be selected elsewhere
  } else {
    MemoryDC source;
    DcSelection selected(source.Get(), handle_.Get());
    blt(source.Get());
  }
}

}  // namespace bus
