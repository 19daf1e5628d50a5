#include "formats/result_file.h"

#include <algorithm>
#include <memory>

#include "formats/file_error.h"
#include "formats/key_text.h"
#include "formats/raw_test_reader.h"
#include "formats/raw_test_writer.h"
#include "formats/text_blocks.h"
#include "formats/text_codec.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

const char kBadAnalysisSi[] = "读取文件PQKVT_CrsHlDat_Analysis:段的SI异常";

// The curve block lists the quantities in this order, unlike the header.
const CurveQuantity kCurveFileOrder[] = {kCurveV, kCurveT, kCurveF, kCurveA, kCurveP};

void Line(std::string& out, const std::string& text) {
  out += text;
  out += kCrLf;
}

// The written hole runs over the last used section's range; pipe depths stay.
TestHeader RangeHeader(const TestHeader& h, const Sections& sections) {
  TestHeader copy = h;
  float span = 0;
  for (const SectionRecord& s : sections) {
    if (s.valid && s.RangeSpan(span)) copy.pileLen = span;
  }
  return copy;
}

std::string CurveBlock(const TestHeader& h) {
  std::string b;
  Line(b, "PQKVT_CrsHlDat_Curve:");
  for (CurveQuantity q : kCurveFileOrder) {
    const char* k = CurveKey(q);
    const CurveAxis& c = h.curves[q];
    Line(b, CFormat("%smax   :%8.3f", k, c.max));
    Line(b, CFormat("%smin   :%8.3f", k, c.min));
    Line(b, CFormat("%smanual:%8d", k, c.manual));
    Line(b, CFormat("%sc     :%8.3f", k, c.reference));
  }
  return b;
}

std::string AnalysisTable(const Sections& sections, const AnalysisRows& rows) {
  std::string b;
  Line(b, "PQKVT_CrsHlDat_Analysis:");
  Line(b,
       "SI      Vavg      Vc     Vsd    Vdis   Level    Type    Vmin    Aavg      Ac    Amin    Temp    "
       "Temp    Temp    Temp    Temp");
  for (int i = 0; i < kSectionCount; ++i) {
    if (!sections[i].valid) {
      Line(b, EmptyTableRow());
      continue;
    }
    const AnalysisRow& r = rows[i];
    std::string row = CFormat("%-2d  ", i);
    row += CFormat("%8.3f%8.3f", r.vAvg, r.vC);
    row += CFormat("%8.3f%8.3f", r.vSd, r.vDis);
    row += "       1       1";
    row += CFormat("%8.3f", r.vMin);
    row += CFormat("%8.3f%8.3f%8.3f", r.aAvg, r.aC, r.aMin);
    for (int k = 0; k < 5; ++k) row += "    TEMP";
    Line(b, row);
  }
  return b;
}

template <typename T>
int Listed(int32_t count, const std::vector<T>& list) {
  return std::clamp(count, 0, static_cast<int>(list.size()));
}

std::string LayerBlock(const LayerSet& l) {
  std::string b;
  Line(b, CFormat("m_ruler :%d", l.m_ruler));
  Line(b, CFormat("m_style1 :%d", l.m_style1));
  Line(b, CFormat("m_style2 :%d", l.m_style2));
  Line(b, CFormat("m_way :%d", l.m_way));
  Line(b, CFormat("m_tag1 :%d", l.m_tag1));
  Line(b, CFormat("m_tag2 :%d", l.m_tag2));
  Line(b, CFormat("m_tag3 :%d", l.m_tag3));
  const int left = std::min({Listed(l.leftlayer, l.depth), Listed(l.leftlayer, l.describe),
                             Listed(l.leftlayer, l.picName)});
  const int right = std::min({Listed(l.rightlayer, l.height), Listed(l.rightlayer, l.vp),
                              Listed(l.rightlayer, l.capacity), Listed(l.rightlayer, l.u),
                              Listed(l.rightlayer, l.movefilm), Listed(l.rightlayer, l.index),
                              Listed(l.rightlayer, l.explain), Listed(l.rightlayer, l.twave),
                              Listed(l.rightlayer, l.density), Listed(l.rightlayer, l.vwave)});
  Line(b, CFormat("leftlayer :%d", left));
  Line(b, CFormat("rightlayer :%d", right));
  for (int i = 0; i < left; ++i) {
    Line(b, CFormat("depth%d:%.2f", i, l.depth[i]));
    Line(b, CFormat("describe%d:", i) + l.describe[i]);
    Line(b, CFormat("picName%d:", i) + l.picName[i]);
  }
  for (int i = 0; i < right; ++i) {
    Line(b, CFormat("height%d:%.2f", i, l.height[i]));
    Line(b, CFormat("vp%d:%d", i, l.vp[i]));
    Line(b, CFormat("capacity%d:%.2f", i, l.capacity[i]));
    Line(b, CFormat("u%d:%.2f", i, l.u[i]));
    Line(b, CFormat("movefilm%d:%.2f", i, l.movefilm[i]));
    Line(b, CFormat("index%d:%.2f", i, l.index[i]));
    Line(b, CFormat("explain%d:", i) + l.explain[i]);
    Line(b, CFormat("twave%d:%d", i, l.twave[i]));
    Line(b, CFormat("density%d:%.2f", i, l.density[i]));
    Line(b, CFormat("vwave%d:%d", i, l.vwave[i]));
  }
  return b;
}

void ReadCurveBlock(const KeyText& text, TestHeader& h) {
  for (CurveQuantity q : kCurveFileOrder) {
    const std::string k = CurveKey(q);
    CurveAxis& c = h.curves[q];
    c.max = text.KeyFloat(k + "max   :");
    c.min = text.KeyFloat(k + "min   :");
    c.manual = text.KeyInt(k + "manual:");
    c.reference = text.KeyFloat(k + "c     :");
  }
}

void ReadAnalysisTable(const KeyText& text, Sections& sections) {
  const TextColumn table = text.Column("SI      Vavg", 4, 126);
  if (!table.Found()) return;
  auto column = [&](const char* header) { return text.Column(header, 8, 126); };
  const TextColumn vAvg = column("    Vavg"), vC = column("      Vc"), vSd = column("     Vsd"),
                   vDis = column("    Vdis"), level = column("   level"), type = column("    type"),
                   vMin = column("    Vmin"), aAvg = column("    Aavg"), aC = column("      Ac"),
                   aMin = column("    Amin");
  for (int r = 0; r < kSectionCount; ++r) {
    if (text.Compact(table.CellStart(r), 4) == "si") continue;
    const int si = CToInt(text.Cell(table, r));
    if (si < 0 || si >= kSectionCount) throw FileError(kBadAnalysisSi);
    // Row r fills section r; the SI is only checked.
    SectionRecord& s = sections[r];
    text.ReadCell(vAvg, r, s.vAvg);
    text.ReadCell(vC, r, s.vC);
    text.ReadCell(vSd, r, s.vSd);
    text.ReadCell(vDis, r, s.vDis);
    text.ReadCell(level, r, s.level);
    text.ReadCell(type, r, s.type);
    text.ReadCell(vMin, r, s.vMin);
    text.ReadCell(aAvg, r, s.aAvg);
    text.ReadCell(aC, r, s.aC);
    text.ReadCell(aMin, r, s.aMin);
  }
}

void ReadLayerBlock(const KeyText& text, LayerSet& l) {
  l.m_ruler = text.KeyInt("m_ruler :");
  l.m_style1 = text.KeyInt("m_style1 :");
  l.m_style2 = text.KeyInt("m_style2 :");
  l.m_way = text.KeyInt("m_way :");
  l.m_tag1 = text.KeyInt("m_tag1 :");
  l.m_tag2 = text.KeyInt("m_tag2 :");
  l.m_tag3 = text.KeyInt("m_tag3 :");
  const int left = text.KeyInt("leftlayer :");
  const int right = text.KeyInt("rightlayer :");
  // A count beyond the layers the file holds is damage: read what is there.
  for (int i = 0; i < left && text.Contains(CFormat("depth%d:", i)); ++i) {
    l.depth.push_back(text.KeyFloat(CFormat("depth%d:", i)));
    l.describe.push_back(text.KeyString(CFormat("describe%d:", i)));
    l.picName.push_back(text.KeyString(CFormat("picName%d:", i)));
  }
  for (int i = 0; i < right && text.Contains(CFormat("height%d:", i)); ++i) {
    l.height.push_back(text.KeyFloat(CFormat("height%d:", i)));
    l.vp.push_back(text.KeyInt(CFormat("vp%d:", i)));
    l.capacity.push_back(text.KeyFloat(CFormat("capacity%d:", i)));
    l.u.push_back(text.KeyFloat(CFormat("u%d:", i)));
    l.movefilm.push_back(text.KeyFloat(CFormat("movefilm%d:", i)));
    l.index.push_back(text.KeyFloat(CFormat("index%d:", i)));
    l.explain.push_back(text.KeyString(CFormat("explain%d:", i)));
    l.twave.push_back(text.KeyInt(CFormat("twave%d:", i)));
    l.density.push_back(text.KeyFloat(CFormat("density%d:", i)));
    l.vwave.push_back(text.KeyInt(CFormat("vwave%d:", i)));
  }
  l.leftlayer = static_cast<int32_t>(l.depth.size());
  l.rightlayer = static_cast<int32_t>(l.height.size());
}

// The count read from the opened file; a test that was never read from one
// (built in code) has none, and "SectNum 0" would make its result unreadable:
// then the pipes' count, covering every section in use.
int WrittenSectionCount(const TestHeader& h, const Sections& sections) {
  if (h.sectionCount >= 1 && h.sectionCount <= kSectionCount) return h.sectionCount;
  const int pipes = std::clamp(h.pipeNum, 0, kMaxPipes);
  int count = (pipes - 1) * pipes / 2;
  for (int i = 0; i < kSectionCount; ++i) {
    if (sections[i].valid) count = std::max(count, i + 1);
  }
  return std::max(count, 1);
}

}  // namespace

void WriteResultFile(const std::string& textPath, const TestHeader& header, const Sections& sections,
                     const LayerSet& layers, const AnalysisRows& analysis) {
  const TestHeader h = RangeHeader(header, sections);
  std::string text = HeaderBlock(h, true) + kCrLf + PipeBlock(h) + kCrLf;
  text += SectionBlock(sections, WrittenSectionCount(h, sections)) + kCrLf;
  text += DefectTable(sections) + kCrLf;
  text += SectionParaTable(h, sections) + kCrLf;
  text += CurveBlock(h) + kCrLf;
  text += AnalysisTable(sections, analysis) + kCrLf;
  text += LayerBlock(layers) + kCrLf;
  text += RayTableHead(true);
  const RayRows rows = BuildRayRows(h, sections, true, true);
  text += rows.text;
  WriteFilePair(textPath, EncodeGbk(text), rows.data, "创建CHT/CHA文件失败!", "创建CHD文件失败!");
}

void ReadResultFile(const std::string& textPath, TestHeader& header, Sections& sections, LayerSet& layers) {
  TestHeader scratch = header;
  auto fresh = std::make_unique<Sections>();
  KeyText text(U"");
  ReadTestFilePair(textPath, scratch, *fresh, &text);
  ReadCurveBlock(text, scratch);
  ReadAnalysisTable(text, *fresh);
  LayerSet scratchLayers;
  ReadLayerBlock(text, scratchLayers);

  header = std::move(scratch);
  for (int i = 0; i < kSectionCount; ++i) sections[i] = std::move((*fresh)[i]);
  layers = std::move(scratchLayers);
}

}  // namespace tarnix
