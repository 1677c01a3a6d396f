// A compiled "like" pattern: '%' matches any run of characters (none included), '_' exactly one
// character, the escape character makes the pattern character after it literal, and ASCII letters
// match either case while every other character matches only itself. Texts are UTF-8; a character
// is a lead byte with the continuation bytes after it. The engine reads a pattern and a text up to
// a NUL byte: so does the constructor, and Matches() expects a text cut there.
//
// The connection answers "x like p escape e" with it (the searches' form): it gives the engine's own
// answers on valid UTF-8, finds a literal with one library search instead of a character-by-character
// walk, and has no length limit, because matching never backtracks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bus::db {

class LikePattern {
public:
  // escape is one character (its UTF-8 bytes) or empty for none. An escape that is '%' or '_'
  // takes that character's wildcard meaning away.
  LikePattern(std::string_view pattern, std::string_view escape);

  // text holds no NUL byte.
  bool Matches(std::string_view text) const;

  // The text (up to a NUL) and escape it was compiled from.
  const std::string& Source() const noexcept { return source_; }
  const std::string& Escape() const noexcept { return escape_; }

private:
  // A run of the pattern between two '%': literal bytes (ASCII letters lowered) and '_' wildcards.
  struct Segment {
    std::string bytes;            // the literal bytes, ASCII letters lowered; '_' where a wildcard stands
    std::vector<bool> anyChar;    // per byte of bytes: true where a wildcard stands
    bool hasWildcard = false;     // some '_' in it
    // Without a wildcard: how far a search may move on when the byte under the run's last byte is
    // b (Horspool's rule, bytes lowered).
    std::array<std::uint8_t, 256> shift{};
  };

  // Length in bytes of text's match of s at pos, or -1.
  static long MatchAt(const Segment& s, std::string_view text, size_t pos);
  // Leftmost match of s starting at or after pos: (start, end), or start npos.
  static std::pair<size_t, size_t> Find(const Segment& s, std::string_view text, size_t pos);

  std::string source_;            // the pattern as given
  std::string escape_;            // the escape character as given
  std::vector<Segment> segments_; // the runs between '%', in order (one more than the '%' count):
                                  // the first is tied to the text's start, the last to its end
  bool never_ = false;            // the pattern ends in a lone escape character: nothing matches
  bool contains_ = false;         // the pattern is '%' run '%' with a run free of wildcards
};

}  // namespace bus::db
