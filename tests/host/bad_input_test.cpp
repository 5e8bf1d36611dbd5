// Bad files never crash the reader and never change on disk; each error names file and line.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "test_support.h"
#include "tzdb_database.h"

using namespace tzt;

namespace {

const std::string kGood =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0.0\n 20\n0.0\n 11\n1.0\n 21\n1.0\n"
    "  0\nENDSEC\n  0\nEOF\n";

// A header, and entities up to the one whose groups follow.
const std::string kUpToEntities =
    "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n";

TEST(BadInput, ClearErrorAndFileUntouched) {
  const struct {
    const char* name;
    std::string content;
    const char* expected;  // part of the error text after "FILE: "
  } cases[] = {
      {"Truncated", kGood.substr(0, kGood.find("  0\nENDSEC\n  0\nEOF")),
       "line 27: the file ends inside section ENTITIES (missing ENDSEC and EOF)"},
      {"OddLineCount", kGood.substr(0, kGood.size() - 4),
       "line 29: the file ends after a group code: it has an odd number of lines (truncated?)"},
      {"CodeOutOfRange", kUpToEntities + "99999999999\nx\n",
       "line 11: group code '99999999999' is not a number"},
      {"MissingSectionEnd",
       "  0\nSECTION\n  2\nHEADER\n  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n",
       "line 5: SECTION inside section HEADER (missing ENDSEC)"},
      {"BinaryDwg", std::string("AC1032\0\0\0\0\x1f\x8b garbage", 20),
       "line 1: this is a binary DWG drawing, not DXF"},
      {"BinaryDxf", "AutoCAD Binary DXF\r\n\x1a", "line 1: binary DXF is not supported"},
      {"HugeHandle", kUpToEntities + "  0\nLINE\n  5\n123456789ABCDEF01\n  0\nENDSEC\n  0\nEOF\n",
       "line 14: '123456789ABCDEF01' is not a handle"},
      {"DuplicateHandle",
       kUpToEntities + "  0\nLINE\n  5\nA1\n  0\nLINE\n  5\nA1\n  0\nENDSEC\n  0\nEOF\n",
       "handle A1 is used by two objects"},
      {"CommentsOnly", "999\nmade by hand\n999\nnothing else\n",
       "line 1: the file holds no DXF data"},
      {"CommentThenGroup", "999\nmade by hand\n  5\nAB\n  0\nEOF\n",
       "line 3: the file does not start with a group 0"},
      {"HugeObject",
       kUpToEntities + "  0\nTEXT\n  1\n" + std::string(17 << 20, 'x') +
           "\n  0\nENDSEC\n  0\nEOF\n",
       "line 11: an object of more than 16 MiB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    std::string path = dir.file("bad.dxf");
    writeFile(path, c.content);
    TzDbDatabase db(false);
    EXPECT_NE(db.readDwgFile(u16(path)), Tzad::eOk);
    std::string error = u8(db.lastErrorText());
    EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << error;
    EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    EXPECT_EQ(readFile(path), c.content);
    EXPECT_TRUE(db.allEntityIds().empty());
    EXPECT_EQ(db.saveAs(u16(dir.file("out.dxf"))), Tzad::eNoDatabase);
  }
}

// A save that cannot be completed (here: the file-size limit is hit half way) keeps the old
// drawing and leaves no temporary file behind.
TEST(AtomicSave, FailedSaveKeepsTheOldFile) {
  TempDir dir;
  std::string path = dir.file("keep.dxf");
  writeFile(path, kGood);
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(path)), Tzad::eOk);
  ASSERT_EQ(db.setHyperlinkBase(std::u16string(4000, u'x')), Tzad::eOk);

  struct rlimit old {};
  getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = 1024;
  sighandler_t previous = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  Tzad::ErrorStatus es = db.saveAs(u16(path));
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, previous);

  EXPECT_EQ(es, Tzad::eWriteFailed);
  EXPECT_NE(u8(db.lastErrorText()).find("the file on disk is unchanged"), std::string::npos);
  EXPECT_EQ(readFile(path), kGood);
  size_t files = 0;
  for (auto& entry : std::filesystem::directory_iterator(dir.path())) files += entry.exists();
  EXPECT_EQ(files, 1u);
}

}  // namespace
