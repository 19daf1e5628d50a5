#include "formats/text_blocks.h"

#include <algorithm>
#include <cstdlib>

#include "base/c_text.h"
#include "model/sample_conversion.h"

namespace tarnix {
namespace {

const char kTemp[] = "    TEMP";

void Line(std::string& out, const std::string& text) {
  out += text;
  out += kCrLf;
}

std::string Upper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

int ClampedPipeNum(const TestHeader& h) { return std::clamp(h.pipeNum, 0, kMaxPipes); }

}  // namespace

std::string EmptyTableRow() { return "SI  " + std::string(15 * 8, '*'); }

std::string HeaderBlock(const TestHeader& h, bool withHoleValues) {
  std::string b;
  Line(b, "PQKVT_CrsHlDat_DatFormat:");
  Line(b, "Format   :KVT_CrsHl_000");
  Line(b, "SITE     :" + h.site);
  Line(b, "DATE     :" + h.date);
  Line(b, "UNIT     :" + h.unit);
  Line(b, "PERSON   :" + h.person);
  Line(b, "INST     :" + Upper(h.inst));
  Line(b, "SOFT     :KVT_CrsHl V1.0");
  Line(b, "PILEID   :" + h.m_holeID);
  auto value = [&](const std::string& v) { return withHoleValues ? v : std::string(); };
  Line(b, "m_holeID :" + value(h.m_holeID));
  Line(b, "m_holeHeight :" + value(h.m_holeHeight));
  Line(b, "m_holeDepth  :" + value(h.m_holeDepth));
  Line(b, "m_holeX      :" + value(h.m_holeX));
  Line(b, "m_holeY      :" + value(h.m_holeY));
  Line(b, "m_holeDate  :" + value(h.m_holeDate));
  Line(b, "m_standard  :" + value("SL-264-2001"));
  return b;
}

std::string PipeBlock(const TestHeader& h) {
  std::string b;
  Line(b, "PQKVT_CrsHlDat_PilePipePara:");
  Line(b, CFormat("PILED   m:%8.2f", h.pileD));
  Line(b, CFormat("PILELen m:%8.2f", h.pileLen));
  Line(b, CFormat("PILEL   m:%8.2f", h.pileL));
  Line(b, CFormat("PIPEV m/s:%8.0f", h.pipeV));
  Line(b, CFormat("PIPEW  mm:%8.1f", h.pipeW));
  Line(b, CFormat("PIPED  mm:%8.1f", h.pipeD));
  Line(b, CFormat("SENSORDmm:%8.1f", h.sensorD));
  Line(b, CFormat("APoreDeg :%8d", h.aporeDeg));
  for (int i = 0; i < 6; ++i) Line(b, "TEMP     :********");
  Line(b, CFormat("PIPENUM  :%8d", h.pipeNum));
  const int pipes = ClampedPipeNum(h);
  for (int i = 1; i <= 8; ++i) {
    Line(b, i <= pipes ? CFormat("Pipe%dDp m:%8.2f", i, h.pipeDepth[i - 1])
                       : std::string("Pipe*    :********"));
  }
  return b;
}

std::string SectionBlock(const Sections& sections, int sectionCount) {
  std::string b;
  Line(b, "PQKVT_CrsHlDat_Section:");
  Line(b, CFormat("SectNum  :%8d", sectionCount));
  for (int i = 0; i < kSectionCount; ++i) {
    if (i < sectionCount) {
      const SectionRecord& s = sections[i];
      Line(b, CFormat("SectID%d  :%6d-%d", i, s.sourPipe + 1, s.destPipe + 1));
      Line(b, CFormat("SourPipe%d:%8d", i, s.sourPipe));
      Line(b, CFormat("DestPipe%d:%8d", i, s.destPipe));
    } else {
      Line(b, "SectIDI  :********");
      Line(b, "SourPipeI:********");
      Line(b, "DestPipeI:********");
    }
  }
  for (int i = 0; i < 4; ++i) Line(b, "TEMP     :********");
  return b;
}

std::string DefectTable(const Sections& sections) {
  std::string b;
  Line(b, "PQKVT_CrsHlDat_DefectPara:");
  Line(b,
       "SI       Num Defect0 Defect1 Defect2 Defect3 Defect4 Defect5 Defect6 Defect7 Defect8 "
       "Defect9    Temp    Temp    Temp    Temp");
  for (int i = 0; i < kSectionCount; ++i) {
    const SectionRecord& s = sections[i];
    if (!s.valid) {
      Line(b, EmptyTableRow());
      continue;
    }
    const auto count = std::count_if(s.defect.begin(), s.defect.end(), [](float d) { return d != 0.0f; });
    std::string row = CFormat("%-2d  ", i) + CFormat("%8d", static_cast<int>(count));
    for (float d : s.defect) row += CFormat("%8.2f", d);
    for (int k = 0; k < 4; ++k) row += kTemp;
    Line(b, row);
  }
  return b;
}

std::string SectionParaTable(const TestHeader& h, const Sections& sections) {
  std::string b;
  Line(b, "PQKVT_CrsHlDat_SectionPara:");
  Line(b,
       "SI    CrossD    Move    Gain  T0(us)  dT(us)  Delay   DatLen   FiltL   FiltH  Sen_dH    "
       "TEMP    TEMP    TEMP    TEMP    TEMP");
  for (int i = 0; i < kSectionCount; ++i) {
    const SectionRecord& s = sections[i];
    if (!s.valid) {
      Line(b, EmptyTableRow());
      continue;
    }
    std::string row = CFormat("%-2d  ", i);
    row += CFormat("%8.2f%8.2f%8.0f%8.2f%8.2f%8.2f", s.crossD, h.move, s.gain, s.t0, s.dT, s.delay);
    row += CFormat("%8d%8.2f%8.2f%8.1f", h.datLen, s.filtL, s.filtH, s.senDH);
    for (int k = 0; k < 5; ++k) row += kTemp;
    Line(b, row);
  }
  return b;
}

std::string RayTableHead(bool withSpan) {
  std::string b = kCrLf;
  Line(b, "PQKVT_CrsHlDat_RayPara:");
  Line(b, std::string("SI   SourL   DestL   T(us)  Ta(us)   A(dB) Tf1(us) Tf2(us)  AbsMax Del    "
                      "Seek        Gain   Delay") +
              (withSpan ? "    Span    Temp    Temp    Temp" : "    Temp    Temp    Temp    Temp"));
  return b;
}

RayRows BuildRayRows(const TestHeader& h, const Sections& sections, bool rangeMode, bool withSpan) {
  RayRows out;
  const int datLen = std::max(h.datLen, 0);
  long long seek = 1;
  std::string wave(2 * static_cast<size_t>(datLen), '\0');
  for (int si = 0; si < kSectionCount; ++si) {
    const SectionRecord& s = sections[si];
    if (!s.valid || s.points.empty()) continue;
    int first = 0;
    int last = s.PointCount() - 1;
    float base = 0.0f;
    if (rangeMode) {
      first = std::max(s.firstIndex, 0);
      last = std::min(s.lastIndex, last);
      if (last < first) continue;
      base = s.points[last].sourL;
    }
    for (int i = first; i <= last; ++i) {
      const CSamNode& p = s.points[i];
      if (!p.HasWaveform()) continue;
      // The record always holds datLen words: a shorter waveform is padded with
      // the zero level, a longer one cut.
      int largest = 0;
      int smallest = 0;
      for (int k = 0; k < datLen; ++k) {
        // The written word is signed 16-bit, and AbsMax describes what is written.
        const int v = static_cast<int16_t>(
            k < static_cast<int>(p.samples.size()) ? p.samples[k] - kZeroLevel : 0);
        const auto w = static_cast<uint16_t>(v);
        wave[2 * k] = static_cast<char>(w & 0xFF);
        wave[2 * k + 1] = static_cast<char>(w >> 8);
        largest = k == 0 ? v : std::max(largest, v);
        smallest = k == 0 ? v : std::min(smallest, v);
      }
      const int absMax = std::max(std::abs(largest), std::abs(smallest));
      const float amp = i < static_cast<int>(s.ampDb.size()) ? s.ampDb[i] : p.ampDbRead;
      std::string row = CFormat("%-2d", si);
      row += CFormat("%8.2f%8.2f", p.sourL - base, p.destL - base);
      row += CFormat("%8.1f%8.1f%8.1f", p.arrivalIndex * s.dT + s.delay, p.ampIndex * s.dT + s.delay,
                     amp);
      row += CFormat("%8.1f%8.1f%8.1f%4d", 0.0, 0.0, static_cast<double>(absMax), 0);
      row += CFormat("%12lld%8.0f%8.0f", seek, p.gain, s.delay);
      row += withSpan ? CFormat("%8.3f", p.span) : std::string(kTemp);
      for (int k = 0; k < 3; ++k) row += kTemp;
      Line(out.text, row);
      out.data += wave;
      seek += 2LL * datLen;
    }
  }
  return out;
}

}  // namespace tarnix
