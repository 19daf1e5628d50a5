#pragma once
// A WordDocument as a .docx: our own WordprocessingML parts in a zip package.
// Pages are A4 portrait; tables span the text width in equal grid columns; a
// picture keeps its proportions and is made smaller where it would not fit
// the width of its cell or the height left on its page.
#include <string>
#include <vector>

#include "platform/automation/word_document.h"

namespace tarnix::automation {

struct PackagePart {
  std::string name;  // "word/document.xml"
  std::string bytes;
};

// Every part of the package, [Content_Types].xml first.
std::vector<PackagePart> DocxParts(const WordDocument& doc);

// The package written beside `path` and moved over it; false when the file
// cannot be written (an older file stays whole).
bool WriteDocx(const std::string& path, const WordDocument& doc);

// Text as XML character data: markup characters escaped, bytes that are not
// UTF-8 replaced, characters XML forbids (most control characters) left out.
std::string XmlText(const std::string& text);

}  // namespace tarnix::automation
