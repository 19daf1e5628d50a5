#include "document/single_wave.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "base/c_text.h"
#include "formats/file_error.h"
#include "formats/file_paths.h"
#include "formats/raw_test_reader.h"
#include "formats/raw_test_writer.h"
#include "model/sample_conversion.h"

namespace tarnix {
namespace {

constexpr char kNoWave[] = "该高度没有波形!";

// The point's waveform and readings, without the working state of the test it
// came from. count samples, padded with the zero level when it has fewer.
CSamNode CopyOfPoint(const CSamNode& p, int count) {
  CSamNode node;
  const size_t n = static_cast<size_t>(std::max(count, 0));
  node.samples.assign(p.samples.begin(), p.samples.begin() + std::min(n, p.samples.size()));
  node.samples.resize(n, kZeroLevel);
  node.rawSamples = node.samples;
  // A longer record's picks may lie past the length kept.
  node.arrivalIndex = std::clamp(p.arrivalIndex, 0, std::max(count, 1) - 1);
  node.ampIndex = std::clamp(p.ampIndex, 0, std::max(count, 1) - 1);
  node.sourL = p.sourL;
  node.destL = p.destL;
  node.span = p.span;
  node.gain = p.gain;
  return node;
}

}  // namespace

bool ReadSingleWave(CTarnixDoc& doc, const std::string& path) {
  UiServices& ui = doc.Ui();
  TestHeader header;
  auto sections = std::make_unique<Sections>();
  try {
    ReadTestFilePair(path, header, *sections);
  } catch (const FileError& e) {
    ui.Message(e.what(), MessageButtons::Ok);
    return false;
  }
  const bool open = doc.HasData();
  if (open && header.datLen < doc.Header().datLen) {
    ui.Message("采样长度小于当前打开文件！", MessageButtons::Ok);
    return false;
  }
  if (open && header.dT != doc.Header().dT &&
      ui.Message("采样频率与当前波形不一致，是否打开！", MessageButtons::YesNo, MessageAnswer::Yes) != MessageAnswer::Yes) {
    return false;
  }
  const CSamNode* found = nullptr;
  int count = 0;
  for (const SectionRecord& s : *sections) {
    if (!s.valid) continue;
    count += s.PointCount();
    if (!s.points.empty()) found = &s.points.front();
  }
  if (count > 1) {
    ui.Message("文件中包含多个波形！", MessageButtons::Ok);
    return false;
  }
  if (found == nullptr) return false;
  // Without an open test the file's own length is kept; with one, the test's.
  const int length = open ? doc.Header().datLen : static_cast<int>(found->samples.size());
  doc.FillWaveClipboard(CopyOfPoint(*found, length));
  return true;
}

void OnSingleWaveRead(CTarnixDoc& doc) {
  FileDialogRequest request;
  request.filter = kSingleWaveFilter;
  request.flags = kExplorer | kFileMustExist;
  const std::optional<std::string> path = doc.Ui().ChooseFile(request);
  if (path && !path->empty()) ReadSingleWave(doc, *path);
}

std::string SingleWaveName(const TestHeader& header, const SectionRecord& section, const CSamNode& point) {
  return header.m_holeID + CFormat("-%d%d-%.2f", section.sourPipe + 1, section.destPipe + 1, point.sourL);
}

std::string WithRawTestSuffix(const std::string& path) {
  const bool has = path.size() >= 4 && path.compare(path.size() - 4, 4, ".CHT") == 0;
  return has ? path : path + ".CHT";
}

bool SaveSingleWave(CTarnixDoc& doc, int section, int point, const std::string& path) {
  UiServices& ui = doc.Ui();
  if (section < 0 || section >= kSectionCount || !doc.Section(section).valid || point < 0) {
    ui.Message("请先打开文件!", MessageButtons::Ok);
    return false;
  }
  const SectionRecord& source = doc.Section(section);
  const CSamNode* p = source.PointAt(point);
  if (p == nullptr || !p->HasWaveform()) {
    ui.Message(kNoWave, MessageButtons::Ok);
    return false;
  }
  auto sections = std::make_unique<Sections>();
  for (int i = 0; i < kSectionCount; ++i) {
    // The parameters only: the points and what derives from them stay behind.
    SectionRecord s = doc.Section(i);
    s.valid = false;
    s.points.clear();
    for (std::vector<float>* derived :
         {&s.arrivalTime, &s.velocity, &s.ampDb, &s.mainFreq, &s.depths, &s.psd, &s.grades}) {
      derived->clear();
    }
    s.firstIndex = -1;
    s.lastIndex = -1;
    (*sections)[i] = std::move(s);
  }
  SectionRecord& target = (*sections)[section];
  target.valid = true;
  // The record holds the document's length; the reader expects nothing else.
  target.points.push_back(CopyOfPoint(*p, doc.Header().datLen));
  // The point's A(dB) as the test shows it, not a reading it may never have had.
  const float amp = point < static_cast<int>(source.ampDb.size()) ? source.ampDb[point] : p->ampDbRead;
  target.ampDb = {amp};
  try {
    WriteRawTest(path, doc.Header(), *sections, false);
  } catch (const FileError& e) {
    ui.Message(e.what(), MessageButtons::Ok);
    return false;
  }
  return true;
}

void OnSingleWaveSave(CTarnixDoc& doc) {
  UiServices& ui = doc.Ui();
  const int section = doc.CurrentSection();
  const int point = doc.CurrentPoint();
  if (section < 0 || point < 0) {
    ui.Message("请先打开文件!", MessageButtons::Ok);
    return;
  }
  const CSamNode* p = doc.Section(section).PointAt(point);
  if (p == nullptr || !p->HasWaveform()) {
    ui.Message(kNoWave, MessageButtons::Ok);
    return;
  }
  FileDialogRequest request;
  request.save = true;
  request.filter = kSingleWaveFilter;
  request.proposedName = SingleWaveName(doc.Header(), doc.Section(section), *p);
  request.defaultExtension = "CHT";
  request.flags = kExplorer | kHideReadOnly | kOverwritePrompt;
  const std::optional<std::string> chosen = doc.Ui().ChooseFile(request);
  if (!chosen || chosen->empty()) return;
  const std::string path = WithRawTestSuffix(*chosen);
  // The dialog asked about the name typed; the suffix may name another file.
  if (path != *chosen && std::filesystem::exists(path) &&
      ui.Message("“" + std::filesystem::path(path).filename().string() + "”已存在。\n要替换它吗？", MessageButtons::YesNo, MessageAnswer::No) !=
          MessageAnswer::Yes) {
    return;
  }
  if (!doc.ConfirmSharedDataFile(path)) return;
  SaveSingleWave(doc, section, point, path);
}

}  // namespace tarnix
