#pragma once
// Reading the blocks that raw tests and result files share, and the waveforms
// from the data file beside the text.
#include <string>

#include "formats/key_text.h"
#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

// Largest waveform length accepted from a file: anything longer is damage, and
// must not turn into a huge allocation.
inline constexpr int kMaxDatLen = 1048576;

// The instrument writes a DatLen of 512 as 5121.
inline int FixDatLen(int datLen) { return datLen == 5121 ? 512 : datLen; }

// Reads textPath and its data file. header is both the starting point (fields
// the file has no key for keep their values) and the result; sections receive
// ten fresh records. Throws FileError with the user-facing message; on failure
// header and sections are left exactly as they were. When text is given it
// receives the file's lower-cased text for the caller's further blocks.
void ReadTestFilePair(const std::string& textPath, TestHeader& header, Sections& sections,
                      KeyText* text = nullptr);

}  // namespace tarnix
