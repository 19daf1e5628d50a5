#include "formats/raw_test_writer.h"

#include <algorithm>

#include "formats/file_error.h"
#include "formats/file_paths.h"
#include "formats/staged_file.h"
#include "formats/text_blocks.h"
#include "formats/text_codec.h"

namespace tarnix {
namespace {

// In range mode the written hole runs over the first used section's range.
TestHeader RangeHeader(const TestHeader& h, const Sections& sections) {
  TestHeader copy = h;
  for (const SectionRecord& s : sections) {
    if (!s.valid) continue;
    float span = 0;
    if (s.RangeSpan(span) && span != copy.pileLen) {
      copy.pileLen = span;
      const int pipes = std::clamp(copy.pipeNum, 0, kMaxPipes);
      for (int i = 0; i < pipes; ++i) copy.pipeDepth[i] = span;
    }
    break;
  }
  return copy;
}

}  // namespace

void WriteFilePair(const std::string& textPath, const std::string& textBytes,
                   const std::string& dataBytes, const char* textError, const char* dataError) {
  StagedFile text(textPath);
  if (!text.IsOpen()) throw FileError(textError);
  StagedFile data(DataFilePath(textPath));
  if (!data.IsOpen()) throw FileError(dataError);
  if (!text.Write(textBytes) || !text.Close()) throw FileError(textError);
  if (!data.Write(dataBytes) || !data.Close()) throw FileError(dataError);
  if (!data.Commit()) throw FileError(dataError);
  if (!text.Commit()) throw FileError(textError);
}

void WriteRawTest(const std::string& textPath, const TestHeader& header, const Sections& sections,
                  bool rangeMode) {
  const TestHeader h = rangeMode ? RangeHeader(header, sections) : header;
  const int sectionCount = (h.pipeNum - 1) * h.pipeNum / 2;
  std::string text = HeaderBlock(h, false) + kCrLf + PipeBlock(h) + kCrLf;
  text += SectionBlock(sections, sectionCount) + kCrLf;
  text += DefectTable(sections) + kCrLf;
  text += SectionParaTable(h, sections) + kCrLf;
  text += RayTableHead(false);
  RayRows rows = BuildRayRows(h, sections, rangeMode, false);
  text += rows.text;
  WriteFilePair(textPath, EncodeGbk(text), rows.data, "创建CHT/CHA文件失败！", "创建CHD文件失败！");
}

}  // namespace tarnix
