// The settings file's binary archive and the page settings record in it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "formats/page_setup_archive.h"
#include "formats/settings_archive.h"

namespace tarnix {
namespace {

// Archive bytes typed independently of the writer.
std::string Le32(uint32_t v) {
  std::string b;
  for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  return b;
}

// An ASCII text in the Unicode archive form with a one-byte length.
std::string Text(const std::string& ascii) {
  std::string b = "\xFF\xFE\xFF" + std::string(1, static_cast<char>(ascii.size()));
  for (char c : ascii) b += std::string{c, '\0'};
  return b;
}

std::string Written(const std::string& utf8) {
  ArchiveWriter w;
  w.String(utf8);
  return w.Bytes();
}

TEST(SettingsArchive, ScalarsAreLittleEndian) {
  ArchiveWriter w;
  w.Int32(0x01020304);
  w.Int32(-2);
  w.Float(1.5f);
  w.Byte(0xAB);
  w.Bool(true);
  EXPECT_EQ(w.Bytes(), std::string("\x04\x03\x02\x01\xFE\xFF\xFF\xFF\x00\x00\xC0\x3F\xAB\x01", 14));
  ArchiveReader r(w.Bytes());
  EXPECT_EQ(r.Int32(), 0x01020304);
  EXPECT_EQ(r.Int32(), -2);
  EXPECT_EQ(r.Float(), 1.5f);
  EXPECT_EQ(r.Byte(), 0xAB);
  EXPECT_TRUE(r.Bool());
  EXPECT_TRUE(r.AtEnd());
}

// The length prefix grows at 255 and 0xFFFE UTF-16 units.
TEST(SettingsArchive, StringLengthPrefixes) {
  const struct {
    size_t units;
    std::string prefix;
  } cases[] = {
      {0, std::string("\xFF\xFE\xFF\x00", 4)},
      {254, "\xFF\xFE\xFF\xFE"},
      {255, std::string("\xFF\xFE\xFF\xFF\xFF\x00", 6)},
      {0xFFFD, "\xFF\xFE\xFF\xFF\xFD\xFF"},
      {0xFFFE, std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFE\xFF\x00\x00", 10)},
      {70000, std::string("\xFF\xFE\xFF\xFF\xFF\xFF\x70\x11\x01\x00", 10)},
  };
  for (const auto& [units, prefix] : cases) {
    SCOPED_TRACE(units);
    const std::string text(units, 'a');
    const std::string bytes = Written(text);
    ASSERT_EQ(bytes.size(), prefix.size() + 2 * units);
    EXPECT_EQ(bytes.substr(0, prefix.size()), prefix);
    if (units > 0) {
      EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string("a\0", 2));
    }
    ArchiveReader r(bytes);
    EXPECT_EQ(r.String(), text);
    EXPECT_TRUE(r.AtEnd());
  }
  // Units, not characters or bytes: one for a Chinese character, two for a
  // character outside the basic plane.
  EXPECT_EQ(Written("中"), "\xFF\xFE\xFF\x01\x2D\x4E");
  EXPECT_EQ(Written("\xF0\x9F\x98\x80"), std::string("\xFF\xFE\xFF\x02\x3D\xD8\x00\xDE", 8));  // U+1F600
  const std::string mixed = "岩\xF0\x9F\x98\x80x\xF0\xA0\x80\x80";            // U+20000
  const std::string bytes = Written(mixed);
  ArchiveReader r(bytes);
  EXPECT_EQ(r.String(), mixed);
}

TEST(SettingsArchive, ReadsArchivesOfTheEarlierProgram) {
  // 300 times "岩" (U+5CA9) in the Unicode form with a 16-bit length, then an int.
  std::string bytes = "\xFF\xFE\xFF\xFF\x2C\x01";
  for (int i = 0; i < 300; ++i) bytes += "\xA9\x5C";
  bytes += Le32(77);
  // Older ANSI strings have no marker and hold GBK bytes: "坝址", then 300 'x'.
  bytes += "\x04\xB0\xD3\xD6\xB7";
  bytes += "\xFF\x2C\x01" + std::string(300, 'x');

  ArchiveReader r(bytes);
  std::string rock;
  for (int i = 0; i < 300; ++i) rock += "岩";
  EXPECT_EQ(r.String(), rock);
  EXPECT_EQ(r.Int32(), 77);
  EXPECT_EQ(r.String(), "坝址");
  EXPECT_EQ(r.String(), std::string(300, 'x'));
  EXPECT_TRUE(r.AtEnd());
}

TEST(SettingsArchive, DamagedArchivesThrow) {
  ArchiveWriter w;
  w.Int32(5);
  w.String("坝址 dam");
  w.Float(2.5f);
  w.String(std::string(300, 'q'));
  const std::string whole = w.Bytes();
  for (size_t n = 0; n < whole.size(); ++n) {
    ArchiveReader r(std::string_view(whole).substr(0, n));
    EXPECT_THROW(
        {
          r.Int32();
          r.String();
          r.Float();
          r.String();
        },
        ArchiveError)
        << n << " bytes";
  }
  // Absurd lengths must fail before anything of that size is allocated.
  for (const std::string& length : {Le32(0xFFFFFFFF), Le32(0x7FFFFFF0), Le32(0x00100000)}) {
    const std::string unicode = "\xFF\xFE\xFF\xFF\xFF\xFF" + length + "ab";
    const std::string ansi = "\xFF\xFF\xFF" + length + "ab";
    EXPECT_THROW(ArchiveReader(unicode).String(), ArchiveError);
    EXPECT_THROW(ArchiveReader(ansi).String(), ArchiveError);
  }
}

TEST(PageSetupArchive, PersistedOrder) {
  // Every persisted field gets a value of its own, so any reordering shows.
  PageSetup p;
  int32_t* const ints[] = {&p.curveEnable,      &p.curveType,          &p.curveParameter,
                           &p.borderWidth,      &p.gridWidth,          &p.topMargin,
                           &p.leftMargin,       &p.bottomMargin,       &p.rightMargin,
                           &p.gutter,           &p.gutterPosition,     &p.printReportPages,
                           &p.printWaveTrainPages, &p.printCurvePages, &p.waveTrainPaging,
                           &p.sectionsPerPage,  &p.printPageNumbers,   &p.pageNumberPosition,
                           &p.firstPageNumber,  &p.pageNumberFormat,   &p.printHeader,
                           &p.headerHeight,     &p.headerPosition,     &p.headerFont,
                           &p.printFooter,      &p.footerHeight,       &p.footerPosition,
                           &p.footerFont,       &p.instrumentNumber,   &p.headerBlockFormat};
  for (int i = 0; i < 30; ++i) *ints[i] = 100 + i;
  p.instrumentModel = "KVT-Q9";
  p.headerText = "Head";
  p.footerText = "Foot";

  std::string expected;
  for (int i = 0; i < 16; ++i) expected += Le32(100 + i);
  expected += Text("KVT-Q9");
  for (int i = 16; i < 24; ++i) expected += Le32(100 + i);
  expected += Text("Head");
  for (int i = 24; i < 28; ++i) expected += Le32(100 + i);
  expected += Text("Foot");
  expected += Le32(128) + Le32(129);

  ArchiveWriter w;
  WritePageSetup(w, p);
  EXPECT_EQ(w.Bytes(), expected);

  // The reserved fields are not in the record: they come back as defaults.
  PageSetup written = p;
  written.reservedA = {7, 7, 7, 7, 7, 7};
  written.reservedC = {9, 9, 9};
  written.reservedD = 4;
  written.reservedTextA = "r";
  ArchiveWriter again;
  WritePageSetup(again, written);
  EXPECT_EQ(again.Bytes(), expected);
  ArchiveReader r(expected);
  EXPECT_EQ(ReadPageSetup(r), p);
  EXPECT_TRUE(r.AtEnd());

  // The default record: 1 first, the model after sixteen ints, 146 bytes.
  ArchiveWriter defaults;
  WritePageSetup(defaults, PageSetup{});
  const std::string& d = defaults.Bytes();
  ASSERT_EQ(d.size(), 146u);
  EXPECT_EQ(d.substr(0, 4), Le32(1));
  EXPECT_EQ(d.substr(60, 4), Le32(3));
  EXPECT_EQ(d.substr(64, 18), Text("KVT-QX7"));
  EXPECT_EQ(d.substr(138, 4), Le32(2));
}

}  // namespace
}  // namespace tarnix
