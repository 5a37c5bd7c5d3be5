#pragma once
// Encoders for the generated posters: baseline JPEG through libjpeg, PNG through zlib.

#include <string>
#include <vector>

namespace morvessa::demo {

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // width * height * 3 bytes, rows top to bottom
};

// The encoded file; empty when the raster is empty or the encoder fails.
std::string encode_jpeg(const Raster& raster, int quality);
std::string encode_png(const Raster& raster);

}  // namespace morvessa::demo
