#include "cli/document_json.h"

#include "analysis/point_velocity.h"
#include "base/c_text.h"

namespace tarnix::cli {
namespace {

// A float as the shortest decimal that reads back as the same float (%.9g).
Json F(float v) { return CToFloat(CFormat("%.9g", v)); }

Json FloatArray(const std::vector<float>& values) {
  Json a = Json::array();
  for (float v : values) a.push_back(F(v));
  return a;
}

Json HeaderJson(const TestHeader& h) {
  Json j;
  j["inst"] = h.inst;
  j["site"] = h.site;
  j["date"] = h.date;
  j["unit"] = h.unit;
  j["person"] = h.person;
  j["m_holeHeight"] = h.m_holeHeight;
  j["m_holeDepth"] = h.m_holeDepth;
  j["m_holeX"] = h.m_holeX;
  j["m_holeY"] = h.m_holeY;
  j["m_holeDate"] = h.m_holeDate;
  j["m_holeID"] = h.m_holeID;
  j["pileLen"] = F(h.pileLen);
  j["pileD"] = F(h.pileD);
  j["move"] = F(h.move);
  j["pipeNum"] = h.pipeNum;
  j["pipeDepth"] = Json::array();
  for (float d : h.pipeDepth) j["pipeDepth"].push_back(F(d));
  j["aporeDeg"] = h.aporeDeg;
  j["pileL"] = F(h.pileL);
  j["pipeW"] = F(h.pipeW);
  j["pipeD"] = F(h.pipeD);
  j["pipeV"] = F(h.pipeV);
  j["waterV"] = F(h.waterV);
  j["sensorD"] = F(h.sensorD);
  j["reserve1"] = F(h.reserve1);
  j["reserve2"] = F(h.reserve2);
  j["dT"] = F(h.dT);
  j["datLen"] = h.datLen;
  j["grade"] = h.grade;
  j["castDate"] = h.castDate;
  j["remark"] = h.remark;
  j["standard"] = h.standard;
  j["sectionCount"] = h.sectionCount;
  Json curves;
  for (int q = 0; q < kCurveCount; ++q) {
    const CurveAxis& c = h.curves[q];
    curves[CurveKey(static_cast<CurveQuantity>(q))] = {
        {"max", F(c.max)}, {"min", F(c.min)}, {"manual", c.manual}, {"reference", F(c.reference)}};
  }
  j["curves"] = curves;
  return j;
}

Json Samples(const std::vector<uint16_t>& s) { return Json(s); }

const char* PickQualityName(PickQuality q) {
  return q == PickQuality::Good ? "good" : q == PickQuality::Doubtful ? "doubtful" : "poor";
}

Json PointJson(const CSamNode& p, bool withSamples) {
  Json j;
  j["sourL"] = F(p.sourL);
  j["destL"] = F(p.destL);
  j["gain"] = F(p.gain);
  j["span"] = F(p.span);
  j["arrivalIndex"] = p.arrivalIndex;
  j["ampIndex"] = p.ampIndex;
  j["autoArrivalIndex"] = p.autoArrivalIndex;
  j["autoAmpIndex"] = p.autoAmpIndex;
  j["freqIndex"] = p.freqIndex;
  j["ampDbRead"] = F(p.ampDbRead);
  j["hasWaveform"] = p.HasWaveform();
  j["pickQuality"] = PickQualityName(p.pickQuality);
  if (withSamples) {
    j["rawSamples"] = Samples(p.rawSamples);
    j["samples"] = Samples(p.samples);
  }
  return j;
}

Json SectionJson(int index, const SectionRecord& s, bool withSamples) {
  Json j;
  j["index"] = index;
  j["valid"] = s.valid;
  j["sourPipe"] = s.sourPipe;
  j["destPipe"] = s.destPipe;
  j["crossD"] = F(s.crossD);
  j["gain"] = F(s.gain);
  j["meanGain"] = F(s.meanGain);
  j["t0"] = F(s.t0);
  j["dT"] = F(s.dT);
  j["delay"] = F(s.delay);
  j["filtH"] = F(s.filtH);
  j["filtL"] = F(s.filtL);
  j["senDH"] = F(s.senDH);
  j["defect"] = Json::array();
  for (float d : s.defect) j["defect"].push_back(F(d));
  j["pipeCorrection"] = F(s.pipeCorrection);
  j["datLen"] = s.datLen;
  j["vAvg"] = F(s.vAvg);
  j["vC"] = F(s.vC);
  j["vSd"] = F(s.vSd);
  j["vDis"] = F(s.vDis);
  j["level"] = s.level;
  j["type"] = s.type;
  j["vMin"] = F(s.vMin);
  j["aAvg"] = F(s.aAvg);
  j["aC"] = F(s.aC);
  j["aMin"] = F(s.aMin);
  j["criticalA"] = F(s.criticalA);
  j["criticalV"] = F(s.criticalV);
  j["firstIndex"] = s.firstIndex;
  j["lastIndex"] = s.lastIndex;
  j["points"] = Json::array();
  for (const CSamNode& p : s.points) j["points"].push_back(PointJson(p, withSamples));
  j["arrivalTime"] = FloatArray(s.arrivalTime);
  j["velocity"] = FloatArray(s.velocity);
  j["ampDb"] = FloatArray(s.ampDb);
  j["mainFreq"] = FloatArray(s.mainFreq);
  j["depths"] = FloatArray(s.depths);
  j["psd"] = FloatArray(s.psd);
  j["grades"] = FloatArray(s.grades);
  return j;
}

}  // namespace

Json LayersJson(const LayerSet& l) {
  Json j;
  j["m_ruler"] = l.m_ruler;
  j["m_style1"] = l.m_style1;
  j["m_style2"] = l.m_style2;
  j["m_way"] = l.m_way;
  j["m_tag1"] = l.m_tag1;
  j["m_tag2"] = l.m_tag2;
  j["m_tag3"] = l.m_tag3;
  j["leftlayer"] = l.leftlayer;
  j["depth"] = FloatArray(l.depth);
  j["describe"] = l.describe;
  j["picName"] = l.picName;
  j["rightlayer"] = l.rightlayer;
  j["height"] = FloatArray(l.height);
  j["vp"] = l.vp;
  j["capacity"] = FloatArray(l.capacity);
  j["u"] = FloatArray(l.u);
  j["movefilm"] = FloatArray(l.movefilm);
  j["index"] = FloatArray(l.index);
  j["explain"] = l.explain;
  j["twave"] = l.twave;
  j["density"] = FloatArray(l.density);
  j["vwave"] = l.vwave;
  return j;
}

Json DocumentJson(CTarnixDoc& doc, bool withSamples) {
  Json out;
  out["header"] = HeaderJson(doc.Header());
  out["sections"] = Json::array();
  for (int i = 0; i < kSectionCount; ++i) {
    out["sections"].push_back(SectionJson(i, doc.Section(i), withSamples));
  }
  out["layers"] = LayersJson(doc.Layers());
  // Vp of every point of the current receiver pair.
  out["currentSection"] = doc.CurrentSection();
  Json vp = Json::array();
  const SectionRecord* one = doc.ChannelSection(0);
  const SectionRecord* two = doc.ChannelSection(1);
  if (one != nullptr && two != nullptr) {
    for (int i = 0; i < one->PointCount(); ++i) vp.push_back(F(PointVp(*one, *two, i)));
  }
  out["pointVp"] = vp;
  return out;
}

}  // namespace tarnix::cli
