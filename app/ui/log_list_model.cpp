#include "app/ui/log_list_model.h"

#include <algorithm>

#include "app/ui/widgets.h"

namespace zt {

int LogListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Count();
}

QVariant LogListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Count()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
    return FromCore(LineAt(index.row()));
  return {};
}

void LogListModel::SetLines(std::vector<std::string> lines) {
  beginResetModel();
  lines_ = std::move(lines);
  endResetModel();
}

void LogListModel::Append(std::string line) {
  beginInsertRows(QModelIndex(), Count(), Count());
  lines_.push_back(std::move(line));
  endInsertRows();
}

void LogListModel::Remove(int row) {
  if (row < 0 || row >= Count()) return;
  beginRemoveRows(QModelIndex(), row, row);
  lines_.erase(lines_.begin() + row);
  endRemoveRows();
}

int LogListModel::FindFirst(const std::string& line) const {
  const auto found = std::find(lines_.begin(), lines_.end(), line);
  return found == lines_.end() ? -1 : static_cast<int>(found - lines_.begin());
}

}  // namespace zt
