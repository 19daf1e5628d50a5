#pragma once
// The base of every pane: it reads the document at each repaint and gets the
// first chance at every command while it is the active pane.
#include <QWidget>

#include "views/command_id.h"

namespace tarnix {

class CTarnixDoc;
class CommandSink;

class CTarnixView : public QWidget {
  Q_OBJECT
 public:
  CTarnixView(CTarnixDoc& doc, QWidget* parent = nullptr);

  // True when the view handled the command; unhandled commands go on to the
  // document and then the frame.
  virtual bool OnCommand(CommandId id);
  // Whether the view handles the command at all (for enabling menu entries).
  virtual bool HandlesCommand(CommandId id) const;
  // The document changed: repaint from it.
  virtual void OnUpdate();
  // Where the pane's edits are kept for undo (none: they are not kept).
  void SetCommandSink(CommandSink* sink) { commands_ = sink; }

 signals:
  void Activated(CTarnixView* view);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

  CTarnixDoc& doc_;
  CommandSink* commands_ = nullptr;
};

}  // namespace tarnix
