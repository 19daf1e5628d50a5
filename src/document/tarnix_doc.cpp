#include "document/tarnix_doc.h"

#include <filesystem>
#include <memory>

#include "analysis/main_frequency.h"
#include "base/parallel_for.h"
#include "analysis/point_evaluation.h"
#include "analysis/section_summary.h"
#include "document/section_completion.h"
#include "formats/file_error.h"
#include "formats/file_paths.h"
#include "formats/raw_test_reader.h"
#include "formats/raw_test_writer.h"
#include "formats/result_file.h"
#include "processing/time_shift.h"

namespace tarnix {
namespace {

const char kUnknownType[] = "无法识别的文件类型";
const char kAskSave[] = "数据已经修改，是否保存";
const char kOpenFirst[] = "请先打开文件!";

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The proposed name of the framework's dialogs: the path without its extension.
std::string WithoutExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  return dot == std::string::npos ? path : path.substr(0, dot);
}

}  // namespace

CTarnixDoc::CTarnixDoc(UiServices& ui, RecentFileList& recentFiles) : ui_(ui), recentFiles_(recentFiles) {
  ApplyStandard();
  ui_.SetTitle(Title());
}

std::string CTarnixDoc::Title() const {
  return std::string(kTitlePrefix) + (pathName_.empty() ? std::string(kUntitled) : FileName(pathName_));
}

void CTarnixDoc::SetPathName(const std::string& path, bool addToRecent) {
  pathName_ = path;
  if (addToRecent) recentFiles_.Add(path);
  ui_.SetTitle(Title());
}

void CTarnixDoc::ReadAndComplete(const std::string& path) {
  const bool raw = IsRawTestPath(path);
  if (!raw && !IsResultPath(path)) throw FileError(kUnknownType);
  TestHeader scratch = header_;
  auto fresh = std::make_unique<Sections>();
  LayerSet freshLayers;
  if (raw) {
    ReadTestFilePair(path, scratch, *fresh);
    // A raw test carries no hand-set curve axes; the time axis keeps its setting.
    for (CurveQuantity q : {kCurveV, kCurveF, kCurveA, kCurveP}) scratch.curves[q].manual = 0;
  } else {
    ReadResultFile(path, scratch, *fresh, freshLayers);
  }

  layers_ = std::move(freshLayers);
  selectedLayer_ = 0;  // a layer of the previous test
  header_ = std::move(scratch);
  currentSection_ = -1;
  for (int i = 0; i < kSectionCount; ++i) {
    sections_[i] = std::move((*fresh)[i]);
    timeCorrection_[i] = 0;
    if (!sections_[i].valid) continue;
    CompleteSection(sections_[i], header_, filters_[i]);
    // A pick beyond the record end is held at the last sample, as every shift
    // holds it, so that saving the test again writes what was opened.
    ShiftSection(sections_[i], 0);
    sections_[i].RebuildArrivalTime();
    sections_[i].RebuildVelocity();
    sections_[i].RebuildPsd();
    if (currentSection_ < 0) currentSection_ = i;
  }
  // A raw test's criteria come from the algorithm of its standard (SL-264-2001,
  // the only one); a result file keeps the criteria it stored.
  if (raw) {
    ApplyStandard();
  } else {
    ReplaceAlgorithm();
    for (SectionRecord& s : sections_) {
      if (!s.valid) continue;
      s.criticalA = s.aC;
      s.criticalV = s.vC;
      RebuildGrades(s);
    }
  }
  if (raw) {
    layers_.m_style1 = 1;
    layers_.m_style2 = 0;
    header_.m_holeHeight = header_.m_holeDepth = header_.m_holeX = header_.m_holeY = "0";
  }
  currentPoint_ = 0;
  hasData_ = true;
  waveClipboard_.reset();
  // Two deep copies of every waveform: one per core.
  ParallelFor(2, 1, [this](int begin, int end) {
    for (int i = begin; i < end; ++i) (i == 0 ? processingSnapshot_ : displaySnapshot_) = {header_, sections_};
  });
  display.referenceOffset = display.ReferenceOffsetFor();
  modified_ = false;
  ++openCount_;
}

bool CTarnixDoc::OnOpenDocument(const std::string& path) {
  try {
    ReadAndComplete(path);
  } catch (const FileError& e) {
    ui_.Message(e.what(), MessageButtons::Ok);
    return false;
  }
  pathName_ = path;
  ui_.SetTitle(Title());
  ui_.UpdateAllViews();
  return true;
}

bool CTarnixDoc::ConfirmSharedDataFile(const std::string& path) {
  namespace fs = std::filesystem;
  if (path.empty() || !fs::exists(DataFilePath(path))) return true;
  const std::string base = path.substr(0, path.size() - 1);
  for (char last : {'T', 'A'}) {
    const std::string other = base + last;
    if (other == path || !fs::exists(other)) continue;
    const std::string text = "数据文件“" + FileName(DataFilePath(path)) + "”同时被“" + FileName(other) +
                             "”使用，保存将改写该数据文件，“" + FileName(other) +
                             "”将无法再正确读取其波形。是否继续保存？";
    if (ui_.Message(text, MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes) return false;
  }
  return true;
}

void CTarnixDoc::RestoreRecordedSamples() {
  for (int i = 0; i < kSectionCount; ++i) {
    SectionRecord& s = sections_[i];
    if (!s.valid) continue;
    for (CSamNode& p : s.points) {
      if (p.HasWaveform()) p.samples = p.rawSamples;
    }
    ShiftSection(s, CorrectionSamples(timeCorrection_[i], header_.dT));
    s.RebuildVelocity();
  }
}

void CTarnixDoc::RefilterShownChannels() {
  for (int pane = 0; pane < 2; ++pane) {
    const int index = currentSection_ + pane;
    if (currentSection_ < 0 || !ValidSection(index)) continue;
    SectionRecord& s = sections_[index];
    FilterSectionSamples(s, filters_[index]);
    for (CSamNode& p : s.points) {
      if (p.HasWaveform()) p.freqIndex = -1;
    }
    RebuildMainFreq(s);
  }
}

bool CTarnixDoc::OnSaveDocument(const std::string& path) {
  const bool raw = IsRawTestPath(path);
  if (!raw && !IsResultPath(path)) {
    ui_.Message(kUnknownType, MessageButtons::Ok);
    return false;
  }
  if (!ConfirmSharedDataFile(path)) return false;
  RestoreRecordedSamples();
  bool ok = true;
  try {
    if (raw) {
      // Outside the main layout, or for a test that came from a result file,
      // only the evaluated range is written.
      WriteRawTest(path, header_, sections_, !modes.InMainLayout() || !IsRawTestPath(pathName_));
    } else {
      WriteResultFile(path, header_, sections_, layers_, ResultAnalysisRows(header_, sections_, *algorithm_));
    }
  } catch (const FileError& e) {
    ui_.Message(e.what(), MessageButtons::Ok);
    ok = false;
  }
  // The views show what they showed before the save.
  RefilterShownChannels();
  if (!ok) return false;
  modified_ = false;
  pathName_ = path;
  ui_.SetTitle(Title());
  return true;
}

bool CTarnixDoc::SaveThroughDialog() {
  FileDialogRequest request;
  request.save = true;
  request.title = "另存为";
  request.filter = kDocumentFilter;
  request.proposedName = pathName_;
  request.flags = kExplorer | kHideReadOnly | kOverwritePrompt;
  const std::optional<std::string> path = ui_.ChooseFile(request);
  if (!path || !OnSaveDocument(*path)) return false;
  SetPathName(*path, true);
  return true;
}

bool CTarnixDoc::SaveModified() {
  if (!modified_) return true;
  switch (ui_.Message(kAskSave, MessageButtons::YesNoCancel, MessageAnswer::Yes)) {
    case MessageAnswer::Yes:
      if (!SaveThroughDialog()) return false;
      break;
    case MessageAnswer::No:
      break;
    default:
      return false;
  }
  modified_ = false;
  return true;
}

FrameClose CTarnixDoc::QueryFrameClose(bool printPreviewShown) {
  if (printPreviewShown) return FrameClose::ClosePreviewOnly;
  if (!modified_) return FrameClose::Close;
  switch (ui_.Message(kAskSave, MessageButtons::YesNoCancel, MessageAnswer::Yes)) {
    case MessageAnswer::Yes:
      return SaveThroughDialog() ? FrameClose::Close : FrameClose::Stay;
    case MessageAnswer::No:
      // The framework's own close then asks the document once more.
      return SaveModified() ? FrameClose::Close : FrameClose::Stay;
    default:
      return FrameClose::Stay;
  }
}

void CTarnixDoc::OnFileNew() {
  if (!SaveModified()) return;
  // The contents and settings stay; only the path and the modified_ flag go.
  pathName_.clear();
  modified_ = false;
}

void CTarnixDoc::OnFileOpen() {
  FileDialogRequest request;
  request.title = "打开";
  request.filter = kDocumentFilter;
  request.proposedName = WithoutExtension(pathName_);
  request.flags = kHideReadOnly | kOverwritePrompt | kFileMustExist;
  const std::optional<std::string> path = ui_.ChooseFile(request);
  if (!path || !SaveModified()) return;
  if (OnOpenDocument(*path)) SetPathName(*path, true);
}

void CTarnixDoc::OnFileSave() {
  if (!CanSave()) return;
  if (pathName_.empty()) {
    OnFileSaveAs();
    return;
  }
  OnSaveDocument(pathName_);
}

void CTarnixDoc::OnFileSaveAs() {
  if (!CanSave()) return;
  FileDialogRequest request;
  request.save = true;
  request.title = "另存为";
  request.filter = kDocumentFilter;
  request.proposedName = WithoutExtension(pathName_);
  request.flags = kHideReadOnly | kOverwritePrompt;
  const std::optional<std::string> path = ui_.ChooseFile(request);
  if (path && OnSaveDocument(*path)) SetPathName(*path, true);
}

void CTarnixDoc::OnFileOpenResult() {
  FileDialogRequest request;
  request.title = "打开结果文件";
  request.filter = kResultFilter;
  request.flags = kExplorer | kFileMustExist;
  const std::optional<std::string> path = ui_.ChooseFile(request);
  // Unsaved work is asked about first, as "打开" does.
  if (!path || !SaveModified()) return;
  if (OnOpenDocument(*path)) SetPathName(*path, true);
}

void CTarnixDoc::OnFileSaveResult() {
  if (currentSection_ < 0) {
    ui_.Message(kOpenFirst, MessageButtons::Ok);
    return;
  }
  FileDialogRequest request;
  request.save = true;
  request.title = "保存结果文件";
  request.filter = kResultFilter;
  request.defaultExtension = "CHA";
  request.proposedName = pathName_.substr(0, pathName_.find('.'));
  request.flags = kHideReadOnly | kOverwritePrompt;
  const std::optional<std::string> path = ui_.ChooseFile(request);
  if (!path || !ConfirmSharedDataFile(*path)) return;
  WaitCursor wait(ui_);
  // The record is stored, not the filtered view of it.
  RestoreRecordedSamples();
  try {
    WriteResultFile(*path, header_, sections_, layers_, ResultAnalysisRows(header_, sections_, *algorithm_));
  } catch (const FileError& e) {
    ui_.Message(e.what(), MessageButtons::Ok);
    RefilterShownChannels();
    return;
  }
  layers_.ClearLayers();
  // What is shown afterwards is exactly what was stored.
  if (OnOpenDocument(*path)) SetPathName(*path, true);
}

}  // namespace tarnix
