// tarnix-cli: the headless batch tool for scripting and checking.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "cli/cli_commands.h"
#include "formats/file_error.h"

namespace {

const char kUsage[] =
    "usage: tarnix-cli <command> [options]\n"
    "FILE is a raw test (.CHT) or a result file (.CHA) with its data file beside it.\n"
    "  info FILE                     header and sections in use\n"
    "  table FILE                    per-depth times, velocities, amplitudes and Vp\n"
    "  stats FILE [--json]           the statistics block of the sections in use\n"
    "  dump FILE [--json] [--samples]\n"
    "                                the completed test as JSON\n"
    "  pick IN [--high-pass KHZ|off] [--low-pass KHZ|off] [--json] [--out OUT.CHA] [--yes]\n"
    "                                pick every section automatically; Vp per depth\n"
    "  save-result IN --out OUT.CHA [--range FIRST:LAST] [--yes]\n"
    "                                write a result file of the test IN\n"
    "  synth --out PATH.CHT [--points N] [--seed S] [--dt US] [--snr DB]\n"
    "                                write a synthetic two-receiver probe test\n";

}  // namespace

namespace tarnix::cli {

int UsageError(const std::string& message) {
  std::fprintf(stderr, "tarnix-cli: %s\n%s", message.c_str(), kUsage);
  return 2;
}

}  // namespace tarnix::cli

int main(int argc, char** argv) {
  using namespace tarnix::cli;
  if (argc < 2) return UsageError("no command");
  const std::string command = argv[1];
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const Args args(argv + 2, argv + argc);
  try {
    if (command == "info") return RunInfo(args);
    if (command == "table") return RunTable(args);
    if (command == "dump") return RunDump(args);
    if (command == "stats") return RunStats(args);
    if (command == "synth") return RunSynth(args);
    if (command == "save-result") return RunSaveResult(args);
    if (command == "pick") return RunPick(args);
  } catch (const tarnix::FileError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarnix-cli: %s\n", e.what());
    return 1;
  }
  return UsageError("unknown command '" + command + "'");
}
