// A banner movie as the player shows it: whole frames of one size, each with the time it stays,
// and how often the sequence plays. Built from the pieces of an animated image (a GIF's frames
// are rectangles drawn over what the earlier ones left, some of them partly transparent) by
// TMovieComposer, which follows each piece's disposal rule.
//
// Pixels are 32-bit words with blue in the lowest byte, then green, red and alpha, the colour
// already multiplied by the alpha (what the platform's alpha blending expects). 0 is transparent.
// Portable: no platform header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace bus::banner {

struct MovieFrame {
  std::vector<std::uint32_t> pixels;  // width × height of the movie, rows top-down
  unsigned delayMs = 0;               // how long the frame stays
};

struct Movie {
  int width = 0;                      // pixels
  int height = 0;                     // pixels
  std::vector<MovieFrame> frames;     // in playing order
  int plays = 1;                      // times the whole sequence plays; 0: for ever

  bool Empty() const noexcept { return frames.empty(); }
};

// What happens to a piece's rectangle before the next piece is drawn.
enum class TFrameDisposal {
  Unspecified,  // as Keep
  Keep,         // stays
  Background,   // cleared to transparent
  Previous,     // back to what it was before the piece was drawn
};

// One piece of an animated image, placed on the movie.
struct MoviePiece {
  int left = 0;                                   // position on the movie; may lie partly outside
  int top = 0;
  int width = 0;                                  // size of pixels
  int height = 0;
  std::span<const std::uint32_t> pixels;          // width × height, rows top-down
  TFrameDisposal disposal = TFrameDisposal::Unspecified;
  unsigned delayCentiseconds = 0;                 // as the file stores it
};

// Limits that keep a hostile or broken file from taking all memory.
inline constexpr int kMaxMovieSide = 4096;                     // pixels, width or height
inline constexpr std::size_t kMaxMoviePixels = 4u << 20;       // width × height
inline constexpr std::size_t kMovieFrameBudget = 16u << 20;    // pixels of all frames together
inline constexpr std::size_t kMaxMovieFrames = 2000;

// The time a frame stays: the stored hundredths of a second, except that 0 and 1 (files made
// for "as fast as possible") stay 100 ms, as browsers show them.
unsigned FrameDelayMs(unsigned centiseconds) noexcept;

// Times an animated GIF plays, from the data of its NETSCAPE2.0 application extension (the
// sub-blocks as stored: length 3, id 1, loop count low, high). A loop count n means n repeats
// after the first play (n + 1 plays), 0 for ever. Without readable data: 1.
int PlaysFromLoopData(std::span<const std::uint8_t> data) noexcept;

// True when a movie of this size may be built.
bool MovieSizeAllowed(int width, int height) noexcept;

class TMovieComposer {
public:
  // A transparent movie of the given size; it must be MovieSizeAllowed.
  TMovieComposer(int width, int height);

  // Draws piece over the movie as the earlier pieces left it (clipped to the movie) and adds the
  // result as a frame. False, with nothing added, once the frame count or pixel budget is spent.
  bool Add(const MoviePiece& piece);
  std::size_t FrameCount() const noexcept { return movie_.frames.size(); }
  // The movie built so far; the composer is empty afterwards.
  Movie Finish(int plays);

private:
  Movie movie_;                          // frames made so far
  std::vector<std::uint32_t> canvas_;    // what the next piece is drawn over
  std::vector<std::uint32_t> saved_;     // canvas before a piece disposed "Previous"
};

}  // namespace bus::banner
