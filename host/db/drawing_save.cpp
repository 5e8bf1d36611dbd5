// Saving a drawing. Records are copied byte for byte in file order; only records that were
// changed or added carry new text. The old file stays intact until the new one is complete
// (db/file_replacement.h).
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/translation.h"
#include "db/database_impl.h"
#include "db/file_replacement.h"
#include "db/packed_link.h"

using tzad::tr;
using tzad::tr8;

bool TzDbDatabaseImpl::updateHandseedForSave() {
  // A file without a header (a minimal R12 file) does without the handle seed too.
  if (!fileHasHandles || header == kNoRecord) return true;
  // The header as it stands now: an undo may have put an older seed back.
  unsigned long long seed = 0;
  if (auto written = headerVar("$HANDSEED")) parseHandle(*written, seed);
  if (handseedNeeded <= seed) return true;
  if (!setHeaderVar("$HANDSEED", 5, formatHandle(nextHandle))) return false;
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

void TzDbDatabaseImpl::adoptFile(const std::u16string& path) {
  fileName = path;
  fileOnDisk = identifyFile(u16ToPath(path));
  modified = true;
  journal.clear();
  journal.neverSaved();
}

bool TzDbDatabaseImpl::writeCopy(const std::string& file) const {
  FileReplacement out(file);
  return out.ok() && writeRecords(out.fd()) && out.commit({});
}

bool TzDbDatabaseImpl::save(const std::u16string& path, bool keepBackup) {
  UndoJournal::Pause notAStep(journal);
  std::string file = u16ToPath(path);
  if (file.empty()) {
    fail(tr("cannot save: no file name"));
    return false;
  }
  std::string target = saveTarget(path);
  // A link that took the drawing's place is no version of the drawing: none is kept of it.
  bool replacesLink = target == file && isSymbolicLink(file);
  if (!replacesLink && isNotAFile(target)) {
    fail(tr8("{0}: cannot save: it is a folder or another non-file; nothing was changed", {file}));
    return false;
  }
  if (!replacesLink && isReadOnlyFile(target)) {
    fail(tr8("{0}: cannot save: the file is read-only; the file on disk is unchanged", {file}));
    return false;
  }
  if (!updateHandseedForSave()) {
    fail(tr8("{0}: cannot save: not enough memory; the file on disk is unchanged", {file}));
    return false;
  }
  FileReplacement out(target);
  if (!out.ok()) {
    fail(tr8("{0}: cannot save: {1}", {file, out.error()}));
    return false;
  }
  struct stat written {};
  if (!writeRecords(out.fd()) || ::fstat(out.fd(), &written) != 0) {
    fail(tr8("{0}: cannot save: {1}; the file on disk is unchanged", {file, std::strerror(errno)}));
    return false;
  }
  if (!out.commit(keepBackup && !replacesLink ? backupNameOf(target) : std::string())) {
    fail(tr8("{0}: cannot save: {1}; the file on disk is unchanged", {file, out.error()}));
    return false;
  }
  fileName = path;
  fileOnDisk = FileIdentity::of(written);
  fileWasLink = isSymbolicLink(file);
  savedFile = target;
  modified = false;
  journal.saved();
  return true;
}
