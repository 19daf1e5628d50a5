#include "document/auto_pick.h"

#include "document/pick_agreement.h"
#include "processing/picker.h"
#include "processing/time_shift.h"

namespace tarnix {

void AutoPickChannel(CTarnixDoc& doc, int channel) {
  UiServices& ui = doc.Ui();
  if (doc.currentSection < 0) {
    ui.Message("请先打开文件再自动判读!", MessageButtons::Ok);
    return;
  }
  if (doc.display.showWaveforms == 0) {
    ui.Message("请先切换到波型图模式，再自动判读!", MessageButtons::Ok);
    return;
  }
  SectionRecord* s = doc.ChannelSection(channel);
  if (s == nullptr || !s->valid || !(s->dT > 0)) return;
  const int index = doc.currentSection + channel;
  const ChannelFilter& filter = doc.filters[index];
  const int32_t correction = doc.timeCorrection[index];
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
    p.autoArrivalIndex = static_cast<int32_t>(correction / dt + p.arrivalIndex);
    p.autoAmpIndex = static_cast<int32_t>(correction / dt + p.ampIndex);
    p.pickQuality = pick.quality;
    // A changed waveform has a new spectrum; its chosen bin goes.
    if (p.samples != shown) p.freqIndex = -1;
  }
  doc.RecomputeSection(index);
  doc.modified = true;
  ui.SetStatusText("自动判读完成");
  if (s->criticalV < 0) ui.Message("声速判据为负", MessageButtons::Ok);
}

void AutoPick(CTarnixDoc& doc) {
  if (doc.modes.layoutMode == 1) return;
  AutoPickChannel(doc, 0);
  // Nothing more to do (and nothing to tell twice) without a test or waveforms.
  if (doc.currentSection < 0 || doc.display.showWaveforms == 0) return;
  AutoPickChannel(doc, 1);
  SectionRecord* nearSection = doc.ChannelSection(0);
  SectionRecord* farSection = doc.ChannelSection(1);
  if (nearSection != nullptr && farSection != nullptr && nearSection->valid && farSection->valid) {
    GradeReceiverAgreement(*nearSection, *farSection);
  }
  doc.Ui().UpdateAllViews();
}

}  // namespace tarnix
