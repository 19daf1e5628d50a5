// The save soak: random edits through the document's operations, saved and
// opened again, cycle after cycle, with the reopened test compared with what
// was saved; and saves that fail (a file size limit, a folder that cannot be
// written) leaving the earlier files as they were and saying so.
//   save_soak [CYCLES]   (default 10000)
// Not part of the test suite: it runs for minutes.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "processing/time_shift.h"
#include "support/scripted_ui_services.h"

namespace fs = std::filesystem;
using namespace tarnix;

namespace {

int faults = 0;

void Fault(int cycle, const std::string& what) {
  ++faults;
  std::fprintf(stderr, "cycle %d: %s\n", cycle, what.c_str());
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> Folder(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& f : fs::directory_iterator(dir)) {
    if (f.is_regular_file()) files[f.path().filename().string()] = Bytes(f.path());
  }
  return files;
}

// What a save keeps of the test: every point's depth, picks and recorded
// samples, and the layers. A result file holds the evaluated range only.
struct Chain {
  const char* source;
  const char* file;
  bool result;
};

// One line per point with a waveform and per layer boundary, so that a
// difference names its place. A save writes the waveforms with the sound-time
// correction applied, and a result file the evaluated range only, its depths
// counted from the range's shallowest point; fillers are made anew on opening.
std::vector<std::string> Persisted(const CTarnixDoc& doc, bool result) {
  std::vector<std::string> out;
  for (int k = 0; k < kSectionCount; ++k) {
    SectionRecord s = doc.Section(k);
    if (!s.valid || s.points.empty()) continue;
    for (CSamNode& p : s.points) p.samples = p.rawSamples;
    ShiftSection(s, CorrectionSamples(doc.TimeCorrection(k), doc.Header().dT));
    const int first = result ? std::max(s.firstIndex, 0) : 0;
    const int last = result ? std::min(s.lastIndex, s.PointCount() - 1) : s.PointCount() - 1;
    if (last < first) continue;
    const float base = result ? s.points[static_cast<size_t>(last)].sourL : 0.0f;
    for (int i = first; i <= last; ++i) {
      const CSamNode& p = s.points[static_cast<size_t>(i)];
      if (!p.HasWaveform()) continue;
      size_t hash = 0;
      for (uint16_t v : p.samples) hash = hash * 31 + v;
      char line[160];
      std::snprintf(line, sizeof line, "section %d depth %.2f: pick %d amp %d samples %zu/%zx", k, p.sourL - base,
                    p.arrivalIndex, p.ampIndex, p.samples.size(), hash);
      out.emplace_back(line);
    }
  }
  if (result) {
    for (float d : doc.Layers().depth) out.push_back("log layer " + std::to_string(d));
    for (float h : doc.Layers().height) out.push_back("result layer " + std::to_string(h));
  }
  return out;
}

std::string Difference(const std::vector<std::string>& saved, const std::vector<std::string>& opened) {
  for (size_t i = 0; i < std::min(saved.size(), opened.size()); ++i) {
    if (saved[i] != opened[i]) return "saved " + saved[i] + ", opened " + opened[i];
  }
  return "saved " + std::to_string(saved.size()) + " lines, opened " + std::to_string(opened.size());
}

struct Soak {
  std::mt19937 rng{20261208};
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  int ValidSection(const CTarnixDoc& doc) {
    for (int tries = 0; tries < 20; ++tries) {
      const int s = Pick(0, kSectionCount - 1);
      if (doc.Section(s).valid && doc.Section(s).PointCount() > 0) return s;
    }
    return doc.CurrentSection();
  }

  int edits = 0;

  void Edit(CTarnixDoc& doc) {
    const int s = ValidSection(doc);
    if (s < 0) return;
    ++edits;
    const SectionRecord& section = doc.Section(s);
    const int n = section.PointCount();
    const float depth = static_cast<float>(Pick(0, static_cast<int>(doc.Header().pileLen * 10))) / 10.0f;
    switch (Pick(0, 5)) {
      case 0:
      case 1:
        doc.SetPick(s, Pick(0, n - 1), Pick(0, std::max(section.datLen, 1) - 1));
        break;
      case 2: {
        const int first = Pick(0, n - 1);
        doc.SetEvaluatedRange(first, Pick(first, n - 1));
        break;
      }
      case 3:
        doc.SetTimeCorrection(s, Pick(-20, 20));
        break;
      case 4:
        doc.AddBoundary(Pick(0, 1) ? LayerColumn::Log : LayerColumn::Result, depth);
        break;
      case 5:
        doc.DeleteLayerAt(Pick(0, 1) ? LayerColumn::Log : LayerColumn::Result, depth);
        break;
    }
  }
};

// A save that must fail: false, a message, and the folder as it was.
void ExpectFailedSave(int cycle, CTarnixDoc& doc, ScriptedUiServices& ui, const fs::path& dir, const fs::path& target,
                      const char* how) {
  const auto before = Folder(dir);
  const auto model = Persisted(doc, false);
  const size_t messages = ui.messages.size();
  if (doc.OnSaveDocument(target.string())) Fault(cycle, std::string(how) + ": the save reported success");
  if (ui.messages.size() == messages) Fault(cycle, std::string(how) + ": no message");
  if (Folder(dir) != before) Fault(cycle, std::string(how) + ": the earlier files changed");
  if (Persisted(doc, false) != model) Fault(cycle, std::string(how) + ": the test changed");
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 10000;
  // A write past the size limit fails with EFBIG instead of ending the program.
  ::signal(SIGXFSZ, SIG_IGN);
  const fs::path dir = fs::temp_directory_path() / ("tarnix-soak-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const auto start = std::chrono::steady_clock::now();
  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  const std::string samples = TARNIX_SAMPLES;
  const Chain chains[2] = {{"ZK01.CHT", "raw.CHT", false}, {"ZK01_result.CHA", "result.CHA", true}};
  std::unique_ptr<CTarnixDoc> docs[2];
  for (int c = 0; c < 2; ++c) {
    docs[c] = std::make_unique<CTarnixDoc>(ui, recent);
    if (!docs[c]->OnOpenDocument(samples + chains[c].source)) {
      std::fprintf(stderr, "cannot open %s%s\n", samples.c_str(), chains[c].source);
      return 2;
    }
  }
  Soak soak;
  int injected = 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    const Chain& chain = chains[cycle % 2];
    std::unique_ptr<CTarnixDoc>& doc = docs[cycle % 2];
    // Each result file keeps only its range, so that chain shrinks; it starts
    // over from the sample when little is left.
    const int current = doc->CurrentSection();
    if (current >= 0 && doc->Section(current).PointCount() < 20) {
      doc = std::make_unique<CTarnixDoc>(ui, recent);
      if (!doc->OnOpenDocument(samples + chain.source)) return 2;
    }
    for (int k = soak.Pick(1, 4); k > 0; --k) soak.Edit(*doc);
    const fs::path path = dir / chain.file;
    if (cycle % 50 == 48 || cycle % 50 == 49) {
      // A full disk: a write past a limit somewhere in the text or the data fails.
      rlimit old{};
      getrlimit(RLIMIT_FSIZE, &old);
      rlimit small = old;
      // Below the smaller of the last saved pair, so that this save cannot fit.
      fs::path data = path;
      data.replace_extension(".CHD");
      const auto room = std::min(fs::file_size(path), fs::file_size(data));
      small.rlim_cur = static_cast<rlim_t>(soak.Pick(0, static_cast<int>(room) - 1));
      setrlimit(RLIMIT_FSIZE, &small);
      ExpectFailedSave(cycle, *doc, ui, dir, path, "file size limit");
      setrlimit(RLIMIT_FSIZE, &old);
      // A folder that cannot be written; root writes into a read-only folder
      // anyway, so under root the folder is a file.
      const fs::path locked = dir / "locked";
      if (::geteuid() == 0) {
        std::ofstream(locked) << "a file, not a folder";
      } else {
        fs::create_directories(locked);
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
      }
      ExpectFailedSave(cycle, *doc, ui, dir, locked / path.filename(), "folder not writable");
      fs::permissions(locked, fs::perms::owner_all);
      fs::remove_all(locked);
      injected += 2;
    }
    const auto saved = Persisted(*doc, chain.result);
    if (!doc->OnSaveDocument(path.string())) {
      Fault(cycle, "save failed: " + (ui.messages.empty() ? std::string() : ui.messages.back().text));
      continue;
    }
    auto reopened = std::make_unique<CTarnixDoc>(ui, recent);
    if (!reopened->OnOpenDocument(path.string())) {
      Fault(cycle, "reopen failed");
      continue;
    }
    const auto opened = Persisted(*reopened, chain.result);
    if (opened != saved) Fault(cycle, std::string(chain.file) + ": " + Difference(saved, opened));
    doc = std::move(reopened);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const LayerSet& layers = docs[1]->Layers();
  std::printf("cycles %d, edits %d, failures injected %d (root: %s), faults %d, %.1f s; layers kept %zu + %zu\n",
              cycles, soak.edits, injected, ::geteuid() == 0 ? "yes" : "no", faults, seconds, layers.depth.size(),
              layers.height.size());
  fs::remove_all(dir);
  return faults == 0 ? 0 : 1;
}
