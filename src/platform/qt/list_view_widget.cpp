#include "platform/qt/list_view_widget.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "platform/qt/qt_text.h"

namespace morvessa {
namespace {

constexpr int CELL_BYTES_ROLE = Qt::UserRole;

QString rgb(unsigned value) {
  return QStringLiteral("#%1").arg(value & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

QString list_style(const ListViewSpec& spec) {
  const QString text = rgb(spec.text_rgb), background = rgb(spec.background_rgb);
  return QStringLiteral(
             "QTreeWidget { color: %1; background: %2; border: 1px solid #3a2f3a; outline: 0; }"
             "QTreeWidget::item { padding: 3px 2px; border: none; }"
             "QTreeWidget::item:hover { background: rgba(255, 128, 0, 40); }"
             "QTreeWidget::item:selected { color: %2; background: %1; }")
      .arg(text, background);
}

}  // namespace

ListViewWidget::ListViewWidget(ControlEvents& events, ControlRef ref, const ListViewSpec& spec,
                               QWidget* parent)
    : QTreeWidget(parent), events_(events), ref_(ref) {
  mark_control(*this, ref);
  setColumnCount(COLUMN_COUNT);
  QStringList headers;
  for (const ListColumnSpec& column : spec.columns) headers << utf8_qstring(column.header);
  setHeaderLabels(headers);
  setHeaderHidden(true);
  header()->setMinimumSectionSize(0);
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(QHeaderView::Fixed);
  for (int c = 0; c < COLUMN_COUNT; ++c) setColumnWidth(c, spec.columns[c].width);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setIndentation(0);
  setUniformRowHeights(true);
  setSortingEnabled(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAllColumnsShowFocus(true);
  setTextElideMode(Qt::ElideRight);
  setStyleSheet(list_style(spec));
  if (!spec.font_family.empty()) {
    QFont f = font();
    f.setFamilies({utf8_qstring(spec.font_family), f.family()});
    f.setPixelSize(spec.font_pixels);
    setFont(f);
  }
}

int ListViewWidget::insert_row() {
  const int row = topLevelItemCount();
  auto* item = new QTreeWidgetItem();
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  addTopLevelItem(item);
  return row;
}

void ListViewWidget::set_cell(int row, int column, const std::string& text) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item || column < 0 || column >= COLUMN_COUNT) return;
  item->setData(column, CELL_BYTES_ROLE, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  item->setText(column, to_qstring(text));
}

std::string ListViewWidget::cell(int row, int column) const {
  QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr;
  if (!item || column < 0 || column >= COLUMN_COUNT) return {};
  QByteArray bytes = item->data(column, CELL_BYTES_ROLE).toByteArray();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void ListViewWidget::clear_rows() {
  clear();
}

int ListViewWidget::selected_row() const {
  int lowest = -1;
  for (const QModelIndex& index : selectionModel()->selectedRows())
    if (lowest < 0 || index.row() < lowest) lowest = index.row();
  return lowest;
}

void ListViewWidget::mousePressEvent(QMouseEvent* event) {
  QTreeWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  left_press_ = true;
  // A click below the rows leaves no row selected.
  if (!indexAt(event->position().toPoint()).isValid()) {
    clearSelection();
    setCurrentIndex(QModelIndex());
  }
}

void ListViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !left_press_) return;
  left_press_ = false;
  if (release_ends_double_click_) {
    release_ends_double_click_ = false;
    return;
  }
  const QPoint at = event->position().toPoint();
  events_.raise(ref_, EventKind::clicked, EventArgs{at.x(), at.y()});
}

void ListViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton) return;
  left_press_ = true;
  release_ends_double_click_ = true;
  if (!indexAt(event->position().toPoint()).isValid()) {
    clearSelection();
    setCurrentIndex(QModelIndex());
  }
  const QPoint at = event->position().toPoint();
  events_.raise(ref_, EventKind::double_clicked, EventArgs{at.x(), at.y()});
}

}  // namespace morvessa
