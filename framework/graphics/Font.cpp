#include "framework/graphics/Font.h"

#include "core/WideText.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

struct TFont::Data {
  struct Attributes {
    std::string name = kDefaultFontName;  // UTF-8 face name
    int height = kDefaultFontHeight;      // lfHeight
    TFontStyles style;                    // bold, italic, underline, strike-out
    BYTE charset = DEFAULT_CHARSET;       // lfCharSet
    TFontPitch pitch = fpDefault;         // lfPitchAndFamily
    bool operator==(const Attributes&) const = default;
  };

  Attributes attrs;               // what the font looks like
  mutable HFONT handle = nullptr;  // made on first use, or adopted; owned

  Data() = default;
  explicit Data(const Attributes& a) : attrs(a) {}
  ~Data() {
    if (handle) DeleteObject(handle);
  }
  Data(const Data&) = delete;
  Data& operator=(const Data&) = delete;
};

namespace {

// The UTF-16 face name cut to what LOGFONT holds, never inside a surrogate pair.
void CopyFaceName(const std::string& name, wchar_t (&out)[LF_FACESIZE]) {
  std::wstring wide = Widen(name);
  std::size_t n = std::min<std::size_t>(wide.size(), LF_FACESIZE - 1);
  if (n > 0 && n < wide.size() && IS_HIGH_SURROGATE(wide[n - 1])) --n;
  wide.copy(out, n);
  out[n] = L'\0';
}

}  // namespace

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    WindowDC screen;
    const int v = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    return v > 0 ? v : 96;
  }();
  return ppi;
}

TFont::TFont() : data_(std::make_shared<Data>()) {}

TFont::~TFont() = default;

template <class Change>
void TFont::Modify(Change&& change) {
  Data::Attributes next = data_->attrs;
  change(next);
  if (next == data_->attrs) return;
  std::shared_ptr<Data> old = std::exchange(data_, std::make_shared<Data>(next));
  Changed(std::move(old));
}

const std::string& TFont::Name() const noexcept { return data_->attrs.name; }
void TFont::SetName(const std::string& name) {
  Modify([&](Data::Attributes& a) { a.name = name; });
}

int TFont::Height() const noexcept { return data_->attrs.height; }
void TFont::SetHeight(int height) {
  Modify([&](Data::Attributes& a) { a.height = height; });
}

int TFont::PixelsPerInch() const { return pixelsPerInch_ > 0 ? pixelsPerInch_ : ScreenPixelsPerInch(); }
void TFont::SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi > 0 ? ppi : 0; }

int TFont::Size() const { return -MulDiv(Height(), 72, PixelsPerInch()); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch(), 72)); }

TFontStyles TFont::Style() const noexcept { return data_->attrs.style; }
void TFont::SetStyle(TFontStyles style) {
  Modify([&](Data::Attributes& a) { a.style = style; });
}

BYTE TFont::Charset() const noexcept { return data_->attrs.charset; }
void TFont::SetCharset(BYTE charset) {
  Modify([&](Data::Attributes& a) { a.charset = charset; });
}

TFontPitch TFont::Pitch() const noexcept { return data_->attrs.pitch; }
void TFont::SetPitch(TFontPitch pitch) {
  Modify([&](Data::Attributes& a) { a.pitch = pitch; });
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

LOGFONTW TFont::LogFont() const {
  const Data::Attributes& a = data_->attrs;
  LOGFONTW lf{};
  lf.lfHeight = a.height;
  lf.lfWeight = a.style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = a.style.Contains(fsItalic);
  lf.lfUnderline = a.style.Contains(fsUnderline);
  lf.lfStrikeOut = a.style.Contains(fsStrikeOut);
  lf.lfCharSet = a.charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = a.pitch == fpFixed ? FIXED_PITCH : a.pitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  CopyFaceName(a.name, lf.lfFaceName);
  return lf;
}

HFONT TFont::Handle() const {
  if (!data_->handle) {
    const LOGFONTW lf = LogFont();
    data_->handle = CreateFontIndirectW(&lf);
    if (!data_->handle) throw EInvalidGraphicOperation("Cannot create the font \"" + Name() + "\"");
  }
  return data_->handle;
}

bool TFont::HandleAllocated() const noexcept { return data_->handle != nullptr; }

void TFont::SetHandle(HFONT handle) {
  LOGFONTW lf{};
  if (!handle || GetObjectW(handle, sizeof lf, &lf) != int(sizeof lf)) return;
  if (handle == data_->handle) return;
  Data::Attributes a;
  a.name = Narrow(std::wstring_view(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
  a.height = lf.lfHeight;
  a.style = TFontStyles::FromBits((lf.lfWeight >= FW_BOLD ? 1u << fsBold : 0) |
                                  (lf.lfItalic ? 1u << fsItalic : 0) |
                                  (lf.lfUnderline ? 1u << fsUnderline : 0) |
                                  (lf.lfStrikeOut ? 1u << fsStrikeOut : 0));
  a.charset = lf.lfCharSet;
  const BYTE pitch = lf.lfPitchAndFamily & 3;
  a.pitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  auto next = std::make_shared<Data>(a);
  next->handle = handle;
  std::shared_ptr<Data> old = std::exchange(data_, std::move(next));
  Changed(std::move(old));
}

void TFont::Assign(const TFont& source) {
  if (&source == this || (source.data_ == data_ && source.color_ == color_)) return;
  const bool colorChanged = source.color_ != color_;
  color_ = source.color_;
  pixelsPerInch_ = source.pixelsPerInch_;
  if (source.data_ == data_ || source.data_->attrs == data_->attrs) {
    // same look: share the source's handle only if we have none, so a selected handle stays valid
    if (!data_->handle) data_ = source.data_;
    if (colorChanged) Changed();
    return;
  }
  std::shared_ptr<Data> old = std::exchange(data_, source.data_);
  Changed(std::move(old));
}

bool TFont::SameAs(const TFont& other) const noexcept {
  return color_ == other.color_ && (data_ == other.data_ || data_->attrs == other.data_->attrs);
}

}  // namespace bus
