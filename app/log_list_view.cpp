#include "app/log_list_view.h"

#include <QAccessible>

namespace zt {

LogListView::LogListView(QWidget* parent) : QListView(parent) { setUniformItemSizes(true); }

void LogListView::dataChanged(const QModelIndex& top_left, const QModelIndex& bottom_right,
                              const QList<int>& roles) {
  if (top_left == bottom_right) {
    // One row: the item view repaints just that row.
    QAbstractItemView::dataChanged(top_left, bottom_right, roles);
    return;
  }
  viewport()->update();
#if QT_CONFIG(accessibility)
  if (QAccessible::isActive()) {
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(top_left.row());
    event.setFirstColumn(top_left.column());
    event.setLastRow(bottom_right.row());
    event.setLastColumn(bottom_right.column());
    QAccessible::updateAccessibility(&event);
  }
#endif
}

}  // namespace zt
