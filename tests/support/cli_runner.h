#pragma once
// Runs the built tarnix-cli as a script would.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace tarnix::test {

struct CliRun {
  int code = -1;
  std::string out;  // stdout and stderr together
};

inline CliRun Cli(const std::string& args) {
  CliRun r;
  const std::string command = std::string(TARNIX_CLI) + " " + args + " 2>&1";
  std::FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return r;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), p)) > 0) r.out.append(buffer.data(), n);
  const int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace tarnix::test
