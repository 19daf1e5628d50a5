// Every user edit undoes to exactly the state before it and redoes to exactly
// the state after it.
#include "commands/edit_commands.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"

namespace tarnix {
namespace {

const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

// What an edit may touch, section by section.
struct State {
  struct Point {
    std::vector<uint16_t> samples;
    int32_t arrival, autoArrival, amp, freq;
    float span;
    bool operator==(const Point&) const = default;
  };
  struct Section {
    std::vector<Point> points;
    std::vector<float> time, velocity, grades;
    int32_t first, last;
    float crossD, criticalA, criticalV;
    ChannelFilter filter;
    int32_t correction;
    bool operator==(const Section&) const = default;
  };
  std::vector<Section> sections;
  bool operator==(const State&) const = default;
};

State Capture(const CTarnixDoc& doc) {
  State state;
  for (int i = 0; i < kSectionCount; ++i) {
    const SectionRecord& s = doc.Section(i);
    if (!s.valid) continue;
    State::Section out{{}, s.arrivalTime, s.velocity, s.grades, s.firstIndex, s.lastIndex, s.crossD,
                       s.criticalA, s.criticalV, doc.Filter(i), doc.TimeCorrection(i)};
    for (const CSamNode& p : s.points) {
      out.points.push_back({p.samples, p.arrivalIndex, p.autoArrivalIndex, p.ampIndex, p.freqIndex, p.span});
    }
    state.sections.push_back(std::move(out));
  }
  return state;
}

class EditCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(doc_.OnOpenDocument(kSample)); }

  // Runs the edit, then checks undo and redo against the states around it.
  template <typename Edit>
  void ExpectUndoable(const std::string& name, Edit edit) {
    const State before = Capture(doc_);
    std::unique_ptr<Command> command = edit();
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->Name(), name);
    const State after = Capture(doc_);
    EXPECT_NE(after, before);
    EXPECT_TRUE(doc_.IsModified());
    command->Undo();
    EXPECT_EQ(Capture(doc_), before);
    command->Redo();
    EXPECT_EQ(Capture(doc_), after);
  }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_{ui_, recent_};
};

TEST_F(EditCommandsTest, PointEdits) {
  ExpectUndoable("手动判读", [&] { return ManualPick(doc_, 0, 20, 400); });
  ExpectUndoable("手动判读", [&] { return ChooseFrequencyBin(doc_, 1, 20, 9); });
  doc_.CopyPoint(0, 30);
  ExpectUndoable("粘贴波形", [&] { return PasteWaveform(doc_, 1, 40); });
}

TEST_F(EditCommandsTest, SectionEdits) {
  ManualPick(doc_, 0, 10, 5);  // a pick for the picker to change
  ExpectUndoable("自动判读", [&] { return AutoPickChannels(doc_); });
  ExpectUndoable("修改截取范围", [&] { return ChangeRange(doc_, 5, 60); });
  ExpectUndoable("修改跨距", [&] { return ChangeDistance(doc_, 1, 0.75f); });
}

TEST_F(EditCommandsTest, DialogEditsUndoWholeAndCancelPutsBack) {
  ExpectUndoable("数字滤波", [&] {
    ChannelEdit edit(doc_, "数字滤波");
    doc_.SetFilter(0, ChannelFilter{true, 3.0f, true, 60.0f});
    doc_.SetFilter(1, ChannelFilter{false, 3.0f, true, 40.0f});
    return edit.Finish();
  });
  ExpectUndoable("声时修正", [&] {
    ChannelEdit edit(doc_, "声时修正");
    doc_.SetTimeCorrection(1, 12);
    return edit.Finish();
  });

  const State before = Capture(doc_);
  ChannelEdit cancelled(doc_, "声时修正");
  doc_.SetTimeCorrection(0, -30);
  doc_.SetFilter(1, ChannelFilter{true, 1.0f, false, 50.0f});
  cancelled.Cancel();
  EXPECT_EQ(Capture(doc_), before);
  EXPECT_EQ(cancelled.Finish(), nullptr);
}

TEST_F(EditCommandsTest, RefusedEditsMakeNoCommand) {
  EXPECT_EQ(ChangeRange(doc_, 10, 12), nullptr);  // fewer than ten points
  EXPECT_EQ(PasteWaveform(doc_, 0, 3), nullptr);  // nothing copied
  ChannelEdit untouched(doc_, "数字滤波");
  EXPECT_EQ(untouched.Finish(), nullptr);
  EXPECT_EQ(ManualPick(doc_, 0, 100000, 3), nullptr);
}

}  // namespace
}  // namespace tarnix
