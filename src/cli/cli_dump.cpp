// tarnix-cli dump: the whole completed model as JSON, for scripts and checks.
#include <cstdio>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/document_json.h"

namespace tarnix::cli {

int RunDump(const Args& args) {
  std::string path;
  bool withSamples = false;
  for (const std::string& a : args) {
    if (a == "--json") continue;  // JSON is the one output form
    if (a == "--samples") {
      withSamples = true;
    } else if (!a.empty() && a[0] != '-' && path.empty()) {
      path = a;
    } else {
      return UsageError("dump: unexpected argument '" + a + "'");
    }
  }
  if (path.empty()) return UsageError("dump needs a FILE");
  CliDocument opened;
  CTarnixDoc& doc = opened.doc;
  if (!opened.Open(path)) return 1;
  const Json out = DocumentJson(doc, withSamples);
  const std::string text = out.dump(1);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  return 0;
}

}  // namespace tarnix::cli
