// Replacing a file so that whatever happens to the process, the folder holds the old file or
// the new one and nothing else. The new content is written to an unnamed file in the target's
// folder (O_TMPFILE); only once it is complete does it get a name, and a rename puts it in the
// target's place. File systems without unnamed files get a hidden named one instead, which a
// later replacement of the same target removes if a killed process left it behind.
#pragma once

#include <string>

class FileReplacement {
 public:
  // Starts replacing `target`, which names the file itself, not a symbolic link to it.
  explicit FileReplacement(std::string target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // False when no file could be made; error() says why.
  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const std::string& error() const { return error_; }

  // Puts the written file in the target's place with the replaced file's mode and, where this
  // process may set them, its owner and group. A replaced file is kept under `backup` unless
  // that is empty. False, with the target unchanged, when that cannot be done.
  bool commit(const std::string& backup);

 private:
  bool openUnnamed();
  bool openNamed();
  bool giveName();
  bool keepBackup(const std::string& backup);
  void matchReplacedFile();
  bool fail(const std::string& what);

  std::string target_;
  std::string folder_;
  std::string tempPrefix_;  // ".NAME.tzad-"
  std::string tempName_;    // set once the file has a name
  int fd_ = -1;
  bool committed_ = false;
  std::string error_;
};
