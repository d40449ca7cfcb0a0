#include "app/log_list_model.h"

#include "app/widgets.h"

namespace zt {

int LogListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant LogListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
    return FromCore(lines_[static_cast<std::size_t>(index.row())]);
  }
  return {};
}

}  // namespace zt
