#pragma once
// The subcommands of tarnix-cli. Each returns the process exit code: 0 done,
// 1 a file could not be read or written (message on stderr), 2 a usage error.
#include <string>
#include <vector>

namespace tarnix::cli {

using Args = std::vector<std::string>;

int RunInfo(const Args& args);
int RunTable(const Args& args);
int RunDump(const Args& args);
int RunStats(const Args& args);
int RunSynth(const Args& args);
int RunSaveResult(const Args& args);
int RunPick(const Args& args);
int RunBatch(const Args& args);
int RunExport(const Args& args);
int RunLayers(const Args& args);
int RunMerge(const Args& args);
int RunReport(const Args& args);
int RunWave(const Args& args);

// Prints the usage line of a subcommand to stderr and returns 2.
int UsageError(const std::string& message);

}  // namespace tarnix::cli
