// Pictures as the picture boxes show them: decoded by Qt's readers, fitted keeping their aspect, and
// refused when empty, undecodable, of another format or too big to decode.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QtEndian>
#include <array>

#include "platform/qt/control_widgets.h"
#include "platform/qt/picture_decoder.h"
#include "support/qt_fixture.h"

namespace morvessa::test {
namespace {

// Qt reads GIF but does not write it: a one-pixel GIF, written out.
constexpr unsigned char ONE_PIXEL_GIF[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                           0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04,
                                           0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01,
                                           0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

std::string encoded(QSize size, const char* format) {
  if (std::string_view(format) == "GIF")
    return std::string(reinterpret_cast<const char*>(ONE_PIXEL_GIF), sizeof ONE_PIXEL_GIF);
  QImage image(size, QImage::Format_RGB32);
  image.fill(QColor(200, 90, 20));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes.toStdString();
}

std::uint32_t crc32(const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : data) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A PNG whose header claims the given size: the reader knows it without decoding a pixel.
std::string png_claiming(std::uint32_t width, std::uint32_t height) {
  std::string png = encoded(QSize(4, 4), "PNG");
  const std::size_t ihdr = 8;  // signature, then the IHDR chunk: length, type, data, CRC
  auto put32 = [&](std::size_t at, std::uint32_t value) {
    const std::uint32_t big = qToBigEndian(value);
    png.replace(at, 4, reinterpret_cast<const char*>(&big), 4);
  };
  put32(ihdr + 8, width);
  put32(ihdr + 12, height);
  put32(ihdr + 8 + 13, crc32(png.substr(ihdr + 4, 4 + 13)));
  return png;
}

struct FitCase {
  const char* name;
  const char* format;
  QSize image;
  QSize box;
  QSize shown;
};

class FitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitTest, KeepsTheAspectInsideTheBox) {
  const FitCase& c = GetParam();
  QImage shown = decode_fitted_picture(encoded(c.image, c.format), c.box);
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(shown.size(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Formats, FitTest,
                         ::testing::Values(FitCase{"jpeg_tall", "JPEG", {270, 380}, {93, 126}, {89, 126}},
                                           FitCase{"png_wide", "PNG", {200, 100}, {93, 126}, {93, 46}},
                                           FitCase{"gif_small_grows", "GIF", {1, 1}, {93, 126}, {93, 93}},
                                           FitCase{"bmp_exact", "BMP", {93, 126}, {93, 126}, {93, 126}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureRefusal, NothingIsShownForBytesThatAreNoPictureOrTooBig) {
  const QSize box(93, 126);
  const std::string png = encoded(QSize(40, 40), "PNG");
  const std::array<std::pair<const char*, std::string>, 6> refused = {{
      {"empty", ""},
      {"text", "<html>404 not found</html>"},
      {"truncated", png.substr(0, 30)},
      {"svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10"/>)"},
      // 4097 x 4096 x 4 bytes is just over 64 MiB.
      {"too_big", png_claiming(4097, 4096)},
      {"absurd", png_claiming(1u << 30, 1u << 30)},
  }};
  for (const auto& [name, bytes] : refused) EXPECT_TRUE(decode_fitted_picture(bytes, box).isNull()) << name;
}

using PictureBoxTest = QtToolkitTest;

TEST_F(PictureBoxTest, SetPictureShowsTheFittedImageAndEmptyBytesShowNone) {
  const ControlRef cell = toolkit->find_control_by_tag(WindowId::main, 31)->control;
  auto* box = qobject_cast<PictureBoxWidget*>(&widget(cell));
  toolkit->set_picture(cell, encoded(QSize(270, 380), "JPEG"));
  ASSERT_FALSE(box->picture().isNull());
  EXPECT_EQ(box->picture().height(), box->picture_area().height());
  EXPECT_LE(box->picture().width(), box->picture_area().width());
  toolkit->set_picture(cell, "not a picture");
  EXPECT_TRUE(box->picture().isNull());
}

}  // namespace
}  // namespace morvessa::test
