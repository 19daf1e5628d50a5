// The settings file: a binary archive of the document's header defaults, filter,
// display, page and report settings, in the order the desktop program wrote it.
#include "app/settings_file.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/tarnix_doc.h"
#include "formats/page_setup_archive.h"
#include "formats/settings_archive.h"
#include "formats/staged_file.h"

namespace tarnix {
namespace {

template <typename Archive, typename Header>
void HeaderFields(Archive& a, Header& h) {
  a.Text(h.inst);
  a.Text(h.site);
  a.Text(h.date);
  a.Text(h.unit);
  a.Text(h.person);
  a.Text(h.m_holeID);
  a.Float(h.pileLen);
  a.Float(h.pileD);
  a.Float(h.move);
  a.Int(h.pipeNum);
  for (auto& d : h.pipeDepth) a.Float(d);
  a.Int(h.aporeDeg);
  a.Float(h.pileL);
  a.Float(h.pipeW);
  a.Float(h.pipeD);
  a.Float(h.pipeV);
  a.Float(h.waterV);
  a.Float(h.sensorD);
  a.Float(h.reserve1);
  a.Float(h.reserve2);
  a.Float(h.dT);
  a.Int(h.datLen);
  a.Text(h.grade);
  a.Text(h.castDate);
  a.Text(h.remark);
  a.Int(h.standard);
}

template <typename Archive, typename Filters>
void FilterFields(Archive& a, Filters& filters) {
  for (auto& f : filters) {
    a.Float(f.highPassKHz);
    a.Float(f.lowPassKHz);
    a.Bool(f.highPassOn);
    a.Bool(f.lowPassOn);
  }
}

template <typename Archive, typename Display>
void DisplayFields(Archive& a, Display& d) {
  a.Int(d.curvePosition);
  a.Int(d.panelHeight);
  a.Int(d.phase);
  a.Int(d.showCurrentWave);
  a.Int(d.showTimeCurve);
  a.Int(d.showAmpCurve);
  a.Int(d.showWaveforms);
  a.Int(d.spectrumRefine);
  a.Int(d.waveGain);
  a.Int(d.valueGain);
  a.Int(d.intervalGain);
  a.Int(d.positiveThreshold);
  a.Int(d.trainMode);
  a.Int(d.rowHeightInt);
  for (auto& v : d.curveAdjust) a.Int(v);
}

template <typename Archive, typename Texts>
void ReportTextFields(Archive& a, Texts& t) {
  for (auto& text : t.lockedTexts) a.Text(text);
  for (auto& list : t.history) {
    for (auto& text : list) a.Text(text);
  }
}

}  // namespace

std::string SettingsFilePath() {
  namespace fs = std::filesystem;
  if (const char* env = std::getenv("TARNIX_SETTINGS"); env != nullptr && *env != '\0') return env;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec && ::access(exe.parent_path().c_str(), W_OK) == 0) return (exe.parent_path() / "tarnix.ini").string();
  fs::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr) {
    config = fs::path(home) / ".config";
  } else {
    config = fs::temp_directory_path();
  }
  return (config / "tarnix" / "tarnix.ini").string();
}

void CTarnixDoc::LoadSettings(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return;  // no file: the defaults stay
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ArchiveReader in(bytes);
  ArchiveLoader a{in};
  try {
    HeaderFields(a, header);
    FilterFields(a, filters);
    DisplayFields(a, display);
    a.Float(display.rowHeight);
    a.Int(display.reservedInt);
    a.Int(currentPoint);
    for (auto& c : display.colours) a.Colour(c);
    pageSetup = ReadPageSetup(in);
    a.Byte(reportTexts.locked);
    ReportTextFields(a, reportTexts);
    a.Int(display.greyMin);
    a.Int(display.greyMax);
    a.Text(reportTexts.reservedText);
    a.Int(display.depthReference);
    a.Int(display.transmitterMode);
  } catch (const ArchiveError&) {
    // A short or damaged file: these fallbacks, whatever was read before.
    header = TestHeader();
    display.rowHeight = 10.0f;
    for (ChannelFilter& f : filters) f = ChannelFilter{true, 5.0f, true, 10.0f};
  }
}

bool CTarnixDoc::SaveSettings(const std::string& path) const {
  ArchiveWriter out;
  ArchiveSaver a{out};
  HeaderFields(a, header);
  FilterFields(a, filters);
  DisplayFields(a, display);
  a.Float(display.rowHeight);
  a.Int(display.reservedInt);
  a.Int(currentPoint);
  for (auto c : display.colours) a.Colour(c);
  WritePageSetup(out, pageSetup);
  a.Byte(reportTexts.locked);
  ReportTextFields(a, reportTexts);
  a.Int(display.greyMin);
  a.Int(display.greyMax);
  a.Text(reportTexts.reservedText);
  a.Int(display.depthReference);
  a.Int(display.transmitterMode);

  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  StagedFile file(path);
  return file.Write(out.Bytes()) && file.Commit();
}

}  // namespace tarnix
