#pragma once

#include <QAbstractListModel>
#include <string>
#include <utility>
#include <vector>

namespace zt {

// The log list as the view shows it: the contest log's lines, held as the core's Windows-1250 text
// and converted only when a row is drawn, so a log of any size loads and scrolls at once.
class LogListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  LogListModel(const std::vector<std::string>& lines, QObject* parent = nullptr)
      : QAbstractListModel(parent), lines_(lines) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Runs `change` of the lines: the views forget the old rows before it and read the new ones
  // after it. Returns what `change` returns.
  template <class Change>
  decltype(auto) Resetting(Change&& change) {
    beginResetModel();
    const struct Ended {
      LogListModel* model;
      ~Ended() { model->endResetModel(); }
    } ended{this};
    return std::forward<Change>(change)();
  }

 private:
  const std::vector<std::string>& lines_;
};

}  // namespace zt
