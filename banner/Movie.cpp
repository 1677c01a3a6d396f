#include "banner/Movie.h"

#include <algorithm>
#include <cassert>

namespace bus::banner {

unsigned FrameDelayMs(unsigned centiseconds) noexcept { return centiseconds <= 1 ? 100 : centiseconds * 10; }

int PlaysFromLoopData(std::span<const std::uint8_t> data) noexcept {
  if (data.size() < 4 || data[0] < 3 || data[1] != 1) return 1;
  const int loops = data[2] | (data[3] << 8);
  return loops == 0 ? 0 : loops + 1;
}

bool MovieSizeAllowed(int width, int height) noexcept {
  return width > 0 && height > 0 && width <= kMaxMovieSide && height <= kMaxMovieSide &&
         std::size_t(width) * std::size_t(height) <= kMaxMoviePixels;
}

TMovieComposer::TMovieComposer(int width, int height) {
  assert(MovieSizeAllowed(width, height));
  movie_.width = width;
  movie_.height = height;
  canvas_.assign(std::size_t(width) * std::size_t(height), 0);
}

namespace {

// src over dst, both premultiplied.
std::uint32_t Over(std::uint32_t src, std::uint32_t dst) noexcept {
  const std::uint32_t alpha = src >> 24;
  if (alpha == 255 || dst == 0) return src;
  if (alpha == 0) return dst;
  const std::uint32_t keep = 255 - alpha;
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    out |= std::min<std::uint32_t>(255, s + (d * keep + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

bool TMovieComposer::Add(const MoviePiece& piece) {
  const std::size_t area = canvas_.size();
  if (movie_.frames.size() >= kMaxMovieFrames || (movie_.frames.size() + 1) * area > kMovieFrameBudget) return false;
  const int w = movie_.width, h = movie_.height;
  // the part of the piece that lies on the movie
  const int x0 = std::max(0, piece.left), y0 = std::max(0, piece.top);
  const int x1 = std::min(w, piece.left + piece.width), y1 = std::min(h, piece.top + piece.height);
  const bool hasPixels = piece.width > 0 && piece.height > 0 &&
                         piece.pixels.size() >= std::size_t(piece.width) * std::size_t(piece.height);

  if (piece.disposal == TFrameDisposal::Previous) saved_ = canvas_;
  if (hasPixels)
    for (int y = y0; y < y1; ++y) {
      const std::uint32_t* src = piece.pixels.data() + std::size_t(y - piece.top) * piece.width;
      std::uint32_t* dst = canvas_.data() + std::size_t(y) * w;
      for (int x = x0; x < x1; ++x) dst[x] = Over(src[x - piece.left], dst[x]);
    }
  movie_.frames.push_back({canvas_, FrameDelayMs(piece.delayCentiseconds)});

  switch (piece.disposal) {
    case TFrameDisposal::Background:
      for (int y = y0; y < y1; ++y) std::fill_n(canvas_.data() + std::size_t(y) * w + x0, std::max(0, x1 - x0), 0u);
      break;
    case TFrameDisposal::Previous:
      canvas_.swap(saved_);
      saved_.clear();
      break;
    default:
      break;
  }
  return true;
}

Movie TMovieComposer::Finish(int plays) {
  Movie movie = std::move(movie_);
  movie.plays = plays;
  movie_ = Movie{movie.width, movie.height, {}, 1};
  std::fill(canvas_.begin(), canvas_.end(), 0u);
  return movie;
}

}  // namespace bus::banner
