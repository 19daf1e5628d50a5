// The document's lifecycle: titles, open, save, the unsaved-changes prompts and
// the result-file commands, driven through scripted answers.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/tarnix_doc.h"
#include "formats/raw_test_writer.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"
#include "support/document_access.h"

namespace tarnix {
namespace {

namespace fs = std::filesystem;

constexpr int kLen = 64;
constexpr int kPoints = 12;
constexpr float kMove = 0.25f;  // exact in binary, so depths compare exactly
const std::string kTitle = CTarnixDoc::kTitlePrefix;

std::vector<uint16_t> Wave(int onset, int amplitude) {
  std::vector<uint16_t> s(kLen, 2048);
  for (int i = onset; i < kLen; ++i) {
    s[i] = static_cast<uint16_t>(2048 + std::lround(amplitude * std::sin(0.1885 * (i - onset))));
  }
  return s;
}

// Two receivers in sections first and first + 1, twelve depths from 0 to 2.75 m.
void WriteHole(const std::string& path, int first = 0) {
  TestHeader h;
  h.pileLen = kMove * (kPoints - 1);
  h.move = kMove;
  h.datLen = kLen;
  h.dT = 1.0f;
  Sections s;
  for (int si = first; si < first + 2; ++si) {
    s[si].valid = true;
    s[si].crossD = si == first ? 0.5f : 0.8f;
    s[si].dT = 1.0f;
    s[si].datLen = kLen;
    for (int k = 0; k < kPoints; ++k) {
      const auto w = Wave(8 + k % 5 + 3 * (si - first), 300 + 40 * k);
      s[si].AppendPoint(w.data(), kLen, kMove * k, kMove * k, s[si].crossD, 0.0f, 8.0f + k % 5, 12.0f, 60.0f);
    }
    s[si].RebuildAmpDb();
  }
  WriteRawTest(path, h, s, false);
}

std::string Bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class DocLifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    hole_ = dir_.File("hole.CHT");
    WriteHole(hole_);
    doc_ = std::make_unique<CTarnixDoc>(ui_, recent_);
  }
  void Open(const std::string& path) {
    ASSERT_TRUE(doc_->OnOpenDocument(path)) << ::testing::PrintToString(ui_.MessageTexts());
  }
  // The test a file holds, as a second document opens it.
  std::unique_ptr<CTarnixDoc> Reopen(const std::string& path) {
    auto other = std::make_unique<CTarnixDoc>(otherUi_, otherRecent_);
    EXPECT_TRUE(other->OnOpenDocument(path)) << ::testing::PrintToString(otherUi_.MessageTexts());
    return other;
  }
  void SetRange(int first, int last) {
    for (SectionRecord& s : DocumentTestAccess::AllSections(*doc_)) {
      if (!s.valid) continue;
      s.firstIndex = first;
      s.lastIndex = last;
    }
  }
  void AddDrillingLayer() {
    LayerSet& l = DocumentTestAccess::Layers(*doc_);
    l.leftlayer = 1;
    l.depth = {1.5f};
    l.describe = {"强风化花岗岩"};
    l.picName = {"花岗岩"};
  }

  test::TempDir dir_;
  std::string hole_;
  ScriptedUiServices ui_, otherUi_;
  MemoryRecentFileList recent_, otherRecent_;
  std::unique_ptr<CTarnixDoc> doc_;
};

TEST_F(DocLifecycle, TitleNamesTheFileAndNewKeepsTheContents) {
  EXPECT_EQ(ui_.title, "KVT声波测孔分析软件 V1.2.00912  Morvane - 无标题");
  Open(hole_);
  EXPECT_EQ(ui_.title, kTitle + "hole.CHT");
  doc_->SetModifiedFlag();
  ASSERT_TRUE(doc_->OnSaveDocument(dir_.File("copy.CHT")));
  EXPECT_EQ(ui_.title, kTitle + "copy.CHT");
  EXPECT_FALSE(doc_->IsModified());

  doc_->OnFileNew();
  EXPECT_TRUE(doc_->PathName().empty());
  EXPECT_EQ(ui_.title, kTitle + "copy.CHT");
  EXPECT_EQ(doc_->Section(0).PointCount(), kPoints);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(DocLifecycle, OpenStartsAtTheFirstSectionInUseWithFreshState) {
  WriteHole(dir_.File("later.CHT"), 1);
  DocumentTestAccess::CurrentPoint(*doc_) = 7;
  DocumentTestAccess::WaveClipboard(*doc_) = CSamNode{};
  doc_->SetModifiedFlag();
  Open(dir_.File("later.CHT"));
  EXPECT_EQ(doc_->CurrentSection(), 1);
  EXPECT_EQ(doc_->CurrentPoint(), 0);
  EXPECT_TRUE(doc_->HasData());
  EXPECT_FALSE(doc_->IsModified());
  EXPECT_FALSE(DocumentTestAccess::WaveClipboard(*doc_).has_value());
  EXPECT_GT(ui_.viewUpdates, 0);
  for (const DocumentSnapshot* snap : {&DocumentTestAccess::ProcessingSnapshot(*doc_), &DocumentTestAccess::DisplaySnapshot(*doc_)}) {
    for (int i = 0; i < kSectionCount; ++i) {
      const SectionRecord& s = doc_->Section(i);
      ASSERT_EQ(snap->sections[i].PointCount(), s.PointCount());
      for (int k = 0; k < s.PointCount(); ++k) EXPECT_EQ(snap->sections[i].points[k].samples, s.points[k].samples);
    }
  }

  const float offsets[4] = {0.0f, 0.3f, 0.5f, 0.4f};
  for (int reference = 0; reference < 4; ++reference) {
    for (int below = 0; below < 2; ++below) {
      doc_->display.depthReference = reference;
      doc_->display.transmitterMode = below;
      Open(hole_);
      EXPECT_FLOAT_EQ(doc_->display.referenceOffset, below ? -offsets[reference] : offsets[reference])
          << "reference " << reference << " below " << below;
    }
  }

  // A file that cannot be read changes nothing, not even the unsaved state.
  AddDrillingLayer();
  doc_->SetModifiedFlag();
  EXPECT_FALSE(doc_->OnOpenDocument(dir_.File("missing.CHT")));
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.title, kTitle + "hole.CHT");
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_EQ(doc_->Layers().leftlayer, 1);
}

TEST_F(DocLifecycle, ResultFileKeepsItsStoredCriteriaAndLayers) {
  Open(hole_);
  EXPECT_EQ(doc_->Section(0).criticalV, 0.0f);  // what SL-264-2001 gives
  // Hand-set criteria are what a result file stores.
  DocumentTestAccess::Header(*doc_).curves[kCurveV].manual = 1;
  DocumentTestAccess::Header(*doc_).curves[kCurveA].manual = 1;
  DocumentTestAccess::Section(*doc_, 0).criticalV = 3.5f;
  DocumentTestAccess::Section(*doc_, 0).criticalA = 80.0f;
  AddDrillingLayer();
  ASSERT_TRUE(doc_->OnSaveDocument(dir_.File("res.CHA")));

  Open(dir_.File("res.CHA"));
  EXPECT_FLOAT_EQ(doc_->Section(0).criticalV, 3.5f);
  EXPECT_FLOAT_EQ(doc_->Section(0).criticalA, 80.0f);
  EXPECT_EQ(doc_->Layers().describe, std::vector<std::string>{"强风化花岗岩"});
  Open(hole_);
  EXPECT_EQ(doc_->Section(0).criticalV, 0.0f);
  EXPECT_EQ(doc_->Section(0).criticalA, 0.0f);
  EXPECT_EQ(doc_->Layers().leftlayer, 0);
}

TEST_F(DocLifecycle, RawSaveWritesEveryPointOnlyFromTheMainLayoutOfARawTest) {
  Open(hole_);
  SetRange(2, 9);
  ASSERT_TRUE(doc_->OnSaveDocument(dir_.File("all.CHT")));
  auto all = Reopen(dir_.File("all.CHT"));
  ASSERT_EQ(all->Section(0).PointCount(), kPoints);
  EXPECT_EQ(all->Section(0).points[0].sourL, 2.75f);

  // The evaluated range, depths from its shallowest point.
  const auto expectRange = [&](const std::string& name) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(doc_->OnSaveDocument(dir_.File(name)));
    auto part = Reopen(dir_.File(name));
    ASSERT_EQ(part->Section(0).PointCount(), 8);
    EXPECT_FLOAT_EQ(part->Section(0).points[0].sourL, 1.75f);
    EXPECT_EQ(part->Section(1).points[7].rawSamples, DocumentTestAccess::Section(*doc_, 1).points[9].rawSamples);
  };
  doc_->modes.layoutMode = 1;
  expectRange("table.CHT");
  doc_->modes = AppModes{};
  doc_->modes.reportMode = 1;
  expectRange("report.CHT");
  doc_->modes = AppModes{};

  // A test that came from a result file holding every point.
  SetRange(0, kPoints - 1);
  ASSERT_TRUE(doc_->OnSaveDocument(dir_.File("full.CHA")));
  Open(dir_.File("full.CHA"));
  ASSERT_EQ(doc_->Section(0).PointCount(), kPoints);
  SetRange(2, 9);
  expectRange("fromResult.CHT");
}

TEST_F(DocLifecycle, SaveWritesCorrectedRecordsAndShowsTheFilteredOnes) {
  DocumentTestAccess::Filter(*doc_, 0).lowPassOn = true;
  DocumentTestAccess::Filter(*doc_, 0).lowPassKHz = 10.0f;
  Open(hole_);
  const SectionRecord& s = doc_->Section(0);
  const auto raw0 = s.points[0].rawSamples;
  const auto raw5 = s.points[5].rawSamples;
  ASSERT_NE(s.points[5].samples, raw5);  // the filter changes what is shown
  SetRange(2, 9);
  DocumentTestAccess::TimeCorrection(*doc_, 0) = 3;  // three samples at 1 µs
  ASSERT_TRUE(doc_->OnSaveDocument(hole_));
  EXPECT_TRUE(ui_.messages.empty());

  // Unfiltered records, shifted inside the range only.
  auto saved = Reopen(hole_);
  const SectionRecord& t = saved->Section(0);
  EXPECT_EQ(t.points[0].rawSamples, raw0);
  EXPECT_EQ(t.points[5].rawSamples[0], raw5[3]);
  EXPECT_EQ(t.points[5].rawSamples[kLen - 1], 2048);
  EXPECT_EQ(saved->Section(1).points[5].rawSamples, DocumentTestAccess::Section(*doc_, 1).points[5].rawSamples);

  // The shown channel is filtered again, once, from the corrected record.
  CSamNode expected = s.points[5];
  expected.samples = t.points[5].rawSamples;
  FilterPointSamples(expected, doc_->Filter(0), 1.0f);
  EXPECT_EQ(s.points[5].samples, expected.samples);
}

TEST_F(DocLifecycle, FailedSaveLeavesThePreviousPairUntouched) {
  Open(hole_);
  ASSERT_TRUE(doc_->OnSaveDocument(dir_.File("res.CHA")));
  const std::string names[] = {"hole.CHT", "hole.CHD", "res.CHA", "res.CHD"};
  std::vector<std::string> before;
  for (const std::string& n : names) before.push_back(Bytes(dir_.File(n)));
  fs::create_directory(dir_.File("hole.CHD.tarnix-new"));
  fs::create_directory(dir_.File("res.CHD.tarnix-new"));
  doc_->SetModifiedFlag();
  const std::string title = ui_.title;

  EXPECT_FALSE(doc_->OnSaveDocument(hole_));
  EXPECT_FALSE(doc_->OnSaveDocument(dir_.File("res.CHA")));
  EXPECT_FALSE(doc_->OnSaveDocument(dir_.File("missing/x.CHT")));
  EXPECT_FALSE(doc_->OnSaveDocument(dir_.File("hole.txt")));
  EXPECT_EQ(ui_.MessageTexts(), (std::vector<std::string>{"创建CHD文件失败！", "创建CHD文件失败!",
                                                          "创建CHT/CHA文件失败！", "无法识别的文件类型"}));
  for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(Bytes(dir_.File(names[i])), before[i]) << names[i];
  EXPECT_FALSE(fs::exists(hole_ + ".tarnix-new"));
  EXPECT_FALSE(fs::exists(dir_.File("hole.txt")));
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_EQ(ui_.title, title);
}

TEST_F(DocLifecycle, RewritingADataFileAnotherTestUsesIsConfirmedFirst) {
  Open(hole_);
  const std::string cht = Bytes(hole_), chd = Bytes(dir_.File("hole.CHD"));
  const std::string cha = dir_.File("hole.CHA");
  const auto expectQuestionNaming = [&](const std::string& other) {
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ui_.messages[0].defaultAnswer, MessageAnswer::No);
    EXPECT_TRUE(Contains(ui_.messages[0].text, other)) << ui_.messages[0].text;
    ui_.messages.clear();
  };

  ui_.answers = {MessageAnswer::No};
  EXPECT_FALSE(doc_->OnSaveDocument(cha));
  expectQuestionNaming("hole.CHT");
  ui_.files = {cha};
  ui_.answers = {MessageAnswer::No};
  doc_->OnFileSaveResult();
  expectQuestionNaming("hole.CHT");
  EXPECT_FALSE(fs::exists(cha));
  EXPECT_EQ(Bytes(hole_), cht);
  EXPECT_EQ(Bytes(dir_.File("hole.CHD")), chd);
  EXPECT_EQ(doc_->PathName(), hole_);

  ui_.files = {cha};
  ui_.answers = {MessageAnswer::Yes};
  doc_->OnFileSaveResult();
  expectQuestionNaming("hole.CHT");
  EXPECT_EQ(doc_->PathName(), cha);

  // The other way round the result file is the one named.
  const std::string chaBytes = Bytes(cha), dataBytes = Bytes(dir_.File("hole.CHD"));
  ui_.answers = {MessageAnswer::No};
  EXPECT_FALSE(doc_->OnSaveDocument(hole_));
  expectQuestionNaming("hole.CHA");
  EXPECT_EQ(Bytes(cha), chaBytes);
  EXPECT_EQ(Bytes(dir_.File("hole.CHD")), dataBytes);
  DocumentTestAccess::Header(*doc_).site = "新场地";
  ui_.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(doc_->OnSaveDocument(hole_));
  expectQuestionNaming("hole.CHA");
  EXPECT_TRUE(Bytes(hole_) != cht);
}

TEST_F(DocLifecycle, SaveModifiedAsksAndSavesThroughTheDialog) {
  EXPECT_TRUE(doc_->SaveModified());
  EXPECT_TRUE(ui_.messages.empty());
  Open(hole_);
  struct Case {
    MessageAnswer answer;
    std::optional<std::string> file;
    bool continues;
  };
  const Case cases[] = {
      {MessageAnswer::Yes, std::nullopt, false},            // dialog cancelled
      {MessageAnswer::Yes, dir_.File("saved.txt"), false},  // save fails
      {MessageAnswer::Cancel, std::nullopt, false},
      {MessageAnswer::No, std::nullopt, true},
      {MessageAnswer::Yes, dir_.File("saved.CHT"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.value_or("no file"));
    ui_.messages.clear();
    ui_.dialogs.clear();
    ui_.answers = {c.answer};
    if (c.file) ui_.files = {*c.file};
    doc_->SetModifiedFlag();
    EXPECT_EQ(doc_->SaveModified(), c.continues);
    EXPECT_EQ(doc_->IsModified(), !c.continues);
    ASSERT_FALSE(ui_.messages.empty());
    EXPECT_EQ(ui_.messages[0].text, "数据已经修改，是否保存");
    EXPECT_EQ(ui_.messages[0].buttons, MessageButtons::YesNoCancel);
    ASSERT_EQ(ui_.dialogs.size(), c.answer == MessageAnswer::Yes ? 1u : 0u);
    if (ui_.dialogs.empty()) continue;
    const FileDialogRequest& d = ui_.dialogs[0];
    EXPECT_TRUE(d.save);
    EXPECT_EQ(d.filter, "声波原始文件 (*.CHT)|*.CHT|声波结果文件 (*.CHA)|*.CHA|All Files (*.*)|*.*||");
    EXPECT_EQ(d.proposedName, hole_);
    EXPECT_TRUE(d.defaultExtension.empty());
    EXPECT_EQ(d.flags & kOverwritePrompt, kOverwritePrompt);
  }
  EXPECT_TRUE(fs::exists(dir_.File("saved.CHT")));
}

TEST_F(DocLifecycle, ClosingTheFrameWithUnsavedChanges) {
  Open(hole_);
  EXPECT_EQ(doc_->QueryFrameClose(false), FrameClose::Close);
  doc_->SetModifiedFlag();
  EXPECT_EQ(doc_->QueryFrameClose(true), FrameClose::ClosePreviewOnly);
  EXPECT_TRUE(ui_.messages.empty());
  struct Case {
    std::deque<MessageAnswer> answers;
    std::optional<std::string> file;
    FrameClose result;
    size_t questions;
  };
  const Case cases[] = {
      {{MessageAnswer::Cancel}, std::nullopt, FrameClose::Stay, 1},
      {{MessageAnswer::Yes}, std::nullopt, FrameClose::Stay, 1},
      // No hands over to the document, which asks once more.
      {{MessageAnswer::No, MessageAnswer::Cancel}, std::nullopt, FrameClose::Stay, 2},
      {{MessageAnswer::No, MessageAnswer::No}, std::nullopt, FrameClose::Close, 2},
      {{MessageAnswer::Yes}, dir_.File("closing.CHT"), FrameClose::Close, 1},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    ui_.messages.clear();
    ui_.answers = cases[i].answers;
    if (cases[i].file) ui_.files = {*cases[i].file};
    doc_->SetModifiedFlag();
    EXPECT_EQ(doc_->QueryFrameClose(false), cases[i].result);
    EXPECT_EQ(ui_.messages.size(), cases[i].questions);
    for (const auto& m : ui_.messages) EXPECT_EQ(m.text, "数据已经修改，是否保存");
  }
  EXPECT_TRUE(fs::exists(dir_.File("closing.CHT")));
}

TEST_F(DocLifecycle, SaveResultCommandEndsWithTheStoredFileOpen) {
  doc_->OnFileSaveResult();
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"请先打开文件!"});
  EXPECT_TRUE(ui_.dialogs.empty());

  Open(hole_);
  AddDrillingLayer();
  const int pick = doc_->Section(0).points[3].arrivalIndex + 2;
  // A hand pick, stored as it stands (it holds in both coordinates).
  DocumentTestAccess::Section(*doc_, 0).points[3].arrivalIndex = DocumentTestAccess::Section(*doc_, 0).points[3].autoArrivalIndex = pick;
  doc_->SetModifiedFlag();
  ui_.files = {dir_.File("res.CHA")};
  doc_->OnFileSaveResult();

  ASSERT_EQ(ui_.dialogs.size(), 1u);
  EXPECT_EQ(ui_.dialogs[0].filter, "声波结果文件 (*.CHA)|*.CHA||");
  EXPECT_EQ(ui_.dialogs[0].defaultExtension, "CHA");
  ASSERT_EQ(hole_.find('.'), dir_.File("hole").size()) << "the temporary folder must hold no dot";
  EXPECT_EQ(ui_.dialogs[0].proposedName, dir_.File("hole"));
  EXPECT_GE(ui_.maxWaitDepth, 1);
  EXPECT_EQ(ui_.waitDepth, 0);
  EXPECT_EQ(doc_->PathName(), dir_.File("res.CHA"));
  EXPECT_EQ(ui_.title, kTitle + "res.CHA");
  EXPECT_EQ(recent_.Entries().front(), dir_.File("res.CHA"));
  EXPECT_FALSE(doc_->IsModified());
  EXPECT_EQ(doc_->Layers().picName, std::vector<std::string>{"花岗岩"});
  EXPECT_EQ(doc_->Section(0).points[3].arrivalIndex, pick);
}

TEST_F(DocLifecycle, SaveResultStoresTheRecordNotTheFilteredView) {
  DocumentTestAccess::Filter(*doc_, 0).lowPassOn = true;
  DocumentTestAccess::Filter(*doc_, 0).lowPassKHz = 10.0f;
  Open(hole_);
  const auto raw = doc_->Section(0).points[4].rawSamples;
  ASSERT_NE(doc_->Section(0).points[4].samples, raw);
  ui_.files = {dir_.File("res.CHA")};
  doc_->OnFileSaveResult();
  ASSERT_EQ(doc_->PathName(), dir_.File("res.CHA"));
  EXPECT_EQ(doc_->Section(0).points[4].rawSamples, raw);
}

TEST_F(DocLifecycle, OpenCommandsAndTheRecentList) {
  Open(hole_);
  ASSERT_TRUE(doc_->OnSaveDocument(dir_.File("res.CHA")));
  Open(hole_);
  // Opening a result file asks about unsaved changes first.
  doc_->SetModifiedFlag();
  ui_.files = {dir_.File("res.CHA")};
  ui_.answers = {MessageAnswer::Cancel};
  doc_->OnFileOpenResult();
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"数据已经修改，是否保存"});
  EXPECT_EQ(doc_->PathName(), hole_);
  ui_.files = {dir_.File("res.CHA")};
  ui_.answers = {MessageAnswer::No};
  doc_->OnFileOpenResult();
  EXPECT_EQ(ui_.dialogs.back().filter, "声波结果文件 (*.CHA)|*.CHA||");
  EXPECT_EQ(doc_->PathName(), dir_.File("res.CHA"));
  EXPECT_EQ(ui_.title, kTitle + "res.CHA");
  EXPECT_FALSE(doc_->IsModified());

  ui_.files = {hole_};
  doc_->OnFileOpen();  // the framework's open
  EXPECT_EQ(ui_.dialogs.back().proposedName, dir_.File("res"));
  EXPECT_EQ(recent_.Entries(), (std::vector<std::string>{hole_, dir_.File("res.CHA")}));
  for (const char* p : {"/a.CHT", "/b.CHT", "/c.CHA", "/x/../b.CHT"}) recent_.Add(p);
  EXPECT_EQ(recent_.Entries(), (std::vector<std::string>{"/b.CHT", "/c.CHA", "/a.CHT", hole_}));
  recent_.Add("rel.CHT");  // kept absolute, so it opens from any folder
  EXPECT_EQ(recent_.Entries().front(), (std::filesystem::current_path() / "rel.CHT").string());
  recent_.Remove("/c.CHA");
  EXPECT_EQ(recent_.Entries().size(), 3u);
}

}  // namespace
}  // namespace tarnix
