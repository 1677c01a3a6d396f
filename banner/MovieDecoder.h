// Reading banner movies through the platform's image codecs: an animated GIF with its frame
// positions, delays, disposal and loop count, or any single image the codecs know (PNG, JPEG,
// BMP, a one-frame GIF). Unreadable, unknown or oversized content gives an empty movie, never an
// error: a banner that cannot be shown leaves its box empty.
//
// The calling thread joins the component object services (JoinComApartment) if it has not.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "banner/Movie.h"

namespace bus::banner {

// Files larger than this are not read.
inline constexpr std::uintmax_t kMaxMovieFileBytes = 32u << 20;

Movie DecodeMovie(std::span<const std::uint8_t> bytes);
// The whole file at path (UTF-8) decoded; a missing or unreadable file gives an empty movie.
Movie ReadMovieFile(const std::string& path);

}  // namespace bus::banner
