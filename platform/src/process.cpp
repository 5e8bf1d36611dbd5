#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

extern char** environ;

namespace platform {

namespace {

// A pipe whose read end stays with tzad; both ends close when it goes.
struct Pipe {
  int fds[2] = {-1, -1};
  std::string* into = nullptr;
  ~Pipe() {
    for (int fd : fds)
      if (fd >= 0) close(fd);
  }
  bool openInto(std::string& text) {
    into = &text;
    return pipe2(fds, O_CLOEXEC) == 0;
  }
  void closeWriteEnd() {
    close(fds[1]);
    fds[1] = -1;
  }
};

using Clock = std::chrono::steady_clock;

// When waiting on a program stops: never, or at a point in time.
class Deadline {
 public:
  explicit Deadline(int timeoutMs)
      : unbounded_(timeoutMs < 0), end_(Clock::now() + std::chrono::milliseconds(timeoutMs)) {}
  bool unbounded() const { return unbounded_; }
  // What poll() is to wait: -1 for ever, else the milliseconds left, rounded up.
  int pollTimeout() const {
    if (unbounded_) return -1;
    auto left = std::chrono::ceil<std::chrono::milliseconds>(end_ - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
  }

 private:
  bool unbounded_;
  Clock::time_point end_;
};

// Reads the pipes until the program has closed them all, whichever it writes to first; false
// when the deadline comes first.
bool drain(Pipe* pipes[], int count, const Deadline& deadline) {
  pollfd polled[2];
  int stillOpen = 0;
  for (int i = 0; i < count; ++i) polled[stillOpen++] = {pipes[i]->fds[0], POLLIN, 0};
  while (stillOpen > 0) {
    int ready = poll(polled, static_cast<nfds_t>(count), deadline.pollTimeout());
    if (ready < 0) {
      if (errno == EINTR) continue;
      return true;
    }
    if (ready == 0) return false;
    for (int i = 0; i < count; ++i) {
      if (polled[i].fd < 0 || polled[i].revents == 0) continue;
      char buffer[4096];
      ssize_t n = read(polled[i].fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        polled[i].fd = -1;
        --stillOpen;
        continue;
      }
      pipes[i]->into->append(buffer, static_cast<size_t>(n));
    }
  }
  return true;
}

void reap(pid_t pid, int& status) {
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

// Waits for the program to end; false when the deadline comes first. Where the kernel offers
// no process descriptor to wait on with a timeout, the wait is unbounded.
bool awaitExit(pid_t pid, const Deadline& deadline, int& status) {
  if (!deadline.unbounded()) {
    // Through syscall(): glibc's header for pidfd_open lacks C linkage for C++.
    int process = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (process >= 0) {
      pollfd ended{process, POLLIN, 0};
      int ready;
      while ((ready = poll(&ended, 1, deadline.pollTimeout())) < 0 && errno == EINTR) {
      }
      close(process);
      if (ready == 0) return false;
    }
  }
  reap(pid, status);
  return true;
}

}  // namespace

StartedProgram startProgram(const std::vector<std::string>& argv) {
  StartedProgram started;
  if (argv.empty()) return started;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  started.startError = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started.startError == 0) started.pid = pid;
  return started;
}

std::optional<int> exitStatusWithin(int pid, int ms, const std::function<void()>& whileWaiting) {
  constexpr auto kLook = std::chrono::milliseconds(20);
  auto end = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    int status = 0;
    pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (ended < 0 && errno != EINTR) return -1;  // not ours to wait for any more
    if (Clock::now() >= end) return std::nullopt;
    if (whileWaiting) whileWaiting();
    poll(nullptr, 0, static_cast<int>(kLook.count()));
  }
}

ProgramResult runProgram(const std::vector<std::string>& argv, Capture capture, int timeoutMs) {
  ProgramResult result;
  if (argv.empty()) return result;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  Pipe output, errors;
  Pipe* captured[2];
  int count = 0;
  if (capture != Capture::Nothing) {
    if (!output.openInto(result.output)) return result;
    captured[count++] = &output;
  }
  if (capture == Capture::OutputAndErrors) {
    if (!errors.openInto(result.errors)) return result;
    captured[count++] = &errors;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (count > 0) posix_spawn_file_actions_adddup2(&actions, output.fds[1], STDOUT_FILENO);
  if (count > 1) posix_spawn_file_actions_adddup2(&actions, errors.fds[1], STDERR_FILENO);
  // The program must not read the session's input: tzad's answers come from there.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  for (int i = 0; i < count; ++i) captured[i]->closeWriteEnd();
  if (spawned != 0) {
    result.startError = spawned;
    return result;
  }
  Deadline deadline(timeoutMs);
  int status = 0;
  if (!drain(captured, count, deadline) || !awaitExit(pid, deadline, status)) {
    kill(pid, SIGKILL);
    reap(pid, status);
    result.timedOut = true;
    return result;
  }
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace platform
