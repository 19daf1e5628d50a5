// tarnix-cli synth: writes a synthetic two-receiver probe test.
#include <cstdio>
#include <string>

#include "cli/cli_commands.h"
#include "synthetic/synthetic_test.h"
#include "formats/file_paths.h"
#include "formats/raw_test_writer.h"
#include "base/c_text.h"

namespace tarnix::cli {
namespace {

bool NumberArg(const std::string& text, double& out) {
  char* end = nullptr;
  out = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0';
}

}  // namespace

int RunSynth(const Args& args) {
  SynthOptions options;
  std::string out;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) return UsageError("synth: " + a + " needs a value");
    const std::string& value = args[++i];
    double v = 0;
    if (a == "--out") {
      out = value;
    } else if (!NumberArg(value, v)) {
      return UsageError("synth: " + a + " needs a number");
    } else if (a == "--points" && v >= 2 && v <= 100000) {
      options.points = static_cast<int>(v);
    } else if (a == "--seed" && v >= 0 && v <= 4294967295.0) {
      options.seed = static_cast<uint32_t>(v);
    } else if (a == "--dt" && v >= 0.05 && v <= 100) {
      options.dtUs = static_cast<float>(v);
    } else if (a == "--snr" && v >= -20 && v <= 200) {
      options.snrDb = v;
    } else {
      return UsageError("synth: bad option or value " + a + " " + value);
    }
  }
  if (out.empty() || !IsRawTestPath(out)) return UsageError("synth needs --out PATH.CHT");
  const SyntheticTest test = MakeSyntheticTest(options);
  WriteRawTest(out, test.header, test.sections, false);
  std::printf("%s\n", CFormat("wrote %s and %s: %d points per receiver, dT %.2f us, SNR %.0f dB",
                              out.c_str(), DataFilePath(out).c_str(), options.points, options.dtUs,
                              options.snrDb)
                          .c_str());
  return 0;
}

}  // namespace tarnix::cli
