#include "platform/automation/word_server.h"

#include <gtest/gtest.h>

#include <fstream>

#include "formats/mono_bitmap.h"
#include "platform/automation/docx_writer.h"
#include "platform/automation/word_document.h"
#include "support/temp_dir.h"
#include "support/zip_entries.h"

namespace tarnix::automation {
namespace {

std::int32_t I(int v) { return v; }

struct Started {
  explicit Started(const std::string& path)
      : servers(OfficeOutput{path, "", ""}, [this](const FinishedFile& f) { files.push_back(f); }) {
    app = servers.Create("word.application");  // identifiers compare without case
    Call(AsObject(Get(app, word::kDocuments)), word::kAdd, {std::string(), false, I(0), Missing{}});
    selection = AsObject(Get(app, word::kSelection));
  }
  std::vector<FinishedFile> files;
  OfficeServers servers;
  DispatchPtr app;
  DispatchPtr selection;
};

TEST(WordServerTest, XmlTextEscapesMarkupAndLeavesOutWhatXmlForbids) {
  EXPECT_EQ(XmlText("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&apos;f");
  EXPECT_EQ(XmlText("宋体\t1\x01\x1f\x0b"), "宋体\t1");
  // Bytes that are not UTF-8 (a stray byte, an overlong form, a surrogate)
  // become the replacement character.
  EXPECT_EQ(XmlText("x\xff" "y"), "x\xEF\xBF\xBDy");
  EXPECT_EQ(XmlText("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(XmlText("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(XmlText("\xE4\xB8"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // cut short
}

TEST(WordServerTest, MergedCellsCountAsTheWordProcessorCountsThem) {
  Table t(6, 4, ParagraphFormat{});
  SetText(t.At(0, 0).content, "A", {});
  SetText(t.At(0, 1).content, "B", {});
  ASSERT_TRUE(t.Merge(0, 2, 0, 3));
  ASSERT_TRUE(t.Merge(0, 0, 0, 1));
  EXPECT_EQ(t.GridColumn(0, 1), 2);
  EXPECT_EQ(t.GridColumn(0, 2), -1);
  EXPECT_EQ(t.At(0, 0).content.size(), 2u);  // the texts join as paragraphs
  EXPECT_EQ(t.At(0, 2).content.size(), 1u);  // empty cells add nothing
  // Over two rows: the lower row still shows the merged cell.
  ASSERT_TRUE(t.Merge(3, 1, 4, 2));
  EXPECT_EQ(t.GridColumn(4, 1), 1);
  EXPECT_EQ(t.GridColumn(4, 2), 3);
  EXPECT_EQ(t.At(3, 1).rowSpan, 2);
  EXPECT_EQ(t.At(3, 1).colSpan, 2);
  // An area that cuts through a merged cell is refused.
  EXPECT_FALSE(t.Merge(4, 0, 4, 1));
  EXPECT_FALSE(t.Merge(2, 2, 3, 2));
  EXPECT_FALSE(t.Merge(0, 0, 9, 9));
}

TEST(WordServerTest, ReleaseWritesTheDocumentAndQuitWithoutSavingDiscardsIt) {
  test::TempDir dir;
  {
    Started word(dir.File("kept.docx"));
    Put(word.app, word::kVisible, true);
    Call(word.selection, word::kTypeParagraph);
    word.app.reset();
    ASSERT_EQ(word.files.size(), 1u);
    EXPECT_TRUE(word.files[0].error.empty());
    EXPECT_TRUE(word.files[0].visible);
    EXPECT_EQ(test::ZipEntries(dir.File("kept.docx")).count("word/document.xml"), 1u);
  }
  {
    Started word(dir.File("dropped.docx"));
    Call(word.app, word::kQuit, {I(0), I(1), I(0)});
    word.app.reset();
    EXPECT_TRUE(word.files.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("dropped.docx")));
  }
}

TEST(WordServerTest, APictureIsTakenWhenAddedAndAnUnreadableOneIsRefused) {
  test::TempDir dir;
  const std::string picture = dir.File("Config0.bmp");
  WriteMonoBitmap(picture, MonoBitmap(40, 20));
  const std::string first = EncodeMonoBitmap(MonoBitmap(40, 20));
  Started word(dir.File("pictures.docx"));
  const auto add = [&](const std::string& file) {
    const DispatchPtr shapes = AsObject(Get(AsObject(Get(word.selection, word::kSelectionRange)), word::kInlineShapes));
    return Call(shapes, word::kAddPicture, {file, false, true, Missing{}});
  };
  EXPECT_NE(AsObject(add(picture)), nullptr);
  WriteMonoBitmap(picture, MonoBitmap(8, 8));  // the next page's picture of the same name
  std::ofstream(dir.File("damaged.bmp")) << "BM not a bitmap";
  EXPECT_TRUE(IsEmpty(add(dir.File("damaged.bmp"))));
  EXPECT_TRUE(IsEmpty(add(dir.File("missing.bmp"))));
  word.app.reset();
  const auto entries = test::ZipEntries(dir.File("pictures.docx"));
  ASSERT_EQ(entries.count("word/media/image1.bmp"), 1u);
  EXPECT_EQ(entries.at("word/media/image1.bmp"), first);
  EXPECT_EQ(entries.count("word/media/image2.bmp"), 0u);
  EXPECT_NE(entries.at("[Content_Types].xml").find("Extension=\"bmp\" ContentType=\"image/bmp\""), std::string::npos);
}

}  // namespace
}  // namespace tarnix::automation
