// Reading a file that ought to be a regular file: a drawing, a script, a settings file, an
// internet shortcut, a list of recent files, a browser's history. Whatever stands at the path,
// opening it never waits: a named pipe or a device is opened without blocking, recognised for
// what it is and closed again, so that a FIFO left where a file belongs cannot freeze tzad and
// /dev/zero cannot fill its memory.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <limits>
#include <string>

namespace platform {

// What a kind of file is called in messages: "a folder", "a named pipe (FIFO)", ...
std::string fileKindName(mode_t mode);

// A regular file open for reading, closed when the object goes.
class RegularFile {
 public:
  // Opens `path`, following symbolic links. When that fails or the path names something other
  // than a regular file, ok() is false and error() says why, to follow "PATH: " ("not a
  // regular file but a named pipe (FIFO)").
  explicit RegularFile(const std::string& path);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const struct stat& status() const { return status_; }
  // The open's errno when the file could not be opened; 0 otherwise (ENOENT: there is none).
  int openError() const { return openError_; }
  const std::string& error() const { return error_; }

 private:
  int fd_ = -1;
  int openError_ = 0;
  struct stat status_ {};
  std::string error_;
};

struct FileText {
  std::string text;
  std::string error;    // empty when the text was read; otherwise why not, as error() says
  bool absent = false;  // nothing at the path at all, which many callers take as empty
  bool ok() const { return error.empty(); }
};

// The whole content of a regular file, refused when it holds more than `limit` bytes (also
// when it grows past that while being read, as files in /proc may).
FileText readRegularFile(const std::string& path,
                         size_t limit = std::numeric_limits<size_t>::max());

}  // namespace platform
