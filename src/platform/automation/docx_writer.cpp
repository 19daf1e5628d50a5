#include "platform/automation/docx_writer.h"

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "base/c_text.h"
#include "formats/staged_file.h"

namespace tarnix::automation {
namespace {

// A4 portrait with 20 mm margins, in twentieths of a point.
constexpr int kPageWidth = 11906;
constexpr int kPageHeight = 16838;
constexpr int kMargin = 1134;
constexpr int kTextWidth = kPageWidth - 2 * kMargin;
constexpr int kTextHeight = kPageHeight - 2 * kMargin;
constexpr int kCellMargin = 108;  // left and right inside every cell
constexpr int kEmuPerTwip = 635;
constexpr double kEmuPerInch = 914400.0;
// Line heights are estimated generously, so that a picture fitted to what is
// left of its page does not run over it.
constexpr double kLineFactor = 1.35;
constexpr int kPictureSlack = 240;

constexpr char kMainNs[] = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr char kRelNs[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr char kPackageRelNs[] = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// One code point from UTF-8 at i; -1 for a byte that begins no valid sequence.
long DecodeUtf8(const std::string& s, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  const int extra = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  if (extra < 0 || s.size() - i <= static_cast<size_t>(extra)) {
    ++i;
    return -1;
  }
  long cp = lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return -1;
    }
    cp = cp << 6 | (byte(i + k) & 0x3F);
  }
  static const long kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return -1;
  }
  i += extra + 1;
  return cp;
}

std::string PictureId(size_t index) { return "rIdPicture" + std::to_string(index + 1); }

std::string Attribute(const std::string& text) { return "\"" + XmlText(text) + "\""; }

std::string Twips(int v) { return CFormat("\"%d\"", v); }

int LineHeight(double points) { return static_cast<int>(std::ceil(points * 20.0 * kLineFactor)); }

std::string RunProperties(const RunFormat& f) {
  std::string x = "<w:rPr>";
  if (!f.font.empty()) {
    const std::string face = Attribute(f.font);
    x += "<w:rFonts w:ascii=" + face + " w:hAnsi=" + face + " w:eastAsia=" + face + " w:cs=" + face + "/>";
  }
  if (f.bold) x += "<w:b/><w:bCs/>";
  const int halfPoints = std::clamp(static_cast<int>(std::lround(f.size * 2.0)), 2, 3276);
  x += CFormat("<w:sz w:val=\"%d\"/><w:szCs w:val=\"%d\"/>", halfPoints, halfPoints);
  return x + "</w:rPr>";
}

std::string SectionProperties() {
  return "<w:sectPr><w:type w:val=\"nextPage\"/><w:pgSz w:w=" + Twips(kPageWidth) + " w:h=" + Twips(kPageHeight) +
         "/><w:pgMar w:top=" + Twips(kMargin) + " w:right=" + Twips(kMargin) + " w:bottom=" + Twips(kMargin) +
         " w:left=" + Twips(kMargin) + " w:header=\"567\" w:footer=\"567\" w:gutter=\"0\"/></w:sectPr>";
}

// document.xml, with the pictures it refers to in the order of their ids.
class DocumentXml {
 public:
  std::string Write(const WordDocument& doc) {
    out_ = kXmlDeclaration;
    out_ += std::string("<w:document xmlns:w=\"") + kMainNs + "\" xmlns:r=\"" + kRelNs +
            "\" xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
            " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
            " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><w:body>";
    WriteBlocks(doc.body, kTextWidth);
    out_ += SectionProperties() + "</w:body></w:document>";
    return out_;
  }

  // The relationship id of a picture, the first time it is met a new one.
  std::vector<const Picture*> pictures;

 private:
  void WriteBlocks(const Blocks& blocks, int width) {
    for (const Block& b : blocks) {
      if (const Paragraph* p = std::get_if<Paragraph>(&b)) {
        WriteParagraph(*p, width);
      } else {
        WriteTable(*std::get<std::shared_ptr<Table>>(b), width);
      }
    }
    // A cell and the body end with a paragraph.
    if (blocks.empty() || !std::holds_alternative<Paragraph>(blocks.back())) out_ += "<w:p/>";
  }

  void WriteParagraph(const Paragraph& p, int width) {
    static const char* const kAlign[] = {"left", "center", "right", "both"};
    out_ += "<w:p><w:pPr><w:jc w:val=\"";
    out_ += kAlign[std::clamp(p.format.alignment, 0, 3)];
    out_ += "\"/>" + RunProperties(p.format.mark);
    if (p.endsSection) out_ += SectionProperties();
    out_ += "</w:pPr>";
    int height = LineHeight(p.format.mark.size);
    int pictureHeight = 0;
    for (const Run& r : p.runs) {
      height = std::max(height, LineHeight(r.format.size));
      if (r.picture) {
        pictureHeight = std::max(pictureHeight, WritePicture(*r.picture, r.format, width));
      } else {
        WriteText(r);
      }
    }
    out_ += "</w:p>";
    used_ += std::max(height, pictureHeight);
    if (used_ > kTextHeight) used_ %= kTextHeight;  // it ran onto the next page
    if (p.endsSection) used_ = 0;
  }

  void WriteText(const Run& r) {
    out_ += "<w:r>" + RunProperties(r.format);
    std::string piece;
    const auto flush = [&] {
      if (!piece.empty()) out_ += "<w:t xml:space=\"preserve\">" + XmlText(piece) + "</w:t>";
      piece.clear();
    };
    for (char ch : r.text) {
      if (ch == '\t' || ch == '\n') {
        flush();
        out_ += ch == '\t' ? "<w:tab/>" : "<w:br/>";
      } else {
        piece += ch;
      }
    }
    flush();
    out_ += "</w:r>";
  }

  // The picture at its own size, made smaller to fit the width and the rest
  // of the page; returns its height in twips.
  int WritePicture(const Picture& picture, const RunFormat& format, int width) {
    double cx = picture.width / picture.dpiX * kEmuPerInch;
    double cy = picture.height / picture.dpiY * kEmuPerInch;
    // A line is kept free below: the paragraph that follows a table.
    int left = kTextHeight - used_ - LineHeight(format.size) - kPictureSlack;
    if (left < kTextHeight / 4) left = kTextHeight - kPictureSlack;  // it goes to the next page
    const double scale = std::min({1.0, std::max(width, 1) * double(kEmuPerTwip) / cx, left * double(kEmuPerTwip) / cy});
    cx = std::max(1.0, std::floor(cx * scale));
    cy = std::max(1.0, std::floor(cy * scale));
    const auto found = std::find(pictures.begin(), pictures.end(), &picture);
    const size_t index = found - pictures.begin();
    if (found == pictures.end()) pictures.push_back(&picture);
    const int id = ++drawings_;
    const std::string extent = CFormat("cx=\"%.0f\" cy=\"%.0f\"", cx, cy);
    out_ += "<w:r>" + RunProperties(format) + "<w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">";
    out_ += "<wp:extent " + extent + "/><wp:docPr id=\"" + std::to_string(id) + "\" name=\"Picture " +
            std::to_string(id) + "\"/><wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/>"
            "</wp:cNvGraphicFramePr><a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/"
            "2006/picture\"><pic:pic><pic:nvPicPr><pic:cNvPr id=\"0\" name=" +
            Attribute(picture.name) + "/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\"" +
            PictureId(index) + "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm>" +
            "<a:off x=\"0\" y=\"0\"/><a:ext " + extent +
            "/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
            "</a:graphic></wp:inline></w:drawing></w:r>";
    return static_cast<int>(cy / kEmuPerTwip);
  }

  // A table spans the width it stands in: the text's, or its cell's.
  void WriteTable(const Table& t, int tableWidth) {
    if (t.rows <= 0 || t.columns <= 0) return;
    tableWidth = std::max(tableWidth, t.columns * 4 * kCellMargin);  // deep in other tables, still room for text
    static const char* const kAlign[] = {"left", "center", "right"};
    out_ += "<w:tbl><w:tblPr><w:tblW w:w=" + Twips(tableWidth) + " w:type=\"dxa\"/><w:jc w:val=\"";
    out_ += kAlign[std::clamp(t.alignment, 0, 2)];
    out_ += "\"/>";
    if (t.borders) {
      out_ += "<w:tblBorders>";
      for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        out_ += std::string("<w:") + side + " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>";
      }
      out_ += "</w:tblBorders>";
    }
    out_ += "<w:tblLayout w:type=\"fixed\"/><w:tblCellMar><w:left w:w=" + Twips(kCellMargin) +
            " w:type=\"dxa\"/><w:right w:w=" + Twips(kCellMargin) + " w:type=\"dxa\"/></w:tblCellMar></w:tblPr>";
    std::vector<int> grid(static_cast<size_t>(t.columns), std::max(tableWidth / t.columns, 1));
    grid.back() += std::max(tableWidth - grid.back() * t.columns, 0);
    out_ += "<w:tblGrid>";
    for (int w : grid) out_ += "<w:gridCol w:w=" + Twips(w) + "/>";
    out_ += "</w:tblGrid>";
    int rowTop = used_;
    for (int r = 0; r < t.rows; ++r) {
      out_ += "<w:tr>";
      int rowHeight = 0;
      for (int c = 0; c < t.columns;) {
        int r0 = r, c0 = c;
        t.Origin(r, c, r0, c0);
        const TableCell& cell = t.At(r0, c0);
        int width = 0;
        for (int k = c0; k < c0 + cell.colSpan && k < t.columns; ++k) width += grid[static_cast<size_t>(k)];
        out_ += "<w:tc><w:tcPr><w:tcW w:w=" + Twips(width) + " w:type=\"dxa\"/>";
        if (cell.colSpan > 1) out_ += CFormat("<w:gridSpan w:val=\"%d\"/>", cell.colSpan);
        if (cell.rowSpan > 1 || r0 < r) out_ += r0 < r ? "<w:vMerge/>" : "<w:vMerge w:val=\"restart\"/>";
        if (cell.verticalAlignment != 0) out_ += cell.verticalAlignment == 1 ? "<w:vAlign w:val=\"center\"/>"
                                                                             : "<w:vAlign w:val=\"bottom\"/>";
        out_ += "</w:tcPr>";
        used_ = rowTop;
        if (r0 == r) {
          WriteBlocks(cell.content, width - 2 * kCellMargin);
        } else {
          out_ += "<w:p/>";  // the rows below a vertical merge hold an empty paragraph
        }
        rowHeight = std::max(rowHeight, used_ - rowTop);
        out_ += "</w:tc>";
        c = c0 + cell.colSpan;
      }
      out_ += "</w:tr>";
      rowTop += rowHeight;
    }
    out_ += "</w:tbl>";
    used_ = rowTop % kTextHeight;
  }

  std::string out_;
  int used_ = 0;  // twips of the current page above the next block, estimated
  int drawings_ = 0;
};

std::string Styles() {
  return std::string(kXmlDeclaration) + "<w:styles xmlns:w=\"" + kMainNs +
         "\"><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Times New Roman\" w:hAnsi=\"Times New "
         "Roman\" w:eastAsia=\"宋体\" w:cs=\"Times New Roman\"/><w:sz w:val=\"21\"/><w:szCs w:val=\"21\"/>"
         "<w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\"/></w:rPr></w:rPrDefault><w:pPrDefault><w:pPr>"
         "<w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault>"
         "</w:docDefaults><w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
         "w:val=\"Normal\"/><w:qFormat/></w:style><w:style w:type=\"table\" w:default=\"1\" "
         "w:styleId=\"TableNormal\"><w:name w:val=\"Normal Table\"/><w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/>"
         "<w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/><w:bottom w:w=\"0\" "
         "w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr></w:style></w:styles>";
}

std::string Relationship(const std::string& id, const std::string& type, const std::string& target) {
  return "<Relationship Id=\"" + id + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
         "relationships/" + type + "\" Target=" + Attribute(target) + "/>";
}

// The package in memory: libzip reads its sources only when it closes.
bool Zip(const std::vector<PackagePart>& parts, std::string& bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (memory == nullptr) return false;
  zip_source_keep(memory);
  zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, &error);
  bool ok = archive != nullptr;
  for (size_t i = 0; ok && i < parts.size(); ++i) {
    zip_source_t* s = zip_source_buffer(archive, parts[i].bytes.data(), parts[i].bytes.size(), 0);
    if (s == nullptr || zip_file_add(archive, parts[i].name.c_str(), s, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(s);
      ok = false;
    }
  }
  if (archive != nullptr) {
    if (ok) {
      ok = zip_close(archive) == 0;
      if (!ok) zip_discard(archive);
    } else {
      zip_discard(archive);
    }
  }
  if (ok && zip_source_open(memory) == 0) {
    zip_source_seek(memory, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(memory);
    zip_source_seek(memory, 0, SEEK_SET);
    bytes.resize(size > 0 ? static_cast<size_t>(size) : 0);
    ok = size > 0 && zip_source_read(memory, bytes.data(), static_cast<zip_uint64_t>(size)) == size;
    zip_source_close(memory);
  } else {
    ok = false;
  }
  zip_source_free(memory);
  zip_error_fini(&error);
  return ok;
}

}  // namespace

std::string XmlText(const std::string& text) {
  std::string x;
  x.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t from = i;
    const long cp = DecodeUtf8(text, i);
    if (cp < 0) {
      x += "\xEF\xBF\xBD";
      continue;
    }
    if ((cp < 0x20 && cp != '\t' && cp != '\n' && cp != '\r') || cp == 0xFFFE || cp == 0xFFFF) continue;
    switch (cp) {
      case '&': x += "&amp;"; break;
      case '<': x += "&lt;"; break;
      case '>': x += "&gt;"; break;
      case '"': x += "&quot;"; break;
      case '\'': x += "&apos;"; break;
      default: x.append(text, from, i - from);
    }
  }
  return x;
}

std::vector<PackagePart> DocxParts(const WordDocument& doc) {
  DocumentXml document;
  std::string body = document.Write(doc);
  std::string types = std::string(kXmlDeclaration) +
                      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
                      "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>";
  std::map<std::string, std::string> extensions;
  for (const Picture* p : document.pictures) extensions.emplace(p->extension, p->contentType);
  for (const auto& [extension, type] : extensions) {
    types += "<Default Extension=" + Attribute(extension) + " ContentType=" + Attribute(type) + "/>";
  }
  types += "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-"
           "officedocument.wordprocessingml.document.main+xml\"/><Override PartName=\"/word/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/></Types>";
  std::vector<PackagePart> parts;
  parts.push_back({"[Content_Types].xml", types});
  parts.push_back({"_rels/.rels", std::string(kXmlDeclaration) + "<Relationships xmlns=\"" + kPackageRelNs + "\">" +
                                      Relationship("rId1", "officeDocument", "word/document.xml") +
                                      "</Relationships>"});
  std::string rels = std::string(kXmlDeclaration) + "<Relationships xmlns=\"" + kPackageRelNs + "\">" +
                     Relationship("rIdStyles", "styles", "styles.xml");
  std::vector<PackagePart> media;
  for (size_t i = 0; i < document.pictures.size(); ++i) {
    const Picture& p = *document.pictures[i];
    const std::string target = "media/image" + std::to_string(i + 1) + "." + p.extension;
    rels += Relationship(PictureId(i), "image", target);
    media.push_back({"word/" + target, p.bytes});
  }
  parts.push_back({"word/_rels/document.xml.rels", rels + "</Relationships>"});
  parts.push_back({"word/document.xml", std::move(body)});
  parts.push_back({"word/styles.xml", Styles()});
  parts.insert(parts.end(), std::make_move_iterator(media.begin()), std::make_move_iterator(media.end()));
  return parts;
}

bool WriteDocx(const std::string& path, const WordDocument& doc) {
  std::string bytes;
  if (!Zip(DocxParts(doc), bytes)) return false;
  StagedFile file(path);
  return file.IsOpen() && file.Write(bytes) && file.Commit();
}

}  // namespace tarnix::automation
