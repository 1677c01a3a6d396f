// Owners of raw GDI handles, for code that calls GDI directly: each releases its handle in the
// way the handle needs (DeleteObject, DeleteDC, ReleaseDC, DestroyIcon), and selections into a
// device context are undone in reverse order when their scope ends.
#pragma once

#include <windows.h>

#include <utility>

namespace bus {

// A pen, brush, font, bitmap or region, deleted with DeleteObject. Stock objects must not be put
// in one (deleting them does nothing, but the owner would claim what it does not own).
template <class Handle>
class GdiObject {
public:
  GdiObject() noexcept = default;
  explicit GdiObject(Handle h) noexcept : handle_(h) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  // Gives the handle away; the caller deletes it.
  Handle Release() noexcept { return std::exchange(handle_, nullptr); }
  // Deletes the handle held and takes h.
  void Reset(Handle h = nullptr) noexcept {
    if (handle_ && handle_ != h) DeleteObject(handle_);
    handle_ = h;
  }

private:
  Handle handle_ = nullptr;  // owned
};

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

// The device context of a window (the whole screen when null), released with ReleaseDC.
class WindowDC {
public:
  explicit WindowDC(HWND window = nullptr) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
  HWND window_;  // whose DC it is
  HDC dc_;       // released, not deleted
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

private:
  HDC dc_;             // not owned
  HGDIOBJ previous_;   // what was selected before
};

// An icon or cursor, destroyed with DestroyIcon.
class IconHandle {
public:
  IconHandle() noexcept = default;
  explicit IconHandle(HICON h) noexcept : handle_(h) {}
  ~IconHandle() { Reset(); }
  IconHandle(IconHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  IconHandle& operator=(IconHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;

  HICON Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  HICON Release() noexcept { return std::exchange(handle_, nullptr); }
  void Reset(HICON h = nullptr) noexcept {
    if (handle_ && handle_ != h) DestroyIcon(handle_);
    handle_ = h;
  }

private:
  HICON handle_ = nullptr;  // owned
};

}  // namespace bus
