#pragma once
// Both windows as data: every control with its kind, parent, place, size, texts and tag; the list views'
// columns, the combo items, the tab pages and the poster cells. Written once; read by every toolkit.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "app/layout_types.h"

namespace morvessa {

inline constexpr WindowSpec MAIN_WINDOW = {WindowId::main, "Morvessa的影视系统 V2.0", 1238, 686};
inline constexpr WindowSpec LINE_WINDOW = {WindowId::line, "切换播放线路", 209, 149};

inline constexpr int POSTER_CELL_COUNT = 30;
inline constexpr int PICTURE_TAG_OFFSET = 30;
inline constexpr std::string_view TAB_CONTROL_NAME = "选择夹1";
inline constexpr std::array<std::string_view, 4> TAB_PAGE_TITLES = {"剧库", "播放", "搜索", "解析"};

struct PosterCellSpec {
  int cell;
  std::string_view picture, picture_tag;
  int picture_x, picture_y;
  std::string_view label, label_tag;
  int label_x, label_y;
};

inline constexpr int POSTER_PICTURE_W = 95, POSTER_PICTURE_H = 128;
inline constexpr int POSTER_LABEL_W = 96, POSTER_LABEL_H = 31;

// Cell k: picture box tagged k + 30, caption label tagged k. The numbering is not the reading order.
inline constexpr std::array<PosterCellSpec, POSTER_CELL_COUNT> POSTER_CELLS = {{
    {1, "图片框1", "31", 8, 21, "透明标签1", "1", 8, 155},
    {2, "图片框2", "32", 138, 21, "透明标签2", "2", 138, 155},
    {3, "图片框3", "33", 266, 21, "透明标签3", "3", 266, 155},
    {4, "图片框4", "34", 395, 21, "透明标签4", "4", 395, 155},
    {5, "图片框13", "35", 523, 21, "透明标签5", "5", 523, 155},
    {6, "图片框8", "36", 8, 189, "透明标签6", "6", 8, 321},
    {7, "图片框7", "37", 138, 189, "透明标签7", "7", 138, 321},
    {8, "图片框6", "38", 266, 189, "透明标签8", "8", 266, 321},
    {9, "图片框5", "39", 395, 189, "透明标签9", "9", 395, 321},
    {10, "图片框14", "40", 523, 188, "透明标签10", "10", 523, 321},
    {11, "图片框12", "41", 8, 355, "透明标签11", "11", 8, 490},
    {12, "图片框11", "42", 138, 355, "透明标签12", "12", 138, 490},
    {13, "图片框10", "43", 266, 355, "透明标签13", "13", 266, 490},
    {14, "图片框9", "44", 395, 355, "透明标签14", "14", 395, 490},
    {15, "图片框15", "45", 523, 355, "透明标签15", "15", 523, 490},
    {16, "图片框16", "46", 1022, 352, "透明标签16", "16", 1022, 487},
    {17, "图片框17", "47", 1152, 352, "透明标签17", "17", 1152, 487},
    {18, "图片框18", "48", 766, 188, "透明标签18", "18", 766, 323},
    {19, "图片框19", "49", 895, 188, "透明标签19", "19", 895, 323},
    {20, "图片框20", "50", 900, 352, "透明标签20", "20", 900, 487},
    {21, "图片框21", "51", 1150, 190, "透明标签21", "21", 1150, 326},
    {22, "图片框22", "52", 1021, 189, "透明标签22", "22", 1021, 325},
    {23, "图片框23", "53", 1021, 22, "透明标签23", "23", 1021, 158},
    {24, "图片框25", "54", 769, 353, "透明标签25", "24", 769, 489},
    {25, "图片框24", "55", 894, 27, "透明标签24", "25", 894, 163},
    {26, "图片框26", "56", 646, 24, "透明标签27", "26", 646, 160},
    {27, "图片框27", "57", 648, 354, "透明标签28", "27", 648, 490},
    {28, "图片框28", "58", 766, 25, "透明标签29", "28", 766, 161},
    {29, "图片框29", "59", 648, 188, "透明标签30", "29", 648, 324},
    {30, "图片框30", "60", 1150, 24, "透明标签31", "30", 1150, 160},
}};

namespace layout_detail {

using K = ControlKind;
inline constexpr std::string_view WINDOW = "";
inline constexpr std::string_view PAGE0 = "选择夹1:0", PAGE1 = "选择夹1:1", PAGE2 = "选择夹1:2",
                                  PAGE3 = "选择夹1:3";

// Main window controls before the poster cells: the window itself, then page 0 up to the cells.
inline constexpr ControlSpec MAIN_HEAD[] = {
    {"透明标签39", K::TransparentLabel, WINDOW, 680, 16, 232, 40, "观影教程网 learn.morvessa.example"},
    {"图片框31", K::PictureBox, WINDOW, 12, 35, 72, 64, {}, {}, true, false, Artwork::logo},
    {"图片框39", K::PictureBox, WINDOW, 1159, 0, 40, 35, {}, {}, true, true, Artwork::minimise},
    {"图片框38", K::PictureBox, WINDOW, 1200, 0, 40, 35, {}, {}, true, true, Artwork::close},
    {"超级按钮1", K::Button, WINDOW, 101, 32, 112, 40, "片库", {}, true, true},
    {"超级按钮2", K::Button, WINDOW, 215, 32, 112, 40, "播放器", {}, true, true},
    {"超级按钮3", K::Button, WINDOW, 329, 32, 112, 40, "搜索", {}, true, true},
    {"超级按钮4", K::Button, WINDOW, 443, 32, 112, 40, "解析视频", {}, true, true},
    {"超级链接框3", K::LinkLabel, WINDOW, 0, 132, 88, 36, "电视剧"},
    {"超级链接框4", K::LinkLabel, WINDOW, 0, 170, 88, 36, "电影"},
    {"超级链接框5", K::LinkLabel, WINDOW, 0, 208, 88, 36, "动漫"},
    {"超级链接框6", K::LinkLabel, WINDOW, 0, 246, 88, 36, "综艺"},
    {"选择夹1", K::TabControl, WINDOW, 101, 72, 1268, 584},
    {"图片框34", K::PictureBox, WINDOW, 95, 640, 1281, 16, {}, {}, true, false, Artwork::window_background},
    {"超文本浏览框1", K::WebBrowserBox, WINDOW, 520, 168, 16, 16, {}, {}, false},
    {"图片框32", K::PictureBox, PAGE0, 0, 0, 1283, 593, {}, {}, true, false, Artwork::page_background},
    {"超级链接框7", K::LinkLabel, "图片框32", 794, 530, 32, 24, "跳转"},
    {"超级链接框1", K::LinkLabel, PAGE0, 401, 530, 72, 24, "上一页"},
    {"超级链接框2", K::LinkLabel, PAGE0, 473, 530, 88, 24, "下一页"},
    {"透明标签26", K::TransparentLabel, PAGE0, 577, 536, 160, 24},
    {"编辑框1", K::EditBox, PAGE0, 729, 530, 56, 24},
};

// Main window controls after the poster cells: pages 1 to 3.
inline constexpr ControlSpec MAIN_TAIL[] = {
    {"图片框36", K::PictureBox, PAGE1, -7, 23, 1002, 5, {}, {}, true, false, Artwork::page_background},
    {"图片框33", K::PictureBox, PAGE1, -8, 0, 1332, 584, {}, {}, true, false, Artwork::page_background},
    {"透明标签38", K::TransparentLabel, "图片框33", 663, 8, 136, 16, "点击此处更换播放线路"},
    {"透明标签41", K::TransparentLabel, "图片框33", 1027, 15, 80, 32, "播放记录："},
    {"超级链接框10", K::LinkLabel, "图片框33", 1003, 520, 144, 48, "清除记录"},
    {"超文本浏览框2", K::WebBrowserBox, PAGE1, -2, 23, 856, 553},
    {"超级列表框2", K::ListView, PAGE1, 851, 23, 144, 545},
    {"超级列表框3", K::ListView, PAGE1, 995, 55, 139, 472},
    {"透明标签34", K::TransparentLabel, PAGE1, 1001, 56, 32, 16, "简介："},
    {"透明标签37", K::TransparentLabel, PAGE1, 10, 6, 262, 16, "正在播放："},
    // Its text, the prefix of play line 0, depends on the hosts and is set when the window is made.
    {"编辑框3", K::EditBox, PAGE1, 1112, 24, 24, 16, {}, {}, false},
    {"透明标签32", K::TransparentLabel, PAGE1, 0, 224, 112, 16},
    {"图片框35", K::PictureBox, PAGE2, 0, -2, 1264, 602, {}, {}, true, false, Artwork::page_background},
    {"透明标签36", K::TransparentLabel, "图片框35", 843, 34, 264, 40, "没有想要的内容？点我直接解析视频"},
    {"超级链接框8", K::LinkLabel, "图片框35", 673, 34, 138, 40, "影视搜索"},
    {"透明标签33", K::TransparentLabel, PAGE2, 99, 36, 93, 32, "输入名称："},
    {"编辑框2", K::EditBox, PAGE2, 192, 32, 459, 40, "请输入完整的视频名称"},
    {"超级列表框1", K::ListView, PAGE2, 16, 88, 1107, 472},
    {"图片框37", K::PictureBox, PAGE3, 0, 0, 1264, 602, {}, {}, true, false, Artwork::page_background},
    {"透明标签35", K::TransparentLabel, "图片框37", 507, 142, 200, 40, "请输入视频地址"},
    {"编辑框4", K::EditBox, "图片框37", 411, 230, 416, 40, {}, {}, true, true},
    {"超级链接框9", K::LinkLabel, "图片框37", 536, 304, 138, 40, "立即解析", {}, true, true},
    {"透明标签42", K::TransparentLabel, "图片框37", 259, 494, 744, 48,
     "Morvessa温馨提示：软件正处于发展阶段，可能有些内容不是很完善，期待你提供建议！    010-5555-0199"},
};

constexpr auto build_main_controls() {
  constexpr std::size_t head = std::size(MAIN_HEAD), tail = std::size(MAIN_TAIL);
  std::array<ControlSpec, head + 2 * POSTER_CELL_COUNT + tail> all{};
  std::size_t n = 0;
  for (const ControlSpec& c : MAIN_HEAD) all[n++] = c;
  for (const PosterCellSpec& cell : POSTER_CELLS) {
    all[n++] = {cell.picture,     K::PictureBox,    PAGE0, cell.picture_x,  cell.picture_y,
                POSTER_PICTURE_W, POSTER_PICTURE_H, {},    cell.picture_tag};
    all[n++] = {cell.label,     K::TransparentLabel, PAGE0, cell.label_x,  cell.label_y,
                POSTER_LABEL_W, POSTER_LABEL_H,      {},    cell.label_tag};
  }
  for (const ControlSpec& c : MAIN_TAIL) all[n++] = c;
  return all;
}

}  // namespace layout_detail

inline constexpr auto MAIN_CONTROLS = layout_detail::build_main_controls();

inline constexpr ControlSpec LINE_CONTROLS[] = {
    {"透明标签1", ControlKind::TransparentLabel, "", 20, 37, 64, 24, "选择线路："},
    {"组合框1", ControlKind::ComboBox, "", 77, 39, 101, 20, "主线路\r\n"},
    {"超级按钮1", ControlKind::Button, "", 56, 80, 96, 40, "确定", {}, true, true},
};

inline constexpr std::array<std::string_view, 5> LINE_COMBO_ITEMS = {"主线路", "主线路1", "主线路2",
                                                                     "主线路3", "主线路4"};

inline constexpr ListViewSpec LIST_VIEWS[] = {
    {"超级列表框1", {{"剧名：", 150}, {"0", 0}}, 0xC06000, 0x231D23},
    {"超级列表框2", {{"选集：", 166}, {"地址：", 0}}, 0xC06000, 0x241D24, "宋体", 16},
    {"超级列表框3", {{"播放记录", 230}, {"地址", 2}}, 0xFF8000, 0x241D24},
};

inline constexpr const WindowSpec& window_spec(WindowId id) {
  return id == WindowId::main ? MAIN_WINDOW : LINE_WINDOW;
}

inline constexpr std::span<const ControlSpec> window_controls(WindowId id) {
  if (id == WindowId::main) return MAIN_CONTROLS;
  return LINE_CONTROLS;
}

// Finds a control by its layout name; a name that is not in the layout fails to compile where it is
// consteval.
constexpr ControlRef find_control(WindowId window, std::string_view name) {
  std::span<const ControlSpec> controls = window_controls(window);
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].name == name) return {window, static_cast<int>(i)};
  throw std::logic_error("no such control in the layout");
}

consteval ControlRef main_control(std::string_view name) {
  return find_control(WindowId::main, name);
}
consteval ControlRef line_control(std::string_view name) {
  return find_control(WindowId::line, name);
}

// The layout record of a control; the window itself has none.
constexpr const ControlSpec& control_spec(ControlRef ref) {
  return window_controls(ref.window)[static_cast<std::size_t>(ref.index)];
}

constexpr const ListViewSpec* list_view_spec(std::string_view name) {
  for (const ListViewSpec& spec : LIST_VIEWS)
    if (spec.name == name) return &spec;
  return nullptr;
}

// Looks a control up at run time (driver input): nullopt when the name is not in the window.
std::optional<ControlRef> control_by_name(WindowId window, std::string_view name);

}  // namespace morvessa
