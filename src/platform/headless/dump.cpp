#include "platform/headless/dump.h"

#include <openssl/evp.h>

#include <nlohmann/json.hpp>

#include "app/layout.h"
#include "net/codepage.h"

namespace morvessa {
namespace {

using Json = nlohmann::ordered_json;

std::string sha256_hex(const std::string& bytes) {
  if (bytes.empty()) return {};
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
  static constexpr char HEX[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += HEX[digest[i] >> 4];
    hex += HEX[digest[i] & 15];
  }
  return hex;
}

// JSON strings must be valid UTF-8: byte texts go through code page 936 first.
std::string u8(const std::string& text) {
  return to_utf8(text);
}

Json control_json(const ControlRecord& r) {
  const ControlSpec& spec = *r.spec;
  Json c;
  c["kind"] = control_kind_name(spec.kind);
  c["parent"] = spec.parent;
  c["x"] = spec.x;
  c["y"] = spec.y;
  c["w"] = spec.w;
  c["h"] = spec.h;
  c["visible"] = r.visible;
  c["tag"] = spec.tag;
  switch (spec.kind) {
    case ControlKind::Button:
    case ControlKind::LinkLabel:
    case ControlKind::TransparentLabel:
    case ControlKind::EditBox:
      c["text"] = u8(r.text);
      break;
    case ControlKind::PictureBox:
      c["picture_bytes"] = r.picture.size();
      c["picture_sha256"] = sha256_hex(r.picture);
      break;
    case ControlKind::ListView: {
      Json rows = Json::array();
      for (const auto& row : r.rows) rows.push_back(Json::array({u8(row[0]), u8(row[1])}));
      c["rows"] = rows;
      c["selected"] = r.selected;
      Json columns = Json::array();
      if (const ListViewSpec* list = list_view_spec(spec.name))
        for (const ListColumnSpec& col : list->columns)
          columns.push_back(Json::array({col.header, col.width}));
      c["columns"] = columns;
      break;
    }
    case ControlKind::ComboBox: {
      Json items = Json::array();
      for (const std::string& item : r.items) items.push_back(u8(item));
      c["items"] = items;
      c["selected"] = r.selected;
      c["text"] = u8(r.text);
      break;
    }
    case ControlKind::TabControl:
      c["current"] = r.current_tab;
      break;
    case ControlKind::WebBrowserBox:
      c["address"] = u8(r.address);
      break;
  }
  return c;
}

Json window_json(WindowId id, const WindowRecord& w) {
  Json j;
  j["open"] = w.open;
  if (!w.open) return j;
  const WindowSpec& spec = window_spec(id);
  j["title"] = spec.title;
  j["left"] = w.left;
  j["top"] = w.top;
  j["width"] = spec.width;
  j["height"] = spec.height;
  j["minimised"] = w.minimised;
  Json controls = Json::object();
  for (const ControlRecord& r : w.controls) controls[std::string(r.spec->name)] = control_json(r);
  j["controls"] = controls;
  return j;
}

Json state_json(const AppState& s) {
  Json j;
  j["drag_active"] = s.drag_active;
  j["drag_origin_x"] = s.drag_origin_x;
  j["drag_origin_y"] = s.drag_origin_y;
  j["category_slug"] = u8(s.category_slug);
  j["current_page"] = s.current_page;
  j["total_pages_text"] = u8(s.total_pages_text);
  j["page_html_bytes"] = s.page_html ? s.page_html->size() : 0;
  Json urls = Json::array();
  for (const std::string& url : s.detail_link_urls) urls.push_back(u8(url));
  j["detail_link_urls"] = urls;
  return j;
}

}  // namespace

std::string dump_json(const ToolkitSnapshot& windows, const AppState& state) {
  Json j;
  j["main"] = window_json(WindowId::main, windows.main);
  j["line"] = window_json(WindowId::line, windows.line);
  j["state"] = state_json(state);
  Json boxes = Json::array();
  for (const MessageBoxRecord& b : windows.message_boxes)
    boxes.push_back({{"text", u8(b.text)},
                     {"title", u8(b.title)},
                     {"buttons", b.buttons == MessageButtons::ok ? "ok" : "ok_cancel"},
                     {"result", b.result}});
  j["message_boxes"] = boxes;
  return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace morvessa
