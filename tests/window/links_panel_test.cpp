// The Hyperlinks panel in tzad's window, under Xvfb: opened by its command, its list read
// through the toolkit, and every step done with real pointer and key events while the session's
// command loop runs in the test's process.
#include <gtest/gtest.h>

#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/srchctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "base/language.h"
#include "docs/document_manager.h"
#include "editor/editor.h"
#include "modules/module_loader.h"
#include "test_support.h"
#include "tzdb_database.h"
#include "tzed_editor.h"
#include "view/layout_list.h"
#include "web_fixture.h"
#include "window/command_panel.h"
#include "window/main_frame.h"
#include "window/main_window.h"
#include "window/window_input.h"
#include "window_session.h"
#include "window_test.h"

namespace {

using tzad::Document;
using tzad::DocumentManager;
using tzad::Editor;
using tzad::MainFrame;
using tzt::Link;

using tzt::Step;

std::string handleText(TzDbObjectId id) {
  char text[17];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(id.handle().value()));
  return text;
}

// The list's columns (linktools/core/link_table.h).
enum Column { kAddress, kStatus, kLocation, kDescription, kObject, kLayer, kLayout };

class LinksPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    Editor::instance().reset();
    tzad::setHostLanguage("en");
    environment_.set("TZAD_OPEN_COMMAND", "true");
    ASSERT_TRUE(tzad::openMainWindow("test"));
    tzad::loadModulesIn(TZT_MODULE_DIR);
    frame()->SetSize(1100, 700);
  }

  void TearDown() override {
    tzad::closeMainWindow();
    tzad::unloadModules();
    Editor::instance().reset();
    tzad::setHostLanguage("");
  }

  static MainFrame* frame() { return MainFrame::current(); }
  static std::string transcript() { return tzt::windowTranscript(); }
  static wxListCtrl* list() {
    return dynamic_cast<wxListCtrl*>(wxWindow::FindWindowByName("hyperlink list", frame()));
  }
  static wxWindow* search() { return wxWindow::FindWindowByName("hyperlink search", frame()); }
  static bool listShown() { return list() != nullptr && list()->IsShownOnScreen(); }
  static long rows() { return listShown() ? list()->GetItemCount() : -1; }
  static std::string cell(long row, Column column) {
    return list()->GetItemText(row, column).utf8_string();
  }
  static std::vector<std::string> column(Column c) {
    std::vector<std::string> texts;
    for (long row = 0; row < rows(); ++row) texts.push_back(cell(row, c));
    return texts;
  }
  static long rowOf(const std::string& address) {
    for (long row = 0; row < rows(); ++row)
      if (cell(row, kAddress) == address) return row;
    return -1;
  }

  void run(std::vector<Step> steps) { tzt::runSteps(std::move(steps)); }

  static Step typed(const std::string& line) { return tzt::typedLine(line); }
  static Step atCommand() {
    return
        [] { return frame()->input().waiting() && frame()->panel()->promptText() == "Command: "; };
  }
  // A click with the pointer on a row of the list, or on a column's header.
  static Step clickRow(std::function<long()> row) {
    return inTurn({[row] { return row() >= 0; }, tzt::pointerTo([row] {
                     wxRect rect;
                     list()->GetItemRect(std::max(row(), 0L), rect);
                     return list()->ClientToScreen(rect.GetPosition() +
                                                   wxPoint(20, rect.height / 2));
                   }),
                   tzt::clickHere()});
  }
  // Clicks at `into` pixels into the column's header. A second click within the toolkit's
  // double-click time would be a double click: the step lets that time pass first.
  static Step clickHeader(Column c, int into) {
    return inTurn({tzt::pastDoubleClick(), tzt::pointerTo([c, into] {
                     int x = 0;
                     for (int i = 0; i < c; ++i) x += list()->GetColumnWidth(i);
                     return list()->GetScreenPosition() + wxPoint(x + into, 8);
                   }),
                   tzt::clickHere()});
  }
  // A click on the panel's button of that name.
  static Step clickButton(const char* name) {
    return inTurn({[name] { return wxWindow::FindWindowByName(name, frame()) != nullptr; },
                   tzt::pointerTo([name] {
                     wxWindow* button = wxWindow::FindWindowByName(name, frame());
                     return button->GetScreenRect().GetPosition() + wxPoint(10, 10);
                   }),
                   [] { return wxUIActionSimulator().MouseClick(); }});
  }
  // Steps that count as one: each in turn, each again until it returns true.
  static Step inTurn(std::vector<Step> steps) {
    return [steps, next = size_t(0)]() mutable {
      if (steps[next]()) ++next;
      return next == steps.size();
    };
  }
  Document* openSample() {
    std::string copy = dir_.file("site_plan.dxf");
    std::filesystem::copy_file(TZT_SAMPLE, copy);
    return DocumentManager::instance().open(tzt::u16(copy));
  }
  // A linked square on the sample's paper layout "Sheet".
  TzDbObjectId addOnSheet(Document& doc) {
    for (const tzad::LayoutEntry& layout : tzad::layoutsInTabOrder(*doc.database()))
      if (layout.name == u"Sheet") {
        TzDbObjectId id = tzt::addPolyline(layout.blockRecord, TzDbObjectId(),
                                           {{10, 10, 0}, {20, 10, 0}, {20, 20, 0}}, true);
        EXPECT_EQ(tzt::setLinks(id, {Link{"sheet-notes.pdf", "On the sheet"}}), Tzad::eOk);
        return id;
      }
    ADD_FAILURE() << "the sample has no layout Sheet";
    return {};
  }

  tzt::TemporaryHome home_;
  tzt::ScopedEnvironment environment_;
  tzt::TempDir dir_;
};

TEST_F(LinksPanelTest, ListsSortsSearchesAndShowsTheClickedObject) {
  Document* doc = openSample();
  ASSERT_NE(doc, nullptr);
  TzDbObjectId onSheet = addOnSheet(*doc);
  std::vector<std::string> objects, byDescriptionDown, found;
  std::string layoutBefore, status;
  int sortIndicator = -1;
  run({atCommand(), typed("HYPERLINKS"),
       [] { return rows() == 5 && cell(0, kStatus) != "Checking..."; },
       [&] {
         objects = column(kObject);
         status = cell(rowOf("docs/house-details.pdf"), kStatus);
         return true;
       },
       clickHeader(kDescription, 10), clickHeader(kDescription, 40),
       [&] {
         byDescriptionDown = column(kDescription);
         sortIndicator = list()->GetSortIndicator();
         return true;
       },
       [] { return tzt::typeText(search(), "garage"); }, [] { return rows() == 1; },
       [&] {
         found = column(kDescription);
         return tzt::pressKey(search(), 'A', wxMOD_CONTROL) && tzt::typeText(search(), "sheet");
       },
       [] { return rows() == 1; }, clickRow([] { return 0L; }),
       [&] {
         TzString ctab;
         return tzedGetVarText(u"CTAB", ctab) == RTNORM && ctab == u"Sheet" &&
                doc->pickfirst == std::vector<TzDbObjectId>{onSheet};
       },
       atCommand()});
  // Model space first, then the layout; the sample's links and the one added on the sheet.
  EXPECT_EQ(objects, (std::vector<std::string>{"LWPOLYLINE 91", "LWPOLYLINE 93", "LINE 95",
                                               "TEXT 98", "POLYLINE " + handleText(onSheet)}))
      << transcript();
  EXPECT_EQ(byDescriptionDown,
            (std::vector<std::string>{"Street map", "On the sheet", "House details",
                                      "Garage detail", "Ask the architect"}));
  EXPECT_EQ(sortIndicator, kDescription);
  EXPECT_EQ(found, std::vector<std::string>{"Garage detail"});
  EXPECT_NE(status.find("does not exist"), std::string::npos) << status;
}

// Enter edits the selected row's hyperlink in the module's dialog; Delete removes it after
// asking; U puts it back, and the list follows each change at once.
TEST_F(LinksPanelTest, EnterEditsDeleteRemovesAndTheListFollowsUndo) {
  Document* doc = openSample();
  ASSERT_NE(doc, nullptr);
  TzDbObjectId street;
  ASSERT_EQ(doc->database()->getTzDbObjectId(street, false, TzDbHandle(0x95)), Tzad::eOk);
  bool edited = false;
  std::string question;
  long afterDelete = -1;
  wxTEST_DIALOG(
      run({atCommand(), [] { return wxUIActionSimulator().Char('h', wxMOD_CONTROL | wxMOD_SHIFT); },
           [] { return rows() == 4; },
           clickRow([] { return rowOf("https://www.openstreetmap.org/"); }),
           [&] { return doc->pickfirst == std::vector<TzDbObjectId>{street}; },
           [] { return tzt::pressKey(list(), WXK_RETURN); }, [&] { return edited; }, atCommand(),
           [] { return tzt::pressKey(list(), WXK_DELETE); },
           [&] { return tzt::linksOf(street).empty() && rows() == 3; },
           [&] {
             afterDelete = rows();
             return true;
           },
           atCommand(), typed("U"), [] { return rows() == 4; }, atCommand()}),
      tzt::Expect<wxDialog>([&](wxDialog*) {
        edited = true;
        return wxID_CANCEL;
      }),
      tzt::Expect<wxMessageDialog>([&](wxMessageDialog* box) {
        question = box->GetMessage().utf8_string();
        return wxID_YES;
      }));
  EXPECT_EQ(question, "Remove the hyperlink of 1 object?") << transcript();
  EXPECT_EQ(afterDelete, 3);
  EXPECT_EQ(tzt::linksOf(street).size(), 1u) << transcript();
  EXPECT_EQ(rowOf("https://www.openstreetmap.org/") >= 0, true);
}

// Replace previews every address before and after, then runs as one -HYPERLINKREPLACE, which U
// takes back whole; the list follows both.
TEST_F(LinksPanelTest, ReplacePreviewsThenChangesInOneStep) {
  Document* doc = openSample();
  ASSERT_NE(doc, nullptr);
  std::vector<std::string> preview;
  std::string summary;
  wxTEST_DIALOG(run({atCommand(), typed("HYPERLINKS"), [] { return rows() == 4; },
                     clickButton("replace"), [] { return rowOf("pages/house-details.pdf") >= 0; },
                     atCommand(), [&] { return doc->nextUndo() == u"-HYPERLINKREPLACE"; },
                     // Keys typed next go to the command line, not to the panel's button.
                     [] { return wxWindow::FindFocus() == frame()->panel()->inputLine(); },
                     typed("U"), [] { return rowOf("docs/house-details.pdf") >= 0; }, atCommand()}),
                tzt::Expect<wxDialog>([&](wxDialog* dialog) {
                  dynamic_cast<wxTextCtrl*>(dialog->FindWindow("old text"))->SetValue("DOCS/");
                  dynamic_cast<wxTextCtrl*>(dialog->FindWindow("new text"))->SetValue("pages/");
                  auto* list = dynamic_cast<wxListCtrl*>(dialog->FindWindow("replace preview"));
                  for (long row = 0; row < list->GetItemCount(); ++row)
                    preview.push_back(list->GetItemText(row, 1).utf8_string() + " -> " +
                                      list->GetItemText(row, 2).utf8_string());
                  summary = dialog->FindWindow("replace summary")->GetLabel().utf8_string();
                  return wxID_OK;
                }));
  EXPECT_EQ(preview, std::vector<std::string>{"docs/house-details.pdf -> pages/house-details.pdf"});
  EXPECT_EQ(summary, "1 of 4 hyperlinks change; 3 are left as they are.");
  EXPECT_EQ(doc->nextRedo(), u"-HYPERLINKREPLACE") << transcript();
}

// Check Web Links looks the addresses up on a thread of its own: while a server keeps the
// check waiting, the window goes on (a search narrows the list); the answers then fill in each
// row's status.
TEST_F(LinksPanelTest, WebChecksLeaveTheWindowAnswering) {
  for (const char* proxy : {"http_proxy", "https_proxy", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"})
    environment_.set(proxy, nullptr);
  environment_.set("no_proxy", "127.0.0.1");
  tzt::WebFixture server;
  ASSERT_NE(server.port(), 0) << "the fixture server did not start";
  Document* doc = DocumentManager::instance().create();
  TzDbObjectId space = doc->database()->currentSpaceId();
  for (const char* path : {"missing", "ok", "silent"}) {
    TzDbObjectId id = tzt::addPolyline(space, TzDbObjectId(), {{0, 0, 0}, {10, 10, 0}});
    ASSERT_EQ(tzt::setLinks(id, {Link{server.url(path), path}}), Tzad::eOk);
  }
  auto label = [] {
    return wxWindow::FindWindowByName("hyperlink count", frame())->GetLabel().utf8_string();
  };
  std::string statusBefore, missing, ok, silent;
  long searchedWhileChecking = -1;
  run({atCommand(), typed("HYPERLINKS"),
       [] { return rows() == 3 && cell(0, kStatus) != "Checking..."; },
       [&] {
         statusBefore = cell(rowOf(server.url("missing")), kStatus);
         return true;
       },
       clickButton("check web links"),
       [&] { return label().find("Looking up") != std::string::npos; },
       [] { return tzt::typeText(search(), "silent"); },
       [&] {
         if (rows() != 1) return false;
         // The search was answered while the lookup still waits for the silent server.
         if (label().find("Looking up") != std::string::npos) searchedWhileChecking = rows();
         return tzt::pressKey(search(), 'A', wxMOD_CONTROL) && tzt::pressKey(search(), WXK_BACK);
       },
       [&] { return rows() == 3 && label().find("Looking up") == std::string::npos; },
       [&] {
         missing = cell(rowOf(server.url("missing")), kStatus);
         ok = cell(rowOf(server.url("ok")), kStatus);
         silent = cell(rowOf(server.url("silent")), kStatus);
         return true;
       }});
  EXPECT_EQ(statusBefore.rfind("Not checked", 0), 0u) << statusBefore;
  EXPECT_EQ(searchedWhileChecking, 1);
  EXPECT_EQ(missing.rfind("HTTP 404", 0), 0u) << missing;
  EXPECT_EQ(ok, "OK");
  EXPECT_EQ(silent.rfind("Timed out", 0), 0u) << silent;
}

// A module installed without its panel's library: HYPERLINKS says the panel cannot be loaded,
// not that there is no window.
TEST_F(LinksPanelTest, PanelLibraryMissingIsSaidSo) {
  tzad::unloadModules();
  std::filesystem::path modules = dir_.file("modules");
  std::filesystem::create_directory(modules);
  for (const auto& entry : std::filesystem::directory_iterator(TZT_MODULE_DIR))
    if (entry.path().filename() != "LinkToolsPanel.so")
      std::filesystem::copy_file(entry.path(), modules / entry.path().filename());
  tzad::loadModulesIn(modules.string());
  run({atCommand(), typed("HYPERLINKS"),
       [] { return transcript().find("cannot be loaded") != std::string::npos; }, atCommand()});
  EXPECT_NE(transcript().find("The Hyperlinks panel cannot be loaded: "), std::string::npos)
      << transcript();
  EXPECT_EQ(transcript().find("does not have"), std::string::npos) << transcript();
  EXPECT_FALSE(listShown());
}

}  // namespace
