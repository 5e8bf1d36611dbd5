// tzad's main window as a user meets it, under Xvfb: the command line loop runs in the test's
// process while each step acts on the real window with real mouse and key events.
#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <set>

#include "docs/document_manager.h"
#include "editor/editor.h"
#include "modules/module_loader.h"
#include "platform/clipboard.h"
#include "test_support.h"
#include "tzdb_entity.h"
#include "window/command_panel.h"
#include "window/drawing_canvas.h"
#include "window/main_frame.h"
#include "window/main_window.h"
#include "window/pick_answers.h"
#include "window/window_input.h"
#include "window_test.h"

namespace {

using tzad::Document;
using tzad::DocumentManager;
using tzad::Editor;
using tzad::MainFrame;
using tzt::Link;

using Step = std::function<bool()>;

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("TZAD_CLIPBOARD_DIR", dir_.file("clipboard").c_str(), 1);
    std::filesystem::create_directory(dir_.file("clipboard"));
    opened_ = dir_.file("opened.txt");
    std::string opener = dir_.file("opener.sh");
    tzt::writeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened_ + "'\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    setenv("TZAD_OPEN_COMMAND", opener.c_str(), 1);
    Editor::instance().reset();
    tzad::setHostLanguage("en");
    ASSERT_TRUE(tzad::openMainWindow("test"));
    tzad::loadModulesIn(TZT_MODULE_DIR);
    doc_ = DocumentManager::instance().create();
    frame()->SetSize(800, 600);
    wxUIActionSimulator().MouseMove(frame()->GetScreenPosition() + wxPoint(400, 590));
  }

  void TearDown() override {
    tzad::closeMainWindow();
    tzad::unloadModules();
    Editor::instance().reset();
    unsetenv("TZAD_CLIPBOARD_DIR");
    unsetenv("TZAD_OPEN_COMMAND");
  }

  static MainFrame* frame() { return MainFrame::current(); }
  static wxTextCtrl* commandLine() { return frame()->panel()->inputLine(); }
  static std::string transcript() {
    return frame()->panel()->transcript()->GetValue().utf8_string();
  }
  static bool atPrompt(const std::string& prompt) {
    return frame()->input().waiting() && frame()->panel()->promptText() == prompt;
  }

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

  // Runs the session's command loop with the steps, one after another from a timer inside it;
  // a step runs again until it returns true. The session ends after the last.
  void run(std::vector<Step> steps) {
    size_t next = 0;
    bool busy = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
      if (busy) return;  // a step that lets events through lets the timer in again
      busy = true;
      if (next < steps.size() && steps[next]()) ++next;
      bool late = std::chrono::steady_clock::now() > deadline;
      if (late)
        ADD_FAILURE() << "step " << next << " never finished; the session said:\n" << transcript();
      if (next == steps.size() || late) {
        timer.Stop();
        frame()->input().end();
      }
      busy = false;
    });
    timer.Start(40);
    Editor::instance().runLoop();
  }

  static Step typed(const std::string& line) {
    return [line] {
      if (!tzt::typeText(commandLine(), line)) return false;
      return tzt::pressKey(commandLine(), WXK_RETURN);
    };
  }
  static Step waitFor(const std::string& prompt) {
    return [prompt] { return atPrompt(prompt); };
  }
  static Step clickAt(double x, double y, int modifiers = wxMOD_NONE) {
    return [x, y, modifiers] {
      wxUIActionSimulator mouse;
      mouse.MouseMove(onScreen(x, y));
      tzt::yieldFor(100);
      if (modifiers & wxMOD_CONTROL) mouse.KeyDown(WXK_CONTROL);
      mouse.MouseClick();
      if (modifiers & wxMOD_CONTROL) mouse.KeyUp(WXK_CONTROL);
      tzt::yieldFor(100);
      return true;
    };
  }
  static Step dragFrom(double x0, double y0, double x1, double y1) {
    return [=] {
      wxUIActionSimulator mouse;
      mouse.MouseMove(onScreen(x0, y0));
      tzt::yieldFor(50);
      mouse.MouseDown();
      for (int i = 1; i <= 5; ++i)
        mouse.MouseMove(onScreen(x0 + (x1 - x0) * i / 5, y0 + (y1 - y0) * i / 5));
      tzt::yieldFor(50);
      mouse.MouseUp();
      tzt::yieldFor(100);
      return true;
    };
  }

  tzt::TemporaryHome home_;
  tzt::TempDir dir_;
  std::string opened_;
  Document* doc_ = nullptr;
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

// Red, or red blended into the background where a line covers part of a pixel.
bool isRed(const wxColour& c) {
  return c.Red() > 100 && c.Red() > 2 * c.Green() && c.Red() > 2 * c.Blue();
}

// Whether a pixel within one of the point is red: lines are drawn on pixel boundaries.
bool redNear(wxPoint at) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (isRed(screenPixel(at + wxPoint(dx, dy)))) return true;
  return false;
}

// The corners of an area hyperlink picked in the view: its red rectangle on URLLAYER lands on
// the pixels of the picked points.
TEST_F(MainWindowTest, AreaRectanglePickedInTheViewLandsOnItsPixelsInRed) {
  run({waitFor("Command: "), typed("-HYPERLINK"), typed("Insert"), typed("Area"),
       waitFor("First corner: "), clickAt(-6, -4), waitFor("Other corner: "), clickAt(6, 4),
       typed("https://example.com/area"), typed(""), typed(""), waitFor("Command: "), [] {
         frame()->canvas()->zoomExtents();
         tzt::yieldFor(300);
         return true;
       }});
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
  for (size_t i = 0; i < corners.size(); ++i) {
    const TzGePoint3d& a = corners[i];
    const TzGePoint3d& b = corners[(i + 1) % corners.size()];
    EXPECT_TRUE(redNear(onScreen((a.x + b.x) / 2, (a.y + b.y) / 2))) << "the middle of edge " << i;
  }
  EXPECT_FALSE(redNear(onScreen(0, 0))) << "the rectangle is not filled";
  EXPECT_FALSE(redNear(onScreen(0, corners[0].y - 2))) << "under the bottom edge";
}

// A middle-button drag moves the view; ZOOM E brings back the view that opened the drawing.
TEST_F(MainWindowTest, ZoomExtentsUndoesAPan) {
  addSquare(0, 0, 10);
  wxPoint opened, panned, zoomed;
  run({waitFor("Command: "),
       [&] {
         frame()->canvas()->zoomExtents();
         opened = frame()->canvas()->screenPoint(0, 0);
         wxUIActionSimulator mouse;
         mouse.MouseMove(onScreen(5, 5));
         mouse.MouseDown(wxMOUSE_BTN_MIDDLE);
         mouse.MouseMove(onScreen(5, 5) + wxPoint(60, 30));
         mouse.MouseUp(wxMOUSE_BTN_MIDDLE);
         tzt::yieldFor(200);
         panned = frame()->canvas()->screenPoint(0, 0);
         return true;
       },
       typed("ZOOM"), typed("E"), waitFor("Command: "),
       [&] {
         zoomed = frame()->canvas()->screenPoint(0, 0);
         return true;
       }});
  EXPECT_EQ(panned - opened, wxPoint(60, 30));
  EXPECT_LE(std::abs(zoomed.x - opened.x) + std::abs(zoomed.y - opened.y), 2) << transcript();
}

TEST_F(MainWindowTest, ClicksPickObjectsAtCommandAndAtSelectObjects) {
  TzDbObjectId left = addSquare(0, 0, 10);
  TzDbObjectId right = addSquare(40, 0, 10);
  std::vector<TzDbObjectId> preselected;
  run({waitFor("Command: "),
       [] {
         frame()->canvas()->zoomExtents();
         return true;
       },
       clickAt(0, 5),
       [&] {
         preselected = doc_->pickfirst;
         return true;
       },
       [] { return tzt::pressKey(commandLine(), WXK_ESCAPE); },
       [&] { return doc_->pickfirst.empty(); }, typed("SELECT"), waitFor("Select objects: "),
       clickAt(50, 5), waitFor("Select objects: "),
       [] {
         wxUIActionSimulator().MouseClick(wxMOUSE_BTN_RIGHT);
         return true;
       },
       waitFor("Command: ")});
  EXPECT_EQ(preselected, std::vector<TzDbObjectId>{left});
  EXPECT_EQ(doc_->pickfirst, std::vector<TzDbObjectId>{right}) << transcript();
}

TEST_F(MainWindowTest, DragsSelectInsideOrCrossing) {
  TzDbObjectId inside = addSquare(0, 0, 10);
  TzDbObjectId across = addSquare(25, 0, 10);
  addSquare(60, 0, 10);
  struct Case {
    double x0, x1;
    std::set<TzDbObjectId> expected;
  };
  // The box from x=-5 to x=30: the first square lies inside it, the second crosses its edge.
  const Case cases[] = {{-5, 30, {inside}}, {30, -5, {inside, across}}};
  std::vector<std::vector<TzDbObjectId>> chosen;
  std::vector<Step> steps{waitFor("Command: "), [] {
                            frame()->canvas()->zoomExtents();
                            return true;
                          }};
  for (const Case& c : cases) {
    for (Step step : {typed("SELECT"), waitFor("Select objects: "), dragFrom(c.x0, -5, c.x1, 15),
                      waitFor("Select objects: "), typed(""), waitFor("Command: ")})
      steps.push_back(step);
    steps.push_back([&] {
      chosen.push_back(doc_->pickfirst);
      return true;
    });
  }
  run(steps);
  ASSERT_EQ(chosen.size(), std::size(cases)) << transcript();
  for (size_t i = 0; i < chosen.size(); ++i)
    EXPECT_EQ(std::set<TzDbObjectId>(chosen[i].begin(), chosen[i].end()), cases[i].expected)
        << "drag from x=" << cases[i].x0 << " to x=" << cases[i].x1 << "\n"
        << transcript();
}

TEST_F(MainWindowTest, CtrlClickFollowsTheLinkWithTheOpener) {
  TzDbObjectId square = addSquare(0, 0, 10);
  ASSERT_EQ(tzt::setLinks(square, {Link{"https://example.com/site", "Site"}}), Tzad::eOk);
  run({waitFor("Command: "),
       [] {
         frame()->canvas()->zoomExtents();
         return true;
       },
       clickAt(0, 5, wxMOD_CONTROL), [this] { return std::filesystem::exists(opened_); }});
  EXPECT_EQ(tzt::readFile(opened_), "https://example.com/site") << transcript();
  EXPECT_NE(transcript().find("HYPERLINKOPEN"), std::string::npos);
}

TEST_F(MainWindowTest, CopiedHyperlinkPastesOntoAnotherObject) {
  TzDbObjectId linked = addSquare(0, 0, 10);
  TzDbObjectId other = addSquare(40, 0, 10);
  Link link{"docs/site.pdf", "Site documents", "House"};
  ASSERT_EQ(tzt::setLinks(linked, {link}), Tzad::eOk);
  std::string copied = dir_.file("clipboard/application/x-tzad-hyperlink");
  run({waitFor("Command: "),
       [] {
         frame()->canvas()->zoomExtents();
         return true;
       },
       [] {
         wxUIActionSimulator mouse;
         mouse.MouseMove(onScreen(0, 5));
         tzt::yieldFor(100);
         mouse.MouseClick(wxMOUSE_BTN_RIGHT);
         return true;
       },
       [] {
         // The context menu is open: its Copy Hyperlink item goes by its mnemonic.
         wxUIActionSimulator().Char('c');
         return true;
       },
       [&] { return std::filesystem::exists(copied); }, typed("PASTEASHYPERLINK"),
       waitFor("Select objects: "), clickAt(50, 5), waitFor("Select objects: "), typed(""),
       waitFor("Command: ")});
  std::vector<Link> pasted = tzt::linksOf(other);
  ASSERT_EQ(pasted.size(), 1u) << transcript();
  EXPECT_EQ(pasted[0].address, link.address);
  EXPECT_EQ(pasted[0].description, link.description);
  EXPECT_EQ(pasted[0].location, link.location);
}

// The menu answers the module's prompts with its global keywords, which hold in any language.
TEST_F(MainWindowTest, RemoveHyperlinkFromTheMenuInChinese) {
  tzad::unloadModules();
  tzad::setHostLanguage("zh");
  tzad::loadModulesIn(TZT_MODULE_DIR);
  TzDbObjectId square = addSquare(0, 0, 10);
  ASSERT_EQ(tzt::setLinks(square, {Link{"https://example.com/site", "Site"}}), Tzad::eOk);
  run({waitFor("Command: "),
       [] {
         frame()->canvas()->zoomExtents();
         return true;
       },
       [] {
         wxUIActionSimulator mouse;
         mouse.MouseMove(onScreen(0, 5));
         tzt::yieldFor(100);
         mouse.MouseClick(wxMOUSE_BTN_RIGHT);
         return true;
       },
       [] {
         wxUIActionSimulator().Char('r');
         return true;
       },
       [&] { return tzt::linksOf(square).empty(); }});
  EXPECT_TRUE(tzt::linksOf(square).empty()) << transcript();
}

// A click gives the view the keyboard; the menus' shortcuts still work from there.
TEST_F(MainWindowTest, ShortcutsWorkAfterAClickInTheView) {
  addSquare(0, 0, 10);
  run({waitFor("Command: "),
       [] {
         frame()->canvas()->zoomExtents();
         return true;
       },
       clickAt(5, 5),
       [] {
         wxUIActionSimulator().Char('k', wxMOD_CONTROL);
         return true;
       },
       waitFor("Select objects: "), [] { return tzt::pressKey(commandLine(), WXK_ESCAPE); },
       waitFor("Command: ")});
  EXPECT_NE(transcript().find("HYPERLINK"), std::string::npos) << transcript();
}

TEST_F(MainWindowTest, EscCancelsACommandTypedInThePanel) {
  run({waitFor("Command: "), typed("-HYPERLINK"),
       waitFor("Enter an option [Remove/Insert] <Insert>: "),
       [] { return tzt::pressKey(commandLine(), WXK_ESCAPE); }, waitFor("Command: ")});
  EXPECT_NE(transcript().find("*Cancel*"), std::string::npos) << transcript();
}

// A picked point answers in the user coordinate system, as it would be typed.
TEST(PickAnswers, PointsAreGivenInTheUcs) {
  struct Case {
    tzad::Ucs ucs;
    double x, y;
    std::string expected;
  };
  const Case cases[] = {
      {{}, 12.5, -3, "12.5,-3"},
      {{TzGePoint3d(10, 20, 0), 0}, 12.5, 20, "2.5,0"},
      {{TzGePoint3d(0, 0, 0), M_PI / 2}, 0, 5, "5,0"},
      {{}, 1.0 / 3, 0, "0.3333333333,0"},
  };
  for (const Case& c : cases) EXPECT_EQ(tzad::pointAnswer(c.x, c.y, c.ucs), c.expected);
}

// Copy Hyperlink on the desktop: other programs (xclip here, as PASTEASHYPERLINK reads it) find
// the link in each of its types while tzad goes on.
TEST(DesktopClipboard, OffersACopiedHyperlinkToOtherPrograms) {
  unsetenv("TZAD_CLIPBOARD_DIR");
  ASSERT_FALSE(platform::copyHyperlink({u"https://example.com/gate", u"Gate", u"House"}));
  std::optional<platform::ClipboardHyperlink> link = platform::Clipboard::attach().hyperlink();
  ASSERT_TRUE(link);
  EXPECT_EQ(link->address, u"https://example.com/gate");
  EXPECT_EQ(link->description, u"Gate");
  EXPECT_EQ(link->location, u"House");
  EXPECT_EQ(platform::Clipboard::attach().webAddress(), u"https://example.com/gate");
}

}  // namespace
