#include "framework/controls/ImageList.h"

#include "core/BmpFile.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/PropertyIdents.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/graphics/Icon.h"

namespace bus {

const TClassInfo& TImageList::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TImageList>("TImageList", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Int("Width", &TImageList::Width, &TImageList::SetWidth, 16)
                                     .Int("Height", &TImageList::Height, &TImageList::SetHeight, 16)
                                     .Int("MaskColor", &TImageList::MaskColor, &TImageList::SetMaskColor, clNone,
                                          &kColorIdents)
                                     .Binary("Bitmap", &TImageList::ReadBitmap)
                                     .Build();
  return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

HIMAGELIST TImageList::Handle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!handle_) throw EWin32Error("cannot create an image list");
  }
  return handle_;
}

void TImageList::Recreate() {
  if (handle_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TImageList::SetWidth(int v) {
  if (v == width_ || v <= 0) return;
  width_ = v;
  Recreate();
}

void TImageList::SetHeight(int v) {
  if (v == height_ || v <= 0) return;
  height_ = v;
  Recreate();
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TImageList::Clear() {
  if (handle_) ImageList_RemoveAll(handle_);
}

int TImageList::AddMasked(const TBitmap& strip, TColor maskColor) {
  if (strip.Empty()) return -1;
  const int first = Count();
  // the native list keeps only whole images; a copy as a device-dependent bitmap is what it takes.
  // The pixels come from the strip's memory, not through a DC: a bitmap still selected into its
  // canvas's DC cannot be selected into a second one, and the copy would stay black.
  // A 24-bit strip has no fourth byte to give: the list would take the 255 it is read with as the
  // images' own transparency and ignore the mask.
  BmpImage pixels = strip.ToImage();
  if (strip.PixelFormat() != pf32bit)
    for (std::size_t i = 3; i < pixels.pixels.size(); i += 4) pixels.pixels[i] = 0;
  GdiObject<HBITMAP> copy;
  {
    WindowDC screen;
    copy.Reset(CreateCompatibleBitmap(screen.Get(), pixels.width, pixels.height));
    MemoryDC dst(screen.Get());
    DcSelection intoCopy(dst.Get(), copy.Get());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), pixels.width, -pixels.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    if (!SetDIBitsToDevice(dst.Get(), 0, 0, DWORD(pixels.width), DWORD(pixels.height), 0, 0, 0, UINT(pixels.height),
                           pixels.pixels.data(), &info, DIB_RGB_COLORS))
      throw EWin32Error("cannot copy images for the image list");
  }
  const int added = maskColor == clNone ? ImageList_Add(Handle(), copy.Get(), nullptr)
                                        : ImageList_AddMasked(Handle(), copy.Get(), ColorToRGB(maskColor));
  if (added < 0) throw EWin32Error("cannot add images to the image list");
  return first;
}

int TImageList::LoadFromResourceName(HINSTANCE module, const std::string& name, TColor maskColor) {
  TBitmap strip;
  strip.LoadFromResourceName(module, name);
  return AddMasked(strip, maskColor);
}

void TImageList::ReadBitmap(TStream& stream) {
  TBitmap strip;
  strip.LoadFromStream(stream);
  Clear();
  AddMasked(strip, maskColor_);
}

bool TImageList::GetIcon(int index, TIcon& icon) {
  if (index < 0 || index >= Count()) return false;
  HICON h = ImageList_GetIcon(handle_, index, ILD_NORMAL);
  if (!h) return false;
  icon.SetHandle(h);
  return true;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  if (index < 0 || index >= Count()) return;
  HDC dc = canvas.Handle();
  if (enabled) {
    ImageList_Draw(handle_, index, dc, x, y, ILD_NORMAL);
    return;
  }
  HICON icon = ImageList_GetIcon(handle_, index, ILD_NORMAL);
  if (!icon) return;
  DrawStateW(dc, nullptr, nullptr, LPARAM(icon), 0, x, y, width_, height_, DST_ICON | DSS_DISABLED);
  DestroyIcon(icon);
}

}  // namespace bus
