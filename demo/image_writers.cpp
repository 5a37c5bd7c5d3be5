#include "demo/image_writers.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
#include <zlib.h>

namespace morvessa::demo {
namespace {

constexpr unsigned char PNG_SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int PNG_BIT_DEPTH = 8;
constexpr int PNG_COLOUR_TYPE_RGB = 2;
constexpr unsigned char PNG_FILTER_SUB = 1;
constexpr int RGB_BYTES = 3;

struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

// libjpeg's default handler ends the process; this one returns to the encoder instead.
[[noreturn]] void jpeg_error_exit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->escape, 1);
}

bool valid(const Raster& raster) {
  return raster.width > 0 && raster.height > 0 &&
         raster.rgb.size() ==
             static_cast<std::size_t>(raster.width) * static_cast<std::size_t>(raster.height) * RGB_BYTES;
}

void append_u32(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value >> 24);
  out += static_cast<char>(value >> 16);
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value);
}

void append_chunk(std::string& out, const char type[4], const std::string& data) {
  append_u32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t type_at = out.size();
  out.append(type, 4);
  out += data;
  const auto* crc_start = reinterpret_cast<const Bytef*>(out.data() + type_at);
  append_u32(out, static_cast<std::uint32_t>(crc32(0L, crc_start, static_cast<uInt>(4 + data.size()))));
}

}  // namespace

std::string encode_jpeg(const Raster& raster, int quality) {
  if (!valid(raster)) return {};
  jpeg_compress_struct info{};
  JpegErrorManager errors{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = jpeg_error_exit;
  if (setjmp(errors.escape)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(raster.width);
  info.image_height = static_cast<JDIMENSION>(raster.height);
  info.input_components = RGB_BYTES;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // libjpeg takes rows as non-const pointers but only reads them.
    JSAMPROW row =
        const_cast<JSAMPROW>(raster.rgb.data() + static_cast<std::size_t>(info.next_scanline) *
                                                     static_cast<std::size_t>(raster.width) * RGB_BYTES);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::string encode_png(const Raster& raster) {
  if (!valid(raster)) return {};
  const std::size_t stride = static_cast<std::size_t>(raster.width) * RGB_BYTES;
  std::string filtered;
  filtered.reserve((stride + 1) * static_cast<std::size_t>(raster.height));
  for (int y = 0; y < raster.height; ++y) {
    const unsigned char* row = raster.rgb.data() + static_cast<std::size_t>(y) * stride;
    filtered += static_cast<char>(PNG_FILTER_SUB);
    for (std::size_t x = 0; x < stride; ++x) {
      const unsigned char left = x >= RGB_BYTES ? row[x - RGB_BYTES] : 0;
      filtered += static_cast<char>(static_cast<unsigned char>(row[x] - left));
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(filtered.size()));
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                reinterpret_cast<const Bytef*>(filtered.data()), static_cast<uLong>(filtered.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return {};
  }
  packed.resize(packed_size);

  std::string header;
  append_u32(header, static_cast<std::uint32_t>(raster.width));
  append_u32(header, static_cast<std::uint32_t>(raster.height));
  header += static_cast<char>(PNG_BIT_DEPTH);
  header += static_cast<char>(PNG_COLOUR_TYPE_RGB);
  header.append(3, '\0');  // deflate, adaptive filtering, no interlace

  std::string out(reinterpret_cast<const char*>(PNG_SIGNATURE), sizeof PNG_SIGNATURE);
  append_chunk(out, "IHDR", header);
  append_chunk(out, "IDAT", packed);
  append_chunk(out, "IEND", {});
  return out;
}

}  // namespace morvessa::demo
