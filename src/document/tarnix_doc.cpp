#include "document/tarnix_doc.h"

#include <filesystem>
#include <memory>

#include "analysis/main_frequency.h"
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
  sectionFlags.fill(true);
  ChooseStandard();
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

void CTarnixDoc::ReplaceAlgorithm() {
  algorithm = std::make_unique<CAlgorithm_SL_264_2001>();
}

void CTarnixDoc::ChooseStandard() {
  ReplaceAlgorithm();
  for (int i = 0; i < kSectionCount; ++i) EvaluateCriteria(i);
}

void CTarnixDoc::EvaluateCriteria(int index) {
  if (index < 0 || index >= kSectionCount || !sections[index].valid) return;
  SectionRecord& s = sections[index];
  s.criticalA = algorithm->CalcAmpCritical(s.ampDb.data(), static_cast<int>(s.ampDb.size()), s, 0);
  s.criticalV =
      algorithm->CalcVelocityCritical(s.velocity.data(), static_cast<int>(s.velocity.size()), sections, index, 0);
  RebuildGrades(s);
}

SectionRecord* CTarnixDoc::ChannelSection(int channel) {
  const int index = currentSection + channel;
  if (currentSection < 0 || channel < 0 || index >= kSectionCount) return nullptr;
  return &sections[index];
}

void CTarnixDoc::ReadAndComplete(const std::string& path) {
  const bool raw = IsRawTestPath(path);
  if (!raw && !IsResultPath(path)) throw FileError(kUnknownType);
  TestHeader scratch = header;
  auto fresh = std::make_unique<Sections>();
  LayerSet freshLayers;
  if (raw) {
    ReadTestFilePair(path, scratch, *fresh);
    // A raw test carries no hand-set curve axes; the time axis keeps its setting.
    for (CurveQuantity q : {kCurveV, kCurveF, kCurveA, kCurveP}) scratch.curves[q].manual = 0;
  } else {
    ReadResultFile(path, scratch, *fresh, freshLayers);
  }

  sectionFlags.fill(true);
  layers = std::move(freshLayers);
  header = std::move(scratch);
  currentSection = -1;
  for (int i = 0; i < kSectionCount; ++i) {
    sections[i] = std::move((*fresh)[i]);
    timeCorrection[i] = 0;
    if (!sections[i].valid) continue;
    CompleteSection(sections[i], header, filters[i]);
    if (currentSection < 0) currentSection = i;
  }
  // A raw test's criteria come from the algorithm of its standard (SL-264-2001,
  // the only one); a result file keeps the criteria it stored.
  if (raw) {
    ChooseStandard();
  } else {
    ReplaceAlgorithm();
    for (SectionRecord& s : sections) {
      if (!s.valid) continue;
      s.criticalA = s.aC;
      s.criticalV = s.vC;
      RebuildGrades(s);
    }
  }
  if (raw) {
    layers.m_style1 = 1;
    layers.m_style2 = 0;
    header.m_holeHeight = header.m_holeDepth = header.m_holeX = header.m_holeY = "0";
  }
  currentPoint = 0;
  hasData = true;
  waveClipboard.reset();
  waveClipboardFull = false;
  processingSnapshot = {header, sections};
  displaySnapshot = processingSnapshot;
  display.referenceOffset = display.ReferenceOffsetFor();
  modified = false;
  ++openCount;
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
    SectionRecord& s = sections[i];
    if (!s.valid) continue;
    for (CSamNode& p : s.points) {
      if (p.HasWaveform()) p.samples = p.rawSamples;
    }
    ShiftSection(s, CorrectionSamples(timeCorrection[i], header.dT));
    s.RebuildVelocity();
  }
}

void CTarnixDoc::RefilterShownChannels() {
  for (int pane = 0; pane < 2; ++pane) {
    SectionRecord* s = ChannelSection(pane);
    if (s == nullptr || !s->valid) continue;
    FilterSectionSamples(*s, filters[currentSection + pane]);
    for (CSamNode& p : s->points) {
      if (p.HasWaveform()) p.freqIndex = -1;
    }
    RebuildMainFreq(*s);
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
      WriteRawTest(path, header, sections, !modes.InMainLayout() || !IsRawTestPath(pathName_));
    } else {
      WriteResultFile(path, header, sections, layers, ResultAnalysisRows(header, sections, *algorithm));
    }
  } catch (const FileError& e) {
    ui_.Message(e.what(), MessageButtons::Ok);
    ok = false;
  }
  // The views show what they showed before the save.
  RefilterShownChannels();
  if (!ok) return false;
  modified = false;
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
  if (!modified) return true;
  switch (ui_.Message(kAskSave, MessageButtons::YesNoCancel, MessageAnswer::Yes)) {
    case MessageAnswer::Yes:
      if (!SaveThroughDialog()) return false;
      break;
    case MessageAnswer::No:
      break;
    default:
      return false;
  }
  modified = false;
  return true;
}

FrameClose CTarnixDoc::QueryFrameClose(bool printPreviewShown) {
  if (printPreviewShown) return FrameClose::ClosePreviewOnly;
  if (!modified) return FrameClose::Close;
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
  // The contents and settings stay; only the path and the modified flag go.
  pathName_.clear();
  modified = false;
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
  // Unsaved changes are discarded without asking, as this command always has.
  if (path && OnOpenDocument(*path)) SetPathName(*path, true);
}

void CTarnixDoc::OnFileSaveResult() {
  if (currentSection < 0) {
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
    WriteResultFile(*path, header, sections, layers, ResultAnalysisRows(header, sections, *algorithm));
  } catch (const FileError& e) {
    ui_.Message(e.what(), MessageButtons::Ok);
    RefilterShownChannels();
    return;
  }
  layers.ClearLayers();
  // What is shown afterwards is exactly what was stored.
  if (OnOpenDocument(*path)) SetPathName(*path, true);
}

bool CTarnixDoc::SetEvaluatedRange(int first, int last) {
  bool inside = first >= 0;
  for (const SectionRecord& s : sections) {
    if (s.valid && last >= s.PointCount()) inside = false;
  }
  if (last - first < 9 || !inside) {
    ui_.Message("请确定区间的间隔点不少于１０个", MessageButtons::Ok);
    return false;
  }
  for (int i = 0; i < kSectionCount; ++i) {
    for (SectionRecord* s : {&sections[i], &processingSnapshot.sections[i], &displaySnapshot.sections[i]}) {
      if (!s->valid) continue;
      s->firstIndex = first;
      s->lastIndex = last;
    }
  }
  modified = true;
  return true;
}

void CTarnixDoc::RecomputeSection(int index) {
  if (index < 0 || index >= kSectionCount || !sections[index].valid) return;
  RebuildDerivedArrays(sections[index]);
  EvaluateCriteria(index);
}

void CTarnixDoc::ApplyChannelFilter(int channel) {
  SectionRecord* s = ChannelSection(channel);
  if (s == nullptr) return;
  RefilterSection(*s, filters[currentSection + channel]);
  ShiftChannel(channel);
  modified = true;
}

void CTarnixDoc::ShiftChannel(int channel) {
  SectionRecord* s = ChannelSection(channel);
  if (s == nullptr) return;
  ShiftSection(*s, CorrectionSamples(timeCorrection[currentSection + channel], header.dT));
  RebuildDerivedArrays(*s);
}

}  // namespace tarnix
