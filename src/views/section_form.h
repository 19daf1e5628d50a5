#pragma once
// The form of the section bar: choosing the current section, correcting its
// source-receiver distance, and the read-outs the analysis curves write at
// their cursor.
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace tarnix {

class CTarnixDoc;
class CommandSink;
class CSectionMap;

class CSectionForm : public QWidget {
  Q_OBJECT
 public:
  explicit CSectionForm(CTarnixDoc& doc, QWidget* parent = nullptr);

  // Refills the selector, the selection, the distance and the map from the
  // document; the cursor read-outs stay.
  void Refresh();

  // Read-outs of channel 0 or 1 at the curve cursor: depth in m, time in µs,
  // amplitude in dB, velocity in km/s, span in m (shown in mm).
  void ShowCursor(int channel, double depth, double time, double amplitude, double velocity, double span);
  // Differences of the two channels: depth in m, times in µs, spans in m (shown
  // in mm), velocity in km/s. A velocity of 0, which the caller passes when the
  // two times read alike at one decimal, shows "0km/s".
  void ShowCursorDifferences(double depth, double timeDiff, double spanDiff, double velocityDiff);
  void ClearCursor();

  CSectionMap* Map() const { return map_; }
  // Where distance edits are kept for undo (none: they are not kept).
  void SetCommandSink(CommandSink* sink) { commands_ = sink; }

 private:
  void OnSectionChosen(int entry);
  void OnDistanceEntered();
  void ShowDistance();

  CTarnixDoc& doc_;
  CommandSink* commands_ = nullptr;
  QComboBox* selector_ = nullptr;
  QLineEdit* distance_ = nullptr;
  CSectionMap* map_ = nullptr;
  // H, T, A, V, L of each channel.
  QLineEdit* channel_[2][5] = {};
  QLineEdit* depth_ = nullptr;
  QLineEdit* timeDiff_ = nullptr;
  QLineEdit* spanDiff_ = nullptr;
  QLineEdit* velocityDiff_ = nullptr;
};

}  // namespace tarnix
