#pragma once
// A report-style list view of two text columns: headers hidden, one whole row selected or none, no grid,
// no sorting, cells not editable. Cells keep the exact bytes that were set.

#include <QTreeWidget>
#include <string>

#include "app/control_ref.h"
#include "app/layout_types.h"
#include "platform/qt/control_widgets.h"

namespace morvessa {

class ListViewWidget final : public QTreeWidget {
  Q_OBJECT
 public:
  static constexpr int COLUMN_COUNT = 2;

  ListViewWidget(ControlEvents& events, ControlRef ref, const ListViewSpec& spec, QWidget* parent);

  int insert_row();
  void set_cell(int row, int column, const std::string& text);
  // The empty text for a row or column that does not exist.
  std::string cell(int row, int column) const;
  int row_count() const { return topLevelItemCount(); }
  void clear_rows();
  // The lowest selected row, -1 when none.
  int selected_row() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  ControlEvents& events_;
  ControlRef ref_;
  bool left_press_ = false;
  bool release_ends_double_click_ = false;
};

}  // namespace morvessa
