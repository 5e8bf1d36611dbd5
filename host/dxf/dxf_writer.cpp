// Writing a drawing. Records are copied byte for byte in file order; only records that were
// changed or added carry new text. The file is written beside the target and renamed over it,
// so a failed save leaves the old drawing intact.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "db/database_impl.h"
#include "db/packed_link.h"

bool TzDbDatabaseImpl::updateHandseedForSave() {
  // A file without a header (a minimal R12 file) does without the handle seed too.
  if (!fileHasHandles || header == kNoRecord || handseedNeeded <= fileHandseed) return true;
  if (!setHeaderVar("$HANDSEED", 5, formatHandle(nextHandle))) return false;
  fileHandseed = nextHandle;
  return true;
}

namespace {

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Collects writes into large blocks so a drawing of many small records costs few calls.
class BufferedFile {
 public:
  explicit BufferedFile(int fd) : fd_(fd) { buffer_.reserve(kSize); }
  bool write(std::string_view data) {
    if (buffer_.size() + data.size() > kSize && !flush()) return false;
    if (data.size() >= kSize) return writeAll(fd_, data);
    buffer_.append(data);
    return true;
  }
  bool flush() {
    bool ok = writeAll(fd_, buffer_);
    buffer_.clear();
    return ok;
  }

 private:
  static constexpr size_t kSize = 1 << 20;
  int fd_;
  std::string buffer_;
};

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool TzDbDatabaseImpl::writeRecords(int fd) const {
  BufferedFile out(fd);
  std::string unpacked;
  for (uint32_t i = head; i != kNoRecord; i = at(i).next) {
    const TzDbStub& r = at(i);
    if (r.has(kRecErased) || r.has(kRecVirtual)) continue;
    std::string_view xdata = text.view(r.xdata);
    if (r.has(kRecPackedLink)) {
      unpacked.clear();
      writePackedLink(xdata, codec, eol, unpacked);
      xdata = unpacked;
    }
    if (!out.write(text.view(r.body)) || !out.write(xdata)) return false;
  }
  return out.flush();
}

bool TzDbDatabaseImpl::save(const std::u16string& path) {
  std::string file = u16ToPath(path);
  if (file.empty()) {
    fail("cannot save: no file name");
    return false;
  }
  if (!updateHandseedForSave()) {
    fail(file + ": cannot save: not enough memory; the file on disk is unchanged");
    return false;
  }
  std::string temp = file + ".tzad-XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    fail(file + ": cannot save: cannot create a file in " + folderOf(file) + " (" +
         std::strerror(errno) + ")");
    return false;
  }
  bool ok = writeRecords(fd) && ::fsync(fd) == 0;
  int writeErrno = errno;
  ok = (::close(fd) == 0) && ok;
  // A saved drawing keeps the permissions of the file it replaces.
  struct stat old {};
  if (ok) ::chmod(temp.c_str(), ::stat(file.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
  if (!ok || ::rename(temp.c_str(), file.c_str()) != 0) {
    if (ok) writeErrno = errno;
    ::unlink(temp.c_str());
    fail(file + ": cannot save: " + std::strerror(writeErrno) + "; the file on disk is unchanged");
    return false;
  }
  fileName = path;
  modified = false;
  return true;
}
