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
      : QAbstractListModel(parent), lines_(lines), shown_rows_(static_cast<int>(lines.size())) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Runs `change` of the lines and tells the views what became of them, then returns what `change`
  // returns. When the row count stays (a recalculation, a correction), the rows are only rewritten
  // and the views keep their layout, which a long log would take a frame to build again; any
  // other change resets them.
  template <class Change>
  decltype(auto) Changing(Change&& change) {
    const struct Told {
      LogListModel* model;
      ~Told() { model->TellViews(); }
    } told{this};
    return std::forward<Change>(change)();
  }

 private:
  void TellViews();

  const std::vector<std::string>& lines_;
  // The rows the views were last told of: until they are told again they read no other row.
  int shown_rows_;
};

}  // namespace zt
