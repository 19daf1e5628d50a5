#include "document/file_merge.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "base/c_text.h"
#include "document/section_completion.h"
#include "formats/file_error.h"
#include "formats/raw_test_reader.h"
#include "formats/raw_test_writer.h"
#include "formats/result_file.h"
#include "formats/rtx_reader.h"

namespace tarnix {
namespace {

const char kOtherLength[] = "请选择采样长度一致的文件！";
const char kOtherInterval[] = "请选择采样频率一致的文件！";
const char kOtherMove[] = "请选择移距一致的文件！";
const char kBadDepth[] = "请输入正确的孔深";
const char kTooFewPipes[] = "管数错误！";

bool Contains(const std::string& path, const char* part) { return path.find(part) != std::string::npos; }

void Collect(std::vector<std::string>& list, const std::string& value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

std::string PairLabel(int sour, int dest) { return CFormat("%d-%d", sour, dest); }

}  // namespace

FileMerge::FileMerge(UiServices& ui)
    : ui_(ui), loadedSections_(std::make_unique<Sections>()), mergedSections_(std::make_unique<Sections>()) {}

FileMerge::~FileMerge() = default;

bool FileMerge::ReadFile(const std::string& path, TestHeader& header, Sections& sections) {
  try {
    if (Contains(path, ".CHT")) {
      ReadTestFilePair(path, header, sections);
    } else if (Contains(path, ".CHS")) {
      // Its layers belong to nobody here; the open document's stay untouched.
      LayerSet scratchLayers;
      ReadResultFile(path, header, sections, scratchLayers);
    } else if (Contains(path, ".RTX")) {
      ReadRtxTest(path, header, sections);
    } else {
      return false;
    }
  } catch (const FileError& e) {
    ui_.Message(e.what(), MessageButtons::Ok);
    return false;
  }
  return true;
}

bool FileMerge::CheckAgainstLoaded(const TestHeader& h) {
  if (!haveFirst_) return true;
  const char* refusal = h.datLen != loadedHeader_.datLen ? kOtherLength
                        : h.dT != loadedHeader_.dT       ? kOtherInterval
                        : h.move != loadedHeader_.move   ? kOtherMove
                                                         : nullptr;
  if (refusal == nullptr) return true;
  ui_.Message(refusal, MessageButtons::Ok);
  return false;
}

bool FileMerge::Load(const std::string& path) {
  TestHeader header = loadedHeader_;
  auto sections = std::make_unique<Sections>();
  if (!ReadFile(path, header, *sections) || !CheckAgainstLoaded(header)) return false;
  if (haveFirst_) header.pileLen = std::max(header.pileLen, loadedHeader_.pileLen);
  const bool first = !haveFirst_;
  loadedHeader_ = std::move(header);
  loadedSections_ = std::move(sections);
  for (SectionRecord& s : *loadedSections_) {
    if (s.valid) RebuildDerivedArrays(s);
  }
  haveFirst_ = true;
  rowsOpen_ = true;
  loadedName_ = std::filesystem::path(path).filename().string();
  if (autoPipeCount_) {
    // The list reaches 5 pipes only: more would name merged sections past the ten.
    loadedHeader_.pipeNum = std::clamp(loadedHeader_.pipeNum, 0, kMaxPipes);
  } else {
    loadedHeader_.pipeNum = fields_.pipeCount;
  }
  FillFields();
  if (first) fields_.aporeDeg = loadedHeader_.aporeDeg;
  FillRows();
  return true;
}

void FileMerge::FillFields() {
  const TestHeader& h = loadedHeader_;
  fields_.holeId = h.m_holeID;
  fields_.inst = h.inst;
  fields_.date = h.date;
  fields_.holeDepth = h.pileLen;
  fields_.pileD = h.pileD;
  fields_.site = h.site;
  fields_.unit = h.unit;
  fields_.person = h.person;
  Collect(sites_, h.site);
  Collect(units_, h.unit);
  Collect(persons_, h.person);
}

void FileMerge::FillRows() {
  const int pipes = loadedHeader_.pipeNum;
  for (int i = 0; i < kSectionCount; ++i) {
    const SectionRecord& s = (*loadedSections_)[i];
    MergeRow& row = rows_[i];
    row = MergeRow();
    if (!rowsOpen_ || !s.valid) continue;
    row.label = PairLabel(s.sourPipe + 1, s.destPipe + 1);
    if (s.senDH != 0.0f) {
      const auto first = std::find_if(s.points.begin(), s.points.end(),
                                      [](const CSamNode& p) { return p.HasWaveform(); });
      const bool above = first != s.points.end() && first->destL > first->sourL;
      row.targets.push_back(above ? kTransmitterAbove : kTransmitterBelow);
    } else {
      for (int c = 2; c <= std::min(pipes, kMaxPipes); ++c) {
        for (int i2 = 1; i2 < c; ++i2) {
          if (!(*mergedSections_)[MergedIndex({i2, c})].valid) row.targets.push_back(PairLabel(i2, c));
        }
      }
    }
    row.targets.push_back(kNotMerged);
    row.choice = static_cast<int>(row.targets.size()) - 1;
  }
}

bool FileMerge::Choose(int row, const std::string& target) {
  if (row < 0 || row >= kSectionCount || !rows_[row].Enabled()) return false;
  if (target != kNotMerged) {
    for (int i = 0; i < kSectionCount; ++i) {
      if (i != row && rows_[i].Chosen() == target) return false;
    }
  }
  MergeRow& r = rows_[row];
  const auto at = std::find(r.targets.begin(), r.targets.end(), target);
  if (at == r.targets.end()) {
    // Only the command line names a pair the list does not offer; the merge
    // then judges it against the pipe count.
    if (!TargetPair(target)) return false;
    r.targets.insert(r.targets.end() - 1, target);
    r.choice = static_cast<int>(r.targets.size()) - 2;
    return true;
  }
  r.choice = static_cast<int>(at - r.targets.begin());
  return true;
}

bool FileMerge::ApplyHoleDepth(float depth) {
  if (!std::isfinite(depth) || depth < loadedHeader_.move) {
    ui_.Message(kBadDepth, MessageButtons::Ok);
    return false;
  }
  return true;
}

void FileMerge::StartMerged() {
  mergedHeader_ = loadedHeader_;
  mergedStarted_ = true;
  const auto first = std::find_if(loadedSections_->begin(), loadedSections_->end(),
                                  [](const SectionRecord& s) { return s.valid; });
  if (first != loadedSections_->end()) firstPair_ = {first->sourPipe + 1, first->destPipe + 1};
}

bool FileMerge::Merge(float holeDepth) {
  const bool depthOk = ApplyHoleDepth(holeDepth);
  for (int i = 0; i < kSectionCount; ++i) {
    const std::string target = rows_[i].Chosen();
    if (target.empty()) continue;
    if (!mergedStarted_) StartMerged();
    const std::optional<PipePair> pair = TargetPair(target);
    if (!pair) continue;
    const int index = MergedIndex(*pair);
    if (loadedHeader_.pipeNum < pair->sour || loadedHeader_.pipeNum < pair->dest || index < 0) {
      ui_.Message(kTooFewPipes, MessageButtons::Ok);
      return false;
    }
    (*mergedSections_)[index] = std::move((*loadedSections_)[i]);
    (*loadedSections_)[i] = SectionRecord();
    mergedSource_[index] = loadedName_ + " " + rows_[i].label;
  }
  rowsOpen_ = false;
  FillRows();
  if (!mergedStarted_) mergedHeader_ = loadedHeader_;
  if (depthOk) mergedHeader_.pileLen = holeDepth;
  return true;
}

bool FileMerge::Save(float holeDepth) {
  const bool depthOk = ApplyHoleDepth(holeDepth);
  FileDialogRequest request;
  request.save = true;
  request.filter = "声波原始文件 (*.CHT)|*.CHT||";
  request.defaultExtension = "CHT";
  request.flags = kHideReadOnly | kOverwritePrompt;
  const std::optional<std::string> path = ui_.ChooseFile(request);
  if (!path) return false;
  if (depthOk) mergedHeader_.pileLen = holeDepth;
  return Write(*path);
}

bool FileMerge::SaveTo(const std::string& path, float holeDepth) {
  if (ApplyHoleDepth(holeDepth)) mergedHeader_.pileLen = holeDepth;
  return Write(path);
}

bool FileMerge::Write(const std::string& path) {
  WaitCursor wait(ui_);
  TestHeader& h = mergedHeader_;
  h.inst = fields_.inst;
  h.date = fields_.date;
  h.m_holeID = fields_.holeId;
  h.unit = fields_.unit;
  h.site = fields_.site;
  h.person = fields_.person;
  h.pipeNum = PipeCount();
  // The written section block names this many sections; the header must say
  // so too, or a result file saved from the test cannot be read back.
  h.sectionCount = (h.pipeNum - 1) * h.pipeNum / 2;
  AssignMergedPipes(*mergedSections_, h.pipeNum, firstPair_);
  try {
    WriteRawTest(path, h, *mergedSections_, false);
  } catch (const FileError& e) {
    ui_.Message(e.what(), MessageButtons::Ok);
    return false;
  }
  Clear();
  return true;
}

void FileMerge::Clear() {
  rowsOpen_ = false;
  FillRows();
  for (SectionRecord& s : *mergedSections_) s = SectionRecord();
  for (std::string& source : mergedSource_) source.clear();
  // The next merge starts a new header: its datLen and dT come from the files
  // loaded from now on, not from those merged before.
  mergedStarted_ = false;
  firstPair_ = PipePair();
  haveFirst_ = false;
}

std::vector<PipePair> FileMerge::MergedPairs() const {
  std::vector<PipePair> pairs;
  for (int d = 2; d <= kMaxPipes; ++d) {
    for (int s = 1; s < d; ++s) {
      if ((*mergedSections_)[MergedIndex({s, d})].valid) pairs.push_back({s, d});
    }
  }
  return pairs;
}

void FileMerge::SetAutoPipeCount(bool on) { autoPipeCount_ = on; }

void FileMerge::SetPipeCount(int count) {
  fields_.pipeCount = std::clamp(count, kMinPipeCount, kMaxPipes);
  if (autoPipeCount_) return;
  loadedHeader_.pipeNum = fields_.pipeCount;
  FillRows();
}

int FileMerge::PipeCount() const {
  return std::clamp(autoPipeCount_ ? loadedHeader_.pipeNum : fields_.pipeCount, kMinPipeCount, kMaxPipes);
}

void FileMerge::SetAporeDeg(int degrees) {
  fields_.aporeDeg = degrees;
  loadedHeader_.aporeDeg = degrees;
}

}  // namespace tarnix
