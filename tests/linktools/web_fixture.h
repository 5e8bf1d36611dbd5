// The web checks' server of the tests' own (web_fixture.py) in a child process, on 127.0.0.1.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "test_support.h"

namespace tzt {

// The fixture server in a child process, stopped when the object goes (and by itself after two
// minutes whatever happens).
class WebFixture {
 public:
  WebFixture() {
    const std::string out = dir_.file("server.out");
    pid_ = fork();
    if (pid_ == 0) {
      const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
      dup2(fd, 1);
      dup2(fd, 2);
      execl("/usr/bin/timeout", "timeout", "120", TZT_PYTHON_FOR_WEB, "-u", TZT_WEB_FIXTURE,
            log().c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    tzt::waitUntil(
        [&] {
          std::string text = tzt::readFile(out);
          size_t at = text.find("PORT ");
          if (at != std::string::npos && text.find('\n', at) != std::string::npos)
            port_ = std::atoi(text.c_str() + at + 5);
          return port_ != 0;
        },
        10000);
  }
  ~WebFixture() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + path;
  }
  int port() const { return port_; }
  // The requests the server had, one "METHOD /path" a line.
  std::string requests() const { return tzt::readFile(log()); }
  int count(const std::string& request) const {
    std::istringstream lines(requests());
    int n = 0;
    for (std::string line; std::getline(lines, line);) n += line == request;
    return n;
  }

 private:
  std::string log() const { return dir_.file("requests.log"); }
  TempDir dir_;
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace tzt
