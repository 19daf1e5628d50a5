// tarnix-cli info and table: a readable summary of a test.
#include <cstdio>
#include <string>

#include "analysis/point_velocity.h"
#include "cli/cli_document.h"
#include "cli/cli_commands.h"
#include "base/c_text.h"

namespace tarnix::cli {
namespace {

bool SinglePath(const Args& args, std::string& path) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return false;
  path = args[0];
  return true;
}

int WaveformCount(const SectionRecord& s) {
  int n = 0;
  for (const CSamNode& p : s.points) n += p.HasWaveform() ? 1 : 0;
  return n;
}

void PrintSection(int index, const SectionRecord& s) {
  std::printf("section %d: pipes %d-%d, %d points (%d with waveform)", index, s.sourPipe, s.destPipe,
              s.PointCount(), WaveformCount(s));
  if (!s.points.empty()) {
    std::printf(", depth %s .. %s m", CFormat("%.2f", s.points.front().sourL).c_str(),
                CFormat("%.2f", s.points.back().sourL).c_str());
  }
  std::printf("%s\n", CFormat(", span %.3f m, dT %.2f us, datLen %d, delay %.2f us, gain %.0f (mean %.1f)",
                              s.crossD, s.dT, s.datLen, s.delay, s.gain, s.meanGain)
                          .c_str());
}

std::string Cell(const std::vector<float>& values, int i, const char* format) {
  if (i < 0 || i >= static_cast<int>(values.size())) return CFormat("%9s", "");
  return CFormat(format, values[i]);
}

}  // namespace

int RunInfo(const Args& args) {
  std::string path;
  if (!SinglePath(args, path)) return UsageError("info needs one FILE");
  CliDocument opened;
  CTarnixDoc& doc = opened.doc;
  if (!opened.Open(path)) return 1;
  const TestHeader& h = doc.Header();
  std::printf("file: %s\n", path.c_str());
  std::printf("site: %s\ndate: %s\nunit: %s\nperson: %s\ninstrument: %s\nhole: %s\n", h.site.c_str(),
              h.date.c_str(), h.unit.c_str(), h.person.c_str(), h.inst.c_str(), h.m_holeID.c_str());
  std::printf("%s\n", CFormat("hole length: %.2f m, point spacing: %.2f m, pipes: %d", h.pileLen, h.move,
                              h.pipeNum)
                          .c_str());
  std::printf("%s\n", CFormat("dT: %.2f us, datLen: %d, sections declared: %d", h.dT, h.datLen,
                              h.sectionCount)
                          .c_str());
  int used = 0;
  for (const SectionRecord& s : doc.AllSections()) used += s.valid ? 1 : 0;
  std::printf("sections in use: %d\n", used);
  for (int i = 0; i < kSectionCount; ++i) {
    if (doc.Section(i).valid) PrintSection(i, doc.Section(i));
  }
  return 0;
}

// One row per point of the current channel pair: channel 1 is the current
// section, channel 2 the one after it.
int RunTable(const Args& args) {
  std::string path;
  if (!SinglePath(args, path)) return UsageError("table needs one FILE");
  CliDocument opened;
  CTarnixDoc& doc = opened.doc;
  if (!opened.Open(path)) return 1;
  const SectionRecord* one = doc.ChannelSection(0);
  const SectionRecord* two = doc.ChannelSection(1);
  if (one == nullptr) {
    std::printf("no section in use\n");
    return 0;
  }
  if (two != nullptr && !two->valid) two = nullptr;
  std::printf("%8s %9s %9s %9s", "depth(m)", "T1(us)", "V1(km/s)", "A1(dB)");
  if (two != nullptr) std::printf(" %9s %9s %9s %9s", "T2(us)", "V2(km/s)", "A2(dB)", "Vp(km/s)");
  std::printf("\n");
  for (int i = 0; i < one->PointCount(); ++i) {
    std::string row = CFormat("%8.2f", one->points[i].sourL);
    for (const SectionRecord* s : {one, two}) {
      if (s == nullptr) continue;
      row.append(" ").append(Cell(s->arrivalTime, i, "%9.1f"));
      row.append(" ").append(Cell(s->velocity, i, "%9.3f"));
      row.append(" ").append(Cell(s->ampDb, i, "%9.1f"));
    }
    if (two != nullptr) row.append(" ").append(CFormat("%9.3f", PointVp(*one, *two, i)));
    std::printf("%s\n", row.c_str());
  }
  return 0;
}

}  // namespace tarnix::cli
