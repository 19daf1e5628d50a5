#pragma once
// The one document: the opened test, its per-section processing settings, the
// display and report settings, and its lifecycle (open, save, the unsaved-
// changes prompts). No Qt here: whatever it must ask or tell the user goes
// through UiServices.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "analysis/algorithm.h"
#include "document/app_modes.h"
#include "document/display_settings.h"
#include "document/report_texts.h"
#include "model/layer_set.h"
#include "model/page_setup.h"
#include "model/section_record.h"
#include "model/test_header.h"
#include "document/recent_file_list.h"
#include "document/ui_services.h"
#include "processing/channel_filter.h"

namespace tarnix {

// A deep copy of the test for commands that can be cancelled.
struct DocumentSnapshot {
  TestHeader header;
  Sections sections;
};

// What closing the main window may do.
enum class FrameClose { Close, ClosePreviewOnly, Stay };

class CTarnixDoc {
 public:
  static constexpr const char kTitlePrefix[] = "KVT声波测孔分析软件 V1.2.00912  Morvane - ";
  static constexpr const char kUntitled[] = "无标题";
  static constexpr const char kDocumentFilter[] =
      "声波原始文件 (*.CHT)|*.CHT|声波结果文件 (*.CHA)|*.CHA|All Files (*.*)|*.*||";
  static constexpr const char kResultFilter[] = "声波结果文件 (*.CHA)|*.CHA||";

  CTarnixDoc(UiServices& ui, RecentFileList& recentFiles);
  CTarnixDoc(const CTarnixDoc&) = delete;  // the algorithm reads this document's own members
  CTarnixDoc& operator=(const CTarnixDoc&) = delete;

  // --- Lifecycle -----------------------------------------------------------
  // Opens a raw test or a result file. A failure is shown and leaves the
  // document as it was.
  bool OnOpenDocument(const std::string& path);
  // Saves to path with the writer its name asks for. A failure is shown.
  bool OnSaveDocument(const std::string& path);
  // Asks about unsaved changes; false stops the operation that asked.
  bool SaveModified();
  // The frame's question when its window closes.
  FrameClose QueryFrameClose(bool printPreviewShown);

  // --- Commands ------------------------------------------------------------
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  void OnFileOpenResult();
  void OnFileSaveResult();
  bool CanSave() const { return currentSection >= 0; }

  // Replaces the algorithm by a new SL-264-2001 one and recomputes the criteria
  // and grades of every section in use.
  void ChooseStandard();

  // Rebuilds the working waveforms of channel 0 or 1 (the current section and the
  // one after it) from the samples as read, through that section's filter
  // settings, then re-applies its sound-time correction.
  void ApplyChannelFilter(int channel);
  // Shifts channel 0 or 1 by its sound-time correction and recomputes its arrays.
  void ShiftChannel(int channel);

  // Sets the evaluated range of every section in use and of its stored copies.
  // The range must hold at least ten points and lie inside every section;
  // otherwise the user is told and nothing changes.
  bool SetEvaluatedRange(int first, int last);

  // The section shown in the channel's pane, or nullptr.
  SectionRecord* ChannelSection(int channel);

  // The section's velocity and amplitude criteria from the algorithm, and its grades.
  void EvaluateCriteria(int index);

  // After a point's picks or waveform changed by hand: the section's per-point
  // arrays, its velocity and amplitude criteria and its grades.
  void RecomputeSection(int index);

  // --- Settings file -------------------------------------------------------
  // Missing file: the defaults stay. Damaged file: the documented fallbacks.
  void LoadSettings(const std::string& path);
  // False when the file cannot be written; nothing else happens then.
  bool SaveSettings(const std::string& path) const;

  UiServices& Ui() { return ui_; }
  const std::string& PathName() const { return pathName_; }
  void SetPathName(const std::string& path, bool addToRecent);
  std::string Title() const;
  void SetModifiedFlag(bool value = true) { modified = value; }

  TestHeader header;
  Sections sections;
  LayerSet layers;
  PageSetup pageSetup;
  DisplaySettings display;
  ReportTexts reportTexts;
  AppModes modes;
  // Per section, by section index: the picker, the open path and the filter
  // dialog all address the same entry, whichever section is current.
  std::array<ChannelFilter, kSectionCount> filters;
  std::array<int32_t, kSectionCount> timeCorrection{};  // µs
  std::array<bool, kSectionCount> sectionFlags;
  std::unique_ptr<CAlgorithm> algorithm;
  int samplingStep = 0;  // statistics of the panels: 0 = every point with a waveform
  int currentSection = -1;
  int currentPoint = -1;
  bool hasData = false;
  bool modified = false;
  // Successful opens so far: the wave panes lay themselves out afresh for each.
  uint32_t openCount = 0;
  DocumentSnapshot processingSnapshot;
  DocumentSnapshot displaySnapshot;
  std::optional<CSamNode> waveClipboard;
  bool waveClipboardFull = false;

 private:
  void ReplaceAlgorithm();
  // Reads the file and completes the sections; throws FileError, leaving the
  // document unchanged.
  void ReadAndComplete(const std::string& path);
  // Before a save rewrites path's data file: asks when another text file of the
  // same base name uses it. False when the user declines.
  bool ConfirmSharedDataFile(const std::string& path);
  // The unsaved-changes save: a save dialog proposing the document's path.
  bool SaveThroughDialog();
  void RestoreRecordedSamples();
  void RefilterShownChannels();

  UiServices& ui_;
  RecentFileList& recentFiles_;
  std::string pathName_;
};

}  // namespace tarnix
