#include "entries.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/recent_file_list.h"
#include "document/single_wave.h"
#include "document/tarnix_doc.h"
#include "formats/file_error.h"
#include "formats/raw_test_reader.h"
#include "formats/result_file.h"
#include "formats/rtx_reader.h"
#include "processing/picker.h"
#include "support/scripted_ui_services.h"

namespace tarnix::fuzz {
namespace {

void Check(bool ok, const char* promise) {
  if (ok) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

// One folder per process, so parallel fuzzing jobs do not share files; it
// goes with the process.
struct ScratchFolder {
  ScratchFolder() : path(std::filesystem::temp_directory_path() / ("tarnix-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::filesystem::path path;
};

std::string Folder() {
  static const ScratchFolder folder;
  return folder.path.string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The input as a text file and its data file in the scratch folder; the text's path.
std::string WritePair(const uint8_t* bytes, size_t size, const std::string& textName, const std::string& dataName) {
  const FilePair pair = SplitPair(bytes, size);
  const std::string text = Folder() + "/" + textName;
  WriteFile(text, pair.text);
  WriteFile(Folder() + "/" + dataName, pair.data);
  return text;
}

// A filled-in header and section, to see that a failed read leaves them alone.
void Prefill(TestHeader& h, Sections& s) {
  h.site = "before";
  h.pileLen = 12.5f;
  s[3].valid = true;
  s[3].crossD = 0.7f;
  s[3].firstIndex = 4;
}

void CheckPrefilled(const TestHeader& h, const Sections& s) {
  Check(h.site == "before" && h.pileLen == 12.5f, "a failed read leaves the header alone");
  Check(s[3].valid && s[3].crossD == 0.7f && s[3].firstIndex == 4 && !s[0].valid, "a failed read leaves the sections alone");
}

// What the panes rely on in an opened test.
void CheckOpened(const CTarnixDoc& doc) {
  for (const SectionRecord& s : doc.AllSections()) {
    if (!s.valid) continue;
    const int n = s.PointCount();
    Check(n == 0 || (s.firstIndex >= 0 && s.firstIndex <= s.lastIndex && s.lastIndex < n), "range inside the points");
    const size_t count = static_cast<size_t>(n);
    for (const auto* array : {&s.arrivalTime, &s.velocity, &s.ampDb, &s.depths}) {
      Check(array->size() == count, "one derived value per point");
    }
    for (int i = std::max(s.firstIndex, 0); i <= s.lastIndex && i < n; ++i) {
      const CSamNode& p = s.points[static_cast<size_t>(i)];
      if (!p.HasWaveform()) continue;
      Check(p.samples.size() == p.rawSamples.size(), "working and recorded waveforms alike long");
      Check(p.arrivalIndex >= 0 && p.arrivalIndex < static_cast<int>(p.samples.size()), "pick inside its waveform");
    }
  }
}

template <typename Read>
void TestPair(const uint8_t* bytes, size_t size, const char* extension, Read read) {
  const std::string text = WritePair(bytes, size, std::string("input.") + extension, "input.CHD");

  TestHeader header;
  Sections sections;
  Prefill(header, sections);
  try {
    read(text, header, sections);
  } catch (const FileError&) {
    CheckPrefilled(header, sections);
  }

  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  CTarnixDoc doc(ui, recent);
  if (doc.OnOpenDocument(text)) {
    CheckOpened(doc);
  } else {
    Check(!doc.HasData() && doc.CurrentSection() < 0, "a failed open leaves the document as it was");
  }
}

// "单波读取" into a clipboard that holds a known node before.
void CheckSingleWaveRead(CTarnixDoc& doc, const std::string& path) {
  CSamNode marker;
  marker.samples = marker.rawSamples = {1, 2, 3};
  marker.arrivalIndex = 2;
  doc.FillWaveClipboard(marker);
  const bool read = ReadSingleWave(doc, path);
  const CSamNode& clip = *doc.WaveClipboard();
  if (!read) {
    Check(clip.samples == marker.samples && clip.arrivalIndex == 2, "a refused wave leaves the clipboard alone");
    return;
  }
  const size_t n = clip.samples.size();
  Check(n > 0 && clip.rawSamples.size() == n, "a read wave has its samples");
  Check(!doc.HasData() || static_cast<int>(n) == doc.Header().datLen, "a read wave takes the open test's length");
  for (const int index : {clip.arrivalIndex, clip.ampIndex}) {
    Check(index >= 0 && static_cast<size_t>(index) < n, "the picks inside the read wave");
  }
}

// Made once: reading a single wave changes nothing but the clipboard.
struct SingleWaveDocuments {
  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  CTarnixDoc empty{ui, recent};
  CTarnixDoc sample{ui, recent};
  SingleWaveDocuments() { Check(sample.OnOpenDocument(TARNIX_SAMPLE), "the bundled sample opens"); }
};

}  // namespace

FilePair SplitPair(const uint8_t* bytes, size_t size) {
  FilePair pair;
  if (size < 4) return pair;
  const uint32_t length = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  const size_t text = std::min<size_t>(length, size - 4);
  pair.text.assign(reinterpret_cast<const char*>(bytes) + 4, text);
  pair.data.assign(reinterpret_cast<const char*>(bytes) + 4 + text, size - 4 - text);
  return pair;
}

std::string JoinPair(const std::string& text, const std::string& data) {
  const auto n = static_cast<uint32_t>(text.size());
  std::string out{static_cast<char>(n & 0xff), static_cast<char>((n >> 8) & 0xff), static_cast<char>((n >> 16) & 0xff),
                  static_cast<char>(n >> 24)};
  return out + text + data;
}

void RawTest(const uint8_t* bytes, size_t size) {
  TestPair(bytes, size, "CHT",
           [](const std::string& path, TestHeader& h, Sections& s) { ReadTestFilePair(path, h, s); });
}

void ResultFile(const uint8_t* bytes, size_t size) {
  TestPair(bytes, size, "CHA", [](const std::string& path, TestHeader& h, Sections& s) {
    LayerSet layers;
    layers.m_ruler = 77;
    try {
      ReadResultFile(path, h, s, layers);
    } catch (const FileError&) {
      Check(layers.m_ruler == 77, "a failed read leaves the layers alone");
      throw;
    }
  });
}

void RtxTest(const uint8_t* bytes, size_t size) {
  const std::string text = WritePair(bytes, size, "input.RTX", "input.RDA");
  TestHeader header;
  Sections sections;
  Prefill(header, sections);
  try {
    ReadRtxTest(text, header, sections);
  } catch (const FileError&) {
    CheckPrefilled(header, sections);
    return;
  }
  for (const SectionRecord& s : sections) {
    for (const CSamNode& p : s.points) {
      Check(!p.HasWaveform() || static_cast<int>(p.rawSamples.size()) == header.datLen, "waveforms of datLen samples");
    }
  }
}

void SingleWave(const uint8_t* bytes, size_t size) {
  const std::string text = WritePair(bytes, size, "wave.CHT", "wave.CHD");
  static SingleWaveDocuments documents;
  documents.ui.messages.clear();
  CheckSingleWaveRead(documents.empty, text);
  CheckSingleWaveRead(documents.sample, text);
}

void SettingsFile(const uint8_t* bytes, size_t size) {
  const std::string path = Folder() + "/tarnix.ini";
  WriteFile(path, std::string(reinterpret_cast<const char*>(bytes), size));
  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  CTarnixDoc first(ui, recent);
  first.LoadSettings(path);
  const std::string once = Folder() + "/once.ini";
  Check(first.SaveSettings(once), "settings that were read can be written");
  CTarnixDoc second(ui, recent);
  second.LoadSettings(once);
  const std::string twice = Folder() + "/twice.ini";
  Check(second.SaveSettings(twice), "settings that were read can be written");
  Check(ReadFile(once) == ReadFile(twice), "what was read writes back the same");
}

void PickWaveformInput(const uint8_t* bytes, size_t size) {
  constexpr size_t kHead = 11;
  constexpr size_t kMostSamples = 16384;
  if (size < kHead) return;
  float dt = 0, delay = 0;
  std::memcpy(&dt, bytes, 4);
  std::memcpy(&delay, bytes + 4, 4);
  const bool highOn = bytes[8] & 1, lowOn = bytes[8] & 2;
  // Cut-offs only within the filter dialog's bounds, as every caller keeps them.
  const float highHz = 10.0f + bytes[9] * (19990.0f / 255);
  const float lowHz = std::max(highHz, 2000.0f + bytes[10] * (498000.0f / 255));
  std::vector<uint16_t> samples(std::min((size - kHead) / 2, kMostSamples));
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = bytes[kHead + 2 * i] | (bytes[kHead + 2 * i + 1] << 8);
  const int n = static_cast<int>(samples.size());
  const WaveformPick pick = PickWaveform(n, samples.data(), dt, delay, highOn, highHz, lowOn, lowHz);
  const double span = (n - 1) * static_cast<double>(dt);
  if (n >= 4 && dt > 0 && span < 5e8 && std::fabs(delay) < 5e8) {
    // Whole µs from the first sample: within the record, give or take the
    // interval or two that the delay's truncation to a sample may add.
    for (const int t : {pick.arrivalTime, pick.ampTime}) {
      Check(t >= -2.0 * dt - 1 && t <= span + 2.0 * dt + 1, "the picks inside the record");
    }
  }
}

}  // namespace tarnix::fuzz
