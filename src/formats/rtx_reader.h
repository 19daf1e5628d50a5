#pragma once
// The older instrument's test: a text file ".RTX" (keys, then one table whose
// first row also carries the parameters) and its data file ".RDA" with both
// channels' waveforms of a depth one after the other.
#include <string>

#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

// Reads textPath and its data file into header (fields without a key keep their
// values) and ten fresh sections: channel 1 as section 0 (pipes 1-2), channel 2
// as section 1 (pipes 1-3). Throws FileError; on failure header and sections are
// left as they were.
void ReadRtxTest(const std::string& textPath, TestHeader& header, Sections& sections);

}  // namespace tarnix
