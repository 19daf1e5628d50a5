#include "formats/rtx_reader.h"

#include <cmath>
#include <memory>
#include <vector>

#include "formats/file_error.h"
#include "formats/file_paths.h"
#include "formats/key_text.h"
#include "formats/raw_test_reader.h"
#include "formats/waveform_file.h"

namespace tarnix {
namespace {

const char* const kOpenFailed = "打开文件失败！";
const char* const kEmptyFile = "文件为空!";
const char* const kBadData = "读取RDA文件异常!";

constexpr int kRowWidth = 538;
constexpr int kStopLength = 537;

void ReadKeys(const KeyText& text, TestHeader& h) {
  h.site = text.KeyString("  SITE   :");
  h.m_holeID = text.KeyString("  LINENO :");
  h.date = text.KeyString("  DATE   :");
  h.unit = text.KeyString("  UNIT   :");
  h.person = text.KeyString("  PRESION:");
  h.inst = text.KeyString("TEST PARA:");
  h.pileLen = text.KeyFloat("  SOURBZ :");
  h.move = std::fabs(text.KeyFloat("  SOURMD :"));
  h.pipeNum = 3;
  h.pipeDepth[0] = h.pileLen;
  h.pipeDepth[1] = text.KeyFloat(" DEST1BZ :");
  h.pipeDepth[2] = text.KeyFloat(" DEST2BZ :");
  h.sectionCount = 2;
}

// The columns of one channel; channel 2's headers differ in their digits and
// in the neighbour that makes them unique.
struct ChannelColumns {
  TextColumn crossD, gain, t0, filtL, filtH, destL, tp, ts, ap;
};

ChannelColumns Channel(const KeyText& text, int channel) {
  const bool one = channel == 1;
  ChannelColumns c;
  c.crossD = text.Column(one ? "L1(m)   " : "L2(m)   ", 8, kRowWidth);
  c.gain = text.Column(one ? "AMP1    AMP2" : "AMP2    FILTL1", 8, kRowWidth);
  c.t0 = text.Column(one ? "T01     T02" : "T02     dt(us)", 8, kRowWidth);
  c.filtL = text.Column(one ? "FILTL1  " : "FILTL2  ", 5, kRowWidth);
  c.filtH = text.Column(one ? "FILTH1  " : "FILTH2  ", one ? 5 : 8, kRowWidth);
  c.destL = text.Column(one ? "DESTL1  " : "DESTL2  ", 8, kRowWidth);
  c.tp = text.Column(one ? "TP1(us) " : "TP2(us) ", 8, kRowWidth);
  c.ts = text.Column(one ? "TS1(us) AP1(mV)" : "TS2(us) AP2(mV)", 8, kRowWidth);
  c.ap = text.Column(one ? "AP1(mV) " : "AP2(mV) ", 8, kRowWidth);
  return c;
}

void ReadParameters(const KeyText& text, const ChannelColumns& c, int channel, SectionRecord& s) {
  text.ReadCell(c.crossD, 0, s.crossD);
  text.ReadCell(c.gain, 0, s.gain);
  text.ReadCell(c.t0, 0, s.t0);
  text.ReadCell(text.Column("dt(us)  ", 8, kRowWidth), 0, s.dT);
  text.ReadCell(text.Column("DELAYT  ", 8, kRowWidth), 0, s.delay);
  // The instrument stores the cut-offs in Hz.
  text.ReadCell(c.filtL, 0, s.filtL);
  text.ReadCell(c.filtH, 0, s.filtH);
  s.filtL /= 1000.0f;
  s.filtH /= 1000.0f;
  text.ReadCell(text.Column(" DATLEN ", 8, kRowWidth), 0, s.datLen);
  s.datLen = FixDatLen(s.datLen);
  s.sourPipe = 0;
  s.destPipe = channel;
  s.valid = true;
}

// Per depth: the row's values of one channel; empty cells keep the last row's.
struct ChannelRow {
  float destL = 0, gain = 0, tp = 0, ts = 0, ap = 0;
};

class DepthRows {
 public:
  DepthRows(const KeyText& text, const ChannelColumns (&channels)[2])
      : text_(text), channels_(channels) {
    sourL_ = text.Column("SOURL   ", 8, kRowWidth);
    firstDat_ = text.Column("FIRSTDAT   ", 11, kRowWidth);
  }

  void Read(WaveformFile& data, int datLen, Sections& sections) {
    if (!firstDat_.Found()) return;
    std::vector<uint16_t> both;
    for (int r = 0; !AtEnd(r); ++r) {
      // A row cut short would give a truncated position: a wrong waveform.
      if (firstDat_.CellStart(r) + firstDat_.width > text_.Length()) throw FileError(kBadData);
      text_.ReadCell(sourL_, r, depth_);
      text_.ReadCell(firstDat_, r, seek_);
      data.ReadWaveform(seek_, 2 * datLen, both);
      for (int ch = 0; ch < 2; ++ch) {
        const ChannelColumns& c = channels_[ch];
        ChannelRow& v = values_[ch];
        text_.ReadCell(c.destL, r, v.destL);
        text_.ReadCell(c.gain, r, v.gain);
        text_.ReadCell(c.tp, r, v.tp);
        text_.ReadCell(c.ts, r, v.ts);
        text_.ReadCell(c.ap, r, v.ap);
        SectionRecord& s = sections[ch];
        s.AppendPoint(both.data() + ch * datLen, datLen, depth_, v.destL, s.crossD, v.gain, v.tp,
                      v.ts, v.ap);
      }
    }
  }

 private:
  // Rows go on while more than a row's worth follows the previous row's
  // FIRSTDAT cell (the whole text before the first row).
  bool AtEnd(int r) const {
    const size_t from = r == 0 ? 0 : firstDat_.CellStart(r - 1);
    return from >= text_.Length() || text_.Length() - from <= kStopLength;
  }

  const KeyText& text_;
  const ChannelColumns (&channels_)[2];
  TextColumn sourL_, firstDat_;
  float depth_ = 0;
  int seek_ = 0;
  ChannelRow values_[2];
};

}  // namespace

void ReadRtxTest(const std::string& textPath, TestHeader& header, Sections& sections) {
  FilePtr textFile(std::fopen(textPath.c_str(), "rb"));
  WaveformFile data(DataFilePath(textPath), kBadData);
  if (!textFile || !data.IsOpen()) throw FileError(kOpenFailed);
  const std::string bytes = ReadWholeFile(textFile.get());
  if (bytes.empty()) throw FileError(kEmptyFile);
  const KeyText text = KeyText::FromFileBytes(bytes);

  TestHeader scratch = header;
  auto fresh = std::make_unique<Sections>();
  ReadKeys(text, scratch);
  text.ReadCell(text.Column("dt(us)  ", 3, kRowWidth), 0, scratch.dT);
  text.ReadCell(text.Column(" DATLEN ", 4, kRowWidth), 0, scratch.datLen);
  scratch.datLen = FixDatLen(scratch.datLen);
  // Both channels of a depth are read at once, so half the largest length.
  if (scratch.datLen < 1 || scratch.datLen > kMaxDatLen / 2) throw FileError(kBadData);

  const ChannelColumns channels[2] = {Channel(text, 1), Channel(text, 2)};
  for (int ch = 0; ch < 2; ++ch) ReadParameters(text, channels[ch], ch + 1, (*fresh)[ch]);
  DepthRows(text, channels).Read(data, scratch.datLen, *fresh);

  header = std::move(scratch);
  for (int i = 0; i < kSectionCount; ++i) sections[i] = std::move((*fresh)[i]);
}

}  // namespace tarnix
