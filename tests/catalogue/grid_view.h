#pragma once
// What the 30 poster cells show, read back through the layout's cell table.

#include <ostream>
#include <string>
#include <vector>

#include "app/layout.h"
#include "list_site.h"
#include "net/codepage.h"
#include "platform/headless/record_toolkit.h"

namespace morvessa::test {

struct CellView {
  std::string title;    // UTF-8
  std::string picture;  // bytes
  friend bool operator==(const CellView&, const CellView&) = default;
  friend void PrintTo(const CellView& c, std::ostream* os) {
    *os << "{\"" << c.title << "\", " << c.picture.size() << " picture bytes}";
  }
};

// Cell k at [k - 1].
using GridView = std::vector<CellView>;

inline GridView grid_of(RecordToolkit& ui) {
  ToolkitSnapshot snap = ui.snapshot();
  GridView grid;
  for (const PosterCellSpec& cell : POSTER_CELLS) {
    auto picture = control_by_name(WindowId::main, cell.picture);
    auto label = control_by_name(WindowId::main, cell.label);
    grid.push_back({to_utf8(snap.main.controls.at(static_cast<std::size_t>(label->index)).text),
                    snap.main.controls.at(static_cast<std::size_t>(picture->index)).picture});
  }
  return grid;
}

// The grid after a page of that shape has been shown over `before` (empty cells when left out).
inline GridView page_grid(const std::string& slug, int page, int titles = POSTER_CELL_COUNT,
                          int images = POSTER_CELL_COUNT, GridView before = {}) {
  if (before.empty()) before.resize(POSTER_CELL_COUNT);
  for (int k = 1; k <= std::min(titles, POSTER_CELL_COUNT); ++k)
    before[static_cast<std::size_t>(k - 1)] = {ListSite::title(slug, page, k),
                                               k <= images ? ListSite::poster(slug, page, k) : std::string()};
  return before;
}

}  // namespace morvessa::test
