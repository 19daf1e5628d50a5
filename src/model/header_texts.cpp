#include "model/header_texts.h"

namespace tarnix {

HeaderTexts TextsOf(const TestHeader& h) {
  return {h.site, h.unit, h.person, h.m_holeID, h.m_holeHeight, h.m_holeDepth, h.m_holeX, h.m_holeY, h.m_holeDate,
          h.date};
}

void ApplyTexts(TestHeader& h, const HeaderTexts& t) {
  h.site = t.site;
  h.unit = t.unit;
  h.person = t.person;
  h.m_holeID = t.holeId;
  h.m_holeHeight = t.holeHeight;
  h.m_holeDepth = t.holeDepth;
  h.m_holeX = t.holeX;
  h.m_holeY = t.holeY;
  h.m_holeDate = t.holeDate;
  h.date = t.testDate;
}

}  // namespace tarnix
