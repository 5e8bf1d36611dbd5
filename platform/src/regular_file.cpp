#include "platform/regular_file.h"
#include "platform/translation.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

std::string sizeText(size_t bytes) {
  if (bytes % (1024 * 1024) == 0) return std::to_string(bytes / (1024 * 1024)) + " MiB";
  if (bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KiB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string fileKindName(mode_t mode) {
  switch (mode & S_IFMT) {
    case S_IFREG:
      return tr("a regular file");
    case S_IFDIR:
      return tr("a folder");
    case S_IFIFO:
      return tr("a named pipe (FIFO)");
    case S_IFCHR:
      return tr("a character device");
    case S_IFBLK:
      return tr("a block device");
    case S_IFSOCK:
      return tr("a socket");
    case S_IFLNK:
      return tr("a symbolic link");
    default:
      return tr("of an unknown kind");
  }
}

RegularFile::RegularFile(const std::string& path) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer, for good.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    openError_ = errno;
    error_ = trf("cannot open the file ({0})", {std::strerror(errno)});
    return;
  }
  if (::fstat(fd, &status_) != 0) {
    error_ = trf("cannot examine the file ({0})", {std::strerror(errno)});
    ::close(fd);
    return;
  }
  if (!S_ISREG(status_.st_mode)) {
    error_ = trf("not a regular file but {0}", {fileKindName(status_.st_mode)});
    ::close(fd);
    return;
  }
  // Reads wait for data as usual; for a regular file the flag meant nothing anyway.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  fd_ = fd;
}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
}

FileText readRegularFile(const std::string& path, size_t limit) {
  FileText result;
  RegularFile file(path);
  if (!file.ok()) {
    result.error = file.error();
    result.absent = file.openError() == ENOENT;
    return result;
  }
  auto size = static_cast<size_t>(file.status().st_size);
  if (size > limit) {
    result.error = trf("the file is larger than {0}", {sizeText(limit)});
    return result;
  }
  result.text.reserve(size);
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(file.fd(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.error = trf("cannot read the file ({0})", {std::strerror(errno)});
      result.text.clear();
      return result;
    }
    if (n == 0) return result;
    if (static_cast<size_t>(n) > limit - result.text.size()) {
      result.error = trf("the file is larger than {0}", {sizeText(limit)});
      result.text.clear();
      return result;
    }
    result.text.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace platform
