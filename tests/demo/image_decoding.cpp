#include "image_decoding.h"

#include <csetjmp>
#include <cstdio>
#include <vector>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
#include <png.h>

namespace morvessa::demo_test {
namespace {

struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf escape;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void on_jpeg_error(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->escape, 1);
}

// A corrupt-data warning means the file is damaged even when decoding goes on.
void on_jpeg_message(j_common_ptr info, int level) {
  if (level < 0) on_jpeg_error(info);
}

}  // namespace

DecodedImage decode_jpeg(std::string_view bytes) {
  DecodedImage image;
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = on_jpeg_error;
  errors.base.emit_message = on_jpeg_message;
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&info);
    image.ok = false;
    image.error = errors.message;
    return image;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  std::vector<unsigned char> row(static_cast<std::size_t>(info.output_width * info.output_components));
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
  }
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  image.ok = true;
  return image;
}

DecodedImage decode_png(std::string_view bytes) {
  DecodedImage image;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
    image.error = png.message;
    return image;
  }
  png.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    image.error = png.message;
    png_image_free(&png);
    return image;
  }
  image.ok = true;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  return image;
}

}  // namespace morvessa::demo_test
