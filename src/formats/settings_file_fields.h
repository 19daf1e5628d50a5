#pragma once
// The settings file "tarnix.ini": despite its name a binary archive of the
// header defaults, filter, display, page and report settings, in the order the
// desktop program has always written them. One field list drives both reading
// (ArchiveLoader) and writing (ArchiveSaver), so the two cannot drift apart.
#include "formats/page_setup_archive.h"
#include "formats/settings_archive.h"

namespace tarnix {
namespace settings_fields {

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

}  // namespace settings_fields

// The whole file. Settings names the parts: header, filters (ten), display,
// currentPoint, pageSetup and reportTexts.
template <typename Archive, typename Settings>
void SettingsFileFields(Archive& a, Settings& s) {
  settings_fields::HeaderFields(a, s.header);
  settings_fields::FilterFields(a, s.filters);
  settings_fields::DisplayFields(a, s.display);
  a.Float(s.display.rowHeight);
  a.Int(s.display.reservedInt);
  a.Int(s.currentPoint);
  for (auto& c : s.display.colours) a.Colour(c);
  PageSetupField(a, s.pageSetup);
  a.Byte(s.reportTexts.locked);
  settings_fields::ReportTextFields(a, s.reportTexts);
  a.Int(s.display.greyMin);
  a.Int(s.display.greyMax);
  a.Text(s.reportTexts.reservedText);
  a.Int(s.display.depthReference);
  a.Int(s.display.transmitterMode);
}

}  // namespace tarnix
