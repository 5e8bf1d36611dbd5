// Modules loaded into the host: their commands, a broken one, ones built for another SDK
// version, a command that throws.
#include <gtest/gtest.h>

#include <filesystem>

#include "modules/module_loader.h"
#include "session.h"
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
