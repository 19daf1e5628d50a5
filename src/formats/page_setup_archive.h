#pragma once
// The page settings record in the settings archive, in its persisted order.
#include "formats/settings_archive.h"
#include "model/page_setup.h"

namespace tarnix {

void WritePageSetup(ArchiveWriter& out, const PageSetup& p);
// Fields not in the archive (the reserved ones) keep their defaults.
PageSetup ReadPageSetup(ArchiveReader& in);

// The record as one field of a longer field list (settings_file_fields.h).
inline void PageSetupField(ArchiveSaver& a, const PageSetup& p) { WritePageSetup(a.out, p); }
inline void PageSetupField(ArchiveLoader& a, PageSetup& p) { p = ReadPageSetup(a.in); }

}  // namespace tarnix
