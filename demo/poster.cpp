#include "demo/poster.h"

#include <algorithm>
#include <cmath>

#include "demo/pixel_font.h"
#include "demo/seeded_random.h"

namespace morvessa::demo {
namespace {

constexpr int JPEG_QUALITY = 88;
constexpr int BAND_TOP = 90;  // the dark band that carries the initials
constexpr int MOTIF_COUNT = 5;
constexpr double PI = 3.14159265358979323846;

struct Colour {
  double r = 0, g = 0, b = 0;  // 0 to 1
};

Colour from_hsv(double hue, double saturation, double value) {
  hue = std::fmod(hue, 360.0);
  if (hue < 0) hue += 360.0;
  const double c = value * saturation;
  const double x = c * (1 - std::fabs(std::fmod(hue / 60.0, 2.0) - 1));
  const double m = value - c;
  const int sector = static_cast<int>(hue / 60.0) % 6;
  const double table[6][3] = {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}};
  return {table[sector][0] + m, table[sector][1] + m, table[sector][2] + m};
}

Colour mix(const Colour& a, const Colour& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A floating-point canvas, blended into and then rounded into a raster once.
class Canvas final {
 public:
  Canvas(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height)) {}
  int width() const { return width_; }
  int height() const { return height_; }
  Colour& at(int x, int y) { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  void blend(int x, int y, const Colour& c, double alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
    Colour& p = at(x, y);
    p = mix(p, c, std::min(alpha, 1.0));
  }
  Raster to_raster() const {
    Raster raster{width_, height_, {}};
    raster.rgb.reserve(pixels_.size() * 3);
    for (const Colour& p : pixels_) {
      for (double v : {p.r, p.g, p.b}) {
        raster.rgb.push_back(static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)));
      }
    }
    return raster;
  }

 private:
  int width_;
  int height_;
  std::vector<Colour> pixels_;
};

void fill_disc(Canvas& canvas, double cx, double cy, double radius, const Colour& c, double alpha) {
  for (int y = static_cast<int>(cy - radius - 1); y <= static_cast<int>(cy + radius + 1); ++y) {
    for (int x = static_cast<int>(cx - radius - 1); x <= static_cast<int>(cx + radius + 1); ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) - radius;
      canvas.blend(x, y, c, alpha * std::clamp(0.5 - d, 0.0, 1.0));
    }
  }
}

void ring(Canvas& canvas, double cx, double cy, double radius, double thickness, const Colour& c,
          double alpha) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const double d = std::fabs(std::hypot(x + 0.5 - cx, y + 0.5 - cy) - radius) - thickness / 2;
      canvas.blend(x, y, c, alpha * std::clamp(0.5 - d, 0.0, 1.0));
    }
  }
}

// Everything below a wavy ridge line, with its edge smoothed.
void ridge(Canvas& canvas, SeededRandom& random, double base, double height, const Colour& c) {
  const double f1 = random.between(0.04, 0.09);
  const double f2 = random.between(0.12, 0.22);
  const double p1 = random.between(0.0, 2 * PI);
  const double p2 = random.between(0.0, 2 * PI);
  for (int x = 0; x < canvas.width(); ++x) {
    const double top = base - height * (0.6 * std::sin(x * f1 + p1) + 0.4 * std::sin(x * f2 + p2));
    for (int y = std::max(0, static_cast<int>(top)); y < canvas.height(); ++y) {
      canvas.blend(x, y, c, std::clamp(y + 1 - top, 0.0, 1.0));
    }
  }
}

void rectangle(Canvas& canvas, int x0, int y0, int x1, int y1, const Colour& c, double alpha) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) canvas.blend(x, y, c, alpha);
  }
}

void draw_text(Canvas& canvas, std::string_view text, int x, int y, int scale, const Colour& c,
               double alpha) {
  for (char ch : text) {
    const Glyph& glyph = glyph_of(ch);
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
      for (int col = 0; col < GLYPH_WIDTH; ++col) {
        if (!(glyph[static_cast<std::size_t>(row)] & (0x10 >> col))) continue;
        rectangle(canvas, x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale, c,
                  alpha);
      }
    }
    x += (GLYPH_WIDTH + 1) * scale;
  }
}

int text_width(std::string_view text, int scale) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * (GLYPH_WIDTH + 1) * scale - scale;
}

// Per category: how saturated and bright the backgrounds are, and the word printed in the corner.
struct CategoryLook {
  double saturation;
  double top_value;
  double bottom_value;
  std::string_view tag;
};
CategoryLook look_of(const Title& t) {
  switch (t.category) {
    case 0:
      return {0.55, 0.30, 0.80, "TV"};
    case 1:
      return {0.65, 0.16, 0.62, "FILM"};
    case 2:
      return {0.45, 0.55, 0.95, "ANIME"};
    default:
      return {0.75, 0.40, 0.92, "SHOW"};
  }
}

// sky_at(y) is the background colour of row y, for shapes that must blend into it.
template <typename Sky>
void draw_motif(Canvas& canvas, SeededRandom& random, int motif, double hue, const Colour& light,
                Sky sky_at) {
  const int w = canvas.width();
  switch (motif) {
    case 0: {  // a low sun over two mountain ridges
      fill_disc(canvas, random.between(25.0, 70.0), random.between(30.0, 50.0), random.between(13.0, 20.0),
                light, 0.85);
      ridge(canvas, random, random.between(62.0, 70.0), random.between(6.0, 10.0),
            from_hsv(hue + 200, 0.35, 0.35));
      ridge(canvas, random, random.between(76.0, 84.0), random.between(4.0, 8.0),
            from_hsv(hue + 210, 0.45, 0.18));
      break;
    }
    case 1: {  // diagonal bands and a few bubbles
      const double period = random.between(14.0, 22.0);
      const double slope = random.between(0.4, 1.2);
      for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < w; ++x) {
          if (std::fmod(x + y * slope, period) < period * 0.35) canvas.blend(x, y, light, 0.16);
        }
      }
      for (int i = 0; i < 4; ++i) {
        fill_disc(canvas, random.between(8.0, 87.0), random.between(10.0, 85.0), random.between(3.0, 9.0),
                  light, 0.5);
      }
      break;
    }
    case 2: {  // concentric rings around a bright core
      const double cx = random.between(30.0, 65.0);
      const double cy = random.between(35.0, 60.0);
      for (int i = 1; i <= 5; ++i)
        ring(canvas, cx, cy, i * random.between(7.0, 10.0), 1.6, light, 0.55 - i * 0.08);
      fill_disc(canvas, cx, cy, random.between(4.0, 7.0), light, 0.9);
      break;
    }
    case 3: {  // a crescent in a starry sky
      for (int i = 0; i < 40; ++i) {
        canvas.blend(random.below(w), random.below(BAND_TOP), {1, 1, 1}, random.between(0.3, 0.9));
      }
      const double cx = random.between(30.0, 65.0);
      const double cy = random.between(28.0, 45.0);
      const double r = random.between(12.0, 17.0);
      fill_disc(canvas, cx, cy, r, light, 0.95);
      fill_disc(canvas, cx + r * 0.45, cy - r * 0.3, r * 0.9, sky_at(cy - r * 0.3), 1.0);
      ridge(canvas, random, random.between(78.0, 84.0), 3.0, from_hsv(hue + 180, 0.3, 0.12));
      break;
    }
    default: {  // overlapping blocks
      for (int i = 0; i < 5; ++i) {
        const int x0 = random.between(-10, 70);
        const int y0 = random.between(0, 70);
        rectangle(canvas, x0, y0, x0 + random.between(18, 45), y0 + random.between(14, 40),
                  from_hsv(hue + random.between(-40.0, 40.0), 0.5, 0.95), random.between(0.18, 0.4));
      }
      break;
    }
  }
}

}  // namespace

Raster draw_poster(const Title& title) {
  SeededRandom random(hash_text(title.path()));
  const CategoryLook look = look_of(title);
  const double hue = random.between(0.0, 360.0);
  const double hue_shift = random.between(25.0, 80.0) * (random.below(2) ? 1 : -1);
  const Colour top = from_hsv(hue, look.saturation, look.top_value);
  const Colour bottom = from_hsv(hue + hue_shift, look.saturation, look.bottom_value);
  const Colour light = from_hsv(hue + hue_shift + 180, 0.25, 1.0);

  const auto sky_at = [&](double y) {
    return mix(top, bottom, std::clamp(y / (POSTER_HEIGHT - 1), 0.0, 1.0));
  };

  Canvas canvas(POSTER_WIDTH, POSTER_HEIGHT);
  for (int y = 0; y < POSTER_HEIGHT; ++y) {
    const Colour row = sky_at(y);
    for (int x = 0; x < POSTER_WIDTH; ++x) canvas.at(x, y) = row;
  }
  draw_motif(canvas, random, random.below(MOTIF_COUNT), hue, light, sky_at);

  // The band with the initials, fading in from above.
  for (int y = BAND_TOP - 12; y < POSTER_HEIGHT; ++y) {
    const double alpha = y < BAND_TOP ? 0.6 * (y - (BAND_TOP - 12)) / 12.0 : 0.6;
    for (int x = 0; x < POSTER_WIDTH; ++x) canvas.blend(x, y, {0.03, 0.03, 0.06}, alpha);
  }
  const std::string_view initials = title.initials;
  const int scale = initials.size() <= 4 ? 3 : initials.size() <= 7 ? 2 : 1;
  const int width = text_width(initials, scale);
  const int text_y = BAND_TOP + (POSTER_HEIGHT - BAND_TOP - GLYPH_HEIGHT * scale) / 2 - 2;
  draw_text(canvas, initials, (POSTER_WIDTH - width) / 2 + 1, text_y + 1, scale, {0, 0, 0}, 0.5);
  draw_text(canvas, initials, (POSTER_WIDTH - width) / 2, text_y, scale, {1, 1, 1}, 0.95);
  const std::string year = std::to_string(title.year);
  draw_text(canvas, year, (POSTER_WIDTH - text_width(year, 1)) / 2, POSTER_HEIGHT - 10, 1, light, 0.8);

  // The category word in a pill at the top left.
  const int tag_width = text_width(look.tag, 1);
  rectangle(canvas, 3, 3, 3 + tag_width + 6, 3 + GLYPH_HEIGHT + 4, {0, 0, 0}, 0.45);
  draw_text(canvas, look.tag, 6, 5, 1, {1, 1, 1}, 0.9);

  // A thin light frame.
  for (int x = 0; x < POSTER_WIDTH; ++x) {
    canvas.blend(x, 0, light, 0.35);
    canvas.blend(x, POSTER_HEIGHT - 1, light, 0.35);
  }
  for (int y = 1; y < POSTER_HEIGHT - 1; ++y) {
    canvas.blend(0, y, light, 0.35);
    canvas.blend(POSTER_WIDTH - 1, y, light, 0.35);
  }
  return canvas.to_raster();
}

std::string poster_file(const Title& title) {
  const Raster raster = draw_poster(title);
  return title.poster_format == PosterFormat::jpeg ? encode_jpeg(raster, JPEG_QUALITY) : encode_png(raster);
}

std::string_view poster_content_type(const Title& title) {
  return title.poster_format == PosterFormat::jpeg ? "image/jpeg" : "image/png";
}

}  // namespace morvessa::demo
