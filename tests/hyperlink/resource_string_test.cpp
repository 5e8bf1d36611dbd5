// Texts from the resource library, their defaults, and the library's life with the module.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/language.h"
#include "module/module_state.h"
#include "module/resource_string.h"
#include "session.h"
#include "tzrx_module.h"

using namespace hyperlink;
using namespace tzad;
using namespace tzt;

namespace {

// Defaults and library are made from one list: in Chinese the library serves each default
// exactly, has the texts the module keeps no default of, and leaves keyword lists to the
// host's keyword library.
TEST(ResourceStrings, LibraryServesTheDefaultsInChinese) {
  Session s;
  setHostLanguage("zh");
  void* library = dlopen(TZT_HYPERLINK_RESOURCES, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto load = reinterpret_cast<TzResLoadStringFunction>(dlsym(library, "tzresLoadString"));
  ASSERT_NE(load, nullptr);
  char16_t buffer[ResourceString::kCapacity];
  for (const TextId& t : text::kResourceTexts) {
    int n = load(t.id, buffer, ResourceString::kCapacity);
    EXPECT_EQ(std::u16string(buffer, n > 0 ? n : 0), t.defaultText) << t.id;
  }
  for (const TextId& t : text::kLibraryTexts)
    EXPECT_GT(load(t.id, buffer, ResourceString::kCapacity), 0) << t.id;
  for (const TextId& t : text::kKeywordLists)
    EXPECT_EQ(load(t.id, buffer, ResourceString::kCapacity), 0) << t.id;
  dlclose(library);
}

// A library with a string of 999 characters (id 1) and one of 1500 (id 2), cut to 999.
TEST(ResourceStrings, LengthsAndDefaults) {
  Session s;
  void* library = dlopen(TZT_TEST_RESOURCES, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  moduleState().resources = library;
  ResourceString whole(1, u"default");
  EXPECT_EQ(std::u16string(loadResourceString(whole)), std::u16string(999, u'x'));
  ResourceString cut(2, u"default");
  EXPECT_EQ(std::u16string(loadResourceString(cut)), std::u16string(999, u'y'));
  ResourceString missing(3, u"the default");
  EXPECT_EQ(std::u16string(loadResourceString(missing)), u"the default");
  // No default and no string: empty, never what the buffer held before.
  ResourceString empty(3, nullptr);
  empty.text[0] = u'z';
  EXPECT_EQ(std::u16string(loadResourceString(empty)), u"");
  // Keyword lists come from the keyword library, which this test has not got.
  EXPECT_EQ(resourceText(text::kKeywordsYesNo), u"Yes No _Yes No");
  moduleState().resources = nullptr;
  dlclose(library);
}

bool mapped(const std::string& file) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line))
    if (line.find(file) != std::string::npos) return true;
  return false;
}

// The real module, loaded from a folder with its resource library beside it (the scripted
// session module_without_resources has it missing).
TEST(ModuleLife, ResourceLibraryFollowsAttachAndDetach) {
  Session s;
  std::filesystem::path folder = s.dir().path() / "modules";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(TZT_HYPERLINK_MODULE, folder / "HyperLink.tzx");
  std::filesystem::copy_file(TZT_HYPERLINK_CORE, folder / "hyperlinkcore.so");
  std::string resources = (folder / "hyperlinkres.so").string();
  std::filesystem::copy_file(TZT_HYPERLINK_RESOURCES, resources);
  void* module = dlopen((folder / "HyperLink.tzx").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << dlerror();
  EXPECT_EQ(s.takeOutput(), "");
  EXPECT_TRUE(mapped(resources));
  auto entry = reinterpret_cast<int (*)(unsigned)>(dlsym(module, "moduleEntry"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry(1), 1);  // a second attach while loaded does not load it again...
  EXPECT_EQ(entry(0), 1);  // ...so one detach releases it
  EXPECT_FALSE(mapped(resources));
  EXPECT_EQ(entry(1), 1);  // attach after a detach loads it again
  EXPECT_TRUE(mapped(resources));
  dlclose(module);
  EXPECT_FALSE(mapped(resources));
}

}  // namespace
