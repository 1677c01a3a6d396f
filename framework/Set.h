// A small set of enumeration values, stored as bits (at most 32 members): anchors, border icons,
// font styles, shift states, component states.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace bus {

template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {
    for (E e : members) bits_ |= Bit(e);
  }
  static constexpr TSet FromBits(std::uint32_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr std::uint32_t Bits() const noexcept { return bits_; }
  constexpr bool Contains(E e) const noexcept { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const noexcept { return bits_ == 0; }
  constexpr TSet& Include(E e) noexcept {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) noexcept {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr TSet operator+(TSet o) const noexcept { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const noexcept { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const noexcept { return FromBits(bits_ & o.bits_); }
  constexpr bool operator==(const TSet&) const = default;

private:
  static constexpr std::uint32_t Bit(E e) { return std::uint32_t(1) << unsigned(e); }
  std::uint32_t bits_ = 0;  // bit n set: member with ordinal n present
};

}  // namespace bus
