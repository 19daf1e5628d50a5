#pragma once
// Writing a raw test: the text file and its data file.
#include <string>

#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

// rangeMode false: every point with absolute depths; true: each section's
// evaluated range with depths relative to its shallowest point, and the hole
// length of the written header set to the range's span. Both files are written
// beside their targets and replace them only when both are complete. Throws
// FileError with the user-facing message.
void WriteRawTest(const std::string& textPath, const TestHeader& header, const Sections& sections,
                  bool rangeMode);

// Commits a text/data pair written through StagedFile; throws the given
// messages when either file cannot be written.
void WriteFilePair(const std::string& textPath, const std::string& textBytes,
                   const std::string& dataBytes, const char* textError, const char* dataError);

}  // namespace tarnix
