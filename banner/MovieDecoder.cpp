#include "banner/MovieDecoder.h"

#include <windows.h>
#include <propidl.h>
#include <wincodec.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "core/WideText.h"
#include "framework/controls/ComApartment.h"

namespace bus::banner {

namespace {

// Holds one interface reference and releases it.
template <class T>
class ComRef {
public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const noexcept { return p_; }
  T* Get() const noexcept { return p_; }
  T** Put() noexcept {
    if (p_) p_->Release();
    p_ = nullptr;
    return &p_;
  }
  explicit operator bool() const noexcept { return p_ != nullptr; }

private:
  T* p_ = nullptr;  // owned reference
};

// A metadata value read by name, cleared when it goes.
class MetadataValue {
public:
  MetadataValue(IWICMetadataQueryReader* reader, const wchar_t* name) {
    PropVariantInit(&value_);
    ok_ = reader && SUCCEEDED(reader->GetMetadataByName(name, &value_));
  }
  ~MetadataValue() { PropVariantClear(&value_); }
  MetadataValue(const MetadataValue&) = delete;
  MetadataValue& operator=(const MetadataValue&) = delete;

  // An unsigned number of one or two bytes.
  std::optional<unsigned> Number() const {
    if (!ok_) return std::nullopt;
    if (value_.vt == VT_UI1) return value_.bVal;
    if (value_.vt == VT_UI2) return value_.uiVal;
    if (value_.vt == VT_UI4) return value_.ulVal;
    return std::nullopt;
  }
  // Bytes of a byte vector.
  std::span<const std::uint8_t> Bytes() const {
    if (!ok_ || value_.vt != (VT_VECTOR | VT_UI1)) return {};
    return {value_.caub.pElems, value_.caub.cElems};
  }

private:
  PROPVARIANT value_;  // the value read
  bool ok_ = false;    // the reader had it
};

unsigned NumberOr(IWICMetadataQueryReader* reader, const wchar_t* name, unsigned fallback) {
  return MetadataValue(reader, name).Number().value_or(fallback);
}

TFrameDisposal DisposalOf(unsigned stored) {
  switch (stored) {
    case 1:
      return TFrameDisposal::Keep;
    case 2:
      return TFrameDisposal::Background;
    case 3:
      return TFrameDisposal::Previous;
    default:
      return TFrameDisposal::Unspecified;
  }
}

// The frame's pixels as premultiplied 32-bit words; empty when the codec cannot give them.
std::vector<std::uint32_t> FramePixels(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT width,
                                       UINT height) {
  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return {};
  std::vector<std::uint32_t> pixels(std::size_t(width) * height);
  if (FAILED(converter->CopyPixels(nullptr, width * 4, UINT(pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(pixels.data()))))
    return {};
  return pixels;
}

}  // namespace

Movie DecodeMovie(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > kMaxMovieFileBytes) return {};
  ComRef<IWICImagingFactory> factory;
  if (!JoinComApartment() || FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.Put()))))
    return {};
  ComRef<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.Put())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size()))))
    return {};
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.Put())))
    return {};
  UINT frameCount = 0;
  if (FAILED(decoder->GetFrameCount(&frameCount)) || frameCount == 0) return {};
  GUID container{};
  decoder->GetContainerFormat(&container);
  const bool gif = container == GUID_ContainerFormatGif;

  ComRef<IWICBitmapFrameDecode> first;
  UINT firstWidth = 0, firstHeight = 0;
  if (FAILED(decoder->GetFrame(0, first.Put())) || FAILED(first->GetSize(&firstWidth, &firstHeight))) return {};

  // the movie's size and loop count: a GIF's logical screen and application extension
  int width = int(firstWidth), height = int(firstHeight), plays = 1;
  ComRef<IWICMetadataQueryReader> fileMetadata;
  if (gif && SUCCEEDED(decoder->GetMetadataQueryReader(fileMetadata.Put()))) {
    width = int(NumberOr(fileMetadata.Get(), L"/logscrdesc/Width", firstWidth));
    height = int(NumberOr(fileMetadata.Get(), L"/logscrdesc/Height", firstHeight));
    const MetadataValue application(fileMetadata.Get(), L"/appext/Application");
    const auto id = application.Bytes();
    if (id.size() == 11 && std::equal(id.begin(), id.end(), reinterpret_cast<const std::uint8_t*>("NETSCAPE2.0")))
      plays = PlaysFromLoopData(MetadataValue(fileMetadata.Get(), L"/appext/Data").Bytes());
  }
  if (!MovieSizeAllowed(width, height)) return {};

  TMovieComposer composer(width, height);
  for (UINT i = 0; i < frameCount; ++i) {
    ComRef<IWICBitmapFrameDecode> frame;
    UINT w = 0, h = 0;
    if (FAILED(decoder->GetFrame(i, frame.Put())) || FAILED(frame->GetSize(&w, &h)) ||
        !MovieSizeAllowed(int(w), int(h)))
      break;
    const std::vector<std::uint32_t> pixels = FramePixels(factory.Get(), frame.Get(), w, h);
    if (pixels.empty()) break;
    MoviePiece piece;
    piece.width = int(w);
    piece.height = int(h);
    piece.pixels = pixels;
    ComRef<IWICMetadataQueryReader> metadata;
    if (gif && SUCCEEDED(frame->GetMetadataQueryReader(metadata.Put()))) {
      piece.left = int(NumberOr(metadata.Get(), L"/imgdesc/Left", 0));
      piece.top = int(NumberOr(metadata.Get(), L"/imgdesc/Top", 0));
      piece.delayCentiseconds = NumberOr(metadata.Get(), L"/grctlext/Delay", 0);
      piece.disposal = DisposalOf(NumberOr(metadata.Get(), L"/grctlext/Disposal", 0));
    }
    if (!composer.Add(piece)) break;
  }
  if (composer.FrameCount() == 0) return {};
  return composer.Finish(composer.FrameCount() > 1 ? plays : 1);
}

Movie ReadMovieFile(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path file(Widen(path));
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec || size == 0 || size > kMaxMovieFileBytes) return {};
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) return {};
  return DecodeMovie(bytes);
}

}  // namespace bus::banner
