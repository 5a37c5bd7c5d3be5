#include "support/catalogue_site.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <array>
#include <map>
#include <mutex>

namespace morvessa::test {
namespace {

// The list page markers, blanks and line breaks included.
const std::string TITLE_LEFT = std::string(18, ' ') + "<span class=\"s1\">";
const std::string TITLE_RIGHT = "</span>\r\n" + std::string(15, ' ');
const std::string IMAGE_LEFT = std::string(30, ' ') + "<img src=\"";
const std::string IMAGE_RIGHT = "\">\r\n" + std::string(21, ' ');

constexpr std::array<const char*, 30> TITLES = {
    "山海之约", "长夜行舟", "南城旧事", "风起青萍", "星河入梦", "雾港谜案",   "灯火人家",   "雪落无声",
    "逐光者",   "云端少年", "江湖夜雨", "北境来信", "海上繁花", "时间旅人",   "青石长街",   "月下归途",
    "荒原猎手", "春日序曲", "暗河",     "归去来兮", "赤焰行动", "纸上王国",   "远山的呼唤", "深蓝档案",
    "小城往事", "无尽夏",   "破晓之前", "银河列车", "烟火人间", "最后的守望",
};

constexpr int JPEG_QUALITY = 85;

QColor hue(int n, int saturation, int value) {
  return QColor::fromHsv((n * 47) % 360, saturation, value);
}

}  // namespace

CatalogueSite::CatalogueSite(int titles) : titles_(titles) {
  // Drawn up front, so that serving a poster costs no more than a real site's would.
  for (int n = 1; n <= titles; ++n) poster_jpeg(n);
  server_.server().Get(R"(/[a-z]+/list)", [this](const httplib::Request&, httplib::Response& res) {
    res.set_content(list_page(host(), titles_), "text/html; charset=utf-8");
  });
  server_.server().Get(R"(/poster/(\d+)\.jpg)", [this](const httplib::Request& req, httplib::Response& res) {
    ++poster_requests_;
    res.set_content(poster_jpeg(std::stoi(req.matches[1])), "image/jpeg");
  });
  server_.start();
}

std::string CatalogueSite::title(int n) {
  return TITLES[static_cast<std::size_t>((n - 1) % static_cast<int>(TITLES.size()))];
}

std::string CatalogueSite::list_page(const std::string& host, int titles) {
  std::string page =
      "<!DOCTYPE html>\r\n<html>\r\n<head><meta charset=\"utf-8\"><title>电视剧</title></head>\r\n";
  page += "<body>\r\n<ul class=\"list\">\r\n";
  for (int n = 1; n <= titles; ++n) {
    const std::string id = std::to_string(n);
    page += "<li>\r\n<a href=\"/detail/" + id + ".html\">\r\n";
    page += IMAGE_LEFT + "http://" + host + "/poster/" + id + ".jpg" + IMAGE_RIGHT + "</a>\r\n";
    page += TITLE_LEFT + title(n) + TITLE_RIGHT + "</li>\r\n";
  }
  page += "</ul>\r\n</body>\r\n</html>\r\n";
  return page;
}

std::string CatalogueSite::poster_jpeg(int n) {
  static std::mutex mutex;
  static std::map<int, std::string> drawn;
  std::lock_guard lock(mutex);
  if (auto it = drawn.find(n); it != drawn.end()) return it->second;

  QImage image(POSTER_WIDTH, POSTER_HEIGHT, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, POSTER_HEIGHT);
  sky.setColorAt(0, hue(n, 150, 230));
  sky.setColorAt(1, hue(n + 3, 200, 60));
  painter.fillRect(image.rect(), sky);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 60));
  painter.drawEllipse(QPointF(POSTER_WIDTH * 0.7, POSTER_HEIGHT * 0.3), 70, 70);
  painter.setBrush(hue(n + 6, 120, 40));
  painter.drawPolygon(
      QPolygonF({QPointF(0, POSTER_HEIGHT), QPointF(0, 250), QPointF(90, 190), QPointF(170, 260),
                 QPointF(POSTER_WIDTH, 210), QPointF(POSTER_WIDTH, POSTER_HEIGHT)}));
  // Text needs the font database, which only a GUI application has.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QFont font = painter.font();
    font.setPixelSize(34);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 245, 235));
    painter.drawText(QRect(10, POSTER_HEIGHT - 110, POSTER_WIDTH - 20, 90),
                     Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8(title(n).c_str()));
  }
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", JPEG_QUALITY);
  return drawn.emplace(n, bytes.toStdString()).first->second;
}

}  // namespace morvessa::test
