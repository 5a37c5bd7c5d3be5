#pragma once
// A 5x7 bitmap font for the capitals, digits and a little punctuation that the posters print.

#include <array>
#include <cstdint>

namespace morvessa::demo {

inline constexpr int GLYPH_WIDTH = 5;
inline constexpr int GLYPH_HEIGHT = 7;
// Seven rows, top first; bit 4 of a row is its leftmost pixel.
using Glyph = std::array<std::uint8_t, GLYPH_HEIGHT>;

// The glyph of a character; a blank glyph for one the font lacks.
const Glyph& glyph_of(char c);

}  // namespace morvessa::demo
