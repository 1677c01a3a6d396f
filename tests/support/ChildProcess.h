// Runs a program of the build as a child process and collects what it writes: for tests of command
// line tools, in both builds (under Wine the child is a Windows process too).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bus::test {

struct ChildResult {
  int exitCode = -1;  // the program's exit status; -1 when it could not be run or was killed
  std::string out;    // everything written to stdout, bytes as written
  std::string err;    // everything written to stderr
};

// Runs program with args (UTF-8), waits for it at most timeoutSeconds (then kills it).
ChildResult RunChild(const std::filesystem::path& program, const std::vector<std::string>& args,
                     int timeoutSeconds = 60);

}  // namespace bus::test
