// tzad's main window as a user meets it, under Xvfb: the command line loop runs in the test's
// process while each step acts on the real window with real mouse and key events.
#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <set>

#include "base/language.h"
#include "dialog/hyperlink_frame_ids.h"
#include "docs/document_manager.h"
#include "editor/editor.h"
#include "modules/module_loader.h"
#include "pdf_reading.h"
#include "platform/clipboard.h"
#include "test_support.h"
#include "tzdb_entity.h"
#include "tzed_editor.h"
#include "tzui.h"
#include "window/command_panel.h"
#include "window/drawing_canvas.h"
#include "window/main_frame.h"
#include "window/main_window.h"
#include "window/object_link.h"
#include "window/progress_window.h"
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

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    opened_ = dir_.file("opened.txt");
    std::string opener = dir_.file("opener.sh");
    tzt::writeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened_ + "'\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    environment_.set("TZAD_OPEN_COMMAND", opener.c_str());
    environment_.set("TZAD_CLIPBOARD_DIR", nullptr);  // the desktop's own clipboard
    Editor::instance().reset();
    tzad::setHostLanguage(language());
    ASSERT_TRUE(tzad::openMainWindow("test"));
    tzad::loadModulesIn(TZT_MODULE_DIR);
    doc_ = DocumentManager::instance().create();
    frame()->SetSize(800, 600);
    frame()->canvas()->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
      menuOpen_ = true;
      event.Skip();
    });
    wxUIActionSimulator().MouseMove(frame()->GetScreenPosition() + wxPoint(400, 590));
  }

  void TearDown() override {
    tzad::closeMainWindow();
    tzad::unloadModules();
    Editor::instance().reset();
    tzad::setHostLanguage("");
  }

  // The language the window is opened in.
  virtual const char* language() const { return "en"; }

  static MainFrame* frame() { return MainFrame::current(); }
  static wxTextCtrl* commandLine() { return frame()->panel()->inputLine(); }
  static std::string transcript() { return tzt::windowTranscript(); }
  static bool atPrompt(const std::string& prompt) { return tzt::windowAtPrompt(prompt); }

  TzDbObjectId addSquare(double x, double y, double size) {
    return tzt::addPolyline(
        doc_->database()->currentSpaceId(), TzDbObjectId(),
        {{x, y, 0}, {x + size, y, 0}, {x + size, y + size, 0}, {x, y + size, 0}}, true);
  }

  // Where a world point is on the screen.
  static wxPoint onScreen(double x, double y) {
    tzad::DrawingCanvas* canvas = frame()->canvas();
    return canvas->ClientToScreen(canvas->screenPoint(x, y));
  }

  void run(std::vector<Step> steps) { tzt::runSteps(std::move(steps)); }

  static Step typed(const std::string& line) { return tzt::typedLine(line); }
  static Step waitFor(const std::string& prompt) {
    return [prompt] { return atPrompt(prompt); };
  }
  // Steps that count as one: each in turn, each again until it returns true.
  static Step inTurn(std::vector<Step> steps) {
    return [steps, next = size_t(0)]() mutable {
      if (steps[next]()) ++next;
      return next == steps.size();
    };
  }
  static Step pointerAt(double x, double y) {
    return tzt::pointerTo([=] { return onScreen(x, y); });
  }
  static Step zoomToExtents() {
    return inTurn({[] {
                     frame()->canvas()->zoomExtents();
                     return true;
                   },
                   tzt::handled()});
  }
  static Step clickAt(double x, double y, int modifiers = wxMOD_NONE) {
    return inTurn({pointerAt(x, y), tzt::clickHere(wxMOUSE_BTN_LEFT, modifiers)});
  }
  static Step dragFrom(double x0, double y0, double x1, double y1) {
    return inTurn(
        {pointerAt(x0, y0), [] { return wxUIActionSimulator().MouseDown(); }, tzt::handled(),
         [=] {
           wxUIActionSimulator mouse;
           for (int i = 1; i < 5; ++i)
             mouse.MouseMove(onScreen(x0 + (x1 - x0) * i / 5, y0 + (y1 - y0) * i / 5));
           return true;
         },
         pointerAt(x1, y1), [] { return wxUIActionSimulator().MouseUp(); }, tzt::handled()});
  }
  // Right-clicks the object at a point and picks an item of its hyperlink menu by its
  // mnemonic, once the menu runs its own loop.
  static Step fromLinkMenu(double x, double y, char item) {
    return inTurn({pointerAt(x, y), tzt::clickHere(wxMOUSE_BTN_RIGHT),
                   [item] { return wxUIActionSimulator().Char(item); }});
  }

  // Hovers over the object at a point until its tooltip is set, right-clicks it, moves the
  // pointer off the object onto the first item of the menu that opens at the pointer, as a
  // person does, and chooses that item with a click or the one `down` below it with the keys.
  // The menu opens in the session's own loop; the steps go on inside the menu's loop.
  Step pointAtLinkMenu(double x, double y, int down) {
    return inTurn({[=] {
                     wxUIActionSimulator().MouseMove(onScreen(x, y) + wxPoint(0, 1));
                     wxUIActionSimulator().MouseMove(onScreen(x, y));
                     return !frame()->canvas()->GetToolTipText().empty();
                   },
                   [this] {
                     menuOpen_ = false;
                     return wxUIActionSimulator().MouseClick(wxMOUSE_BTN_RIGHT);
                   },
                   [this] { return menuOpen_; },
                   [=] {
                     wxUIActionSimulator mouse;
                     for (int step = 1; step < 4; ++step)
                       mouse.MouseMove(onScreen(x, y) + wxPoint(10 * step, 4 * step));
                     return true;
                   },
                   tzt::pointerTo([=] { return onScreen(x, y) + wxPoint(40, 16); }),
                   [=] {
                     wxUIActionSimulator mouse;
                     if (down == 0) return mouse.MouseClick();
                     for (int i = 0; i < down; ++i) mouse.Char(WXK_DOWN);
                     return mouse.Char(WXK_RETURN);
                   }});
  }
  // A menu of the menu bar and one of its items, by their mnemonics.
  static Step fromMenu(char menu, char item) {
    return [=] {
      wxUIActionSimulator keys;
      return keys.Char(menu, wxMOD_ALT) && keys.Char(item);
    };
  }
  // The sample drawing, from a copy in the test's folder.
  Document* openSample() {
    std::string copy = dir_.file("site_plan.dxf");
    std::filesystem::copy_file(TZT_SAMPLE, copy);
    return DocumentManager::instance().open(tzt::u16(copy));
  }
  static std::string tooltip() { return frame()->canvas()->GetToolTipText().utf8_string(); }

  tzt::TemporaryHome home_;
  tzt::ScopedEnvironment environment_;
  tzt::TempDir dir_;
  std::string opened_;
  Document* doc_ = nullptr;
  bool menuOpen_ = false;
};

// The colour of the screen pixel at a point, read back from the X server.
wxColour screenPixel(wxPoint at) {
  wxScreenDC screen;
  wxBitmap pixel(1, 1);
  wxMemoryDC memory(pixel);
  memory.Blit(0, 0, 1, 1, &screen, at.x, at.y);
  memory.SelectObject(wxNullBitmap);
  wxImage image = pixel.ConvertToImage();
  return wxColour(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
}

// The orange of what is selected, or that orange blended into the background.
bool isOrange(const wxColour& c) {
  return c.Red() > 100 && 2 * c.Green() > c.Red() && c.Green() < c.Red() &&
         2 * c.Blue() < c.Green();
}

// Whether a pixel within one of the point has the colour: lines are drawn on pixel boundaries.
bool colourNear(wxPoint at, bool (*is)(const wxColour&)) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (is(screenPixel(at + wxPoint(dx, dy)))) return true;
  return false;
}

// The corners of an area hyperlink picked in the view: its rectangle on URLLAYER has the
// picked points for corners (its pixels are the view tests').
TEST_F(MainWindowTest, AreaRectangleCornersArePickedInTheView) {
  run({waitFor("Command: "), typed("-HYPERLINK"), typed("Insert"), typed("Area"),
       waitFor("First corner: "), clickAt(-6, -4), waitFor("Other corner: "), clickAt(6, 4),
       typed("https://example.com/area"), typed(""), typed(""), waitFor("Command: "),
       zoomToExtents()});
  TzDbObjectId rectangle = tzt::findEntity(*doc_->database(), "POLYLINE", "URLLAYER");
  ASSERT_FALSE(rectangle.isNull()) << transcript();
  TzDbObjectPointer<TzDb3dPolyline> shape(rectangle, TzDb::kForRead);
  ASSERT_TRUE(shape);
  std::vector<TzGePoint3d> corners = shape->vertices();
  ASSERT_EQ(corners.size(), 4u);
  // Picked on an empty drawing's view of 20 units across 800 pixels: within a pixel.
  EXPECT_NEAR(corners[0].x, -6, 0.05);
  EXPECT_NEAR(corners[0].y, -4, 0.05);
  EXPECT_NEAR(corners[2].x, 6, 0.05);
  EXPECT_NEAR(corners[2].y, 4, 0.05);
}

// Picking as a user does it: a middle-button pan that ZOOM E takes back, a click at
// "Command: " that pre-selects and Esc that clears it, a click at "Select objects: " that shows
// the object selected, and drags that take what is inside or, leftwards, what they cross.
TEST_F(MainWindowTest, PanZoomClicksAndDragsPickObjects) {
  TzDbObjectId inside = addSquare(0, 0, 10);
  TzDbObjectId across = addSquare(25, 0, 10);
  TzDbObjectId far = addSquare(60, 0, 10);
  wxPoint opened, panned, zoomed;
  bool highlighted = false;
  std::vector<std::set<TzDbObjectId>> chosen;
  Step keepChosen = [&] {
    chosen.emplace_back(doc_->pickfirst.begin(), doc_->pickfirst.end());
    return true;
  };
  // SELECT with one pick, ended with a right-click.
  auto selectWith = [&](Step pick) {
    return inTurn({typed("SELECT"), waitFor("Select objects: "), pick, waitFor("Select objects: "),
                   [] { return wxUIActionSimulator().MouseClick(wxMOUSE_BTN_RIGHT); },
                   waitFor("Command: "), keepChosen});
  };
  wxPoint grabbed;
  Step pan =
      inTurn({[&] {
                opened = frame()->canvas()->screenPoint(0, 0);
                grabbed = onScreen(5, 5);
                return true;
              },
              tzt::pointerTo([&] { return grabbed; }),
              [] { return wxUIActionSimulator().MouseDown(wxMOUSE_BTN_MIDDLE); },
              tzt::pointerTo([&] { return grabbed + wxPoint(60, 30); }),
              [] { return wxUIActionSimulator().MouseUp(wxMOUSE_BTN_MIDDLE); }, tzt::handled(),
              [&] {
                panned = frame()->canvas()->screenPoint(0, 0);
                return true;
              }});
  // The highlight is painted after the prompt shows: looked for until it is there.
  Step pickAndLook = inTurn({clickAt(70, 5), waitFor("Select objects: "), [&] {
                               highlighted = colourNear(onScreen(65, 0), isOrange);
                               return highlighted;
                             }});
  // The box from x=-3 to x=30: the first square lies inside it, the second crosses its edge.
  // (x=-5 would be off the screen's left edge in the window's place.)
  run({waitFor("Command: "), zoomToExtents(), pan, typed("ZOOM"), typed("E"), waitFor("Command: "),
       [&] {
         zoomed = frame()->canvas()->screenPoint(0, 0);
         return true;
       },
       clickAt(0, 5), keepChosen, [] { return tzt::pressKey(commandLine(), WXK_ESCAPE); },
       [&] { return doc_->pickfirst.empty(); }, selectWith(pickAndLook),
       selectWith(dragFrom(-3, -5, 30, 15)), selectWith(dragFrom(30, -5, -3, 15))});
  EXPECT_EQ(panned - opened, wxPoint(60, 30));
  EXPECT_LE(std::abs(zoomed.x - opened.x) + std::abs(zoomed.y - opened.y), 2);
  EXPECT_TRUE(highlighted);
  using Ids = std::set<TzDbObjectId>;
  EXPECT_EQ(chosen, (std::vector<Ids>{{inside}, {far}, {inside}, {inside, across}}))
      << transcript();
}

// What the session writes reaches the panel whatever it holds: a NUL from a drawing (which
// GTK would refuse) and other controls show escaped; a line of two million characters, written
// in pieces, shows its start.
TEST_F(MainWindowTest, PanelShowsControlsEscapedAndLongLinesCut) {
  using namespace std::string_literals;
  frame()->append("https://example.com/\0evil.example \x1B[2J\n"s);
  frame()->append("Description: ");
  frame()->append(std::string(2'000'000, 'x') + "\nCommand: ");
  EXPECT_EQ(transcript(), "https://example.com/^@evil.example ^[[2J\nDescription: " +
                              std::string(286, 'x') + "\u2026\nCommand: ");
}

// A clipboard that cannot be read (no xclip) is said in the panel, where the user looks.
TEST_F(MainWindowTest, PanelSaysWhyTheClipboardCannotBeRead) {
  environment_.set("PATH", dir_.file("no-programs").c_str());
  addSquare(0, 0, 10);
  run({waitFor("Command: "), typed("PASTEASHYPERLINK"), waitFor("Select objects: "), typed("ALL"),
       waitFor("Select objects: "), typed(""), waitFor("Command: ")});
  EXPECT_NE(transcript().find("The clipboard cannot be read: xclip cannot be run"),
            std::string::npos)
      << transcript();
}

// A description of two million characters: the tooltip shows its start, on one line. It
// offers Ctrl+click only when a module can follow the link.
TEST(LinkTooltip, ShowsAtMostAFewHundredCharacters) {
  tzad::setHostLanguage("en");
  std::u16string tip = tzad::linkTooltip(
      {u"https://example.com/", std::u16string(2'000'000, u'd') + u"\n", u""}, true);
  EXPECT_EQ(tip, std::u16string(299, u'd') + u"\u2026\nCtrl+click to follow");
  EXPECT_EQ(tzad::linkTooltip({u"https://example.com/", u"", u"House"}, true),
            u"https://example.com/ #House\nCtrl+click to follow");
  EXPECT_EQ(tzad::linkTooltip({u"https://example.com/", u"Site", u""}, false), u"Site");
  tzad::setHostLanguage("");
}

// A Ctrl+click follows the object's hyperlink with the desktop's opener; the click gives the
// view the keyboard, and the menus' shortcuts still work from there.
TEST_F(MainWindowTest, CtrlClickFollowsTheLinkAndShortcutsWorkAfterIt) {
  TzDbObjectId square = addSquare(0, 0, 10);
  ASSERT_EQ(tzt::setLinks(square, {Link{"https://example.com/site", "Site"}}), Tzad::eOk);
  run({waitFor("Command: "), zoomToExtents(), clickAt(0, 5, wxMOD_CONTROL),
       [this] { return !tzt::readFile(opened_).empty(); }, waitFor("Command: "),
       [] { return wxUIActionSimulator().Char('k', wxMOD_CONTROL); }, waitFor("Select objects: "),
       [] { return tzt::pressKey(commandLine(), WXK_ESCAPE); }, waitFor("Command: ")});
  EXPECT_EQ(tzt::readFile(opened_), "https://example.com/site") << transcript();
  EXPECT_NE(transcript().find("*Cancel*"), std::string::npos);
}

// The window of a session in Chinese, tzad's default language.
class ChineseMainWindowTest : public MainWindowTest {
 protected:
  const char* language() const override { return "zh"; }
};

// The object's hyperlink menu in Chinese: Copy puts the link on the desktop's clipboard, where
// other programs and PASTEASHYPERLINK find it; Remove answers the module's prompts with its
// global keywords, which hold in any language.
TEST_F(ChineseMainWindowTest, LinkMenuCopiesForPastingThenRemoves) {
  TzDbObjectId linked = addSquare(0, 0, 10);
  TzDbObjectId other = addSquare(40, 0, 10);
  Link link{"https://example.com/site", "Site documents", "House"};
  ASSERT_EQ(tzt::setLinks(linked, {link}), Tzad::eOk);
  run({waitFor("命令: "), zoomToExtents(), fromLinkMenu(0, 5, 'c'),
       [] { return platform::Clipboard::attach().hyperlink().has_value(); },
       typed("PASTEASHYPERLINK"), waitFor("选择对象: "), clickAt(50, 5), waitFor("选择对象: "),
       typed(""), waitFor("命令: "), fromLinkMenu(0, 5, 'r'),
       [&] { return tzt::linksOf(linked).empty(); }});
  EXPECT_EQ(tzt::linksOf(other), std::vector<Link>{link}) << transcript();
  EXPECT_TRUE(tzt::linksOf(linked).empty());
  EXPECT_EQ(platform::Clipboard::attach().webAddress(), u"https://example.com/site");
}

// On the sample: the link menu's Open and Copy, reached with the pointer moved off the object
// onto the menu, take the link of the object that was right-clicked; Remove leaves the next
// prompt on a line of its own.
TEST_F(MainWindowTest, LinkMenuItemsReachedWithThePointerTakeTheClickedObjectsLink) {
  doc_ = openSample();
  ASSERT_NE(doc_, nullptr);
  run({waitFor("Command: "), zoomToExtents(), pointAtLinkMenu(60, 66, 0),
       [this] { return !tzt::readFile(opened_).empty(); }, waitFor("Command: "),
       pointAtLinkMenu(20, 30, 1),
       [] { return platform::Clipboard::attach().hyperlink().has_value(); },
       fromLinkMenu(20, 30, 'r'), waitFor("Command: "), typed("DWGNAME"), waitFor("Command: ")});
  EXPECT_EQ(tzt::readFile(opened_), "https://www.openstreetmap.org/") << transcript();
  std::optional<platform::ClipboardHyperlink> copied = platform::Clipboard::attach().hyperlink();
  ASSERT_TRUE(copied);
  EXPECT_EQ(copied->address, u"docs/house-details.pdf");
  EXPECT_EQ(copied->description, u"House details");
  EXPECT_NE(transcript().find(" hyperlink(s) deleted.\nCommand: DWGNAME"), std::string::npos)
      << transcript();
}

// Following the sample's Garage link ("Garage,Details") shows the Details layout, and what the
// mouse points at afterwards decides the tooltip and the cursor: nothing is left of the link.
TEST_F(MainWindowTest, FollowedLinkShowsItsLayoutAndLeavesNoStaleTooltip) {
  doc_ = openSample();
  ASSERT_NE(doc_, nullptr);
  std::string before, after;
  TzString layout;
  run({waitFor("Command: "), zoomToExtents(),
       [&] {
         wxUIActionSimulator().MouseMove(onScreen(60, 27));
         before = tooltip();
         return !before.empty();
       },
       clickAt(60, 27, wxMOD_CONTROL), waitFor("Command: "),
       [&] { return tzedGetVarText(u"CTAB", layout) == RTNORM && layout == u"Details"; },
       [] {
         wxUIActionSimulator().MouseMove(frame()->canvas()->GetScreenPosition() + wxPoint(3, 3));
         return true;
       },
       [&] {
         after = tooltip();
         return after.empty();
       }});
  EXPECT_NE(before.find("Garage detail"), std::string::npos);
  EXPECT_EQ(tzt::u8(layout), "Details") << transcript();
  EXPECT_EQ(after, "");
  EXPECT_FALSE(frame()->canvas()->GetCursor().IsOk());
}

// Where the user is: the current drawing's file and layout.
std::string place() {
  Document* doc = DocumentManager::instance().current();
  TzString layout;
  if (doc == nullptr || tzedGetVarText(u"CTAB", layout) != RTNORM) return "";
  return std::filesystem::path(tzt::u8(doc->fileName())).filename().string() + " " +
         tzt::u8(layout);
}

// Alt+Left and Alt+Right after following links: from a.dxf to b.dxf (a relative link),
// there to its Details layout (the sample's Garage link), back twice and forward twice; then
// a.dxf is closed, and Back, from the command line, opens it again and shows the view it had.
TEST_F(MainWindowTest, BackAndForwardAcrossDrawingsAndLayoutsOpenAClosedDrawingAgain) {
  std::string a = dir_.file("a.dxf"), b = dir_.file("b.dxf");
  std::filesystem::copy_file(TZT_SAMPLE, b);
  std::filesystem::copy_file(TZT_SAMPLE, a);
  doc_ = DocumentManager::instance().open(tzt::u16(a));
  ASSERT_NE(doc_, nullptr);
  TzDbObjectId linked = addSquare(-30, 0, 10);
  ASSERT_EQ(tzt::setLinks(linked, {Link{"b.dxf", "Plan B"}}), Tzad::eOk);
  ASSERT_EQ(doc_->database()->saveAs(tzt::u16(a)), Tzad::eOk);
  auto key = [](int code) {
    return [code] { return tzt::pressKey(frame()->canvas(), code, wxMOD_ALT); };
  };
  auto at = [](const std::string& expected) {
    return [expected] { return atPrompt("Command: ") && place() == expected; };
  };
  TzGePoint3d viewOfA;
  std::vector<bool> enabled;  // Back's and Forward's items, read at the steps that look
  auto items = [&] {
    enabled.push_back(
        frame()->GetMenuBar()->IsEnabled(frame()->GetMenuBar()->FindMenuItem("View", "Back")));
    enabled.push_back(
        frame()->GetMenuBar()->IsEnabled(frame()->GetMenuBar()->FindMenuItem("View", "Forward")));
    return true;
  };
  std::string typedLine;
  long caret = -1;
  run({waitFor("Command: "),
       zoomToExtents(),
       items,
       [&] {
         viewOfA = doc_->viewCenter;
         return true;
       },
       clickAt(-30, 5, wxMOD_CONTROL),
       at("b.dxf Model"),
       zoomToExtents(),
       clickAt(60, 27, wxMOD_CONTROL),
       at("b.dxf Details"),
       items,
       key(WXK_LEFT),
       at("b.dxf Model"),
       key(WXK_LEFT),
       at("a.dxf Model"),
       items,
       key(WXK_RIGHT),
       at("b.dxf Model"),
       key(WXK_RIGHT),
       at("b.dxf Details"),
       typed("OPEN"),
       waitFor("Enter name of drawing to open: "),
       typed(a),
       at("a.dxf Model"),
       typed("CLOSE"),
       [&] {
         return atPrompt("Command: ") && DocumentManager::instance().find(tzt::u16(a)) == nullptr;
       },
       [] { return tzt::typeText(commandLine(), "xy"); },
       [] { return tzt::pressKey(commandLine(), WXK_LEFT, wxMOD_ALT); },
       at("b.dxf Model"),
       [] { return tzt::pressKey(commandLine(), WXK_LEFT, wxMOD_ALT); },
       at("a.dxf Model"),
       items,
       [&] {
         typedLine = commandLine()->GetValue().utf8_string();
         caret = commandLine()->GetInsertionPoint();
         return true;
       }});
  Document* reopened = DocumentManager::instance().find(tzt::u16(a));
  ASSERT_NE(reopened, nullptr) << transcript();
  EXPECT_EQ(reopened, DocumentManager::instance().current());
  EXPECT_NEAR(reopened->viewCenter.x, viewOfA.x, 1e-6);
  EXPECT_NEAR(reopened->viewCenter.y, viewOfA.y, 1e-6);
  // Nothing to go to at first; both after the first Back; at the start again, only Forward.
  EXPECT_EQ(enabled, (std::vector<bool>{false, false, true, false, false, true, false, true}));
  EXPECT_NE(transcript().find("Opened " + a), std::string::npos) << transcript();
  // The keys went back, not into the line: what was typed stays, its caret with it.
  EXPECT_EQ(typedLine, "xy");
  EXPECT_EQ(caret, 2);
}

// The status bar says where the link under the mouse leads: a relative address as the file it
// resolves to beside the drawing, a file that is not there marked, a web address as it is;
// without the module, the address alone.
TEST_F(MainWindowTest, StatusBarShowsWhereTheLinkUnderTheMouseLeads) {
  doc_ = openSample();
  ASSERT_NE(doc_, nullptr);
  std::string house = dir_.file("docs/house-details.pdf");
  std::filesystem::create_directories(dir_.file("docs"));
  tzt::writeFile(house, "%PDF-1.4\n");
  TzDbObjectId missing = addSquare(-30, 0, 10);
  ASSERT_EQ(tzt::setLinks(missing, {Link{"sheets/gone.pdf", "Gone", "Page 2"}}), Tzad::eOk);
  std::vector<std::string> texts;
  // Points at an object until the status bar shows something, which is kept.
  auto statusAt = [&](double x, double y) {
    return [&texts, x, y] {
      wxUIActionSimulator().MouseMove(onScreen(x, y) + wxPoint(0, 1));
      wxUIActionSimulator().MouseMove(onScreen(x, y));
      std::string text = frame()->GetStatusBar()->GetStatusText().utf8_string();
      if (text.empty()) return false;
      texts.push_back(text);
      // Off the object again: the line empties.
      wxUIActionSimulator().MouseMove(frame()->canvas()->GetScreenPosition() + wxPoint(3, 3));
      return true;
    };
  };
  auto statusEmpty = [] { return frame()->GetStatusBar()->GetStatusText().empty(); };
  run({waitFor("Command: "), zoomToExtents(), statusAt(20, 30), statusEmpty, statusAt(-30, 5),
       statusEmpty, statusAt(60, 66), statusEmpty,
       [] {
         tzad::unloadModules();
         return true;
       },
       typed("DWGNAME"), waitFor("Command: "), statusAt(20, 30)});
  std::string gone = dir_.file("sheets/gone.pdf");
  EXPECT_EQ(texts,
            (std::vector<std::string>{"docs/house-details.pdf \u2192 " + house,
                                      "sheets/gone.pdf #Page 2 \u2192 " + gone + " \u2014 missing",
                                      "https://www.openstreetmap.org/", "docs/house-details.pdf"}))
      << transcript();
}

// The menus act on what is selected: Open follows the one selected object's link, Paste as
// Hyperlink gives the clipboard's link to the selected objects without asking for them.
TEST_F(MainWindowTest, HyperlinkMenuActsOnTheSelection) {
  TzDbObjectId linked = addSquare(0, 0, 10);
  TzDbObjectId first = addSquare(20, 0, 10), second = addSquare(40, 0, 10);
  ASSERT_EQ(tzt::setLinks(linked, {Link{"https://example.com/menu", "Menu"}}), Tzad::eOk);
  ASSERT_FALSE(platform::copyHyperlink({u"https://example.com/pasted", u"Pasted", u""}, u""));
  run({waitFor("Command: "), zoomToExtents(), clickAt(0, 5), fromMenu('l', 'o'),
       [this] { return !tzt::readFile(opened_).empty(); }, waitFor("Command: "),
       [] { return tzt::pressKey(commandLine(), WXK_ESCAPE); }, clickAt(20, 5), clickAt(40, 5),
       fromMenu('l', 'p'), [&] { return !tzt::linksOf(second).empty(); }, waitFor("Command: ")});
  EXPECT_EQ(tzt::readFile(opened_), "https://example.com/menu") << transcript();
  EXPECT_EQ(tzt::linksOf(first), (std::vector<Link>{{"https://example.com/pasted", "Pasted"}}));
  EXPECT_EQ(tzt::linksOf(second), tzt::linksOf(first)) << transcript();
}

// Edit Hyperlink from the link menu opens the module's dialog on that object alone, whatever
// was selected before, with its hyperlink in the dialog; cancelled, it changes nothing.
TEST_F(MainWindowTest, LinkMenuEditsTheClickedObjectsHyperlinkInTheDialog) {
  TzDbObjectId linked = addSquare(0, 0, 10);
  addSquare(40, 0, 10);
  Link link{"https://example.com/site", "Site"};
  ASSERT_EQ(tzt::setLinks(linked, {link}), Tzad::eOk);
  std::string shown, selected;
  bool asked = false;
  wxTEST_DIALOG(run({waitFor("Command: "), zoomToExtents(), clickAt(50, 5), fromLinkMenu(0, 5, 'e'),
                     [&] { return asked; }, waitFor("Command: ")}),
                tzt::Expect<wxDialog>([&](wxDialog* dialog) {
                  asked = true;
                  using hyperlink::HyperlinkFrameIds;
                  if (auto* box = dynamic_cast<wxTextCtrl*>(
                          dialog->FindWindow(HyperlinkFrameIds::kTextToDisplay)))
                    shown = box->GetValue().utf8_string();
                  if (wxWindow* label = dialog->FindWindow(HyperlinkFrameIds::kSelectedLabel))
                    selected = label->GetLabel().utf8_string();
                  return wxID_CANCEL;
                }));
  EXPECT_EQ(shown, "Site") << transcript();
  EXPECT_NE(selected.find('1'), std::string::npos) << selected;
  EXPECT_EQ(tzt::linksOf(linked), std::vector<Link>{link});
  EXPECT_EQ(doc_->nextUndo(), u"");
}

// The menu bar's menus by their titles, in order.
std::vector<std::string> menuTitles() {
  std::vector<std::string> titles;
  wxMenuBar* bar = MainFrame::current()->GetMenuBar();
  for (size_t i = 0; i < bar->GetMenuCount(); ++i)
    titles.push_back(bar->GetMenuLabelText(i).utf8_string());
  return titles;
}

bool hasItem(const char* menu, const char* item) {
  wxMenuBar* bar = MainFrame::current()->GetMenuBar();
  return bar->FindMenuItem(menu, item) != wxNOT_FOUND;
}

// Without the module no item stands for its actions: no Insert or Hyperlink menu, no View >
// Highlight Hyperlinks, no menu on a linked object, and Ctrl+click picks it as a click does.
// Once the module is loaded, its items are there at the next "Command: ".
TEST_F(MainWindowTest, WithoutTheModuleItsItemsAreAbsent) {
  TzDbObjectId linked = addSquare(0, 0, 10);
  ASSERT_EQ(tzt::setLinks(linked, {Link{"https://example.com/site", "Site"}}), Tzad::eOk);
  tzad::unloadModules();
  std::vector<std::string> without, with;
  bool highlightWithout = true, highlightWith = false;
  std::string tip;
  run({waitFor("Command: "), zoomToExtents(),
       [&] {
         without = menuTitles();
         highlightWithout = hasItem("View", "Highlight Hyperlinks");
         return true;
       },
       pointerAt(0, 5),
       [this] {
         menuOpen_ = false;
         return wxUIActionSimulator().MouseClick(wxMOUSE_BTN_RIGHT);
       },
       clickAt(0, 5, wxMOD_CONTROL),
       [&] {
         tip = tooltip();
         return !tip.empty();
       },
       typed("DWGNAME"), [] { return transcript().find("DWGNAME = ") != std::string::npos; },
       [] {
         tzad::loadModulesIn(TZT_MODULE_DIR);
         return true;
       },
       typed("DWGNAME"), waitFor("Command: "),
       [&] {
         with = menuTitles();
         highlightWith = hasItem("View", "Highlight Hyperlinks");
         return true;
       }});
  EXPECT_EQ(without, (std::vector<std::string>{"File", "Edit", "View", "Window", "Help"}));
  EXPECT_FALSE(highlightWithout);
  EXPECT_FALSE(menuOpen_) << "a linked object has a menu without the module";
  EXPECT_FALSE(std::filesystem::exists(opened_));
  EXPECT_EQ(doc_->pickfirst, std::vector<TzDbObjectId>{linked});
  EXPECT_EQ(tip, "Site");
  EXPECT_EQ(with, (std::vector<std::string>{"File", "Edit", "Insert", "Hyperlink", "View", "Window",
                                            "Help"}));
  EXPECT_TRUE(highlightWith);
}

// Ctrl+W on a changed drawing asks in a message box, not on the command line; No closes it
// without saving.
TEST_F(MainWindowTest, CloseAsksAboutChangesInAMessageBox) {
  addSquare(0, 0, 10);
  std::string asked;
  wxTEST_DIALOG(run({waitFor("Command: "),
                     [] {
                       frame()->canvas()->SetFocus();
                       return wxUIActionSimulator().Char('w', wxMOD_CONTROL);
                     },
                     [] { return DocumentManager::instance().documents().empty(); }}),
                tzt::Expect<wxMessageDialog>([&](wxMessageDialog* box) {
                  asked = box->GetMessage().utf8_string();
                  return wxID_NO;
                }));
  EXPECT_EQ(asked, "Save changes to Drawing1.dxf?");
  EXPECT_EQ(transcript().find("[Yes/No/Cancel]"), std::string::npos) << transcript();
}

// What a Chinese user sees of the window, read through the toolkit: the File menu, the
// object's hyperlink menu, its tooltip and the question about unsaved changes; the toolkit's
// own buttons come from its catalog.
TEST_F(ChineseMainWindowTest, MenusTooltipAndQuestionsAreChinese) {
  wxMenuBar* bar = frame()->GetMenuBar();
  EXPECT_EQ(bar->GetMenuLabel(0).utf8_string(), "文件(&F)");
  std::vector<std::string> fileItems;
  for (wxMenuItem* item : bar->GetMenu(0)->GetMenuItems())
    if (!item->IsSeparator()) fileItems.push_back(item->GetItemLabel().utf8_string());
  EXPECT_EQ(fileItems,
            (std::vector<std::string>{"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "最近打开(&R)",
                                      "保存(&S)\tCtrl+S", "另存为(&A)...\tCtrl+Shift+S",
                                      "输出 PDF(&E)...", "关闭(&C)\tCtrl+W", "退出(&Q)\tCtrl+Q"}));
  EXPECT_EQ(tzad::linkTooltip({u"https://example.com/", u"", u""}, true),
            u"https://example.com/\nCtrl+单击 打开链接");

  TzDbObjectId linked = addSquare(0, 0, 10);
  ASSERT_EQ(tzt::setLinks(linked, {Link{"https://example.com/site", "Site"}}), Tzad::eOk);
  std::vector<std::string> linkItems;
  frame()->canvas()->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
    if (event.GetMenu() != nullptr && linkItems.empty())
      for (wxMenuItem* item : event.GetMenu()->GetMenuItems())
        linkItems.push_back(item->GetItemLabel().utf8_string());
    event.Skip();
  });
  std::string asked, yes;
  wxTEST_DIALOG(run({waitFor("命令: "), zoomToExtents(),
                     inTurn({pointerAt(0, 5),
                             [] { return wxUIActionSimulator().MouseClick(wxMOUSE_BTN_RIGHT); },
                             [&] { return !linkItems.empty(); },
                             [] { return wxUIActionSimulator().Char(WXK_ESCAPE); }}),
                     waitFor("命令: "),
                     [] {
                       frame()->canvas()->SetFocus();
                       return wxUIActionSimulator().Char('w', wxMOD_CONTROL);
                     },
                     [] { return DocumentManager::instance().documents().empty(); }}),
                tzt::Expect<wxMessageDialog>([&](wxMessageDialog* box) {
                  asked = box->GetMessage().utf8_string();
                  yes = box->GetYesLabel().utf8_string();
                  return wxID_NO;
                }));
  EXPECT_EQ(linkItems, (std::vector<std::string>{"打开(&O)", "复制超链接(&C)", "编辑超链接(&E)...",
                                                 "删除超链接(&R)"}));
  EXPECT_EQ(asked, "是否将改动保存到 Drawing1.dxf?");
  // The stock Yes button's label, from wxWidgets' own catalog (wxstd).
  EXPECT_EQ(wxGetTranslation("&Yes").utf8_string(), "是(&Y)") << yes;
}

// Remove Hyperlink from the link menu is one step: the Edit menu names it as the menu does, and
// Ctrl+Z brings the hyperlink back.
TEST_F(MainWindowTest, CtrlZTakesBackARemovedHyperlink) {
  TzDbObjectId linked = addSquare(0, 0, 10);
  Link link{"https://example.com/kept", "Kept"};
  ASSERT_EQ(tzt::setLinks(linked, {link}), Tzad::eOk);
  wxString undoItem;
  run({waitFor("Command: "), zoomToExtents(), fromLinkMenu(0, 5, 'r'),
       [&] { return tzt::linksOf(linked).empty(); }, waitFor("Command: "),
       [&] {
         wxMenuBar* bar = frame()->GetMenuBar();
         undoItem = bar->GetMenu(bar->FindMenu("Edit"))->FindItemByPosition(0)->GetItemLabelText();
         frame()->canvas()->SetFocus();
         return wxUIActionSimulator().Char('z', wxMOD_CONTROL);
       },
       [&] { return !tzt::linksOf(linked).empty(); }, waitFor("Command: ")});
  EXPECT_EQ(tzt::linksOf(linked), std::vector<Link>{link}) << transcript();
  EXPECT_EQ(undoItem.utf8_string(), "Undo Remove Hyperlink");
  EXPECT_FALSE(doc_->database()->isModified());
}

// A viewer that stays open after a Ctrl+click does not hold the window: the session is back at
// "Command: " while the viewer still shows the target.
TEST_F(MainWindowTest, AnOpenerThatStaysOpenDoesNotHoldTheWindow) {
  std::string viewer = dir_.file("viewer.sh"), pid = dir_.file("viewer.pid");
  tzt::writeFile(viewer, "#!/bin/sh\necho $$ > '" + pid + "'\nprintf '%s' \"$1\" > '" + opened_ +
                             "'\nexec sleep 60\n");
  std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
  environment_.set("TZAD_OPEN_COMMAND", viewer.c_str());
  TzDbObjectId square = addSquare(0, 0, 10);
  ASSERT_EQ(tzt::setLinks(square, {Link{"https://example.com/viewer", "Viewer"}}), Tzad::eOk);
  run({waitFor("Command: "), zoomToExtents(), clickAt(0, 5, wxMOD_CONTROL),
       [this] { return !tzt::readFile(opened_).empty(); }, waitFor("Command: "), typed("DWGNAME"),
       [] { return transcript().find("DWGNAME = ") != std::string::npos; }});
  EXPECT_EQ(tzt::readFile(opened_), "https://example.com/viewer") << transcript();
  std::string running = tzt::readFile(pid);
  ASSERT_FALSE(running.empty());
  EXPECT_EQ(kill(std::stoi(running), 0), 0) << "the viewer is still showing the target";
  kill(std::stoi(running), SIGKILL);
}

// Dialogs take the main window as their owner while it is open (the window library learns of
// it from the window above it), and none once it is gone.
TEST_F(MainWindowTest, DialogsFindTheMainWindowOnlyWhileItIsOpen) {
  EXPECT_EQ(tzedGetTzadFrame(), frame());
  EXPECT_EQ(twsw_tzadMainWnd(), frame());
  tzad::closeMainWindow();
  EXPECT_EQ(tzedGetTzadFrame(), nullptr);
}

// A module's command that changes the drawing and throws: the window says so in its panel,
// the change is taken back, and the session goes on.
TEST_F(MainWindowTest, ACommandThatThrowsLeavesTheWindowAtCommand) {
  ASSERT_TRUE(tzad::loadModule(TZT_GREETING_MODULE));
  run({waitFor("Command: "), typed("FAIL"), waitFor("Command: "), typed("GREET"),
       [] { return transcript().find("Hello from a module") != std::string::npos; }});
  EXPECT_NE(transcript().find("*Error* the module's command failed; the command was cancelled.\n"),
            std::string::npos)
      << transcript();
  EXPECT_FALSE(doc_->database()->isModified());
  EXPECT_EQ(tzt::u8(doc_->database()->hyperlinkBase()), "");
}

// File > Export PDF: the file dialog offers the drawing's name with ".pdf" beside it and asks
// about replacing a file itself; the command line asks what to export. The second export to
// the same file is not asked about again on the command line.
TEST_F(MainWindowTest, FileExportPdfWritesTheLayoutsChosen) {
  openSample();
  std::string pdf = dir_.file("exported.pdf");
  std::vector<std::string> offered;
  auto chooseFile = [&](wxFileDialog* dialog) {
    offered.push_back((dialog->GetDirectory() + "/" + dialog->GetFilename()).utf8_string());
    dialog->SetPath(wxString::FromUTF8(pdf));
    tzt::yieldUntil([dialog] { return !dialog->GetPath().empty(); });
    return wxID_OK;
  };
  auto pageCount = [&] {
    std::optional<tzt::SeenPdf> seen = tzt::readPdf(pdf);
    return seen ? seen->pages : 0;
  };
  wxTEST_DIALOG(run({waitFor("Command: "), fromMenu('f', 'e'),
                     waitFor("Export [Current layout/All layouts] <Current>: "), typed("All"),
                     waitFor("Colors [Color/Monochrome] <Color>: "), typed("Color"),
                     [&] { return pageCount() == 3; }, waitFor("Command: "), fromMenu('f', 'e'),
                     waitFor("Export [Current layout/All layouts] <Current>: "), typed("Current"),
                     waitFor("Colors [Color/Monochrome] <Color>: "), typed("Monochrome"),
                     [&] { return pageCount() == 1; }, waitFor("Command: ")}),
                tzt::Expect<wxFileDialog>(chooseFile), tzt::Expect<wxFileDialog>(chooseFile));
  EXPECT_EQ(offered, std::vector<std::string>(2, dir_.file("site_plan.pdf")));
  // The file dialog's answer to replacing it is the command line's.
  EXPECT_NE(transcript().find(pdf + " already exists. Replace it? [Yes/No] <No>: Yes\n"),
            std::string::npos)
      << transcript();
  EXPECT_NE(transcript().find("Exported 1 page(s) with 3 hyperlink(s) to " + pdf),
            std::string::npos)
      << transcript();
}

// A long task's progress shows once it has run its delay (none here) and goes at its end.
TEST_F(MainWindowTest, ProgressShowsWhileATaskRuns) {
  tzad::ProgressWindow progress(frame(), std::chrono::milliseconds(0));
  progress.show(u"Exporting PDF", 0);
  progress.show(u"Exporting PDF", 0.5);
  EXPECT_TRUE(progress.shown());
  progress.show(u"Exporting PDF", 1);
  EXPECT_FALSE(progress.shown());
  tzad::ProgressWindow patient(frame(), std::chrono::hours(1));
  patient.show(u"Exporting PDF", 0);
  patient.show(u"Exporting PDF", 0.5);
  EXPECT_FALSE(patient.shown());
}

}  // namespace
