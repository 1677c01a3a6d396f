// Owners of raw GDI handles, for code that calls GDI directly: each releases its handle in the
// way the handle needs (DeleteObject, DeleteDC, ReleaseDC, DestroyIcon), and selections into a
// device context are undone in reverse order when their scope ends.
#pragma once

#include <windows.h>

#include <utility>

namespace bus {

// Owns one handle and releases it with Deleter when it goes or is replaced. Move-only.
template <class Handle, class Deleter>
class OwnedHandle {
public:
  OwnedHandle() noexcept = default;
  explicit OwnedHandle(Handle h) noexcept : handle_(h) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  // Gives the handle away; the caller releases it.
  Handle Release() noexcept { return std::exchange(handle_, nullptr); }
  // Releases the handle held and takes h.
  void Reset(Handle h = nullptr) noexcept {
    if (handle_ && handle_ != h) Deleter()(handle_);
    handle_ = h;
  }

private:
  Handle handle_ = nullptr;  // owned
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ h) const noexcept { DeleteObject(h); }
};
struct IconDeleter {
  void operator()(HICON h) const noexcept { DestroyIcon(h); }
};

// A pen, brush, font, bitmap or region, deleted with DeleteObject. Stock objects must not be put
// in one (deleting them does nothing, but the owner would claim what it does not own).
template <class Handle>
using GdiObject = OwnedHandle<Handle, GdiObjectDeleter>;

// An icon or cursor, destroyed with DestroyIcon.
using IconHandle = OwnedHandle<HICON, IconDeleter>;

// A memory device context compatible with reference (the screen when null), deleted with DeleteDC.
class MemoryDC {
public:
  explicit MemoryDC(HDC reference = nullptr) noexcept : dc_(CreateCompatibleDC(reference)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
  HDC dc_;  // owned
};

// A device context of a window, released with ReleaseDC when it goes: the window's client area
// (the whole screen when the window is null), the whole window with its frame (Whole), or one the
// caller got with GetDCEx (Adopt). The only place the program releases a window's DC. Move-only.
class WindowDC {
public:
  explicit WindowDC(HWND window = nullptr) noexcept : window_(window), dc_(GetDC(window)) {}
  // The whole window's DC, frame and scroll bars included.
  static WindowDC Whole(HWND window) noexcept { return WindowDC(window, GetWindowDC(window)); }
  // Takes over dc, a DC of window from GetDCEx (null when that failed).
  static WindowDC Adopt(HWND window, HDC dc) noexcept { return WindowDC(window, dc); }
  ~WindowDC() { Reset(); }
  WindowDC(WindowDC&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDC& operator=(WindowDC&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = std::exchange(other.window_, nullptr);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC Get() const noexcept { return dc_; }
  HWND Window() const noexcept { return window_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }
  // Releases the DC now.
  void Reset() noexcept {
    if (dc_) ReleaseDC(window_, dc_);
    dc_ = nullptr;
    window_ = nullptr;
  }

private:
  WindowDC(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}

  HWND window_;  // whose DC it is
  HDC dc_;       // released, not deleted
};

// Saves a device context's state (selections, clipping, origin, modes) for the scope and puts it
// back when the scope ends.
class SavedDCState {
public:
  explicit SavedDCState(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDCState() {
    if (saved_ != 0) RestoreDC(dc_, saved_);
  }
  SavedDCState(const SavedDCState&) = delete;
  SavedDCState& operator=(const SavedDCState&) = delete;

private:
  HDC dc_;     // not owned
  int saved_;  // SaveDC's level, 0 when saving failed
};

// Selects an object into a device context for the scope and puts the previous one back.
class DcSelection {
public:
  DcSelection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~DcSelection() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  DcSelection(const DcSelection&) = delete;
  DcSelection& operator=(const DcSelection&) = delete;
  // Whether the object was selected (false when the DC or the object was not valid).
  explicit operator bool() const noexcept { return previous_ && previous_ != HGDI_ERROR; }

private:
  HDC dc_;             // not owned
  HGDIOBJ previous_;   // what was selected before
};

}  // namespace bus
