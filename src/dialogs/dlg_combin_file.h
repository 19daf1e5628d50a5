#pragma once
// The dialog "合并文件": pick test files in a folder tree, assign each section
// of the file picked last to a pair of pipes, merge, and save the merged raw
// test. All decisions are FileMerge's; the open document is only read for its
// UiServices.
#include <QDialog>
#include <array>

#include "document/file_merge.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeView;
class QFileSystemModel;

namespace tarnix {

class CTarnixDoc;
class CPipeDiagram;

class CDlgCombinFile : public QDialog {
  Q_OBJECT
 public:
  CDlgCombinFile(CTarnixDoc& doc, QWidget* parent = nullptr);
  static void Run(CTarnixDoc& doc, QWidget* parent);

  // Loads a file as a double-click in the tree does.
  void LoadFile(const QString& path);
  const FileMerge& Merge() const { return merge_; }

 private:
  void OnTreeDoubleClick(const QModelIndex& index);
  void OnAutoPipeCount(bool on);
  void OnPipeCount(int entry);
  void OnTarget(int row, int entry);
  void OnAporeDeg(const QString& text);
  void OnMerge();
  void OnClear();
  void OnSave();
  // The edited fields into the merge before it uses them.
  void StoreFields();
  float HoleDepth() const;
  void Refresh();
  void RefreshRows();

  FileMerge merge_;
  QFileSystemModel* files_ = nullptr;
  QTreeView* tree_ = nullptr;
  QLineEdit* inst_ = nullptr;
  QLineEdit* holeId_ = nullptr;
  QLineEdit* depth_ = nullptr;
  QLineEdit* pileD_ = nullptr;
  QLineEdit* date_ = nullptr;
  QLineEdit* aporeDeg_ = nullptr;
  QComboBox* site_ = nullptr;
  QComboBox* unit_ = nullptr;
  QComboBox* person_ = nullptr;
  QCheckBox* autoPipes_ = nullptr;
  QComboBox* pipes_ = nullptr;
  CPipeDiagram* diagram_ = nullptr;
  std::array<QLabel*, kSectionCount> labels_{};
  std::array<QComboBox*, kSectionCount> targets_{};
  std::array<QLabel*, kSectionCount> merged_{};
};

}  // namespace tarnix
