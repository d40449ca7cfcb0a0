#pragma once

#include <QListView>

namespace zt {

// The log list's view. Every row has the same height, so a change of text never moves a row:
// changed rows are only repainted. QListView would lay out all rows again, and Qt would measure
// a changed range row by row; on a long log either costs more than the recalculation itself.
class LogListView : public QListView {
  Q_OBJECT

 public:
  explicit LogListView(QWidget* parent = nullptr);

 protected:
  void dataChanged(const QModelIndex& top_left, const QModelIndex& bottom_right,
                   const QList<int>& roles = QList<int>()) override;
};

}  // namespace zt
