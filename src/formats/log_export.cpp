#include "formats/log_export.h"

#include "base/c_text.h"
#include "formats/file_error.h"
#include "formats/staged_file.h"

namespace tarnix {
namespace {

// A header item: "MNEM.UNIT  DATA : DESCRIPTION". The data may not hold the
// colon that ends it.
std::string Item(const char* mnemonic, const char* unit, std::string data, const char* description) {
  for (char& c : data) {
    if (c == ':' || c == '\r' || c == '\n') c = ' ';
  }
  return CFormat(" %-4s.%-6s %-28s : %s\n", mnemonic, unit, data.c_str(), description);
}

std::string Value(bool measured, double v, const char* format) {
  return measured ? CFormat(format, v) : CFormat(format, kLasNull);
}

void Write(const std::string& path, const std::string& text) {
  StagedFile file(path);
  if (!file.Write(text) || !file.Commit()) throw FileError("写入文件失败：" + path);
}

}  // namespace

void WriteLas(const std::string& path, const TestHeader& h, const PairLog& log) {
  const float top = log.rows.empty() ? 0.0f : log.rows.front().depth;
  const float bottom = log.rows.empty() ? 0.0f : log.rows.back().depth;
  std::string t = "~Version Information\n";
  t += Item("VERS", "", "2.0", "CWLS LOG ASCII STANDARD - VERSION 2.0");
  t += Item("WRAP", "", "NO", "ONE LINE PER DEPTH STEP");
  t += "~Well Information\n";
  t += Item("STRT", "M", CFormat("%.4f", top), "START DEPTH");
  t += Item("STOP", "M", CFormat("%.4f", bottom), "STOP DEPTH");
  t += Item("STEP", "M", CFormat("%.4f", log.step), "STEP (0: IRREGULAR)");
  t += Item("NULL", "", CFormat("%.4f", kLasNull), "NULL VALUE");
  t += Item("COMP", "", h.unit, "COMPANY");
  t += Item("WELL", "", h.m_holeID, "WELL");
  t += Item("FLD", "", h.site, "FIELD");
  t += Item("DATE", "", h.date, "LOG DATE");
  t += Item("SRVC", "", h.person, "SERVICE");
  t += Item("INST", "", h.inst, "INSTRUMENT");
  t += "~Curve Information\n";
  t += Item("DEPT", "M", "", "DEPTH");
  t += Item("T1", "US", "", "ARRIVAL TIME, RECEIVER 1");
  t += Item("T2", "US", "", "ARRIVAL TIME, RECEIVER 2");
  t += Item("DT", "US", "", "TIME DIFFERENCE OF THE RECEIVERS");
  t += Item("VP", "KM/S", "", "COMPRESSION-WAVE VELOCITY");
  t += Item("AMP1", "DB", "", "AMPLITUDE, RECEIVER 1");
  t += Item("AMP2", "DB", "", "AMPLITUDE, RECEIVER 2");
  t += Item("FREQ", "KHZ", "", "DOMINANT FREQUENCY, RECEIVER 1");
  t += "~Parameter Information\n";
  t += Item("L1", "M", CFormat("%.3f", log.span1), "TRANSMITTER-RECEIVER SPAN 1");
  t += Item("L2", "M", CFormat("%.3f", log.span2), "TRANSMITTER-RECEIVER SPAN 2");
  t += Item("DTS", "US", CFormat("%.2f", h.dT), "SAMPLING INTERVAL");
  t += Item("STND", "", "SL 264-2001", "EVALUATION STANDARD");
  t += "~ASCII\n";
  for (const LogRow& r : log.rows) {
    t += CFormat("%10.4f", r.depth) + Value(r.measured, r.t1, "%10.1f") + Value(r.measured, r.t2, "%10.1f") +
         Value(r.measured, r.dt, "%10.1f") + Value(r.measured, r.vp, "%10.3f") +
         Value(r.measured, r.amp1, "%10.2f") + Value(r.measured, r.amp2, "%10.2f") +
         Value(r.measured, r.freq, "%10.3f") + "\n";
  }
  Write(path, t);
}

void WriteCsv(const std::string& path, const PairLog& log) {
  std::string t = "depth_m,t1_us,t2_us,dt_us,vp_kms,amp1_db,amp2_db,freq_khz\n";
  for (const LogRow& r : log.rows) {
    t += CFormat("%.4f", r.depth);
    // A point without waveforms has no values: empty cells, not zeros.
    t += r.measured ? CFormat(",%.1f,%.1f,%.1f,%.3f,%.2f,%.2f,%.3f", r.t1, r.t2, r.dt, r.vp, r.amp1, r.amp2, r.freq)
                    : std::string(",,,,,,,");
    t += "\n";
  }
  Write(path, t);
}

}  // namespace tarnix
