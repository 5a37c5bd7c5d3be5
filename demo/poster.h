#pragma once
// The posters of the demo catalogue: drawn from the title's seed, so every title has its own, the same on
// every run.

#include <string>

#include "demo/catalogue.h"
#include "demo/image_writers.h"

namespace morvessa::demo {

inline constexpr int POSTER_WIDTH = 95;
inline constexpr int POSTER_HEIGHT = 128;

Raster draw_poster(const Title& title);
// The poster as a file in the title's format (JPEG or PNG).
std::string poster_file(const Title& title);
std::string_view poster_content_type(const Title& title);

}  // namespace morvessa::demo
