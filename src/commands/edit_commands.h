#pragma once
// The user's edits as undoable commands. Each function does the edit through
// the document's operation and returns its command, or nullptr when the edit
// changed nothing (a refused range, an empty clipboard, no test).
#include <array>
#include <memory>
#include <vector>

#include "commands/command.h"
#include "document/tarnix_doc.h"

namespace tarnix {

std::unique_ptr<Command> ManualPick(CTarnixDoc& doc, int section, int point, int shownIndex);
std::unique_ptr<Command> ChooseFrequencyBin(CTarnixDoc& doc, int section, int point, int bin);
std::unique_ptr<Command> PasteWaveform(CTarnixDoc& doc, int section, int point);
// Both channels of the current pair, as the frame command picks them.
std::unique_ptr<Command> AutoPickChannels(CTarnixDoc& doc);
std::unique_ptr<Command> ChangeRange(CTarnixDoc& doc, int first, int last);
std::unique_ptr<Command> ChangeDistance(CTarnixDoc& doc, int section, float crossD);
std::unique_ptr<Command> ChooseStandardCommand(CTarnixDoc& doc);
// nullptr when the section already has this criterion.
std::unique_ptr<Command> ChangeVelocityCriterion(CTarnixDoc& doc, int section, float criticalV);

// The report's "添加分层" and "删除分层" at a clicked depth (nullptr when
// refused or declined).
std::unique_ptr<Command> AddLayerBoundary(CTarnixDoc& doc, LayerColumn column, float depth);
std::unique_ptr<Command> DeleteLayer(CTarnixDoc& doc, LayerColumn column, float depth);
// The project form's edits of the header texts act on the document as they
// are typed; what they changed since `before` is one edit (nullptr when
// nothing changed).
std::unique_ptr<Command> HeaderTextsEdited(CTarnixDoc& doc, const HeaderTexts& before);
// The report's scale, style or calculation method (nullptr when unchanged).
std::unique_ptr<Command> ChangeReportStyle(CTarnixDoc& doc, const ReportStyle& style);
// A parameter dialog's check box or Enter, as one edit.
std::unique_ptr<Command> ChangeLayerTag(CTarnixDoc& doc, int way, int tag, bool on);
std::unique_ptr<Command> EnterParametersCommand(CTarnixDoc& doc, int way, const LayerParameters& values,
                                                const std::array<int32_t, 3>& tags);

// A layer dialog's session: its edits act on the document at once; Cancel
// puts back the layers as they were on opening, and a confirmed session is
// one command.
class LayerEdit {
 public:
  LayerEdit(CTarnixDoc& doc, std::string name);
  void Cancel();
  // The command of the whole session, or nullptr when nothing was changed.
  std::unique_ptr<Command> Finish();

 private:
  CTarnixDoc& doc_;
  std::string name_;
  LayerSet before_;
  bool finished_ = false;
};

// A dialog's edits of the channels of the current pair (filter settings, time
// corrections): opened with the dialog, undone whole when it is cancelled and
// kept as one command when it is confirmed.
class ChannelEdit {
 public:
  ChannelEdit(CTarnixDoc& doc, std::string name);
  // Puts back every channel as it was when the edit began.
  void Cancel();
  // The command of the whole edit, or nullptr when nothing was changed.
  std::unique_ptr<Command> Finish();

 private:
  CTarnixDoc& doc_;
  std::string name_;
  std::vector<std::pair<int, CTarnixDoc::SectionState>> before_;
  bool finished_ = false;
};

}  // namespace tarnix
