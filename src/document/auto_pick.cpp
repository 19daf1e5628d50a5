#include "document/auto_pick.h"

#include "document/pick_agreement.h"
#include "processing/picker.h"
#include "processing/time_shift.h"

namespace tarnix {

void AutoPickChannel(CTarnixDoc& doc, int channel) {
  UiServices& ui = doc.Ui();
  if (doc.currentSection_ < 0) {
    ui.Message("请先打开文件再自动判读!", MessageButtons::Ok);
    return;
  }
  if (doc.display.showWaveforms == 0) {
    ui.Message("请先切换到波型图模式，再自动判读!", MessageButtons::Ok);
    return;
  }
  const int index = doc.currentSection_ + channel;
  if (!doc.ValidSection(index) || !(doc.sections_[index].dT > 0)) return;
  SectionRecord* s = &doc.sections_[index];
  const ChannelFilter& filter = doc.filters_[index];
  const int32_t correction = doc.timeCorrection_[index];
  const float dt = s->dT;
  const int shift = CorrectionSamples(correction, dt);

  WaitCursor wait(ui);
  for (CSamNode& p : s->points) {
    ui.SetStatusText("自动判读中...");
    if (!p.HasWaveform()) continue;
    // Always from the record, so that repeated picking never accumulates.
    const std::vector<uint16_t> shown = std::move(p.samples);
    p.samples = p.rawSamples;
    ShiftWaveform(p, shift);
    const WaveformPick pick =
        PickWaveform(static_cast<int>(p.samples.size()), p.samples.data(), dt, s->delay, filter.highPassOn,
                     filter.highPassKHz * 1000.0f, filter.lowPassOn, filter.lowPassKHz * 1000.0f);
    // Whole µs back to indices; the record picks undo the correction in one
    // floating-point sum, truncated once.
    p.arrivalIndex = static_cast<int32_t>(pick.arrivalTime / dt);
    p.ampIndex = static_cast<int32_t>(pick.ampTime / dt);
    p.autoArrivalIndex = RecordIndex(p.arrivalIndex, correction, dt);
    p.autoAmpIndex = RecordIndex(p.ampIndex, correction, dt);
    p.pickQuality = pick.quality;
    // A changed waveform has a new spectrum; its chosen bin goes.
    if (p.samples != shown) p.freqIndex = -1;
  }
  doc.Changed(index, CTarnixDoc::Rebuild::ArraysAndCriteria, kChangePoints);
  ui.SetStatusText("自动判读完成");
  if (s->criticalV < 0) ui.Message("声速判据为负", MessageButtons::Ok);
}

void AutoPick(CTarnixDoc& doc) {
  if (doc.modes.layoutMode == 1) return;
  AutoPickChannel(doc, 0);
  // Nothing more to do (and nothing to tell twice) without a test or waveforms.
  if (doc.CurrentSection() < 0 || doc.display.showWaveforms == 0) return;
  AutoPickChannel(doc, 1);
  const int nearIndex = doc.currentSection_;
  if (doc.ValidSection(nearIndex) && doc.ValidSection(nearIndex + 1)) {
    GradeReceiverAgreement(doc.sections_[nearIndex], doc.sections_[nearIndex + 1]);
  }
}

}  // namespace tarnix
