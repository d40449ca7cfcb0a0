#include "app/log_list_model.h"

#include "app/widgets.h"

namespace zt {

int LogListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_rows_;
}

QVariant LogListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  // A row of the views' count that the lines no longer hold, while a reset is under way.
  if (row >= lines_.size()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return FromCore(lines_[row]);
  return {};
}

void LogListModel::TellViews() {
  const int rows = static_cast<int>(lines_.size());
  if (rows == shown_rows_) {
    if (rows > 0) emit dataChanged(index(0), index(rows - 1));
    return;
  }
  beginResetModel();
  shown_rows_ = rows;
  endResetModel();
}

}  // namespace zt
