// Building banner movies from the pieces of an animated image: drawing over what earlier pieces
// left, the three disposal rules, clipping, partly transparent pixels, delays, loop counts and the
// limits that protect memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "banner/Movie.h"

namespace bus::banner {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kClear = 0;

MoviePiece Piece(int left, int top, int width, int height, const std::vector<std::uint32_t>& pixels,
                 TFrameDisposal disposal = TFrameDisposal::Keep, unsigned delay = 10) {
  MoviePiece p;
  p.left = left;
  p.top = top;
  p.width = width;
  p.height = height;
  p.pixels = pixels;
  p.disposal = disposal;
  p.delayCentiseconds = delay;
  return p;
}

TEST(Movie, PiecesAreDrawnOverWhatTheEarlierOnesLeftAndClippedToTheMovie) {
  TMovieComposer composer(3, 2);
  const std::vector<std::uint32_t> red(6, kRed);
  ASSERT_TRUE(composer.Add(Piece(0, 0, 3, 2, red)));
  // a 2 × 2 piece hanging over the right and bottom edges, its left column transparent
  const std::vector<std::uint32_t> piece{kClear, kBlue, kClear, kBlue};
  ASSERT_TRUE(composer.Add(Piece(1, 1, 2, 2, piece)));
  // a piece entirely outside changes nothing
  ASSERT_TRUE(composer.Add(Piece(-5, -5, 2, 2, piece)));
  const Movie movie = composer.Finish(0);
  ASSERT_EQ(movie.frames.size(), 3u);
  EXPECT_EQ(movie.width, 3);
  EXPECT_EQ(movie.height, 2);
  EXPECT_EQ(movie.plays, 0);
  EXPECT_EQ(movie.frames[0].pixels, red);
  const std::vector<std::uint32_t> second{kRed, kRed, kRed, kRed, kRed, kBlue};
  EXPECT_EQ(movie.frames[1].pixels, second);
  EXPECT_EQ(movie.frames[2].pixels, second);
}

TEST(Movie, DisposalDecidesWhatTheNextPieceStartsFrom) {
  const std::vector<std::uint32_t> green(4, kGreen), blue{kBlue};
  const std::vector<std::uint32_t> none{kClear};
  {
    // Background: the piece's rectangle is cleared after its frame, the rest stays
    TMovieComposer composer(2, 2);
    composer.Add(Piece(0, 0, 2, 2, green));
    composer.Add(Piece(1, 0, 1, 1, blue, TFrameDisposal::Background));
    composer.Add(Piece(0, 0, 1, 1, none));
    const Movie m = composer.Finish(1);
    EXPECT_EQ(m.frames[1].pixels, (std::vector<std::uint32_t>{kGreen, kBlue, kGreen, kGreen}));
    EXPECT_EQ(m.frames[2].pixels, (std::vector<std::uint32_t>{kGreen, kClear, kGreen, kGreen}));
  }
  {
    // Previous: back to the state before the piece
    TMovieComposer composer(2, 2);
    composer.Add(Piece(0, 0, 2, 2, green));
    composer.Add(Piece(0, 1, 2, 1, std::vector<std::uint32_t>(2, kRed), TFrameDisposal::Previous));
    composer.Add(Piece(0, 0, 1, 1, none));
    const Movie m = composer.Finish(1);
    EXPECT_EQ(m.frames[1].pixels, (std::vector<std::uint32_t>{kGreen, kGreen, kRed, kRed}));
    EXPECT_EQ(m.frames[2].pixels, green);
  }
  {
    // Unspecified keeps, like Keep
    TMovieComposer composer(1, 1);
    composer.Add(Piece(0, 0, 1, 1, blue, TFrameDisposal::Unspecified));
    composer.Add(Piece(0, 0, 1, 1, none));
    EXPECT_EQ(composer.Finish(1).frames[1].pixels, blue);
  }
}

TEST(Movie, PartlyTransparentPixelsBlendPremultiplied) {
  TMovieComposer composer(1, 1);
  composer.Add(Piece(0, 0, 1, 1, {kBlue}));
  composer.Add(Piece(0, 0, 1, 1, {0x80800000}));  // red at half coverage, premultiplied
  const Movie m = composer.Finish(1);
  EXPECT_EQ(m.frames[1].pixels[0], 0xFF80007Fu);
}

TEST(Movie, DelaysAndLoopCounts) {
  EXPECT_EQ(FrameDelayMs(0), 100u);
  EXPECT_EQ(FrameDelayMs(1), 100u);
  EXPECT_EQ(FrameDelayMs(2), 20u);
  EXPECT_EQ(FrameDelayMs(150), 1500u);
  const std::uint8_t forever[] = {3, 1, 0, 0};
  const std::uint8_t twice[] = {3, 1, 1, 0};
  const std::uint8_t many[] = {3, 1, 0x10, 0x01};
  const std::uint8_t wrongId[] = {3, 2, 5, 0};
  const std::uint8_t cut[] = {3, 1, 5};
  EXPECT_EQ(PlaysFromLoopData(forever), 0);
  EXPECT_EQ(PlaysFromLoopData(twice), 2);
  EXPECT_EQ(PlaysFromLoopData(many), 0x111);
  EXPECT_EQ(PlaysFromLoopData(wrongId), 1);
  EXPECT_EQ(PlaysFromLoopData(cut), 1);
  EXPECT_EQ(PlaysFromLoopData({}), 1);
}

TEST(Movie, LimitsKeepHugeOrEndlessMoviesOutOfMemory) {
  EXPECT_TRUE(MovieSizeAllowed(351, 73));
  EXPECT_TRUE(MovieSizeAllowed(kMaxMovieSide, int(kMaxMoviePixels / kMaxMovieSide)));
  EXPECT_FALSE(MovieSizeAllowed(0, 10));
  EXPECT_FALSE(MovieSizeAllowed(kMaxMovieSide + 1, 1));
  EXPECT_FALSE(MovieSizeAllowed(65535, 65535));
  // frames stop once the pixel budget is spent; those made so far are kept
  const int side = 2048;
  TMovieComposer composer(side, side);
  const std::vector<std::uint32_t> one{kRed};
  size_t added = 0;
  while (composer.Add(Piece(0, 0, 1, 1, one))) ++added;
  EXPECT_EQ(added, kMovieFrameBudget / (std::size_t(side) * side));
  EXPECT_EQ(composer.Finish(1).frames.size(), added);
  // and once the frame count is reached
  TMovieComposer small(1, 1);
  added = 0;
  while (small.Add(Piece(0, 0, 1, 1, one))) ++added;
  EXPECT_EQ(added, kMaxMovieFrames);
}

}  // namespace
}  // namespace bus::banner
