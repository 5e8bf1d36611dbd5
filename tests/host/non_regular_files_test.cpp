// A named pipe or a link to /dev/zero where tzad expects a regular file: every reader returns
// at once, reads nothing, and where it reports, says what the file is.
#include <gtest/gtest.h>

#include "editor/input_source.h"
#include "editor/user_settings.h"
#include "platform/folders.h"
#include "platform/recent_files.h"
#include "platform/settings_store.h"
#include "test_support.h"
#include "tzdb_database.h"

using namespace tzt;
namespace fs = std::filesystem;

namespace {

struct Reader {
  const char* name;
  std::function<std::string(const TempDir&)> path;  // where the reader looks
  // What the reader makes of the non-regular file: its error text, or what it read.
  std::function<std::string(const std::string& path)> read;
  std::string expected;  // for a FIFO; "FIFO" in it reads "character device" for /dev/zero
};

std::string drawingError(const std::string& path) {
  TzDbDatabase db(false);
  if (db.readDwgFile(u16(path)) == Tzad::eOk) return "read";
  return u8(db.lastErrorText());
}

std::string scriptError(const std::string& path) {
  std::string error;
  return tzad::LineInput::fromFile(path, error) ? "read" : error;
}

std::string settingsStore(const std::string&) {
  bool read = platform::readSettingsKey(u"Software\\tzad").has_value();
  bool written = platform::writeSettingsValue(u"Software\\tzad", u"a", u"1");
  return std::string(read ? "read" : "none") + (written ? ", written" : ", not written");
}

const Reader kReaders[] = {
    {"drawing", [](const TempDir& dir) { return dir.file("plan.dxf"); }, drawingError,
     "plan.dxf: not a regular file but a named pipe (FIFO)"},
    {"script", [](const TempDir& dir) { return dir.file("run.scr"); }, scriptError,
     "run.scr: not a regular file but a named pipe (FIFO)"},
    {"settingsStore", [](const TempDir&) { return platform::settingsStorePath(); }, settingsStore,
     "none, not written"},
    {"userSettings", [](const TempDir&) { return tzad::userSettingsPath(); },
     [](const std::string&) {
       return tzad::userSetting("PICKBOX", "default") +
              (tzad::setUserSetting("PICKBOX", "5") ? ", saved" : ", not saved");
     },
     "default, not saved"},
    {"recentFiles", [](const TempDir&) { return platform::recentFilesPath(); },
     [](const std::string&) {
       return std::to_string(platform::recentFiles().size()) + " files, " +
              (platform::addRecentFile(u"/srv/a.dxf") ? "added" : "not added");
     },
     "0 files, not added"},
    {"userDirs", [](const TempDir&) { return platform::configHome() + "/user-dirs.dirs"; },
     [](const std::string&) { return platform::documentsFolder() ? "folder" : "none"; }, "none"},
};

std::string expectedFor(std::string text, NonRegularFile kind) {
  size_t fifo = text.find("a named pipe (FIFO)");
  if (kind == NonRegularFile::LinkToDevZero && fifo != std::string::npos)
    text.replace(fifo, 19, "a character device");
  return text;
}

TEST(NonRegularFiles, EveryReaderReturnsAndSaysWhatTheFileIs) {
  for (NonRegularFile kind : {NonRegularFile::Fifo, NonRegularFile::LinkToDevZero}) {
    for (const Reader& reader : kReaders) {
      SCOPED_TRACE(std::string(reader.name) + (kind == NonRegularFile::Fifo ? " fifo" : " zero"));
      TemporaryHome home;
      TempDir dir;
      std::string path = reader.path(dir);
      fs::create_directories(fs::path(path).parent_path());
      makeNonRegularFile(kind, path);
      std::string result;
      ASSERT_TRUE(returnsWithin(5000, path, [&] { result = reader.read(path); }));
      std::string expected = expectedFor(reader.expected, kind);
      EXPECT_NE(result.find(expected), std::string::npos) << result;
      // The non-regular file is still there, unchanged in kind.
      EXPECT_FALSE(fs::is_regular_file(path));
    }
  }
}

}  // namespace
