// Saving a drawing: what stays of the file it replaces (a symbolic link, the mode, the owner,
// a backup), what is never replaced without a word, and a save killed half way.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <set>
#include <thread>

#include "db/drawing_access.h"
#include "db/drawing_file.h"
#include "db/file_replacement.h"
#include "session.h"

using namespace tzad;
using namespace tzt;
namespace fs = std::filesystem;

namespace {

void addLayer(Session& s, const std::string& name) {
  s.run({"-LAYER", "New", name, ""});
  s.takeOutput();
}

bool hasLayer(const std::string& file, const std::string& name) {
  return readFile(file).find("\n" + name + "\n") != std::string::npos;
}

struct stat statOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

// The drawing lives in store/site.dxf; plan.dxf reaches it through a chain of relative links
// that each count from their own folder (a single link, and the backup beside the drawing,
// are the scripted session saves').
TEST(Save, ThroughLinksReplacesTheTargetAndKeepsTheLinks) {
  Session s;
  fs::create_directories(s.dir().path() / "store");
  fs::create_directories(s.dir().path() / "links");
  std::string site = s.dir().file("store/site.dxf");
  fs::copy_file(samplePath(), site);
  fs::create_symlink("../store/site.dxf", s.dir().file("links/alias.dxf"));
  fs::create_symlink("links/alias.dxf", s.dir().file("plan.dxf"));
  std::string plan = s.dir().file("plan.dxf");
  ASSERT_NE(DocumentManager::instance().open(u16(plan)), nullptr);
  addLayer(s, "Hedge");

  s.run({"SAVE"});
  EXPECT_EQ(s.takeOutput(),
            "Command: SAVE\nSaved " + plan + " (written to " + site + ", which it links to)\n");
  EXPECT_TRUE(fs::is_symlink(plan));
  EXPECT_TRUE(fs::is_symlink(s.dir().file("links/alias.dxf")));
  EXPECT_TRUE(hasLayer(site, "Hedge"));
}

// A drawing that another program replaced with a link after tzad read it: the link is not the
// drawing, so SAVE replaces the link and leaves the file it names alone, and says so.
TEST(Save, ADrawingThatBecameALinkIsReplacedNotFollowed) {
  Session s;
  s.openSample("drawing.dxf");
  std::string drawing = s.dir().file("drawing.dxf");
  std::string victim = s.dir().file("victim.txt");
  writeFile(victim, "not a drawing");
  fs::remove(drawing);
  fs::create_symlink(victim, drawing);
  addLayer(s, "Mine");

  s.run({"SAVE", "Yes"});
  EXPECT_EQ(s.takeOutput(), "Command: SAVE\n" + drawing +
                                " has been replaced by a symbolic link to " + victim +
                                " since it was opened or last saved.\n"
                                "Replace the link with this drawing? [Yes/No] <No>: Yes\n"
                                "Saved " +
                                drawing + " in place of the link; " + victim + " is unchanged.\n");
  EXPECT_FALSE(fs::is_symlink(drawing));
  EXPECT_TRUE(hasLayer(drawing, "Mine"));
  EXPECT_EQ(readFile(victim), "not a drawing");
  EXPECT_FALSE(fs::exists(s.dir().file("victim.bak")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(s.dir().file("drawing.bak"))));
  // The drawing is a file of its own again: the next save asks nothing.
  s.run({"SAVE"});
  EXPECT_EQ(s.takeOutput(), "Command: SAVE\nSaved " + drawing + "\n");
}

// Root may write any file, so permission alone would let root replace anything: a drawing
// whose mode lets nobody write it is read-only for everybody, root included; the database
// refuses it whoever asks (SAVE's answer is the scripted session's).
TEST(Save, ReadOnlyDrawingIsNotReplaced) {
  Session s;
  TzDbDatabase* db = s.openSample()->database();
  std::string plan = s.dir().file("plan.dxf");
  ASSERT_EQ(::chmod(plan.c_str(), 0444), 0);
  addLayer(s, "Fence");
  EXPECT_EQ(db->saveAs(u16(plan)), Tzad::eWriteFailed);
  EXPECT_NE(u8(db->lastErrorText()).find("the file is read-only"), std::string::npos);
  EXPECT_TRUE(db->isModified());
  EXPECT_EQ(readFile(plan), readFile(samplePath()));
  // Read-only means that nobody may write: one the group may write is not, nor a new one.
  ASSERT_EQ(::chmod(plan.c_str(), 0464), 0);
  EXPECT_FALSE(isReadOnlyFile(plan));
  EXPECT_FALSE(isReadOnlyFile(s.dir().file("new.dxf")));
}

TEST(Save, KeepsModeOwnerAndGroup) {
  Session s;
  s.openSample();
  std::string plan = s.dir().file("plan.dxf");
  bool root = ::geteuid() == 0;
  // Only root may hand a file to others; a user keeps the test to the mode.
  uid_t owner = root ? 4242 : ::geteuid();
  gid_t group = root ? 4343 : ::getegid();
  ASSERT_EQ(::chown(plan.c_str(), owner, group), 0);
  for (mode_t mode : {0640, 02660}) {
    ASSERT_EQ(::chmod(plan.c_str(), mode), 0);
    addLayer(s, "Layer" + std::to_string(mode));
    s.run({"SAVE"});
    struct stat st = statOf(plan);
    EXPECT_EQ(st.st_mode & 07777, mode) << std::oct << mode;
    EXPECT_EQ(st.st_uid, owner);
    EXPECT_EQ(st.st_gid, group);
  }
  EXPECT_EQ(s.takeOutput().find("cannot"), std::string::npos);
}

// The backup holds the version the save replaced; ISAVEBAK, which turns it off, takes 0 or 1.
TEST(Save, KeepsThePreviousVersionAsBak) {
  Session s;
  s.openSample();
  std::string plan = s.dir().file("plan.dxf");
  std::string bak = s.dir().file("plan.bak");
  addLayer(s, "One");
  s.run({"SAVE", "ISAVEBAK", "2", "ISAVEBAK", "x"});
  EXPECT_EQ(readFile(bak), readFile(samplePath()));
  std::string out = s.takeOutput();
  EXPECT_NE(out.find(": 2\nISAVEBAK takes a value from 0 to 1.\n"), std::string::npos);
  EXPECT_NE(out.find(": x\nRequires an integer value.\n"), std::string::npos);
  std::string first = readFile(plan);
  addLayer(s, "Two");
  s.run({"QUIT", "Yes"});
  EXPECT_EQ(readFile(bak), first);
  EXPECT_TRUE(hasLayer(plan, "Two"));
}

// A drawing saved as its own backup name is not its own backup.
TEST(Save, DrawingNamedLikeItsBackup) {
  Session s;
  s.openSample("plan.bak");
  addLayer(s, "One");
  s.run({"SAVE"});
  EXPECT_TRUE(hasLayer(s.dir().file("plan.bak"), "One"));
}

// What another program does to the drawing's file: rewrites it in place, or leaves another
// file of the same size and time, as a program that saves by renaming does.
void rewriteInPlace(const std::string& file) {
  writeFile(file, readFile(file) + "\n");
}

void replaceBySameSizeAndTime(const std::string& file) {
  struct stat st = statOf(file);
  std::string other = file + ".new";
  fs::copy_file(file, other);
  timespec times[2] = {st.st_atim, st.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
  fs::rename(other, file);
}

TEST(Save, ChangedOnDiskAsksAndNoLeavesTheOtherProgramsFile) {
  for (auto change : {rewriteInPlace, replaceBySameSizeAndTime}) {
    SCOPED_TRACE(change == rewriteInPlace ? "rewritten" : "replaced");
    Session s;
    s.openSample();
    std::string plan = s.dir().file("plan.dxf");
    addLayer(s, "Mine");
    change(plan);
    std::string theirs = readFile(plan);

    std::string question = plan +
                           " has changed on disk since it was opened or last saved.\n"
                           "Replace it with this drawing? [Yes/No] <No>: ";
    for (const char* keep : {"No", ""}) {
      s.run({"SAVE", keep});
      EXPECT_EQ(s.takeOutput(),
                "Command: SAVE\n" + question + keep +
                    "\nThe drawing was not saved; the file on disk is unchanged.\n");
      EXPECT_EQ(readFile(plan), theirs);
    }
    s.run({"SAVE", "Yes"});
    EXPECT_TRUE(hasLayer(plan, "Mine"));
    EXPECT_EQ(readFile(s.dir().file("plan.bak")), theirs);
    s.takeOutput();
    // The file is tzad's own again: no more questions.
    s.run({"SAVE"});
    EXPECT_EQ(s.takeOutput(), "Command: SAVE\nSaved " + plan + "\n");
  }
}

// A save holds its unfinished file locked: one that is not locked was left by a save that
// was killed, and the next save of that drawing removes it.
TEST(Save, RemovesWhatAKilledSaveLeftButNotASaveUnderWay) {
  Session s;
  s.openSample();
  std::string left = s.dir().file(".plan.dxf.tzad-Ab12Cd");
  std::string busy = s.dir().file(".plan.dxf.tzad-Ef34Gh");
  std::string others = s.dir().file(".site.dxf.tzad-Ij56Kl");
  for (const std::string& file : {left, busy, others}) writeFile(file, "half a drawing");
  int fd = ::open(busy.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  s.run({"SAVE"});
  ::close(fd);
  EXPECT_FALSE(fs::exists(left));
  EXPECT_TRUE(fs::exists(busy));
  EXPECT_TRUE(fs::exists(others));
}

// What the killed process does: open the drawing, change it, tell the test, save.
[[noreturn]] void saveInChild(const std::string& plan, int ready) {
  TzDbDatabase db(false);
  if (db.readDwgFile(u16(plan)) != Tzad::eOk) ::_exit(2);
  if (db.setHyperlinkBase(u"changed") != Tzad::eOk) ::_exit(2);
  if (::write(ready, "x", 1) != 1) ::_exit(3);
  ::_exit(saveDrawing(db, u16(plan), true) ? 0 : 4);
}

// Killed with SIGKILL at random moments of a save, a process leaves the old drawing or the
// new one, whole, and the backup; nothing else.
TEST(Save, KilledAtAnyMomentLeavesTheOldOrTheNewDrawing) {
  TempDir dir;
  std::string plan = dir.file("plan.dxf");
  std::string bak = dir.file("plan.bak");
  // Large enough that saving it takes a while.
  const std::string before = sampleWithLines(20000, 0x10000, [](int) { return "Site"; });

  // The new drawing, and how long its save takes.
  writeFile(plan, before);
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(plan)), Tzad::eOk);
  ASSERT_EQ(db.setHyperlinkBase(u"changed"), Tzad::eOk);
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(saveDrawing(db, u16(plan), true));
  auto saveTime = std::chrono::steady_clock::now() - start;
  const std::string after = readFile(plan);
  ASSERT_NE(after, before);

  // The seed is printed, so that a failure can be run again as it happened.
  const unsigned seed = std::random_device{}();
  RecordProperty("seed", static_cast<int>(seed));
  std::printf("seed %u\n", seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> delay(
      0, std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count() * 5 / 4);
  for (int attempt = 0; attempt < 8; ++attempt) {
    SCOPED_TRACE(attempt);
    writeFile(plan, before);
    fs::remove(bak);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) saveInChild(plan, pipeFds[1]);
    ::close(pipeFds[1]);
    char ready = 0;
    bool started = ::read(pipeFds[0], &ready, 1) == 1;
    ::close(pipeFds[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(started);

    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir.path()))
      files.insert(entry.path().filename().string());
    files.erase("plan.bak");
    EXPECT_EQ(files, std::set<std::string>{"plan.dxf"});
    std::string now = readFile(plan);
    EXPECT_TRUE(now == before || now == after);
    // Killed between its two last steps, a save leaves the new drawing as the backup.
    std::string kept = fs::exists(bak) ? readFile(bak) : before;
    EXPECT_TRUE(kept == before || kept == after);
  }
}

// The save stopped after each of its steps in turn, with and without the backup: what a kill at
// that moment leaves is the old drawing or the new one, whole, the backup, and at most a hidden
// leftover that the next save removes.
FileReplacement::Step stopAfter;
[[noreturn]] void saveStoppedInChild(const std::string& plan, bool keepBackup, bool hiddenNames) {
  FileReplacement::setHiddenNamesOnly(hiddenNames);
  TzDbDatabase db(false);
  if (db.readDwgFile(u16(plan)) != Tzad::eOk) ::_exit(2);
  if (db.setHyperlinkBase(u"changed") != Tzad::eOk) ::_exit(2);
  FileReplacement::setStepHook([](FileReplacement::Step step) {
    if (step == stopAfter) ::raise(SIGKILL);
  });
  ::_exit(saveDrawing(db, u16(plan), keepBackup) ? 0 : 4);
}

TEST(Save, StoppedAfterEachStepLeavesTheOldOrTheNewDrawing) {
  using Step = FileReplacement::Step;
  enum Content { kNone, kBefore, kAfter };
  const struct {
    bool hiddenNames;
    bool keepBackup;
    Step step;
    Content plan, backup;
    bool leftover;
  } cases[] = {
      // With a backup: the new file is named as the backup, then the two trade names.
      {false, true, Step::Written, kBefore, kNone, false},
      {false, true, Step::Named, kBefore, kAfter, false},
      {false, true, Step::Swapped, kAfter, kBefore, false},
      // Without: the new file gets a hidden name, then is renamed over the drawing.
      {false, false, Step::Written, kBefore, kNone, false},
      {false, false, Step::Named, kBefore, kNone, true},
      {false, false, Step::Swapped, kAfter, kNone, false},
      // A file system without unnamed files: the replaced drawing gets the backup's name as a
      // second name, then the hidden new file is renamed over the drawing.
      {true, true, Step::Written, kBefore, kNone, true},
      {true, true, Step::BackupKept, kBefore, kBefore, true},
      {true, true, Step::Named, kBefore, kBefore, true},
      {true, true, Step::Swapped, kAfter, kBefore, false},
      {true, false, Step::Named, kBefore, kNone, true},
      {true, false, Step::Swapped, kAfter, kNone, false},
  };
  TempDir dir;
  std::string plan = dir.file("plan.dxf"), bak = dir.file("plan.bak");
  const std::string before = sampleWithLines(200, 0x10000, [](int) { return "Site"; });
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.hiddenNames ? "hidden names only, " : "") +
                 (c.keepBackup ? "with" : "without") + " a backup, stopped after step " +
                 std::to_string(static_cast<int>(c.step)));
    for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove(entry.path());
    writeFile(plan, before);
    stopAfter = c.step;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) saveStoppedInChild(plan, c.keepBackup, c.hiddenNames);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the save never reached it";
    std::set<std::string> files;
    std::string hidden;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      std::string name = entry.path().filename().string();
      if (name.rfind(".plan.dxf.tzad-", 0) == 0) hidden = entry.path().string();
      files.insert(name);
    }
    std::string now = readFile(plan);
    EXPECT_EQ(now == before ? kBefore : kAfter, c.plan);
    EXPECT_EQ(fs::exists(bak) ? (readFile(bak) == before ? kBefore : kAfter) : kNone, c.backup);
    // Where the file system has no unnamed files, the new file has its hidden name from the start.
    if (c.step != Step::Written || c.hiddenNames) {
      EXPECT_EQ(!hidden.empty(), c.leftover);
    }
    EXPECT_EQ(files.size(), 1 + (c.backup != kNone) + size_t(!hidden.empty()));
    if (c.plan == kAfter) {
      EXPECT_NE(now.find("changed"), std::string::npos);
    }
    if (hidden.empty()) continue;
    // The next save of the drawing takes the leftover away.
    TzDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(u16(plan)), Tzad::eOk);
    ASSERT_TRUE(saveDrawing(db, u16(plan), false));
    EXPECT_FALSE(fs::exists(hidden));
  }
}

}  // namespace
