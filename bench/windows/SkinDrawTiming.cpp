// Timings of the skin drawing routines under Wine, with our default skin: the four window borders
// at the main window's size (797 × 410 with its frame) drawn the way the frame paint draws them,
// and a push button's face, each onto an off-screen bitmap and onto a window's DC. Beside them, in
// the same run, the ways we did not take: converting the skin bitmap to pixels on every call, the
// mask transfer of the platform (MaskBlt) for the transparent button, and GDI stretching of each
// piece (not pixel-exact, for scale); and a glyph with too many holes to draw around, which is laid
// over the DC's pixels read back. Prints one table; each figure is the median of 15 samples of
// 200 calls, the samples of the variants taken in turn.
//
//   bash scripts/wine-test.sh build/windows/wine build/windows/bin/skin_draw_timing.exe
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/PixelTransfer.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"

namespace {

using namespace bus;

constexpr int kWindowWidth = 797, kWindowHeight = 410;  // the main window, frame included
constexpr int kButtonWidth = 75, kButtonHeight = 25;
constexpr int kSamples = 15, kCalls = 200;

struct Variant {
  const char* name;              // row label
  std::function<void()> draw;    // one call
  std::vector<double> samples;   // microseconds per call
};

// Runs every variant's samples in turn, so that the machine's moods fall on all of them alike.
void Measure(std::vector<Variant>& variants) {
  for (Variant& v : variants) v.draw();  // warm up
  for (int s = 0; s < kSamples; ++s) {
    for (Variant& v : variants) {
      const double start = bench::NowMs();
      for (int i = 0; i < kCalls; ++i) v.draw();
      GdiFlush();
      v.samples.push_back((bench::NowMs() - start) * 1000.0 / kCalls);
    }
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Print(const std::vector<Variant>& variants, const char* reference) {
  double base = 0;
  for (const Variant& v : variants) {
    if (std::string(v.name) == reference) base = Median(v.samples);
  }
  for (const Variant& v : variants) {
    const double m = Median(v.samples);
    std::printf("| %s | %.1f µs | %.2f |\n", v.name, m, base > 0 ? m / base : 0.0);
  }
}

// The frame paint's four borders: the sides over the full height, top and bottom between them,
// active frame, stretched as the default skin says.
void DrawBorders(HDC dc, const TSkinData& skin) {
  const auto side = [&](const TDataSkinObject& o, RECT r, bool vertical) {
    DrawSkinImage(dc, r, o.Image(), vertical, o.Tile() != 1, false, o.Frame(), 1, o.Margins());
  };
  const int left = skin.Left()->Image().Width() / std::max(skin.Left()->Frame(), 1);
  const int right = skin.Right()->Image().Width() / std::max(skin.Right()->Frame(), 1);
  const int top = skin.Top()->Image().Height() / std::max(skin.Top()->Frame(), 1);
  const int bottom = skin.Bottom()->Image().Height() / std::max(skin.Bottom()->Frame(), 1);
  side(*skin.Left(), {0, 0, left, kWindowHeight}, false);
  side(*skin.Right(), {kWindowWidth - right, 0, kWindowWidth, kWindowHeight}, false);
  side(*skin.Top(), {left, 0, kWindowWidth - right, top}, true);
  side(*skin.Bottom(), {left, kWindowHeight - bottom, kWindowWidth - right, kWindowHeight}, true);
}

// The same borders with the skin bitmap converted to pixels on every call.
void DrawBordersConverting(HDC dc, const TSkinData& skin) {
  const auto side = [&](const TDataSkinObject& o, RECT r, bool vertical) {
    const BmpImage strip = o.Image().ToImage();
    const BmpImage pixels = RenderSkinImage(strip, r.right - r.left, r.bottom - r.top, o.Margins(), vertical,
                                            o.Tile() != 1, o.Frame(), 1);
    PutPixels(dc, r.left, r.top, ViewOf(pixels));
  };
  side(*skin.Left(), {0, 0, 4, kWindowHeight}, false);
  side(*skin.Right(), {kWindowWidth - 4, 0, kWindowWidth, kWindowHeight}, false);
  side(*skin.Top(), {4, 0, kWindowWidth - 4, 30}, true);
  side(*skin.Bottom(), {4, kWindowHeight - 4, kWindowWidth - 4, kWindowHeight}, true);
}

// The same borders stretched piece by piece by GDI (COLORONCOLOR), for scale.
void DrawBordersStretching(HDC dc, const TSkinData& skin) {
  const auto side = [&](const TDataSkinObject& o, RECT r, bool vertical) {
    const TSkinRect f = SkinFrameRect(o.Image().Width(), o.Image().Height(), o.Frame(), 1, vertical);
    MemoryDC source(dc);
    DcSelection selected(source.Get(), o.Image().Handle());
    SetStretchBltMode(dc, COLORONCOLOR);
    for (const NineSlicePiece& p :
         NineSlicePieces(r.right - r.left, r.bottom - r.top, f.Width(), f.Height(), o.Margins(), false)) {
      StretchBlt(dc, r.left + p.dest.left, r.top + p.dest.top, p.dest.Width(), p.dest.Height(), source.Get(),
                 f.left + p.source.left, f.top + p.source.top, p.source.Width(), p.source.Height(), SRCCOPY);
    }
  };
  side(*skin.Left(), {0, 0, 4, kWindowHeight}, false);
  side(*skin.Right(), {kWindowWidth - 4, 0, kWindowWidth, kWindowHeight}, false);
  side(*skin.Top(), {4, 0, kWindowWidth - 4, 30}, true);
  side(*skin.Bottom(), {4, kWindowHeight - 4, kWindowWidth - 4, kWindowHeight}, true);
}

const RECT kButton{100, 100, 100 + kButtonWidth, 100 + kButtonHeight};

// The button face the platform's way: rendered pixels in a DIB section, a monochrome mask of the
// magenta pixels, one MaskBlt keeping the destination where the mask is set.
void DrawButtonMasked(HDC dc, const TDataSkinObject& o) {
  const BmpImage pixels = RenderSkinImage(ViewOf(o.Image()), kButtonWidth, kButtonHeight, o.Margins(), false,
                                          o.Tile() == 1, o.Frame(), 4);
  const int w = pixels.width, h = pixels.height;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  GdiObject<HBITMAP> image(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::copy(pixels.pixels.begin(), pixels.pixels.end(), static_cast<std::uint8_t*>(bits));
  const int maskRow = (w + 15) / 16 * 2;
  std::vector<std::uint8_t> maskBits(std::size_t(maskRow) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if ((pixels.Pixel(x, y) & 0xFFFFFF) == kSkinTransparent) maskBits[std::size_t(y * maskRow + x / 8)] |= 0x80 >> (x % 8);
    }
  }
  GdiObject<HBITMAP> mask(CreateBitmap(w, h, 1, 1, maskBits.data()));
  MemoryDC source(dc);
  DcSelection selected(source.Get(), image.Get());
  MaskBlt(dc, kButton.left, kButton.top, w, h, source.Get(), 0, 0, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
}

LRESULT CALLBACK Plain(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  TSkinData skin(nullptr);
  try {
    skin.StoredSkin().LoadFromFile(std::filesystem::path(exe).parent_path() / "bussearch.skn");
    if (!skin.LoadSkin()) {
      std::printf("the default skin did not load\n");
      return 1;
    }
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }

  // an off-screen bitmap of the window's size, and the window itself
  TBitmap buffer(kWindowWidth, kWindowHeight, pf32bit);
  HDC memory = buffer.Canvas().Handle();
  WNDCLASSW wc{};
  wc.lpfnWndProc = Plain;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SkinDrawTiming";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 50, 50, kWindowWidth, kWindowHeight,
                                nullptr, nullptr, wc.hInstance, nullptr);
  auto screen = std::make_unique<WindowDC>(window);
  const TDataSkinObject& button = *skin.Buttons();
  TBitmap checker(20, 20, pf24bit);  // magenta in every other pixel: too many holes to draw around
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      if ((x + y) % 2 == 0) std::copy_n("\xFF\x00\xFF", 3, checker.ScanLine(y) + 3 * x);
    }
  }

  std::vector<Variant> borders{
      {"four borders, off screen", [&] { DrawBorders(memory, skin); }, {}},
      {"four borders, window DC", [&] { DrawBorders(screen->Get(), skin); }, {}},
      {"four borders, off screen, skin bitmap converted on each call", [&] { DrawBordersConverting(memory, skin); }, {}},
      {"four borders, off screen, GDI StretchBlt per piece (not pixel-exact)", [&] { DrawBordersStretching(memory, skin); }, {}},
  };
  std::vector<Variant> buttons{
      {"button face, transparent, off screen", [&] { DrawSkinObject(memory, kButton, button.Frame(), 4, button); }, {}},
      {"button face, transparent, window DC", [&] { DrawSkinObject(screen->Get(), kButton, button.Frame(), 4, button); }, {}},
      {"button face, opaque, off screen",
       [&] { DrawSkinImage(memory, kButton, button.Image(), false, false, false, button.Frame(), 4, button.Margins()); }, {}},
      {"20 × 20 glyph, every other pixel magenta (read back), off screen",
       [&] { DrawSkinGlyph(memory, kButton, checker, true, 1, 1); }, {}},
      {"button face, transparent, off screen, MaskBlt", [&] { DrawButtonMasked(memory, button); }, {}},
      {"button face, transparent, window DC, MaskBlt", [&] { DrawButtonMasked(screen->Get(), button); }, {}},
  };
  Measure(borders);
  Measure(buttons);
  std::printf("| What | Median per call | Ratio |\n|---|---|---|\n");
  Print(borders, "four borders, off screen");
  Print(buttons, "button face, transparent, off screen");
  screen.reset();
  DestroyWindow(window);
  return 0;
}
