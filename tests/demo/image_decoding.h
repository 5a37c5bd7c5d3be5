#pragma once
// Decoding posters with the system's image libraries, as the picture boxes do.

#include <string>
#include <string_view>

namespace morvessa::demo_test {

struct DecodedImage {
  bool ok = false;
  int width = 0;
  int height = 0;
  std::string error;
};

// Decodes every pixel, so that a truncated or corrupt file fails.
DecodedImage decode_jpeg(std::string_view bytes);
DecodedImage decode_png(std::string_view bytes);

}  // namespace morvessa::demo_test
