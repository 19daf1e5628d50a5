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
#include "analysis/layer_rules.h"
#include "document/app_modes.h"
#include "document/display_settings.h"
#include "document/report_texts.h"
#include "model/header_texts.h"
#include "model/layer_set.h"
#include "model/page_setup.h"
#include "model/report_style.h"
#include "model/section_record.h"
#include "model/test_header.h"
#include "document/recent_file_list.h"
#include "document/ui_services.h"
#include "processing/channel_filter.h"

namespace tarnix {

struct DocumentTestAccess;

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
  CTarnixDoc(const CTarnixDoc&) = delete;  // one document, referred to by its views
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
  bool CanSave() const { return currentSection_ >= 0; }

  // --- Reading ---------------------------------------------------------------
  const TestHeader& Header() const { return header_; }
  const Sections& AllSections() const { return sections_; }
  const SectionRecord& Section(int index) const { return sections_[index]; }
  // The section shown in the channel's pane (0: the current section, 1: the one
  // after it), or nullptr.
  const SectionRecord* ChannelSection(int channel) const;
  int CurrentSection() const { return currentSection_; }
  int CurrentPoint() const { return currentPoint_; }
  const ChannelFilter& Filter(int section) const { return filters_[section]; }
  int32_t TimeCorrection(int section) const { return timeCorrection_[section]; }  // µs
  const LayerSet& Layers() const { return layers_; }
  // The test-result layer whose parameters the dialogs show: always a layer
  // that exists, 0 without layers.
  int SelectedLayer() const;
  // The receivers of the current pair, whose points the layers average.
  Receivers CurrentReceivers() const { return ReceiversAt(sections_, currentSection_); }
  // The top of the first layer of both columns.
  float MinValidDepth() const { return algorithm_->GetMinValidDepth(CurrentReceivers()); }
  // The depth of the first receiver's first point (the deepest measured), or
  // nothing when it has no point.
  std::optional<float> DeepestPointDepth() const;
  const CAlgorithm& Algorithm() const { return *algorithm_; }
  bool IsModified() const { return modified_; }
  bool HasData() const { return hasData_; }
  // Successful opens so far: the wave panes lay themselves out afresh for each.
  uint32_t OpenCount() const { return openCount_; }
  const std::optional<CSamNode>& WaveClipboard() const { return waveClipboard_; }
  // The clipboard was filled by "单波读取(&U)".
  bool WaveClipboardFull() const { return waveClipboardFull_; }
  const DocumentSnapshot& ProcessingSnapshot() const { return processingSnapshot_; }

  // --- Operations: every edit of the test goes through one of these ------------
  // Each ends in Changed(), which rebuilds what is derived and tells the views.
  void SetCurrentSection(int index);
  void SetCurrentPoint(int index);
  // A manual arrival pick at a shown sample index; the record pick follows.
  void SetPick(int section, int point, int shownIndex);
  // A manual choice of the dominant-frequency bin.
  void SetFrequencyBin(int section, int point, int bin);
  void CopyPoint(int section, int point);
  // The copied waveform into the point, at this section's record length. False
  // (with the status text) when nothing was copied.
  bool PastePoint(int section, int point);
  // A waveform read from a single-wave file, for paste to put onto a point.
  void FillWaveClipboard(CSamNode node);
  // Before a save rewrites path's data file: asks when another text file of the
  // same base name uses it. False when the user declines.
  bool ConfirmSharedDataFile(const std::string& path);
  // Sets the evaluated range of every section in use and of its stored copies.
  // The range must hold at least ten points and lie inside every section;
  // otherwise the user is told and nothing changes.
  bool SetEvaluatedRange(int first, int last);
  // The section's transmitter–receiver distance in m; the spans keep their
  // offsets from it.
  void SetSectionDistance(int section, float crossD);
  // The sound-time correction of a section in µs; its waveforms are rebuilt.
  void SetTimeCorrection(int section, int32_t correctionUs);
  // The filter settings of a section; its waveforms are rebuilt from the record
  // (apply), or the settings are only stored, as a dialog keeps a value it
  // refuses to apply.
  void SetFilter(int section, const ChannelFilter& filter, bool apply = true);
  // The velocity criterion of a section as the curve adjustment recomputed it
  // over the section's range; its grades follow.
  void SetVelocityCriterion(int section, float criticalV);
  // Replaces the algorithm by a new SL-264-2001 one and recomputes the criteria
  // and grades of every section in use.
  void ChooseStandard();
  // The depths after the depth reference of the display settings changed.
  void RebuildDepths();
  // The project and hole texts of the header; the report's copy of the test
  // keeps them too, so that they outlive leaving the report.
  void SetHeaderTexts(const HeaderTexts& texts);
  // --- Layers: the report's context menu, the edit and parameter dialogs ------
  void SelectLayer(int k);
  // The whole layer set, as undo and a cancelled dialog put it back.
  void SetLayers(const LayerSet& layers);
  // Average velocities and rock-mass parameters of every test-result layer.
  void RecalcLayers();
  // "添加分层" at a clicked depth; a refusal is told and changes nothing.
  bool AddBoundary(LayerColumn column, float depth);
  // "删除分层" at a clicked depth, after the user confirms.
  bool DeleteLayerAt(LayerColumn column, float depth);
  // The edit dialogs' "添加层" (see AddResultLayerInDialog); the new layer's
  // index, -1 when none was added.
  int AddLayerInDialog(LayerColumn column, int selected, float typedBottom);
  // The edit dialogs' "删除层": no question.
  void RemoveLayer(LayerColumn column, int k);
  void SetLayerBottom(LayerColumn column, int k, float bottom);
  void SetLayerDescription(int k, const std::string& text);
  void SetLayerLithology(int k, const std::string& name);
  // The interpretation text of a test-result layer.
  void SetLayerExplanation(int k, const std::string& text);
  // The report's scale, style and calculation method; a changed method or
  // input recomputes the layers.
  void SetReportStyle(const ReportStyle& style);
  // A parameter dialog's check box (tag 1..3) of a method (way 1 or 0).
  void SetParameterTag(int way, int tag, bool on);
  // Enter in a parameter dialog: the method's values into the selected layer.
  void EnterLayerParameters(int way, const LayerParameters& values, const std::array<int32_t, 3>& tags);

  // Entering and leaving the report layout.
  void TakeProcessingSnapshot();
  void RestoreProcessingSnapshot();

  // --- What undo puts back ------------------------------------------------------
  // A section with its processing settings.
  struct SectionState {
    SectionRecord section;
    ChannelFilter filter;
    int32_t correction = 0;
  };
  // One point with the criteria of its section (a pick may re-evaluate them).
  struct PointState {
    CSamNode point;
    float criticalA = 0.0f;
    float criticalV = 0.0f;
  };
  // The evaluated ranges of every section and of its stored copies.
  using RangeState = std::array<std::pair<int32_t, int32_t>, 3 * kSectionCount>;
  using CriteriaState = std::array<std::pair<float, float>, kSectionCount>;

  SectionState CaptureSection(int index) const;
  void RestoreSection(int index, const SectionState& state);
  PointState CapturePoint(int section, int point) const;
  void RestorePoint(int section, int point, const PointState& state);
  RangeState CaptureRanges() const;
  void RestoreRanges(const RangeState& state);
  CriteriaState CaptureCriteria() const;
  void RestoreCriteria(const CriteriaState& state);

  // --- Settings file -------------------------------------------------------
  // Missing file: the defaults stay. Damaged file: the documented fallbacks.
  void LoadSettings(const std::string& path);
  // False when the file cannot be written; nothing else happens then.
  bool SaveSettings(const std::string& path) const;

  UiServices& Ui() { return ui_; }
  const std::string& PathName() const { return pathName_; }
  void SetPathName(const std::string& path, bool addToRecent);
  std::string Title() const;
  void SetModifiedFlag(bool value = true) { modified_ = value; }

  // Settings records that the settings dialogs edit in place.
  PageSetup pageSetup;
  DisplaySettings display;
  ReportTexts reportTexts;
  AppModes modes;
  int samplingStep = 0;  // statistics of the panels: 0 = every point with a waveform

 private:
  // The picking driver writes the picks of whole channels in one pass.
  friend void AutoPickChannel(CTarnixDoc& doc, int channel);
  friend void AutoPick(CTarnixDoc& doc);
  template <typename Doc>
  friend struct SettingsParts;
  friend struct DocumentTestAccess;  // fixtures built by hand in the tests

  // What an edit needs rebuilt before the views are told.
  enum class Rebuild { Nothing, Arrays, ArraysAndCriteria };
  // The one place every edit ends: rebuilds the section's derived arrays (and
  // its criteria), marks the document modified and tells the views once.
  // Changes of what is shown only (the current section or point) leave the
  // modified flag alone.
  void Changed(int section, Rebuild rebuild, unsigned hint);
  // The section's velocity and amplitude criteria from the algorithm, and its grades.
  void EvaluateCriteria(int index);
  void ReplaceAlgorithm();
  // A new algorithm and the criteria of every section in use from it.
  void ApplyStandard();
  // Reads the file and completes the sections; throws FileError, leaving the
  // document unchanged.
  void ReadAndComplete(const std::string& path);
  // The unsaved-changes save: a save dialog proposing the document's path.
  bool SaveThroughDialog();
  void RestoreRecordedSamples();
  void RefilterShownChannels();
  // Rebuilds a section's working waveforms from the record: filter, then shift.
  void RebuildWaveforms(int section);
  bool ValidSection(int index) const { return index >= 0 && index < kSectionCount && sections_[index].valid; }

  TestHeader header_;
  Sections sections_;
  LayerSet layers_;
  int selectedLayer_ = 0;  // bounded by SelectedLayer(): the lists may shrink under it
  // Per section, by section index: the picker, the open path and the filter
  // dialog all address the same entry, whichever section is current.
  std::array<ChannelFilter, kSectionCount> filters_;
  std::array<int32_t, kSectionCount> timeCorrection_{};  // µs
  std::unique_ptr<CAlgorithm> algorithm_;
  int currentSection_ = -1;
  int currentPoint_ = -1;
  bool hasData_ = false;
  bool modified_ = false;
  uint32_t openCount_ = 0;
  DocumentSnapshot processingSnapshot_;
  DocumentSnapshot displaySnapshot_;
  std::optional<CSamNode> waveClipboard_;
  bool waveClipboardFull_ = false;

  UiServices& ui_;
  RecentFileList& recentFiles_;
  std::string pathName_;
};

}  // namespace tarnix
