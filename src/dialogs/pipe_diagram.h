#pragma once
// The merge dialog's pipe diagram: the pipes on a circle turned by the offset
// angle, and a line for every pair already merged.
#include <QWidget>
#include <vector>

#include "analysis/merge_pairs.h"

namespace tarnix {

class CPipeDiagram : public QWidget {
  Q_OBJECT
 public:
  explicit CPipeDiagram(QWidget* parent = nullptr);
  void Show(int pipeCount, int offsetDegrees, std::vector<PipePair> merged);
  QSize sizeHint() const override { return {180, 180}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int pipeCount_ = 0;
  int offsetDegrees_ = 0;
  std::vector<PipePair> merged_;
};

}  // namespace tarnix
