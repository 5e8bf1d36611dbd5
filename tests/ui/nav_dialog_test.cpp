// The file dialog as modules ask for it: its file types from an extension list, and the
// chosen path (or the cancel) as the command line's result.
#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/testing.h>

#include <algorithm>
#include <string>

#include "platform/recent_files.h"
#include "test_support.h"
#include "tz_status.h"
#include "tzed_editor.h"
#include "ui/nav_filters.h"
#include "window_test.h"

namespace {

TEST(NavFilters, OneTypePerExtensionInAnyLetterCase) {
  struct Case {
    const char16_t* extensions;
    const char* language;
    bool ignoreCase;
    const char* wildcard;
  } cases[] = {
      {u"*;dwg;dxf", "en", true, "All files (*)|*|*.dwg|*.[dD][wW][gG]|*.dxf|*.[dD][xX][fF]"},
      {u"*;dwg", "zh", false, "所有文件 (*)|*|*.dwg|*.dwg"},
      {u"htm;.html;;", "en", true, "*.htm|*.[hH][tT][mM]|*.html|*.[hH][tT][mM][lL]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wildcard);
    wxString wildcard =
        tzui::navWildcard(tzui::navFiltersFromExtensions(c.extensions, c.language), c.ignoreCase);
    EXPECT_EQ(wildcard.utf8_string(), c.wildcard);
  }
}

// A file chosen to open joins the desktop's recent files; a name to save under does not, as
// the save may never happen.
TEST(NavDialog, ChosenFileIsTheResultAndCancelIsNone) {
  struct Case {
    int flags;
    int answer;
    int status;
    long style;
    bool recent;
  } cases[] = {
      {TZ_NAV_SAVE, wxID_OK, RTNORM, wxFD_SAVE | wxFD_OVERWRITE_PROMPT, false},
      {0, wxID_CANCEL, RTCAN, wxFD_OPEN, false},
      {TZ_NAV_OPEN_ONLY, wxID_OK, RTNORM, wxFD_OPEN | wxFD_FILE_MUST_EXIST, true},
  };
  tzt::TemporaryHome home;
  tzt::TempDir dir;
  const std::string chosen = dir.file("图纸 site plan.DWG");
  tzt::writeFile(chosen, "0\nEOF\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    wxString wildcard;
    long style = 0;
    resbuf* result = nullptr;
    int status = 0;
    wxTEST_DIALOG(status = tzedGetFileNavDialog(u"选择文件", u"/tmp/site plan.dwg", u"dwg;*",
                                                u"HyperlinkFile", c.flags, &result),
                  // Answered with the chosen file (or cancelled); how it was asked is noted.
                  tzt::Expect<wxFileDialog>([&](wxFileDialog* dialog) {
                    wildcard = dialog->GetWildcard();
                    style = dialog->GetWindowStyle();
                    dialog->SetPath(wxString::FromUTF8(chosen));
                    // GTK's chooser takes the path in once it has read the folder.
                    tzt::yieldUntil([dialog] { return !dialog->GetPath().empty(); });
                    return c.answer;
                  }));
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(style & (wxFD_OPEN | wxFD_SAVE | wxFD_FILE_MUST_EXIST | wxFD_OVERWRITE_PROMPT),
              c.style);
    EXPECT_TRUE(wildcard.StartsWith("*.dwg|"));
    std::vector<std::u16string> recent = platform::recentFiles();
    EXPECT_EQ(std::find(recent.begin(), recent.end(), tzt::u16(chosen)) != recent.end(), c.recent);
    if (c.status == RTNORM) {
      ASSERT_NE(result, nullptr);
      EXPECT_EQ(result->restype, RTSTR);
      EXPECT_EQ(result->rbnext, nullptr);
      EXPECT_EQ(std::u16string(result->resval.rstring), tzt::u16(chosen));
    } else {
      EXPECT_EQ(result, nullptr);
    }
    tzutRelRb(result);
  }
}

}  // namespace
