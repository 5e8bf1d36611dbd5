// Replacing a file so that whatever happens to the process, the folder holds the old file or
// the new one (and the backup) and nothing else. The new content is written to an unnamed file
// in the target's folder (O_TMPFILE), which gets a name only once it is complete:
// - a new target: the target's own name;
// - with a backup: the backup's name, and then the new file and the replaced one trade names
//   in one step (RENAME_EXCHANGE). A process killed in between leaves the old file in place
//   and the new one as the backup;
// - otherwise a hidden name, renamed over the target at once.
// A hidden name is also what file systems without unnamed files or without the exchange get.
// A later replacement of the same target removes one that a killed process left behind.
#pragma once

#include <string>

class FileReplacement {
 public:
  // Starts replacing `target`, which names the file itself, not a symbolic link to it; a link
  // found there is replaced as a file would be.
  explicit FileReplacement(std::string target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // False when no file could be made; error() says why.
  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const std::string& error() const { return error_; }

  // The steps of a replacement that change what the folder holds, in the order they happen. A
  // test stops a save after any one of them, to see what a kill at that moment leaves.
  enum class Step { Written, Named, BackupKept, Swapped };
  using StepHook = void (*)(Step);
  static void setStepHook(StepHook hook);
  // Replaces files as on a file system without unnamed files: the new file has a hidden name
  // from the start and the backup is a second name of the replaced file, the path whose steps
  // a test cannot otherwise reach here.
  static void setHiddenNamesOnly(bool only);
  // What every replacement of the process asks of those two settings, which libtzad keeps
  // (db/replacement_faults.cpp) for the replacements that tzad's other libraries make too.
  static void reached(Step step);
  static bool hiddenNamesOnly();

  // Puts the written file in the target's place with the replaced file's mode and, where this
  // process may set them, its owner and group. A replaced file is kept under `backup` unless
  // that is empty. False, with the target unchanged, when that cannot be done.
  bool commit(const std::string& backup);

 private:
  bool openUnnamed();
  bool openNamed();
  bool linkAs(const std::string& path);
  bool giveName();
  // Names the new file without a hidden name in between, where the file system allows.
  bool putInPlace(const std::string& backup);
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
