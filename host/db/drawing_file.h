// What a save needs to know about a drawing's file on disk before replacing it.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

// Tells whether a file is still the one a drawing was read from or last saved to: another
// program's save gives it a new inode, a new size or a new modification time.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};

  static FileIdentity of(const struct stat& st);
  bool operator==(const FileIdentity& other) const;
};

// The identity of the file a path names (symbolic links followed); nothing when there is none.
std::optional<FileIdentity> identifyFile(const std::string& path);

// Whether `path` itself is a symbolic link.
bool isSymbolicLink(const std::string& path);

// The file that saving to `path` replaces: a symbolic link is followed to its target (even a
// target that does not exist yet), so that the link stays and the linked drawing is saved.
std::string replacedFile(const std::string& path);

// An existing file the user does not want replaced: its mode lets nobody write it, or this
// process may not write it, or its file system is mounted read-only. The mode bits count on
// their own because a process running as root may write any file, and a file made read-only is
// read-only for everybody.
bool isReadOnlyFile(const std::string& path);

// Something other than a regular file stands at `path` (a folder, a device): nothing a save
// may put aside or replace.
bool isNotAFile(const std::string& path);

// Where the previous version of a drawing is kept: beside it, its extension replaced by ".bak"
// ("plan.dxf" -> "plan.bak"), as CAD programs name it.
std::string backupNameOf(const std::string& path);
