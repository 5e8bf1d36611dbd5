// What the desktop's clipboard types become: a hyperlink, a web address or a file name. The
// types are files of a clipboard folder, read the way the desktop's tools are read.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/clipboard.h"
#include "test_support.h"

using namespace tzt;

namespace {

std::string utf16(const std::u16string& text, bool bigEndian = false) {
  std::string bytes;
  for (char16_t c : text) {
    char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

struct Offered {
  std::string type;
  std::string data;  // "$TMP" stands for the test's folder
};

// What the clipboard gives, "hyperlink address | description ; web address ; file name", with
// "-" where it gives nothing ("$TMP" stands for the test's folder, "$PAGE" for the page).
struct Case {
  const char* what;
  std::vector<Offered> offered;
  std::string gives;
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

TEST(ClipboardTypes, BecomeTheFormsAHyperlinkIsPastedFrom) {
  const std::string page = "https://example.com/plans?id=7";
  const Case cases[] = {
      {"a UTF-8 link with a title and a line end",
       {{"text/x-moz-url", page + "\r\nSite plan\r\n"}},
       "$PAGE | Site plan ; $PAGE ; -"},
      {"UTF-16 big-endian with its byte-order mark",
       {{"text/x-moz-url", "\xFE\xFF" + utf16(u"https://example.com/plans?id=7\nSite plan", true)}},
       "$PAGE | Site plan ; $PAGE ; -"},
      {"several links: the first pair",
       {{"text/x-moz-url", utf16(u"https://a.example/\nA\nhttps://b.example/\nB")}},
       "https://a.example/ | A ; https://a.example/ ; -"},
      {"no title: only a web address",
       {{"text/x-moz-url", utf16(u"https://example.com/plans?id=7\n")}},
       "- ; $PAGE ; -"},
      {"the address as its own title: only a web address",
       {{"text/x-moz-url", page + "\n" + page}},
       "- ; $PAGE ; -"},
      {"a bare text/plain is UTF-8 too",
       {{"text/plain", "ftp://example.com/规划.dxf"}},
       "- ; ftp://example.com/规划.dxf ; -"},
      {"UTF-8 text is preferred to a bare text/plain",
       {{"text/plain;charset=utf-8", "Call me"}, {"text/plain", page}},
       "- ; - ; -"},
      {"prose around an address", {{"UTF8_STRING", "see " + page}}, "- ; - ; -"},
      {"a drive letter is no scheme", {{"UTF8_STRING", "c://plans"}}, "- ; - ; -"},
      {"a file URL in plain text is no web address",
       {{"UTF8_STRING", "file:///srv/plans/site.pdf"}},
       "- ; - ; -"},
      {"the path of an existing file",
       {{"UTF8_STRING", "$TMP/site plan.pdf\n"}},
       "- ; - ; $TMP/site plan.pdf"},
      {"blank uri-list lines are no entries; a file URL of a host alone names no file",
       {{"text/uri-list",
         " \r\n\t\r\nfile://server\r\nfile:///srv/a.pdf\r\nhttps://example.com/a\r\n"}},
       "- ; https://example.com/a ; /srv/a.pdf"},
      {"a file manager's copy, over its plain-text path",
       {{"x-special/gnome-copied-files", "copy\nfile:///srv/plans/site%20report.pdf"},
        {"UTF8_STRING", "$TMP/site plan.pdf"}},
       "- ; - ; /srv/plans/site report.pdf"},
      {"the headless store's form files come first",
       {{"Hyperlink", "a.dxf\nA\n"},
        {"UniformResourceLocator", "https://form.example/\n"},
        {"FileNameW", "/srv/form.pdf\n"},
        {"text/x-moz-url", page + "\nSite plan"},
        {"UTF8_STRING", "https://text.example/"}},
       "a.dxf | A ; https://form.example/ ; /srv/form.pdf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string tmp = dir.path().string();
    writeFile(dir.file("site plan.pdf"), "%PDF");
    std::filesystem::path folder = dir.path() / "clip";
    for (const Offered& o : c.offered) {
      std::filesystem::create_directories((folder / o.type).parent_path());
      writeFile((folder / o.type).string(), replaced(o.data, "$TMP", tmp));
    }
    platform::Clipboard clipboard(folder);
    std::string gives;
    auto given = [](const auto& got, auto text) { return got ? text(*got) : std::string("-"); };
    gives += given(clipboard.hyperlink(),
                   [](const auto& l) { return u8(l.address) + " | " + u8(l.description); });
    gives += " ; " + given(clipboard.webAddress(), [](const auto& t) { return u8(t); });
    gives += " ; " + given(clipboard.fileName(), [](const auto& t) { return u8(t); });
    EXPECT_EQ(gives, replaced(replaced(c.gives, "$TMP", tmp), "$PAGE", page));
  }
}

// A copied hyperlink replaces what the clipboard folder held and reads back whole; its address
// becomes a URI where it is one or names a file by its absolute path.
TEST(ClipboardCopy, OffersTheLinkInEveryFormItCanTake) {
  struct CopyCase {
    std::string address;
    std::string base;  // what a relative address is relative to
    std::optional<std::string> uriList;
  };
  const CopyCase cases[] = {
      {"https://example.com/plans?id=7", "/srv", "https://example.com/plans?id=7\r\n"},
      {"/srv/site plan#2.pdf", "", "file:///srv/site%20plan%232.pdf\r\n"},
      {"docs/site.pdf", "", std::nullopt},
      {"../docs/site.pdf", "/srv/plans/", "file:///srv/docs/site.pdf\r\n"},
      {"docs/site.pdf", "https://example.com/base", "https://example.com/base/docs/site.pdf\r\n"},
  };
  for (const CopyCase& c : cases) {
    SCOPED_TRACE(c.address);
    TempDir dir;
    writeFile(dir.file("Hyperlink"), "old.dxf\nOld\n\n");
    ASSERT_EQ(setenv("TZAD_CLIPBOARD_DIR", dir.path().c_str(), 1), 0);
    std::optional<std::string> error =
        platform::copyHyperlink({u16(c.address), u"场地 plan", u"House,Sheet"}, u16(c.base));
    unsetenv("TZAD_CLIPBOARD_DIR");
    ASSERT_FALSE(error) << *error;
    std::optional<platform::ClipboardHyperlink> link = platform::Clipboard(dir.path()).hyperlink();
    ASSERT_TRUE(link);
    EXPECT_EQ(u8(link->address), c.address);
    EXPECT_EQ(link->description, u"场地 plan");
    EXPECT_EQ(link->location, u"House,Sheet");
    EXPECT_EQ(readFile(dir.file("text/plain")), c.address);
    std::optional<std::string> uriList;
    if (std::filesystem::exists(dir.file("text/uri-list")))
      uriList = readFile(dir.file("text/uri-list"));
    EXPECT_EQ(uriList, c.uriList);
  }
}

// tzad's own form carries any text: line breaks, backslashes and what looks like an escape.
TEST(ClipboardCopy, AnyTextRoundTrips) {
  const platform::ClipboardHyperlink cases[] = {
      {u"line1\nline2", u"T10", u""},
      {u"\\\\server\\share\\a.dxf", u"ends in \\", u"\\n is not a line break"},
      {u"a\r\nb", u"", u"House,\nSheet\r"},
      {u"", u"\n\n", u"\\"},
  };
  for (const platform::ClipboardHyperlink& c : cases) {
    SCOPED_TRACE(u8(c.address + u"|" + c.description + u"|" + c.location));
    TempDir dir;
    ScopedEnvironment environment;
    environment.set("TZAD_CLIPBOARD_DIR", dir.path().c_str());
    ASSERT_FALSE(platform::copyHyperlink(c));
    std::optional<platform::ClipboardHyperlink> link = platform::Clipboard(dir.path()).hyperlink();
    ASSERT_TRUE(link);
    EXPECT_EQ(link->address, c.address);
    EXPECT_EQ(link->description, c.description);
    EXPECT_EQ(link->location, c.location);
  }
}

}  // namespace
