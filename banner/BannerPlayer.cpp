#include "banner/BannerPlayer.h"

#include <algorithm>

#include "banner/MovieDecoder.h"
#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Timer.h"

namespace bus {

namespace {
const TIdentList kScaleModeNames{"smShowAll", "smNoBorder", "smExactFit"};
const TIdentList kQualityNames{"bqLow", "bqHigh"};
}  // namespace

const TClassInfo& TBannerPlayer::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TBannerPlayer>("TBannerPlayer", TCustomControl::StaticClassInfo())
          .Creatable()
          .Enum("ScaleMode", &TBannerPlayer::ScaleMode, &TBannerPlayer::SetScaleMode, kScaleModeNames,
                TBannerScaleMode::smShowAll)
          .Enum("Quality", &TBannerPlayer::Quality, &TBannerPlayer::SetQuality, kQualityNames, TBannerQuality::bqHigh)
          .Build();
  return info;
}

void RegisterBannerClasses() { RegisterClasses({&TBannerPlayer::StaticClassInfo()}); }

TBannerPlayer::TBannerPlayer(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 351, 73);
  SetDoubleBuffered(true);
  frameTimer_ = std::make_unique<TTimer>(nullptr);
  frameTimer_->SetEnabled(false);
  frameTimer_->SetOnTimer(TNotifyEvent([this](TObject*) { NextFrame(); }));
}

TBannerPlayer::~TBannerPlayer() = default;

void TBannerPlayer::LoadMovie(int layer, const std::string& path) {
  if (layer != 0) throw EBannerError("the banner player has no layer " + std::to_string(layer));
  Stop();
  movie_ = banner::ReadMovieFile(path);
  playsDone_ = 0;
  ShowFrame(0);
}

void TBannerPlayer::Play() {
  if (movie_.Empty()) return;
  if (!playing_) {
    playsDone_ = 0;
    ShowFrame(0);
  }
  if (movie_.frames.size() < 2) return;  // a still image has nothing to play
  playing_ = true;
  frameTimer_->SetInterval(movie_.frames[size_t(frame_)].delayMs);
  frameTimer_->SetEnabled(true);
}

void TBannerPlayer::Stop() {
  playing_ = false;
  frameTimer_->SetEnabled(false);
}

void TBannerPlayer::ShowFrame(int index) {
  frame_ = index;
  Invalidate();
}

void TBannerPlayer::NextFrame() {
  if (!playing_ || movie_.Empty()) return;
  int next = frame_ + 1;
  if (next >= int(movie_.frames.size())) {
    ++playsDone_;
    if (movie_.plays != 0 && playsDone_ >= movie_.plays) {
      Stop();  // the last frame stays
      return;
    }
    next = 0;
  }
  ShowFrame(next);
  frameTimer_->SetInterval(movie_.frames[size_t(next)].delayMs);
}

void TBannerPlayer::SetScaleMode(TBannerScaleMode mode) {
  scaleMode_ = mode;
  Invalidate();
}

void TBannerPlayer::SetQuality(TBannerQuality quality) {
  quality_ = quality;
  Invalidate();
}

RECT TBannerPlayer::MovieRect() const {
  const RECT client = ClientRect();
  if (movie_.Empty() || scaleMode_ == TBannerScaleMode::smExactFit) return client;
  const double boxW = client.right, boxH = client.bottom;
  const double sx = boxW / movie_.width, sy = boxH / movie_.height;
  const double scale = scaleMode_ == TBannerScaleMode::smShowAll ? std::min(sx, sy) : std::max(sx, sy);
  const int w = int(movie_.width * scale + 0.5), h = int(movie_.height * scale + 0.5);
  const int left = int((boxW - w) / 2), top = int((boxH - h) / 2);
  return {left, top, left + w, top + h};
}

void TBannerPlayer::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  if (movie_.Empty()) return;
  const banner::MovieFrame& frame = movie_.frames[size_t(frame_)];

  // flatten the (premultiplied) frame onto the box colour
  const std::uint32_t box = ColorToRGB(Color());
  const std::uint32_t boxR = box & 0xFF, boxG = (box >> 8) & 0xFF, boxB = (box >> 16) & 0xFF;
  scratch_.resize(frame.pixels.size());
  for (size_t i = 0; i < frame.pixels.size(); ++i) {
    const std::uint32_t p = frame.pixels[i], keep = 255 - (p >> 24);
    const std::uint32_t b = (p & 0xFF) + (boxB * keep + 127) / 255;
    const std::uint32_t g = ((p >> 8) & 0xFF) + (boxG * keep + 127) / 255;
    const std::uint32_t r = ((p >> 16) & 0xFF) + (boxR * keep + 127) / 255;
    scratch_[i] = std::min(b, 255u) | std::min(g, 255u) << 8 | std::min(r, 255u) << 16;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = movie_.width;
  bi.bmiHeader.biHeight = -movie_.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  const RECT dest = MovieRect();
  HDC dc = canvas.Handle();
  const int oldMode = SetStretchBltMode(dc, quality_ == TBannerQuality::bqHigh ? HALFTONE : COLORONCOLOR);
  POINT oldOrigin{};
  SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  StretchDIBits(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0, movie_.width,
                movie_.height, scratch_.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  SetStretchBltMode(dc, oldMode);
}

}  // namespace bus
