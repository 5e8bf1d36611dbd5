// Running another program directly (never through a shell): each argument reaches it as
// exactly one argument, whatever characters it holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ProgramResult {
  int exitStatus = -1;  // -1 when the program could not be started or did not exit normally
  std::string output;   // its standard output, when captured
};

ProgramResult runProgram(const std::vector<std::string>& argv, bool captureOutput = false);

}  // namespace platform
