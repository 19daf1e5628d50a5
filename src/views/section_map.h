#pragma once
// The small map of the section bar: the access pipes around the hole and, when
// a section is chosen, its two pipes joined by a line.
#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

namespace tarnix {

class CSectionMap : public QWidget {
  Q_OBJECT
 public:
  explicit CSectionMap(QWidget* parent = nullptr);

  // Reallocates the flags for the pipe count (clamped to 0..5), all cleared,
  // when the count changes; keeps them otherwise.
  void SetPipeCount(int pipes);
  int PipeCount() const { return pipes_; }

  // One flag per pair of pipes, N·(N − 1)/2 of them.
  const std::vector<bool>& Flags() const { return flags_; }
  static int PairIndex(int source, int receiver);

  void ClearFlags();
  // Sets only the flag of the pair (pipes counted from 0) and repaints. A pair
  // is unordered on the map; a pipe paired with itself or outside the layout
  // leaves every flag cleared.
  void SelectPair(int source, int receiver);
  // The pipes of the set flag, lower one first.
  std::optional<std::pair<int, int>> SelectedPair() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int pipes_ = 0;
  std::vector<bool> flags_;
};

}  // namespace tarnix
