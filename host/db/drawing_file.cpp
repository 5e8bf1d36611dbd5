#include "db/drawing_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace {

std::string folderPart(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

FileIdentity FileIdentity::of(const struct stat& st) {
  return FileIdentity{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

bool FileIdentity::operator==(const FileIdentity& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

std::optional<FileIdentity> identifyFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity::of(st);
}

bool isSymbolicLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string replacedFile(const std::string& path) {
  // As many links as the kernel itself follows before it gives up (ELOOP).
  constexpr int kMaxLinks = 40;
  std::string file = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return file;
    char target[PATH_MAX];
    ssize_t n = ::readlink(file.c_str(), target, sizeof target);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof target) return file;
    std::string next(target, static_cast<size_t>(n));
    file = next.front() == '/' ? next : folderPart(file) + next;
  }
  return file;
}

bool isReadOnlyFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 &&
         (errno == EACCES || errno == EPERM || errno == EROFS);
}

bool isNotAFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

std::string backupNameOf(const std::string& path) {
  size_t nameStart = path.rfind('/') + 1;  // npos + 1 == 0
  size_t dot = path.rfind('.');
  bool hasExtension = dot != std::string::npos && dot > nameStart;
  return (hasExtension ? path.substr(0, dot) : path) + ".bak";
}
