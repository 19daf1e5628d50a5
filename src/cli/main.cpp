// tarnix-cli: the headless batch tool for scripting and checking.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "formats/file_error.h"

namespace {

const char kUsage[] =
    "usage: tarnix-cli [--settings SETTINGS.ini] <command> [options]\n"
    "FILE is a raw test (.CHT) or a result file (.CHA) with its data file beside it.\n"
    "--settings reads the desktop's settings file (filters, display, report settings);\n"
    "without it every command uses the defaults.\n"
    "  info FILE                     header and sections in use\n"
    "  table FILE                    per-depth times, velocities, amplitudes and Vp\n"
    "  stats FILE [--json]           the statistics block of the sections in use\n"
    "  layers FILE [--recalc] [--method 1|2] [--json]\n"
    "                                both layer columns; --recalc recomputes the test-result layers\n"
    "  dump FILE [--json] [--samples]\n"
    "                                the completed test as JSON\n"
    "  pick IN [--high-pass KHZ|off] [--low-pass KHZ|off] [--json] [--out OUT.CHA] [--yes]\n"
    "                                pick every section automatically; Vp per depth\n"
    "  save-result IN --out OUT.CHA [--range FIRST:LAST] [--yes]\n"
    "                                write a result file of the test IN\n"
    "  batch [--jobs N] [--pick] [--high-pass KHZ|off] [--low-pass KHZ|off] [--result-dir DIR]\n"
    "        [--xlsx-dir DIR] [--docx-dir DIR] [--pdf-dir DIR] [--bmp-dir DIR] [--las-dir DIR]\n"
    "        [--summary OUT.csv] [--timing] PATH...\n"
    "                                every test under the files and folders, on N workers;\n"
    "                                result files, workbooks, word-processor reports, report\n"
    "                                PDFs, page bitmaps (a folder per test), LAS logs and a CSV\n"
    "                                overview; damaged files are listed\n"
    "  export IN (--xlsx OUT.xlsx | --las OUT.las | --csv OUT.csv | --docx OUT.docx) [--section S]\n"
    "                                a receiver pair (S: its first section) as the workbook of\n"
    "                                \"导出到EXCEL\", or its per-depth log; or the word-processor\n"
    "                                report, one table and picture per page\n"
    "  report IN (--pdf OUT.pdf | --bmp DIR) [--pages report|curve|wave|all]\n"
    "                                the report's pages as a PDF (A4, 600 dpi), or one 1-bit bitmap per\n"
    "                                page at 120 dpi (HOLE-N.bmp); without --pages the\n"
    "                                report pages, or the kinds of the --settings file\n"
    "  wave IN --depth M [--section S] (--out X.CHT | --bmp X.bmp) [--yes]\n"
    "                                the point at depth M as a one-point raw test, or its two\n"
    "                                receivers' waveforms and read-outs as a 1-bit bitmap\n"
    "  synth --out PATH.CHT [--points N] [--seed S] [--dt US] [--snr DB]\n"
    "                                write a synthetic two-receiver probe test\n"
    "  merge --out OUT.CHT [--pipes N] [--depth M] FILE:SECTION=PAIR...\n"
    "                                merge sections of .CHT, .CHS and .RTX files into one raw test;\n"
    "                                SECTION 0-based, PAIR s-d (pipes 1-5), up or down\n";

// The lines of the usage that describe one command, or empty.
std::string CommandUsage(const std::string& command) {
  const std::string text = kUsage;
  const std::string start = "\n  " + command + " ";
  const size_t from = text.find(start);
  if (from == std::string::npos) return "";
  size_t end = text.find('\n', from + 1);
  // Continuation lines are indented deeper than the command names.
  while (end != std::string::npos && text.compare(end + 1, 4, "    ") == 0) end = text.find('\n', end + 1);
  return "usage: tarnix-cli [--settings SETTINGS.ini] " + text.substr(from + 3, end - from - 2);
}

}  // namespace

namespace tarnix::cli {

int UsageError(const std::string& message) {
  // A command's own mistake shows that command's usage only.
  const std::string usage = CommandUsage(message.substr(0, message.find_first_of(": ")));
  std::fprintf(stderr, "tarnix-cli: %s\n%s", message.c_str(), usage.empty() ? kUsage : usage.c_str());
  return 2;
}

}  // namespace tarnix::cli

int main(int argc, char** argv) {
  using namespace tarnix::cli;
  Args all(argv + 1, argv + argc);
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i] != "--settings") continue;
    if (i + 1 >= all.size()) return UsageError("--settings needs a FILE");
    if (std::FILE* f = std::fopen(all[i + 1].c_str(), "rb")) {
      std::fclose(f);
    } else {
      std::fprintf(stderr, "tarnix-cli: cannot read the settings file '%s'\n", all[i + 1].c_str());
      return 1;
    }
    SetSettingsFile(all[i + 1]);
    all.erase(all.begin() + static_cast<std::ptrdiff_t>(i), all.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    break;
  }
  if (all.empty()) return UsageError("no command");
  const std::string command = all[0];
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "--version") {
    std::printf("tarnix-cli %s\n", TARNIX_VERSION);
    return 0;
  }
  if (const std::string usage = CommandUsage(command);
      !usage.empty() && std::find_if(all.begin() + 1, all.end(), [](const std::string& a) {
                          return a == "--help" || a == "-h";
                        }) != all.end()) {
    std::fputs(usage.c_str(), stdout);
    return 0;
  }
  const Args args(all.begin() + 1, all.end());
  try {
    if (command == "info") return RunInfo(args);
    if (command == "table") return RunTable(args);
    if (command == "dump") return RunDump(args);
    if (command == "stats") return RunStats(args);
    if (command == "layers") return RunLayers(args);
    if (command == "synth") return RunSynth(args);
    if (command == "save-result") return RunSaveResult(args);
    if (command == "pick") return RunPick(args);
    if (command == "batch") return RunBatch(args);
    if (command == "export") return RunExport(args);
    if (command == "merge") return RunMerge(args);
    if (command == "report") return RunReport(args);
    if (command == "wave") return RunWave(args);
  } catch (const tarnix::FileError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarnix-cli: %s\n", e.what());
    return 1;
  }
  return UsageError("unknown command '" + command + "'");
}
