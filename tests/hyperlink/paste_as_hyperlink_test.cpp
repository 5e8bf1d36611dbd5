// PASTEASHYPERLINK's cut of a long web address at 259 UTF-16 code units next to a surrogate
// pair (a plain long address is the scripted session paste_long_address').
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "commands/hyperlink_commands.h"
#include "model/entity_hyperlinks.h"
#include "session.h"

using namespace hyperlink;
using namespace tzad;
using namespace tzt;

namespace {

TEST(PasteAsHyperlink, CutsLongAddressesWithoutSplittingAPair) {
  const std::string emoji = "\xF0\x9F\x98\x80";  // two code units in UTF-16
  struct Case {
    const char* why;
    std::string address;
    size_t storedUnits;
  } cases[] = {
      {"a pair across the cut", "http://a.com/" + std::string(245, 'p') + emoji + "tail", 258},
      {"a pair that ends at the cut", "http://a.com/" + std::string(244, 'p') + emoji + "tail",
       259},
  };
  for (const Case& c : cases) {
    Session s;
    Document* doc = s.openSample();
    std::string clip = s.dir().file("clip");
    std::filesystem::create_directories(clip);
    writeFile(clip + "/UniformResourceLocator", c.address);
    setenv("TZAD_CLIPBOARD_DIR", clip.c_str(), 1);
    s.answer({"90", ""});
    pasteashyperlink();
    unsetenv("TZAD_CLIPBOARD_DIR");
    HyperlinkData stored;
    ASSERT_TRUE(readHyperlink(doc->database()->objectIdOf(TzDbHandle(0x90)), stored)) << c.why;
    EXPECT_EQ(stored.address.size(), c.storedUnits) << c.why;
    EXPECT_EQ(stored.address, u16(c.address).substr(0, c.storedUnits)) << c.why;
  }
}

}  // namespace
