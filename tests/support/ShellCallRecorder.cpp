#include "tests/support/ShellCallRecorder.h"

#include <cstdint>

#include "framework/graphics/GdiHandles.h"
#include "tray/TrayIcon.h"

namespace bus::test {

namespace {

// The colour of the centre pixel of a 16 × 16 icon, or CLR_INVALID without one.
COLORREF IconCentre(HICON icon) {
  if (!icon) return CLR_INVALID;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return CLR_INVALID;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(16 * 16);
  const int rows =
      info.hbmColor ? GetDIBits(WindowDC().Get(), info.hbmColor, 0, 16, pixels.data(), &bi, DIB_RGB_COLORS) : 0;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (rows == 0) return CLR_INVALID;
  const std::uint32_t p = pixels[8 * 16 + 8];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace

std::vector<ShellCall>& ShellCalls() {
  static std::vector<ShellCall> calls;
  return calls;
}

void RecordShellCalls() {
  TTrayIcon::SetShellNotifyIcon([](DWORD message, NOTIFYICONDATAW& data) {
    const BOOL answer = Shell_NotifyIconW(message, &data);
    ShellCalls().push_back({message, data, IconCentre(data.hIcon), answer});
    return answer;
  });
}

}  // namespace bus::test
