#pragma once
// The project and hole texts of a test header, as the project form edits them
// and the report's header block prints them.
#include <string>

#include "model/test_header.h"

namespace tarnix {

struct HeaderTexts {
  std::string site;    // project name
  std::string unit;    // testing organisation
  std::string person;  // tester
  std::string holeId;
  std::string holeHeight;  // collar elevation
  std::string holeDepth;
  std::string holeX;
  std::string holeY;
  std::string holeDate;  // drilling date
  std::string testDate;

  bool operator==(const HeaderTexts&) const = default;
};

HeaderTexts TextsOf(const TestHeader& h);
void ApplyTexts(TestHeader& h, const HeaderTexts& t);

}  // namespace tarnix
