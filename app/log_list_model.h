#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

namespace zt {

// The lines of the log list, held as the core's Windows-1250 text and converted only when a row
// is drawn, so a log of any size loads and scrolls at once.
class LogListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // A flat list of one column: the view asks for every row's index whenever it lays the rows
  // out, so the answer skips the general checks through rowCount and columnCount.
  QModelIndex index(int row, int column = 0,
                    const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  const std::vector<std::string>& Lines() const { return lines_; }
  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& LineAt(int row) const { return lines_.at(static_cast<std::size_t>(row)); }

  void SetLines(std::vector<std::string> lines);
  // Lets `rebuild` rewrite the lines in place, reusing their storage; it must leave `count`
  // lines and return the rows it changed as a pair of first and past-the-end row. When the count
  // stays, the views hear of the changed rows only; otherwise of a reset.
  template <class Rebuild>
  void RebuildLines(int count, Rebuild&& rebuild) {
    if (count != Count()) {
      beginResetModel();
      rebuild(lines_);
      endResetModel();
      return;
    }
    const auto [first, end] = rebuild(lines_);
    Q_ASSERT(count == Count());
    if (first < end) {
      emit dataChanged(index(static_cast<int>(first)), index(static_cast<int>(end) - 1),
                       {Qt::DisplayRole});
    }
  }
  void Append(std::string line);
  void Remove(int row);
  void Clear() { SetLines({}); }
  // The first row holding exactly `line`, or -1.
  int FindFirst(const std::string& line) const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace zt
