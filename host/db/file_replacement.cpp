#include "db/file_replacement.h"
#include "base/translation.h"

using tzad::tr;
using tzad::tr8;

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

constexpr size_t kSuffixLength = 6;
constexpr int kNameTries = 100;

std::string randomSuffix() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
  std::string suffix;
  for (size_t i = 0; i < kSuffixLength; ++i) suffix += kChars[pick(generator)];
  return suffix;
}

// Whether `name` in the folder still is the file open as `fd`.
bool nameHolds(int folderFd, const char* name, int fd) {
  struct stat named {
  }, open{};
  return ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &open) == 0 &&
         named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

// A replacement holds its file locked until it ends, so a file of ours that can be locked was
// left by a process that died half way.
void removeLeftovers(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  int folderFd = ::dirfd(dir);
  while (dirent* entry = ::readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + kSuffixLength || name.substr(0, prefix.size()) != prefix)
      continue;
    int fd = ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && nameHolds(folderFd, entry->d_name, fd))
      ::unlinkat(folderFd, entry->d_name, 0);
    ::close(fd);
  }
  ::closedir(dir);
}

bool copyWhole(int from, int to) {
  struct stat st {};
  if (::fstat(from, &st) != 0) return false;
  off_t offset = 0;
  while (offset < st.st_size) {
    ssize_t n = ::sendfile(to, from, &offset, static_cast<size_t>(st.st_size - offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
  }
  return true;
}

void syncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

FileReplacement::FileReplacement(std::string target) : target_(std::move(target)) {
  size_t slash = target_.rfind('/');
  folder_ = slash == std::string::npos ? "." : slash == 0 ? "/" : target_.substr(0, slash);
  // Cut so that the hidden name stays within the file system's 255 bytes.
  tempPrefix_ = "." + target_.substr(slash + 1, 200) + ".tzad-";
  removeLeftovers(folder_, tempPrefix_);
  if (!openUnnamed() && error_.empty()) openNamed();
}

FileReplacement::~FileReplacement() {
  if (!committed_ && !tempName_.empty()) ::unlink(tempName_.c_str());
  if (fd_ >= 0) ::close(fd_);
}

bool FileReplacement::openUnnamed() {
  if (hiddenNamesOnly()) return false;
  fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd_ >= 0) return ::flock(fd_, LOCK_EX) == 0 || fail(tr("cannot lock the new file"));
  // EISDIR: a kernel that predates unnamed files; EOPNOTSUPP: a file system without them.
  if (errno == EOPNOTSUPP || errno == EISDIR) return false;
  return fail(tr8("cannot create a file in {0}", {folder_}));
}

bool FileReplacement::openNamed() {
  for (int i = 0; i < kNameTries; ++i) {
    std::string name = tempPrefix_ + randomSuffix();
    std::string path = folder_ + "/" + name;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return fail(tr8("cannot create a file in {0}", {folder_}));
    // Waits out another save that found the file unlocked and took it for a leftover.
    ::flock(fd, LOCK_EX);
    if (nameHolds(AT_FDCWD, path.c_str(), fd)) {
      fd_ = fd;
      tempName_ = path;
      return true;
    }
    ::close(fd);
  }
  errno = EEXIST;
  return fail(tr8("cannot create a file in {0}", {folder_}));
}

bool FileReplacement::linkAs(const std::string& path) {
  std::string self = "/proc/self/fd/" + std::to_string(fd_);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool FileReplacement::giveName() {
  for (int i = 0; i < kNameTries; ++i) {
    std::string path = folder_ + "/" + tempPrefix_ + randomSuffix();
    if (linkAs(path)) {
      tempName_ = path;
      return true;
    }
    if (errno != EEXIST) break;
  }
  return fail(tr8("cannot give the new file a name in {0}", {folder_}));
}

bool FileReplacement::putInPlace(const std::string& backup) {
  if (!tempName_.empty()) return false;
  struct stat replaced {};
  if (::lstat(target_.c_str(), &replaced) != 0) return linkAs(target_);
  if (backup.empty() || backup == target_) return false;
  if (::unlink(backup.c_str()) != 0 && errno != ENOENT) return false;
  if (!linkAs(backup)) return false;
  reached(Step::Named);
  if (::renameat2(AT_FDCWD, backup.c_str(), AT_FDCWD, target_.c_str(), RENAME_EXCHANGE) == 0) {
    reached(Step::Swapped);
    return true;
  }
  ::unlink(backup.c_str());
  return false;
}

void FileReplacement::matchReplacedFile() {
  struct stat replaced {
  }, made{};
  // A link in the target's place is replaced, not followed: the file it names is not the one
  // being replaced, so its mode and owner are not the new file's.
  if (::lstat(target_.c_str(), &replaced) != 0 || S_ISLNK(replaced.st_mode) ||
      ::fstat(fd_, &made) != 0)
    return;
  // Only root may give a file to another owner; a user may still give it a group of theirs.
  // Failing both, the file stays the saver's.
  bool differs = made.st_uid != replaced.st_uid || made.st_gid != replaced.st_gid;
  if (differs && ::fchown(fd_, replaced.st_uid, replaced.st_gid) != 0)
    (void)!::fchown(fd_, static_cast<uid_t>(-1), replaced.st_gid);
  // After the owner: a change of owner clears the set-user-ID and set-group-ID bits.
  ::fchmod(fd_, replaced.st_mode & 07777);
}

bool FileReplacement::keepBackup(const std::string& backup) {
  struct stat replaced {};
  if (backup.empty() || backup == target_ || ::stat(target_.c_str(), &replaced) != 0) return true;
  if (::unlink(backup.c_str()) != 0 && errno != ENOENT)
    return fail(tr8("cannot remove the previous {0}", {backup}));
  // A second name for the replaced file costs nothing; file systems without hard links get a copy.
  if (::link(target_.c_str(), backup.c_str()) == 0) {
    reached(Step::BackupKept);
    return true;
  }
  int from = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC);
  FileReplacement copy(backup);
  bool copied = from >= 0 && copy.ok() && copyWhole(from, copy.fd()) &&
                ::fchmod(copy.fd(), replaced.st_mode & 07777) == 0 && copy.commit("");
  int copyErrno = errno;
  if (from >= 0) ::close(from);
  errno = copyErrno;
  return copied || fail(tr8("cannot keep the previous version as {0}", {backup}));
}

bool FileReplacement::commit(const std::string& backup) {
  if (!ok() || committed_) return false;
  matchReplacedFile();
  if (::fsync(fd_) != 0) return fail(tr("cannot write the file"));
  reached(Step::Written);
  if (!putInPlace(backup)) {
    if (!keepBackup(backup)) return false;
    if (tempName_.empty() && !giveName()) return false;
    reached(Step::Named);
    if (::rename(tempName_.c_str(), target_.c_str()) != 0)
      return fail(tr8("cannot put the new file in place of {0}", {target_}));
    reached(Step::Swapped);
  }
  committed_ = true;
  syncFolder(folder_);
  return true;
}

bool FileReplacement::fail(const std::string& what) {
  error_ = what + " (" + std::strerror(errno) + ")";
  return false;
}
