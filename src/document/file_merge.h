#pragma once
// Building one raw test from several test files: each loaded file's sections are
// assigned to pairs of pipes of the merged test, taken over with Merge and
// written with Save. Independent of the open document; the merge dialog and
// `tarnix-cli merge` drive it, and it tells the user through UiServices.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "analysis/merge_pairs.h"
#include "document/ui_services.h"
#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

// One section of the loaded file, as its row of the dialog shows it.
struct MergeRow {
  std::string label;                 // "s-d" of a section in use, else empty
  std::vector<std::string> targets;  // ends with "不并入"; empty while disabled
  int choice = -1;                   // index into targets, -1 none
  bool Enabled() const { return !targets.empty(); }
  std::string Chosen() const { return choice >= 0 ? targets[choice] : std::string(); }
};

// The editable fields, filled from each loaded file and written into the
// merged header on save.
struct MergeFields {
  std::string inst, holeId, date, site, unit, person;
  float holeDepth = 0.0f;  // "孔深(m)"
  float pileD = 0.0f;      // "孔径(mm)"
  int aporeDeg = 0;        // "偏移角"
  int pipeCount = 3;       // "管数" while not set automatically
};

class FileMerge {
 public:
  static constexpr int kMinPipeCount = 2;

  explicit FileMerge(UiServices& ui);
  ~FileMerge();

  // Loads a .CHT, .CHS or .RTX file; any other name is ignored. False when the
  // file is ignored or refused (the message shown); the previous file then
  // stays loaded.
  bool Load(const std::string& path);
  // Takes the chosen sections over into the merged test. False when a pair
  // needs more pipes than the loaded file has ("管数错误！").
  bool Merge(float holeDepth);
  // Asks for the path, then writes the merged test; false when cancelled or failed.
  bool Save(float holeDepth);
  bool SaveTo(const std::string& path, float holeDepth);
  void Clear();

  void SetAutoPipeCount(bool on);
  bool AutoPipeCount() const { return autoPipeCount_; }
  // The pipe-count list: 2..5 pipes.
  void SetPipeCount(int count);
  int PipeCount() const;
  // False (the row keeps its choice) when another row already has the target.
  bool Choose(int row, const std::string& target);
  void SetAporeDeg(int degrees);

  MergeFields& Fields() { return fields_; }
  const MergeFields& Fields() const { return fields_; }
  const std::vector<std::string>& Sites() const { return sites_; }
  const std::vector<std::string>& Units() const { return units_; }
  const std::vector<std::string>& Persons() const { return persons_; }
  const MergeRow& Row(int i) const { return rows_[i]; }
  // Which source went into a merged section; empty while it is free.
  const std::string& MergedSource(int index) const { return mergedSource_[index]; }
  bool HasLoaded() const { return haveFirst_; }
  const TestHeader& LoadedHeader() const { return loadedHeader_; }
  const Sections& LoadedSections() const { return *loadedSections_; }
  const TestHeader& MergedHeader() const { return mergedHeader_; }
  const Sections& MergedSections() const { return *mergedSections_; }
  bool MergedStarted() const { return mergedStarted_; }
  // The pairs whose merged sections are in use.
  std::vector<PipePair> MergedPairs() const;

 private:
  bool ReadFile(const std::string& path, TestHeader& header, Sections& sections);
  bool CheckAgainstLoaded(const TestHeader& header);
  void FillFields();
  void FillRows();
  // "孔深(m)": becomes the merged hole length when at least one spacing.
  bool ApplyHoleDepth(float depth);
  void StartMerged();
  bool Write(const std::string& path);

  UiServices& ui_;
  TestHeader loadedHeader_;
  std::unique_ptr<Sections> loadedSections_;
  TestHeader mergedHeader_;
  std::unique_ptr<Sections> mergedSections_;
  std::array<std::string, kSectionCount> mergedSource_;
  std::array<MergeRow, kSectionCount> rows_;
  bool haveFirst_ = false;
  bool rowsOpen_ = false;  // from a load until its merge
  bool mergedStarted_ = false;
  PipePair firstPair_;
  bool autoPipeCount_ = true;
  MergeFields fields_;
  std::vector<std::string> sites_, units_, persons_;
  std::string loadedName_;
};

}  // namespace tarnix
