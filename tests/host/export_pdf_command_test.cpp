// EXPORTPDF at the command line: its questions and defaults, what it never replaces, and the
// progress it tells the window.
#include <gtest/gtest.h>

#include "base/language.h"
#include "pdf_reading.h"
#include "session.h"

using namespace tzad;
using namespace tzt;
namespace fs = std::filesystem;

namespace {

// The command's messages are checked in English, their source language.
class English : public testing::Environment {
 public:
  void SetUp() override { setHostLanguage("en"); }
};
testing::Environment* const kEnglish = testing::AddGlobalTestEnvironment(new English);

int pagesOf(const std::string& pdf) {
  std::optional<SeenPdf> seen = readPdf(pdf);
  return seen ? seen->pages : 0;
}

TEST(ExportPdfCommand, DefaultsToTheCurrentLayoutBesideTheDrawing) {
  Session s;
  s.openSample();
  std::string pdf = s.dir().file("plan.pdf");
  s.run({"EXPORTPDF", "", "", ""});
  EXPECT_EQ(s.takeOutput(),
            "Command: EXPORTPDF\n"
            "Enter PDF file name <plan.pdf>: \n"
            "Export [Current layout/All layouts] <Current>: \n"
            "Colors [Color/Monochrome] <Color>: \n"
            "Exported 1 page(s) with 3 hyperlink(s) to " +
                pdf +
                "\n"
                "1 hyperlink(s) to layouts that are not in the PDF were left out.\n");
  EXPECT_EQ(pagesOf(pdf), 1);
  s.run({"EXPORTPDF", "", "Yes", "a", "m"});
  EXPECT_EQ(pagesOf(pdf), 3);
}

// A name typed without ".pdf" gets it; one in double quotes (pasted from a file manager) loses
// them.
TEST(ExportPdfCommand, TypedNamesBecomePdfFiles) {
  Session s;
  s.openSample();
  struct Case {
    std::string typed;
    std::string written;
  } cases[] = {
      {s.dir().file("site plan"), "site plan.pdf"},
      {"\"" + s.dir().file("quoted.pdf") + "\"", "quoted.pdf"},
      {"  " + s.dir().file("图纸.PDF") + " ", "图纸.PDF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    s.run({"EXPORTPDF", c.typed, "", ""});
    EXPECT_NE(s.takeOutput().find("Exported 1 page(s)"), std::string::npos);
    EXPECT_EQ(pagesOf(s.dir().file(c.written)), 1);
  }
}

TEST(ExportPdfCommand, AsksBeforeReplacingAndNeverReplacesTheDrawingOrAFolder) {
  Session s;
  s.openSample();
  std::string plan = s.dir().file("plan.dxf");
  writeFile(s.dir().file("old.pdf"), "old");
  fs::create_directory(s.dir().file("folder.pdf"));
  fs::create_symlink("plan.dxf", s.dir().file("link.dxf"));
  struct Case {
    std::vector<std::string> lines;
    std::string said;  // the end of the transcript
  } cases[] = {
      {{"EXPORTPDF", s.dir().file("old.pdf"), ""},
       s.dir().file("old.pdf") + " already exists. Replace it? [Yes/No] <No>: \n"
                                 "Nothing was exported.\n"},
      {{"EXPORTPDF", plan}, plan + " is the drawing itself; nothing was exported.\n"},
      {{"EXPORTPDF", s.dir().file("link.dxf")},
       s.dir().file("link.dxf") + " is the drawing itself; nothing was exported.\n"},
      {{"EXPORTPDF", s.dir().file("folder.pdf")},
       s.dir().file("folder.pdf") + " is a folder; nothing was exported.\n"},
      {{"EXPORTPDF", s.dir().file("folder.pdf") + "/"},
       s.dir().file("folder.pdf") + "/ is a folder; nothing was exported.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines[1]);
    s.run(c.lines);
    std::string said = s.takeOutput();
    EXPECT_TRUE(said.ends_with(c.said)) << said;
  }
  EXPECT_EQ(readFile(s.dir().file("old.pdf")), "old");
  EXPECT_EQ(readFile(plan), readFile(samplePath()));
  EXPECT_TRUE(fs::is_directory(s.dir().file("folder.pdf")));
  s.run({"EXPORTPDF", s.dir().file("old.pdf"), "Yes", "", ""});
  EXPECT_EQ(pagesOf(s.dir().file("old.pdf")), 1);
}

// A PDF that cannot be written fails a script as a failed save does.
TEST(ExportPdfCommand, AFailedExportIsReported) {
  Session s;
  s.openSample();
  s.run({"EXPORTPDF", s.dir().file("missing/plan.pdf"), "", ""});
  EXPECT_NE(s.takeOutput().find("The PDF was not written: "), std::string::npos);
  EXPECT_TRUE(Editor::instance().saveFailed());
}

TEST(ExportPdfCommand, TellsItsProgressUntilItEnds) {
  Session s;
  s.openSample();
  std::vector<double> told;
  Editor::instance().setProgressDisplay([&](const std::u16string& task, double done) {
    EXPECT_EQ(u8(task), "Exporting PDF");
    told.push_back(done);
  });
  s.run({"EXPORTPDF", "", "All", ""});
  Editor::instance().setProgressDisplay(nullptr);
  ASSERT_GE(told.size(), 7u);  // the start and middle of each of three pages, and the end
  EXPECT_EQ(told.front(), 0);
  EXPECT_EQ(told.back(), 1);
  EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
}

}  // namespace
