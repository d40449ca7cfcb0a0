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
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  const std::vector<std::string>& Lines() const { return lines_; }
  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& LineAt(int row) const { return lines_.at(static_cast<std::size_t>(row)); }

  void SetLines(std::vector<std::string> lines);
  void Append(std::string line);
  void Remove(int row);
  void Clear() { SetLines({}); }
  // The first row holding exactly `line`, or -1.
  int FindFirst(const std::string& line) const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace zt
