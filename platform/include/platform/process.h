// Running another program directly (never through a shell): each argument reaches it as
// exactly one argument, whatever characters it holds.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ProgramResult {
  int exitStatus = -1;    // -1 when the program could not be started or did not exit normally
  int startError = 0;     // errno when it could not be started (ENOENT: no such program)
  bool timedOut = false;  // it was still running at the deadline, and was killed
  std::string output;     // its standard output, when captured
  std::string errors;     // its standard error, when captured
};

// What is kept of the program's output; what is not captured goes where tzad's own goes.
enum class Capture { Nothing, Output, OutputAndErrors };

// Without a timeout, waits for as long as the program runs; with one (in milliseconds), a
// program that has neither ended nor closed its output by then is killed.
ProgramResult runProgram(const std::vector<std::string>& argv, Capture capture = Capture::Nothing,
                         int timeoutMs = -1);

// A program started and left to run (a viewer that stays open): what its start gave.
struct StartedProgram {
  int pid = -1;
  int startError = 0;  // errno when it could not be started
};
StartedProgram startProgram(const std::vector<std::string>& argv);
// Its exit status (-1 for a signal) once it has ended, waiting at most `ms` milliseconds and
// calling `whileWaiting` between looks; nothing when it still runs. An ended program is reaped.
std::optional<int> exitStatusWithin(int pid, int ms, const std::function<void()>& whileWaiting);

}  // namespace platform
