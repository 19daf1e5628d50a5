// tarnix-cli report on the bundled sample with layers: a PDF with as many
// pages as the pagination gives, and usage errors. TARNIX_KEEP_REPORT=DIR
// keeps the result file and the PDF there, to look at the pages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "support/cli_runner.h"
#include "support/sample_document.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

int PdfPages(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::regex page("/Type\\s*/Page[^s]");
  return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

TEST(CliReportTest, WritesTheReportPagesOfTheSampleWithLayers) {
  test::TempDir dir;
  const std::string hole = dir.File("ZK01.CHA");
  test::SampleDocument sample;
  CTarnixDoc& doc = sample.doc;
  ASSERT_TRUE(doc.OnOpenDocument(test::kSamplePath));
  const float m = doc.MinValidDepth();
  for (float at : {3.0f, 7.5f, 12.0f}) ASSERT_TRUE(doc.AddBoundary(LayerColumn::Result, m + at));
  doc.EnterLayerParameters(1, {2000, 0.25f, 2650, 5000}, {1, 1, 1});
  const char* rocks[] = {"砂岩", "泥岩", "花岗岩"};
  for (int k = 0; k < 3; ++k) {
    ASSERT_TRUE(doc.AddBoundary(LayerColumn::Log, m + 2.0f + 5.0f * k));
    doc.SetLayerLithology(k, rocks[k]);
    doc.SetLayerDescription(k, std::string(rocks[k]) + "，灰色，中风化，节理较发育");
  }
  doc.RecalcLayers();
  ASSERT_TRUE(doc.OnSaveDocument(hole));

  const std::string pdf = dir.File("ZK01.pdf");
  const auto run = test::Cli("report " + hole + " --pdf " + pdf + " --pages all");
  ASSERT_EQ(run.code, 0) << run.out;
  std::smatch counts;
  ASSERT_TRUE(std::regex_search(run.out, counts, std::regex("(\\d+) pages \\((\\d+) curve, (\\d+) wave-train, (\\d+) report\\)")))
      << run.out;
  EXPECT_EQ(PdfPages(pdf), std::stoi(counts[1]));
  // 19.8 m at 1:100 on A4 at 600 dpi: A = 4677 pixels, within one page of each kind.
  EXPECT_EQ(counts[2], "1");
  EXPECT_EQ(counts[3], "1");
  EXPECT_EQ(counts[4], "1");
  EXPECT_EQ(PdfPages(pdf), 3);

  EXPECT_EQ(test::Cli("report " + hole + " --pdf " + dir.File("r.pdf")).code, 0);
  EXPECT_EQ(PdfPages(dir.File("r.pdf")), 1);
  EXPECT_EQ(test::Cli("report " + hole + " --pdf " + pdf + " --pages some").code, 2);
  EXPECT_EQ(test::Cli("report " + hole).code, 2);
  EXPECT_EQ(test::Cli("report " + dir.File("none.CHT") + " --pdf " + pdf).code, 1);

  if (const char* keep = std::getenv("TARNIX_KEEP_REPORT")) {
    for (const char* name : {"ZK01.CHA", "ZK01.CHD", "ZK01.pdf"}) {
      std::filesystem::copy_file(dir.File(name), std::filesystem::path(keep) / name,
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
}

uint32_t U32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

TEST(CliReportTest, WritesOneBitmapPerPage) {
  test::TempDir dir;
  const auto run = test::Cli(std::string("report ") + test::kSamplePath + " --bmp " + dir.File("") + " --pages all");
  ASSERT_EQ(run.code, 0) << run.out;
  std::smatch count;
  ASSERT_TRUE(std::regex_search(run.out, count, std::regex("(\\d+) pages"))) << run.out;
  ASSERT_GE(std::stoi(count[1]), 3);
  for (int page = 1; page <= std::stoi(count[1]); ++page) {
    std::ifstream file(dir.File("zk01-" + std::to_string(page) + ".bmp"), std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(b.size(), 62u) << page;
    const uint32_t width = U32(b, 18), height = U32(b, 22), stride = (width + 31) / 32 * 4;
    // A4 at a fifth of 600 dpi with the 5-pixel border: about 992 x 1403.
    EXPECT_GT(width, 800u);
    EXPECT_LT(width, 1010u);
    EXPECT_GT(height, 1100u);
    EXPECT_LT(height, 1420u);
    EXPECT_EQ(b.size(), 62 + stride * ((height + 3) / 4 * 4));
    EXPECT_EQ(b[28], 1);  // bits per pixel
    EXPECT_NE(b.find('\0', 62), std::string::npos) << "the page has black pixels";
  }
  EXPECT_EQ(test::Cli(std::string("report ") + test::kSamplePath + " --bmp " + dir.File("") + " --pdf x.pdf").code, 2);
  EXPECT_EQ(test::Cli(std::string("report ") + test::kSamplePath + " --bmp " + dir.File("missing")).code, 1);
}

}  // namespace
}  // namespace tarnix
