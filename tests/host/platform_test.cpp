// The platform's path splitting, file names that are not UTF-8, and the opener's refusal.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/mailto_address.h"
#include "platform/notices.h"
#include "platform/opener.h"
#include "platform/path_rules.h"
#include "platform/process.h"
#include "platform/text.h"
#include "test_support.h"

namespace {

TEST(SplitPath, LikeTheCRuntime) {
  struct Case {
    const char16_t* path;
    const char16_t *drive, *folder, *name, *extension;
  } cases[] = {
      {u"C:\\plans\\site.DWG", u"C:", u"\\plans\\", u"site", u".DWG"},
      {u"/srv/plans/site.tar.gz", u"", u"/srv/plans/", u"site.tar", u".gz"},
      {u"plans.v2/site", u"", u"plans.v2/", u"site", u""},
      {u".hidden", u"", u"", u"", u".hidden"},
  };
  for (const Case& c : cases) {
    platform::SplitPath parts = platform::splitPath(c.path);
    EXPECT_EQ(parts.drive, c.drive);
    EXPECT_EQ(parts.folder, c.folder);
    EXPECT_EQ(parts.name, c.name);
    EXPECT_EQ(parts.extension, c.extension);
  }
}

// Whatever bytes a file name holds come back unchanged from UTF-16; shown as text, a byte
// that is not UTF-8 reads as U+FFFD.
TEST(FileNames, AnyBytesSurviveUtf16) {
  struct Case {
    const char* bytes;
    std::u16string name;
    const char* shown;
  } cases[] = {
      {"\xe6\x80\xbb\xe5\x9b\xbe.dxf", u"总图.dxf", "总图.dxf"},
      {"caf\xe9.dxf", u"caf\xDCE9.dxf", "caf\xef\xbf\xbd.dxf"},  // Latin-1
      {"\xed\xa0\x80", u"\xDCED\xDCA0\xDC80",
       "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},                      // an encoded surrogate
      {"a\xe6\x80", u"a\xDCE6\xDC80", "a\xef\xbf\xbd\xef\xbf\xbd"},  // cut short
      {"\xf0\x9f\x93\x90\xff", u"\U0001F4D0\xDCFF", "\xf0\x9f\x93\x90\xef\xbf\xbd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    std::u16string name = platform::fromFileName(c.bytes);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(platform::toFileName(name), c.bytes);
    EXPECT_EQ(platform::toUtf8(name), c.shown);
  }
  // A lone surrogate that no byte stands for is no byte either.
  EXPECT_EQ(platform::toFileName(u"a\xD800"
                                 u"b\xDC41"),
            "a\xef\xbf\xbd"
            "b\xef\xbf\xbd");
}

// A program that hangs, or leaves a child behind holding its output, is killed at the deadline;
// one that ends in time is not disturbed by it.
TEST(RunProgram, StopsWaitingAtTheDeadline) {
  const struct {
    std::vector<std::string> argv;
    platform::Capture capture;
    bool timedOut;
    int exitStatus;
  } cases[] = {
      {{"sleep", "5"}, platform::Capture::Nothing, true, -1},
      {{"sh", "-c", "sleep 5 2>/dev/null & echo started"}, platform::Capture::Output, true, -1},
      {{"sh", "-c", "echo done; exit 3"}, platform::Capture::OutputAndErrors, false, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argv.back());
    platform::ProgramResult result = platform::runProgram(c.argv, c.capture, 300);
    EXPECT_EQ(result.timedOut, c.timedOut);
    EXPECT_EQ(result.exitStatus, c.exitStatus);
  }
}

// Whatever keeps a target from being opened is said, naming the program tried.
TEST(Opener, SaysWhyATargetWasNotOpened) {
  const struct {
    const char* opener;
    const char16_t* target;
    bool opened;
    std::string notice;
  } cases[] = {
      {"/nonexistent/opener", u"https://example.com/", false,
       "No program could open \"https://example.com/\": /nonexistent/opener cannot be run (No "
       "such file or directory)."},
      {"false", u"a.pdf", false, "false did not open \"a.pdf\" (exit status 1)."},
      {"true", u"-a.pdf", false, "\"-a.pdf\" is not opened: it would be read as an option."},
      {"true", u"a.pdf", true, ""},
  };
  tzt::ScopedEnvironment environment;
  std::string notices;
  platform::NoticeSink before =
      platform::setNoticeSink([&](std::string_view line) { notices += line; });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.opener);
    environment.set("TZAD_OPEN_COMMAND", c.opener);
    notices.clear();
    EXPECT_EQ(platform::openWithDefaultProgram(c.target), c.opened);
    EXPECT_EQ(notices, c.notice);
  }
  platform::setNoticeSink(before);
}

// A viewer that stays open counts as having opened the target, and tzad is not held up while
// it runs (the wait hook is called meanwhile); when it ends with a failure later, that is told.
TEST(Opener, OneThatStaysOpenIsLeftRunningAndItsFailureToldLater) {
  tzt::TempDir dir;
  std::string viewer = dir.file("viewer.sh");
  tzt::writeFile(viewer, "#!/bin/sh\nsleep 3\nexit 3\n");
  std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
  tzt::ScopedEnvironment environment;
  environment.set("TZAD_OPEN_COMMAND", viewer.c_str());
  std::string notices;
  platform::NoticeSink before =
      platform::setNoticeSink([&](std::string_view line) { notices += line; });
  int waits = 0;
  platform::setOpenerWaitHook([&] { ++waits; });
  auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(platform::openWithDefaultProgram(u"plan.pdf"));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
  EXPECT_GT(waits, 0);
  EXPECT_EQ(notices, "");
  tzt::waitUntil(
      [&] {
        platform::checkRunningOpeners();
        return !notices.empty();
      },
      10000);
  EXPECT_EQ(notices, "viewer.sh did not open \"plan.pdf\" (exit status 3).");
  platform::setOpenerWaitHook(nullptr);
  platform::setNoticeSink(before);
}

// What a mail program gets: fields split only where a name and "=" follow "&", everything a
// mailto: URI cannot hold encoded, encodings already made kept.
TEST(MailtoAddress, EncodedForTheMailProgram) {
  struct Case {
    const char16_t* stored;
    const char16_t* handed;
  } cases[] = {
      {u"mailto:a@example.com?subject=Plan 2 & notes?",
       u"mailto:a@example.com?subject=Plan%202%20%26%20notes%3F"},
      {u"MAILTO:a@example.com?subject=Hi&body=Line 1#2&cc=b@example.com",
       u"mailto:a@example.com?subject=Hi&body=Line%201%232&cc=b@example.com"},
      {u"mailto:张@例子.中国?subject=100% sure, 50%20off",
       u"mailto:%E5%BC%A0@%E4%BE%8B%E5%AD%90.%E4%B8%AD%E5%9B%BD?subject=100%25%20sure,%2050%20off"},
      {u"mailto:a@example.com?body=x=1&=y", u"mailto:a@example.com?body=x%3D1%26%3Dy"},
      {u"https://example.com/a b?c=d e", u"https://example.com/a b?c=d e"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::encodedMailto(c.stored), c.handed);
}

}  // namespace
