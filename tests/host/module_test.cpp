// Modules loaded into the host: their commands, a broken one, ones built for another SDK
// version, a command that throws.
#include <gtest/gtest.h>

#include <filesystem>

#include "modules/module_loader.h"
#include "session.h"
#include "tzdb_entity.h"
#include "tzrx_module.h"

using namespace tzad;
using namespace tzt;

namespace {

class Modules : public ::testing::Test {
 protected:
  void TearDown() override { unloadModules(); }
  std::string copyModule(const char* built, const char* name) {
    std::filesystem::create_directories(s.dir().path() / "modules");
    std::string path = (s.dir().path() / "modules" / name).string();
    std::filesystem::copy_file(built, path);
    return path;
  }
  Session s;
};

TEST_F(Modules, CommandsOfAModuleFolderRun) {
  copyModule(TZT_GREETING_MODULE, "greeting.tzx");
  copyModule(TZT_BROKEN_MODULE, "broken.tzx");
  loadModulesIn((s.dir().path() / "modules").string());
  std::string out = s.takeOutput();
  EXPECT_NE(out.find("Module broken.tzx: command MISSING is not available: its function "
                     "notThere is missing."),
            std::string::npos)
      << out;
  s.run({"greet", "WORKING", "missing"});
  EXPECT_EQ(s.takeOutput(),
            "Command: greet\nHello from a module, 世界!\nCommand: WORKING\nstill working\n"
            "Command: missing\nUnknown command \"MISSING\".\n");
  EXPECT_NE(tzrxLoadedModule(u"GREETING.TZX"), nullptr);  // by its name in any letter case
}

// A command that throws, a module's or one it runs, is cancelled with what went wrong and
// what it changed is put back; the session goes on. The host's own commands do not throw where the
// system fails them: the working folder removed under an untitled drawing leaves DWGPREFIX empty.
TEST_F(Modules, ACommandThatThrowsIsCancelledAndTheSessionGoesOn) {
  loadModule(copyModule(TZT_GREETING_MODULE, "greeting.tzx"));
  std::filesystem::path gone = s.dir().path() / "gone";
  std::filesystem::create_directories(gone);
  std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::current_path(gone);
  std::filesystem::remove(gone);
  s.takeOutput();
  s.run({"NEW", "FAIL", "HYPERLINKBASE", "", "DWGPREFIX", "GREET"});
  std::filesystem::current_path(home);
  std::string out = s.takeOutput();
  EXPECT_NE(out.find("Command: FAIL\nAbout to fail\n*Error* the module's command failed; the "
                     "command was cancelled.\nCommand: HYPERLINKBASE\nEnter new value for "
                     "HYPERLINKBASE, or . for none <\"\">: \n"),
            std::string::npos)
      << out;
  EXPECT_FALSE(DocumentManager::instance().current()->database()->isModified());
  EXPECT_NE(out.find("DWGPREFIX = \"\" (read only)\nCommand: GREET\nHello"), std::string::npos)
      << out;
}

// A module's object actions run as commands do: one undo step named as the caller names it,
// taken back when the action throws; erased objects never reach them, and they go with the
// module. One whose function is missing is reported and not offered.
TEST_F(Modules, ObjectActionsRunAsOneNamedUndoStep) {
  copyModule(TZT_GREETING_MODULE, "greeting.tzx");
  copyModule(TZT_BROKEN_MODULE, "broken.tzx");
  loadModulesIn((s.dir().path() / "modules").string());
  EXPECT_NE(s.takeOutput().find("Module broken.tzx: action VANISH is not available: its "
                                "function vanish is missing.\n"),
            std::string::npos);
  Editor& ed = Editor::instance();
  EXPECT_FALSE(ed.hasObjectAction(u"VANISH"));
  ASSERT_TRUE(ed.hasObjectAction(u"MARK"));

  Document* doc = s.openSample();
  TzDbDatabase& db = *doc->database();
  TzDbObjectId first = db.objectIdOf(TzDbHandle(0x91)), erased = db.objectIdOf(TzDbHandle(0x93));
  {
    TzDbObjectPointer<TzDbEntity> gone(erased, TzDb::kForWrite);
    ASSERT_EQ(gone->erase(), Tzad::eOk);
  }
  s.takeOutput();
  TzArray<TzDbObjectId> ids{erased, first, db.objectIdOf(TzDbHandle(0x95))};
  EXPECT_EQ(ed.runObjectAction(u"MARK", ids, u"Mark Objects"), RTNORM);
  EXPECT_EQ(s.takeOutput(), "Marking 2 object(s)\n");
  EXPECT_EQ(ids, TzArray<TzDbObjectId>{first});
  EXPECT_EQ(doc->nextUndo(), u"Mark Objects");
  EXPECT_EQ(u8(db.hyperlinkBase()), "/marked/");

  s.run({"U"});
  EXPECT_EQ(s.takeOutput(), "Command: U\nUndone: Mark Objects\n");
  EXPECT_EQ(u8(db.hyperlinkBase()), "");

  ids = {first};
  EXPECT_EQ(ed.runObjectAction(u"MARKANDFAIL", ids, u"Mark and Fail"), RTERROR);
  EXPECT_EQ(s.takeOutput(),
            "Marking 1 object(s)\n*Error* the module's action failed; the command was "
            "cancelled.\n");
  EXPECT_EQ(u8(db.hyperlinkBase()), "");
  EXPECT_EQ(doc->nextUndo(), u"");

  unloadModules();
  EXPECT_FALSE(ed.hasObjectAction(u"MARK"));
  EXPECT_EQ(ed.runObjectAction(u"MARK", ids, u"Mark Objects"), RTERROR);
}

TEST_F(Modules, OnesBuiltForAnotherSdkAreRefused) {
  const struct {
    const char* built;
    const char* name;
    std::string says;
  } strangers[] = {
      {TZT_NEWER_MODULE, "newer.tzx",
       "Module newer.tzx is not loaded: it was built for SDK version " +
           std::to_string(kTzrxApiVersion + 1) + ", and this tzad offers version " +
           std::to_string(kTzrxApiVersion) + ". Rebuild it against this tzad's SDK.\n"},
      {TZT_UNVERSIONED_MODULE, "unversioned.tzx",
       "Module unversioned.tzx is not loaded: it does not say which SDK version it was built "
       "for (it exports no tzrxGetApiVersion).\n"},
  };
  for (const auto& stranger : strangers) {
    SCOPED_TRACE(stranger.name);
    EXPECT_FALSE(loadModule(copyModule(stranger.built, stranger.name)));
    EXPECT_EQ(s.takeOutput(), stranger.says);
    EXPECT_EQ(tzrxLoadedModule(tzutFromUtf8(stranger.name).c_str()), nullptr);
    s.run({"STRANGER"});
    EXPECT_EQ(s.takeOutput(), "Command: STRANGER\nUnknown command \"STRANGER\".\n");
  }
}

TEST_F(Modules, AFileThatIsNoModuleIsReported) {
  std::string path = s.dir().file("fake.tzx");
  writeFile(path, "not a shared library");
  EXPECT_FALSE(loadModule(path));
  EXPECT_NE(s.takeOutput().find("Cannot load module " + path), std::string::npos);
}

}  // namespace
