#pragma once
// The parts that the channel dialogs ("数字滤波", "声时修正") share: the choice
// between the two channels and the 确定 / 取消 row.
#include <QString>

class QBoxLayout;
class QButtonGroup;
class QDialog;
class QHBoxLayout;
class QPushButton;

namespace tarnix {

class CTarnixDoc;

// 2 when a section follows the current one, else 1.
int ChannelCount(const CTarnixDoc& doc);

// Two radio buttons (object names "channel1", "channel2") in row; the second is
// disabled when there is no second channel.
QButtonGroup* AddChannelChoice(QDialog* owner, QBoxLayout* row, const QString& first, const QString& second,
                               int checked, int available);

// A right-aligned 确定 (default) and 取消 row (object names "ok", "cancel")
// wired to accept and reject.
QHBoxLayout* OkCancelRow(QDialog* owner);

}  // namespace tarnix
