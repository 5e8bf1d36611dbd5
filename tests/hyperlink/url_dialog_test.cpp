// The web browse dialog as a user meets it, in a real window with the desktop's web engine:
// pages from a folder served on 127.0.0.1 (a local file is ui/hyperlink_dialog.py's), a visit
// with the address handed back, and the favorites.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include <utility>

#include "dialog_test_support.h"
#include "web/internet_shortcut.h"
#include "web/url_dialog.h"
#include "web/url_dialog_ids.h"
#include "web/web_browser.h"

using namespace hyperlink;
using namespace tzt;
namespace fs = std::filesystem;

namespace {

constexpr int kLoadMs = 8000;

// A folder served over HTTP by Python's own server in a child process, stopped when the object
// goes (and by itself after two minutes whatever happens).
class ServedFolder {
 public:
  explicit ServedFolder(const fs::path& folder) {
    const std::string log = output_.file("server.log");
    pid_ = fork();
    if (pid_ == 0) {
      const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
      dup2(out, 1);
      dup2(out, 2);
      execl("/usr/bin/timeout", "timeout", "120", TZT_PYTHON_FOR_WEB, "-u", "-m", "http.server",
            "--bind", "127.0.0.1", "--directory", folder.c_str(), "0", static_cast<char*>(nullptr));
      _exit(127);
    }
    // "Serving HTTP on 127.0.0.1 port N (...)", possibly in pieces.
    yieldUntil(
        [&] {
          const std::string text = readFile(log);
          const size_t at = text.find(" port ");
          if (at != std::string::npos && text.find('\n', at) != std::string::npos)
            port_ = std::atoi(text.c_str() + at + 6);
          return port_ != 0;
        },
        10000);
  }
  ~ServedFolder() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + path;
  }
  int port() const { return port_; }

 private:
  TempDir output_;
  pid_t pid_ = -1;
  int port_ = 0;
};

// A page of the served folder titled with the path it is served at.
void writePage(const TempDir& folder, const std::string& path, const std::string& body) {
  writeFile(folder.file(path.back() == '/' ? path + "index.html" : path),
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + path +
                "</title></head><body>" + body + "</body></html>");
}

// A served folder with pages, the home address set to its first page and a Favorites folder
// of its own.
class WebDialog : public HyperlinkDialogTest {
 protected:
  void SetUp() override {
    HyperlinkDialogTest::SetUp();
    writePage(pages_, "a.html", "<a id=\"toB\" href=\"b.html\">b</a>");
    writePage(pages_, "b.html", "page b");
    writePage(pages_, "c.html", "page c");
    fs::create_directory(pages_.path() / "sub");
    writePage(pages_, "sub/", "sub");
    server_ = std::make_unique<ServedFolder>(pages_.path());
    ASSERT_NE(server_->port(), 0);
    setenv("XDG_DATA_HOME", data_.path().c_str(), 1);
    s.run({"INETLOCATION", server_->url("a.html")});
  }

  fs::path favorites() const { return data_.path() / "tzad" / "Favorites"; }

  // Whether the served page has loaded and the dialog shows its address.
  bool showing(CUrlDialog& dialog, const std::string& page) {
    const std::string url = server_->url(page);
    return yieldUntil(
        [&] {
          return dialog.browser()->engine()->GetCurrentTitle().utf8_string() == page &&
                 u8(dialog.currentUrl()) == url && u8(dialog.browser()->locationUrl()) == url &&
                 dialog.browser()->readyState() == CWeb::kReadyStateComplete;
        },
        kLoadMs);
  }

  TempDir pages_, data_;
  std::unique_ptr<ServedFolder> server_;
};

// A person's visit: an address typed, a link followed, Back, an address the browser cannot
// open, and the address handed back on OK.
TEST_F(WebDialog, BrowsingAndTheAddressHandedBack) {
  CUrlDialog dialog;
  int result = runModal(dialog, [&](CTzUiDialog&) {
    ASSERT_TRUE(showing(dialog, "a.html"));
    wxComboBox* box = dialog.addressBox();
    wxToolBar* tools = dialog.toolBar();
    EXPECT_FALSE(tools->GetToolEnabled(UrlDialogIds::kBack));
    // An address typed twice is listed once.
    for (int i = 0; i < 2; ++i) {
      box->SetValue(server_->url("c.html"));
      EXPECT_TRUE(pressKey(box, WXK_RETURN));
      EXPECT_TRUE(showing(dialog, "c.html"));
      EXPECT_EQ(box->GetCount(), 2u);
    }
    // The address of the page shown is selected in the focused box: typing replaces it.
    EXPECT_TRUE(typeText(box, "x"));
    EXPECT_EQ(box->GetValue(), "x");

    dialog.navigateTo(u16(server_->url("a.html")));
    ASSERT_TRUE(showing(dialog, "a.html"));
    dialog.browser()->engine()->RunScript("document.getElementById('toB').click();");
    ASSERT_TRUE(showing(dialog, "b.html"));
    EXPECT_EQ(box->GetValue(), server_->url("b.html"));
    EXPECT_TRUE(tools->GetToolEnabled(UrlDialogIds::kBack));
    EXPECT_FALSE(tools->GetToolEnabled(UrlDialogIds::kForward));
    wxCommandEvent back(wxEVT_TOOL, UrlDialogIds::kBack);
    tools->ProcessWindowEvent(back);
    ASSERT_TRUE(showing(dialog, "a.html"));
    EXPECT_TRUE(yieldUntil([&] { return tools->GetToolEnabled(UrlDialogIds::kForward); }, kLoadMs));

    const std::string unreachable = "http://127.0.0.1:1/nothing";
    dialog.navigateTo(u16(unreachable));
    // Kept after the engine has reported the failure and stands on a blank page.
    yieldUntil([&] { return !dialog.browser()->engine()->IsBusy(); }, kLoadMs);
    EXPECT_TRUE(tzt::holdsFor([&] { return u8(dialog.resultUrl()) == unreachable; }, 500));

    // The address the server redirected to, not the one asked for, joined with the link text.
    dialog.navigateTo(u16(server_->url("sub")));
    ASSERT_TRUE(showing(dialog, "sub/"));
    wxDynamicCast(dialog.GetDlgItem(UrlDialogIds::kLinkText), wxTextCtrl)->SetValue("plan.dwg");
    click(dialog, UrlDialogIds::kOk);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(u8(dialog.resultUrl()), server_->url("sub/plan.dwg"));
}

// The dialog fits the screen it opens on, with room above and below for the title bar that a
// desktop draws, and all of its controls in view; ctest runs this on a screen of 1280 x 720 as
// well (tests/hyperlink/CMakeLists.txt).
TEST_F(WebDialog, FitsTheScreenItOpensOn) {
  CUrlDialog dialog;
  runModal(dialog, [&](CTzUiDialog& d) {
    wxDialog* window = d.modalWindow();
    const int display = wxDisplay::GetFromWindow(window);
    ASSERT_NE(display, wxNOT_FOUND);
    const wxRect area = wxDisplay(static_cast<unsigned>(display)).GetClientArea();
    const wxRect placed = window->GetScreenRect();
    EXPECT_TRUE(wxRect(area).Deflate(0, 30).Contains(placed))
        << placed.width << " x " << placed.height << " at " << placed.x << ", " << placed.y
        << " on " << area.width << " x " << area.height;
    const wxRect inside(window->GetClientAreaOrigin(), window->GetClientSize());
    for (int id : {UrlDialogIds::kLinkText, UrlDialogIds::kOk, UrlDialogIds::kCancel}) {
      wxWindow* control = d.GetDlgItem(id);
      ASSERT_NE(control, nullptr) << id;
      const wxRect where(window->ScreenToClient(control->GetScreenPosition()), control->GetSize());
      EXPECT_TRUE(inside.Contains(where)) << id;
    }
    EXPECT_GT(dialog.browser()->GetSize().y, 100);
  });
}

// Answers the desktop's save dialog as a person does once it is on screen (seen by a hook, as it
// is none of the program's windows): the first time with the name given, then with Escape; a
// question about replacing a file is answered No.
class SaveDialogAnswers : public wxModalDialogHook {
 public:
  explicit SaveDialogAnswers(std::string name) : name_(std::move(name)) {
    Register();
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { answerWhenShown(); });
    timer_.Start(200);
  }
  ~SaveDialogAnswers() override { Unregister(); }
  int questions = 0;

 protected:
  int Enter(wxDialog* dialog) override {
    if (dialog->IsKindOf(wxCLASSINFO(wxMessageDialog))) {
      ++questions;
      return wxID_NO;
    }
    if (dialog->IsKindOf(wxCLASSINFO(wxFileDialog))) shown_ = dialog;
    return wxID_NONE;
  }
  void Exit(wxDialog*) override { shown_ = nullptr; }

 private:
  void answerWhenShown() {
    if (shown_ == nullptr) return;
    wxDialog* dialog = std::exchange(shown_, nullptr);
    // Without a window manager the keyboard focus follows the pointer.
    wxUIActionSimulator keys;
    keys.MouseMove(dialog->GetScreenRect().GetPosition() + wxPoint(20, 20));
    tzt::waitForPointer(dialog->GetScreenRect().GetPosition() + wxPoint(20, 20));
    if (std::exchange(answered_, true)) {
      keys.Char(WXK_ESCAPE);
      return;
    }
    keys.Char('A', wxMOD_CONTROL);
    keys.Text(name_.c_str());
    keys.Char(WXK_RETURN);
  }
  wxTimer timer_;
  wxDialog* shown_ = nullptr;
  std::string name_;
  bool answered_ = false;
};

// A page added through the desktop's real save dialog is listed and opens; the same name
// again is asked about and, answered No, keeps the shortcut's page.
TEST_F(WebDialog, FavoritesAddedThroughTheSaveDialogAreListedAndOpen) {
  CUrlDialog dialog;
  runModal(dialog, [&](CTzUiDialog&) {
    ASSERT_TRUE(showing(dialog, "a.html"));
    dialog.navigateTo(u16(server_->url("b.html")));
    ASSERT_TRUE(showing(dialog, "b.html"));
    {
      SaveDialogAnswers answers("Page B");
      dialog.addToFavorites();
      EXPECT_EQ(answers.questions, 0);
    }
    ASSERT_TRUE(fs::exists(favorites() / "Page B.url"));

    dialog.navigateTo(u16(server_->url("a.html")));
    ASSERT_TRUE(showing(dialog, "a.html"));
    {
      SaveDialogAnswers answers("Page B");
      dialog.addToFavorites();
      EXPECT_EQ(answers.questions, 1);
    }
    EXPECT_EQ(u8(readShortcutUrl(u16((favorites() / "Page B.url").string()))),
              server_->url("b.html"));
    // The menu is built again each time it opens, following a folder link back to its own
    // folder once; Escape closes it.
    fs::create_directory_symlink(favorites(), favorites() / "Loop");
    wxTheApp->CallAfter([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    dialog.showFavoritesMenu();
    ASSERT_EQ(dialog.favorites().urls.size(), 2u);
    EXPECT_EQ(u8(dialog.favorites().items[1].text), "Loop");
    EXPECT_EQ(u8(dialog.favorites().items[2].text), "Page B");
    dialog.openFavorite(dialog.favorites().items[2].command);
    EXPECT_TRUE(showing(dialog, "b.html"));
  });
}

}  // namespace
