#pragma once
// A small deterministic generator (splitmix64), so that the demo catalogue is the same on every machine and
// every run; the standard distributions are implementation-defined, so the draws are made here.

#include <cstdint>
#include <span>
#include <string_view>

namespace morvessa::demo {

class SeededRandom final {
 public:
  explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // 0 to n - 1; n must be positive.
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  int between(int low, int high) { return low + below(high - low + 1); }
  // [0, 1)
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  double between(double low, double high) { return low + (high - low) * unit(); }
  template <typename T>
  const T& pick(std::span<const T> items) {
    return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
  }

 private:
  std::uint64_t state_;
};

// FNV-1a, for seeds derived from names.
inline std::uint64_t hash_text(std::string_view text) {
  std::uint64_t h = 0xCBF29CE484222325ULL;
  for (unsigned char c : text) {
    h ^= c;
    h *= 0x100000001B3ULL;
  }
  return h;
}

}  // namespace morvessa::demo
