#include "formats/raw_test_reader.h"

#include <cstdio>
#include <algorithm>
#include <memory>
#include <vector>

#include "formats/file_error.h"
#include "formats/file_paths.h"
#include "formats/waveform_file.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

const char* const kOpenFailed = "打开文件失败！";
const char* const kEmptyFile = "文件为空!";
const char* const kBadPipeNum = "管数PIPENUM:过大或过小!";
const char* const kBadSectNum = "文件中PQKVT_CrsHlDat_Section:数据中，剖面数目（secNum）错误!";
const char* const kBadSectionSi = "读取PQKVT_CrsHlDat_SectionPara:段中的SI异常！";
const char* const kBadDefectSi = "读取PQKVT_CrsHlDat_DefectPara:段中的SI异常！";
const char* const kBadRaySi = "读取文件中PQKVT_CrsHlDat_RayPara:段的SI异常!";
const char* const kBadData = "读取CHD文件异常!";

constexpr int kRayRowWidth = 132;
constexpr int kRayStopLength = 131;

// The placeholder row of a parameter table starts with "SI  ".
bool IsEmptyRow(const KeyText& text, const TextColumn& table, int row) {
  return text.Compact(table.CellStart(row), 4) == "si";
}

// A parameter table is found by its first two header words; older files have
// two spaces fewer per row.
TextColumn FindTable(const KeyText& text, const char* wide, const char* narrow) {
  TextColumn t = text.Column(wide, 4, 126);
  if (!t.Found()) t = text.Column(narrow, 4, 124);
  return t;
}

void ReadHeaderKeys(const KeyText& text, bool isResult, TestHeader& h) {
  h.date = text.KeyString("DATE     :");
  h.person = text.KeyString("PERSON   :");
  h.m_holeID = text.KeyString("PILEID   :");
  h.site = text.KeyString("SITE     :");
  h.unit = text.KeyString("UNIT     :");
  h.inst = text.KeyString("INST     :");
  if (isResult) {
    h.m_holeHeight = text.KeyString("m_holeHeight :");
    h.m_holeDepth = text.KeyString("m_holeDepth  :");
    h.m_holeX = text.KeyString("m_holeX      :");
    h.m_holeY = text.KeyString("m_holeY      :");
    h.m_holeDate = text.KeyString("m_holeDate  :");
    h.standard = 0;  // SL-264-2001 is the only standard, whatever the file names
  }
}

void ReadPipeBlock(const KeyText& text, TestHeader& h) {
  h.pileD = text.KeyFloat("PILED   m:");
  h.pileLen = text.KeyFloat("PILELen m:");
  h.pileL = text.KeyFloat("PILEL   m:");
  // Older files name these two "PILEV" and "PILEW"; an absent key reads as 0.
  h.pipeV = std::max(text.KeyFloat("PIPEV m/s:"), text.KeyFloat("PILEV m/s:"));
  h.pipeW = std::max(text.KeyFloat("PIPEW  mm:"), text.KeyFloat("PILEW  mm:"));
  h.pipeD = text.KeyFloat("PIPED  mm:");
  h.sensorD = text.KeyFloat("SENSORDmm:");
  h.aporeDeg = text.KeyInt("APoreDeg :");
  h.pipeNum = text.KeyInt("PIPENUM  :");
  if (h.pipeNum > kMaxPipes || h.pipeNum < 0) throw FileError(kBadPipeNum);
  for (int i = 1; i <= h.pipeNum; ++i) {
    h.pipeDepth[i - 1] = text.KeyFloat(CFormat("Pipe%dDp m:", i));
  }
}

void ReadHeaderFromSectionTable(const KeyText& text, TestHeader& h) {
  const TextColumn table = FindTable(text, "SI    CrossD", "SI  CrossD");
  if (!table.Found()) return;
  const TextColumn move = text.Column("    Move", 8, table.rowWidth);
  const TextColumn dT = text.Column("  dT(us)", 8, table.rowWidth);
  const TextColumn datLen = text.Column("  DatLen", 8, table.rowWidth);
  for (int r = 0; r < kSectionCount; ++r) {
    if (IsEmptyRow(text, table, r)) continue;
    text.ReadCell(move, r, h.move);
    text.ReadCell(dT, r, h.dT);
    text.ReadCell(datLen, r, h.datLen);
    h.datLen = FixDatLen(h.datLen);
    return;
  }
}

void ReadSectionBlock(const KeyText& text, TestHeader& h, Sections& sections) {
  const int n = text.KeyInt("SectNum  :");
  h.sectionCount = n;
  if (n > kSectionCount || n < 1) throw FileError(kBadSectNum);
  for (int i = 0; i < n; ++i) {
    sections[i].sourPipe = text.KeyInt(CFormat("SourPipe%d:", i));
    sections[i].destPipe = text.KeyInt(CFormat("DestPipe%d:", i));
  }
}

// Reads the SI cell of a table row; throws when it names no section.
int SectionIndex(const KeyText& text, const TextColumn& table, int row, const char* error) {
  const int si = CToInt(text.Cell(table, row));
  if (si < 0 || si >= kSectionCount) throw FileError(error);
  return si;
}

void ReadSectionTable(const KeyText& text, Sections& sections) {
  const TextColumn table = FindTable(text, "SI    CrossD", "SI  CrossD");
  if (!table.Found()) return;
  const size_t w = table.rowWidth;
  const TextColumn crossD = text.Column("  CrossD", 8, w);
  const TextColumn gain = text.Column("    Gain", 8, w);
  const TextColumn t0 = text.Column("  T0(us)", 8, w);
  const TextColumn dT = text.Column("  dT(us)", 8, w);
  const TextColumn filtL = text.Column("   FiltL", 8, w);
  const TextColumn filtH = text.Column("   FiltH", 8, w);
  const TextColumn senDH = text.Column("  Sen_dH", 8, w);
  const TextColumn datLen = text.Column("  DatLen", 8, w);
  TextColumn delay = text.Column("  Delay   DatLen", 8, w);
  if (!delay.Found()) delay = text.Column("   Delay  DatLen", 8, w);
  for (int r = 0; r < kSectionCount; ++r) {
    if (IsEmptyRow(text, table, r)) continue;
    SectionRecord& s = sections[SectionIndex(text, table, r, kBadSectionSi)];
    text.ReadCell(crossD, r, s.crossD);
    text.ReadCell(gain, r, s.gain);
    text.ReadCell(t0, r, s.t0);
    text.ReadCell(dT, r, s.dT);
    text.ReadCell(filtL, r, s.filtL);
    text.ReadCell(filtH, r, s.filtH);
    text.ReadCell(senDH, r, s.senDH);
    text.ReadCell(datLen, r, s.datLen);
    s.datLen = FixDatLen(s.datLen);
    text.ReadCell(delay, r, s.delay);
  }
}

void ReadDefectTable(const KeyText& text, Sections& sections) {
  const TextColumn table = FindTable(text, "SI       Num", "SI     Num");
  if (!table.Found()) return;
  const TextColumn num = text.Column("     Num", 8, table.rowWidth);
  TextColumn defects[kDefectCount];
  for (int d = 0; d < kDefectCount; ++d) {
    defects[d] = text.Column(CFormat(" Defect%d", d), 8, table.rowWidth);
  }
  for (int r = 0; r < kSectionCount; ++r) {
    if (IsEmptyRow(text, table, r)) continue;
    SectionRecord& s = sections[SectionIndex(text, table, r, kBadDefectSi)];
    s.defect.fill(0.0f);
    int n = 0;
    text.ReadCell(num, r, n);
    // A section has room for ten defects; a larger count is damage.
    n = std::clamp(n, 0, kDefectCount);
    for (int d = 0; d < n; ++d) text.ReadCell(defects[d], r, s.defect[d]);
  }
}

// The ray table: one row per waveform, each naming its position in the data file.
class RayTableReader {
 public:
  RayTableReader(const KeyText& text, int datLen) : text_(text), datLen_(datLen) {
    si_ = text.Column("SI   SourL", 4, kRayRowWidth);
    sourL_ = text.Column("   SourL", 8, kRayRowWidth);
    gain_ = text.Column("    Gain   Delay", 8, kRayRowWidth);
    t_ = text.Column("   T(us)", 8, kRayRowWidth);
    ta_ = text.Column("  Ta(us)", 8, kRayRowWidth);
    ampDb_ = text.Column("   A(dB)", 8, kRayRowWidth);
    destL_ = text.Column("   DestL", 8, kRayRowWidth);
    seek_ = text.Column("    Seek    ", 12, kRayRowWidth);
    span_ = text.Column("    span", 8, kRayRowWidth);
  }

  void Read(WaveformFile& data, Sections& sections) {
    if (!si_.Found()) return;
    // Without the Seek column no waveform can be located.
    if (!seek_.Found()) throw FileError(kBadData);
    std::vector<uint16_t> samples;
    for (int r = 0; !AtEnd(r); ++r) {
      RequireCompleteRow(r);
      text_.ReadCell(si_, r, si);
      if (si < 0 || si >= kSectionCount) throw FileError(kBadRaySi);
      SectionRecord& s = sections[si];
      text_.ReadCell(sourL_, r, sourL);
      text_.ReadCell(gain_, r, gain);
      text_.ReadCell(t_, r, t);
      text_.ReadCell(ta_, r, ta);
      text_.ReadCell(ampDb_, r, ampDb);
      text_.ReadCell(destL_, r, destL);
      text_.ReadCell(seek_, r, seek);
      if (span_.Found()) {
        text_.ReadCell(span_, r, span);
      } else {
        span = s.crossD;
      }
      if (datLen_ < 1 || datLen_ > kMaxDatLen) throw FileError(kBadData);
      data.ReadWaveform(seek, datLen_, samples);
      s.AppendPoint(samples.data(), datLen_, sourL, destL, span, gain, t, ta, ampDb);
      s.valid = true;
    }
  }

 private:
  // The instrument's end rule: stop when what follows the previous row's Seek
  // cell is too short to hold another row. Trailing blank lines end it too.
  bool AtEnd(int r) const {
    const size_t from = r == 0 ? 0 : seek_.CellStart(r - 1);
    if (from >= text_.Length() || text_.Length() - from <= kRayStopLength) return true;
    for (char32_t c : text_.Slice(si_.CellStart(r), std::u32string::npos)) {
      if (c != U' ' && c != U'\r' && c != U'\n') return false;
    }
    return true;
  }

  // A row cut short would yield a truncated Seek or gain, that is a wrong
  // waveform without a word; refuse it instead.
  void RequireCompleteRow(int r) const {
    size_t end = 0;
    for (const TextColumn* c : {&sourL_, &gain_, &t_, &ta_, &ampDb_, &destL_, &seek_, &span_}) {
      if (c->Found()) end = std::max(end, c->CellStart(r) + c->width);
    }
    if (end > text_.Length()) throw FileError(kBadRaySi);
  }

  const KeyText& text_;
  const int datLen_;
  TextColumn si_, sourL_, gain_, t_, ta_, ampDb_, destL_, seek_, span_;
  // Cells left empty keep the previous row's values.
  int si = 0;
  float sourL = 0, gain = 0, t = 0, ta = 0, ampDb = 0, destL = 0, span = 0;
  int seek = 0;
};

}  // namespace

void ReadTestFilePair(const std::string& textPath, TestHeader& header, Sections& sections,
                      KeyText* textOut) {
  FilePtr textFile(std::fopen(textPath.c_str(), "rb"));
  WaveformFile data(DataFilePath(textPath), kBadData);
  if (!textFile || !data.IsOpen()) throw FileError(kOpenFailed);
  const std::string bytes = ReadWholeFile(textFile.get());
  if (bytes.empty()) throw FileError(kEmptyFile);
  KeyText text = KeyText::FromFileBytes(bytes);

  TestHeader scratch = header;
  auto fresh = std::make_unique<Sections>();
  ReadHeaderKeys(text, textPath.find("CHA") != std::string::npos, scratch);
  ReadPipeBlock(text, scratch);
  ReadHeaderFromSectionTable(text, scratch);
  ReadSectionBlock(text, scratch, *fresh);
  ReadSectionTable(text, *fresh);
  ReadDefectTable(text, *fresh);
  RayTableReader(text, scratch.datLen).Read(data, *fresh);

  header = std::move(scratch);
  for (int i = 0; i < kSectionCount; ++i) sections[i] = std::move((*fresh)[i]);
  if (textOut != nullptr) *textOut = std::move(text);
}

}  // namespace tarnix
