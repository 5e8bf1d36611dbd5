// The web browse dialog as a user meets it, in a real window with the desktop's web engine:
// pages from a folder served on 127.0.0.1 (a local file is ui/hyperlink_dialog.py's), typed
// addresses, keys, history, the address handed back, the progress bar and the favorites.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include <chrono>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include "dialog_test_support.h"
#include "tzed_editor.h"
#include "web/favorites_menu.h"
#include "web/internet_shortcut.h"
#include "web/url_dialog.h"
#include "web/web_browser.h"

using namespace hyperlink;
using namespace tzt;
namespace fs = std::filesystem;

namespace {

constexpr int kLoadMs = 8000;

// A folder served over HTTP by a child process, stopped when the object goes (and by itself
// after two minutes whatever happens).
class ServedFolder {
 public:
  explicit ServedFolder(const fs::path& folder) {
    int toChild[2], fromChild[2];
    // Not inherited by the browser's own processes, which would keep the server's input open.
    if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(toChild[0], 0);
      dup2(fromChild[1], 1);
      close(toChild[1]);
      close(fromChild[0]);
      execl(TZT_PYTHON_FOR_WEB, TZT_PYTHON_FOR_WEB, TZT_WEB_SERVER, folder.c_str(), "120",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    stdin_ = toChild[1];
    // The port arrives as one line, possibly in pieces.
    std::string line;
    pollfd p{fromChild[0], POLLIN, 0};
    char c = 0;
    while (line.find('\n') == std::string::npos && poll(&p, 1, 10000) == 1 &&
           read(fromChild[0], &c, 1) == 1) {
      line += c;
    }
    if (!line.empty() && line.back() == '\n') port_ = std::atoi(line.c_str());
    close(fromChild[0]);
  }
  ~ServedFolder() {
    if (stdin_ >= 0) close(stdin_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + path;
  }
  int port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
  int port_ = 0;
};

std::string page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title +
         "</title></head><body>" + body + "</body></html>";
}

// A served folder with pages, the home address set to its first page and a Favorites folder
// of its own.
class WebDialog : public HyperlinkDialogTest {
 protected:
  void SetUp() override {
    HyperlinkDialogTest::SetUp();
    writeFile(pages_.file("a.html"),
              page("A",
                   "<a id=\"toB\" href=\"b.html\">b</a>"
                   "<form action=\"submitted.html\"><input id=\"field\" name=\"q\"></form>"));
    writeFile(pages_.file("b.html"), page("B", "page b"));
    writeFile(pages_.file("c.html"), page("C", "page c"));
    fs::create_directory(pages_.path() / "sub");
    writeFile(pages_.file("sub/index.html"), page("Sub", "sub"));
    server_ = std::make_unique<ServedFolder>(pages_.path());
    ASSERT_NE(server_->port(), 0);
    setenv("XDG_DATA_HOME", data_.path().c_str(), 1);
    ASSERT_EQ(setTextVariable(u"INETLOCATION", u16(server_->url("a.html"))), RTNORM);
  }

  fs::path favorites() const { return data_.path() / "tzad" / "Favorites"; }

  // Runs the dialog modally with steps inside its loop; the dialog's result.
  int runModal(CUrlDialog& dialog, const std::function<void()>& steps) {
    return tzt::runModal(dialog, [&](CTzUiDialog&) { steps(); });
  }

  // Whether the page of url (with its title) has loaded and the dialog shows its address.
  bool showing(CUrlDialog& dialog, const std::string& url, const std::string& title) {
    return yieldUntil(
        [&] {
          return dialog.browser()->engine()->GetCurrentTitle().utf8_string() == title &&
                 u8(dialog.currentUrl()) == url && u8(dialog.browser()->locationUrl()) == url &&
                 dialog.browser()->readyState() == CWeb::kReadyStateComplete;
        },
        kLoadMs);
  }
  bool showing(CUrlDialog& dialog, const std::string& page) {
    std::string title = page == "a.html"   ? "A"
                        : page == "b.html" ? "B"
                        : page == "c.html" ? "C"
                        : page == "sub/"   ? "Sub"
                                           : "Directory listing for /" + page;
    return showing(dialog, server_->url(page), title);
  }

  TempDir pages_, data_;
  std::unique_ptr<ServedFolder> server_;
};

TEST_F(WebDialog, EnterInTheAddressBoxOpensTheAddressAndListsItOnce) {
  CUrlDialog dialog;
  runModal(dialog, [&] {
    ASSERT_TRUE(showing(dialog, "a.html"));
    wxComboBox* box = dialog.addressBox();
    ASSERT_EQ(box->GetCount(), 1u);
    const struct {
      std::string typed, shown;
      unsigned count;
    } steps[] = {
        {server_->url("b.html"), "b.html", 2},
        {server_->url("b.html"), "b.html", 2},
        {server_->url("c.html"), "c.html", 3},
        {server_->url(""), "", 3},  // the beginning of a listed address
    };
    for (const auto& step : steps) {
      box->SetValue(step.typed);
      EXPECT_TRUE(pressKey(box, WXK_RETURN));
      EXPECT_TRUE(showing(dialog, step.shown)) << step.typed;
      EXPECT_EQ(box->GetCount(), step.count) << step.typed;
    }
    // The address of the page shown is selected in the focused box: typing replaces it.
    EXPECT_TRUE(typeText(box, "x"));
    EXPECT_EQ(box->GetValue(), "x");
  });
}

TEST_F(WebDialog, EnterInTheLinkTextOrThePageOpensTheAddressAndKeepsTheDialog) {
  CUrlDialog dialog;
  bool stillOpen = false;
  int result = runModal(dialog, [&] {
    ASSERT_TRUE(showing(dialog, "a.html"));
    dialog.addressBox()->ChangeValue(server_->url("b.html"));
    EXPECT_TRUE(pressKey(dialog.GetDlgItem(CUrlDialog::kLinkText), WXK_RETURN));
    EXPECT_TRUE(showing(dialog, "b.html"));

    dialog.navigateTo(u16(server_->url("a.html")));
    ASSERT_TRUE(showing(dialog, "a.html"));
    wxWebView* engine = dialog.browser()->engine();
    dialog.addressBox()->ChangeValue(server_->url("c.html"));
    // Into the page's form field, as a user clicks it; Enter there would send the form.
    ASSERT_TRUE(focusControl(engine));
    wxString box;
    engine->RunScript(
        "var r = document.getElementById('field').getBoundingClientRect();"
        "Math.round(r.left + 5) + ',' + Math.round(r.top + r.height / 2);",
        &box);
    long x = 0, y = 0;
    box.BeforeFirst(',').ToLong(&x);
    box.AfterFirst(',').ToLong(&y);
    wxUIActionSimulator user;
    user.MouseMove(engine->GetScreenRect().GetPosition() + wxPoint(x, y));
    user.MouseClick();
    yieldFor(100);
    user.Text("x");
    user.Char(WXK_RETURN);
    yieldFor(100);
    EXPECT_TRUE(showing(dialog, "c.html"));
    EXPECT_EQ(dialog.currentUrl().find(u"submitted"), TzString::npos);
    stillOpen = dialog.modalWindow()->IsModal();
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, 2);
}

TEST_F(WebDialog, HistoryEnablesBackAndForwardAndLinksUpdateTheAddress) {
  CUrlDialog dialog;
  runModal(dialog, [&] {
    ASSERT_TRUE(showing(dialog, "a.html"));
    wxToolBar* tools = dialog.toolBar();
    EXPECT_FALSE(tools->GetToolEnabled(CUrlDialog::kBack));
    EXPECT_FALSE(tools->GetToolEnabled(CUrlDialog::kForward));

    dialog.browser()->engine()->RunScript("document.getElementById('toB').click();");
    ASSERT_TRUE(showing(dialog, "b.html"));
    EXPECT_EQ(dialog.addressBox()->GetValue(), server_->url("b.html"));
    EXPECT_TRUE(tools->GetToolEnabled(CUrlDialog::kBack));
    EXPECT_FALSE(tools->GetToolEnabled(CUrlDialog::kForward));

    wxCommandEvent back(wxEVT_TOOL, CUrlDialog::kBack);
    tools->ProcessWindowEvent(back);
    ASSERT_TRUE(showing(dialog, "a.html"));
    EXPECT_TRUE(yieldUntil([&] { return tools->GetToolEnabled(CUrlDialog::kForward); }, kLoadMs));
    EXPECT_FALSE(tools->GetToolEnabled(CUrlDialog::kBack));
  });
}

struct OkCase {
  const char* typed;
  const char* shown;  // the page the server answers with
  const char* linkText;
  std::string result;  // "@" stands for the served folder's address
};

TEST_F(WebDialog, OkHandsBackTheAddress) {
  const OkCase cases[] = {
      {"sub", "sub/", "", "@sub/"},  // the address the server redirected to, not the one typed
      {"sub", "sub/", "plan.dwg", "@sub/plan.dwg"},
      {"b.html", "b.html", "https://example.com/x", "https://example.com/x"},
      {"b.html", "b.html", "www.example.com", "www.example.com"},
  };
  for (const OkCase& c : cases) {
    CUrlDialog dialog;
    int result = runModal(dialog, [&] {
      ASSERT_TRUE(showing(dialog, "a.html"));
      dialog.navigateTo(u16(server_->url(c.typed)));
      ASSERT_TRUE(showing(dialog, c.shown));
      wxDynamicCast(dialog.GetDlgItem(CUrlDialog::kLinkText), wxTextCtrl)->SetValue(c.linkText);
      wxCommandEvent ok(wxEVT_BUTTON, CUrlDialog::kOkButton);
      dialog.GetDlgItem(CUrlDialog::kOkButton)->ProcessWindowEvent(ok);
    });
    std::string expected = c.result;
    if (expected.front() == '@') expected = server_->url(expected.substr(1));
    EXPECT_EQ(result, 1) << c.typed;
    EXPECT_EQ(u8(dialog.resultUrl()), expected) << c.typed << " " << c.linkText;
  }
}

TEST_F(WebDialog, AnAddressThatCannotBeOpenedStaysThePages) {
  const std::string unreachable = "http://127.0.0.1:1/nothing";
  CUrlDialog dialog;
  runModal(dialog, [&] {
    ASSERT_TRUE(showing(dialog, "a.html"));
    dialog.navigateTo(u16(unreachable));
    EXPECT_TRUE(yieldUntil([&] { return u8(dialog.currentUrl()) == unreachable; }, kLoadMs));
    EXPECT_EQ(u8(dialog.resultUrl()), unreachable);
  });
}

TEST_F(WebDialog, CancelEndsWithoutAnAddress) {
  CUrlDialog dialog;
  int result = runModal(dialog, [&] {
    ASSERT_TRUE(showing(dialog, "a.html"));
    pressKey(dialog.GetDlgItem(CUrlDialog::kLinkText), WXK_ESCAPE);
    yieldUntil([&] { return !dialog.modalWindow()->IsModal(); });
  });
  EXPECT_EQ(result, 2);
}

TEST_F(WebDialog, ProgressReportsShowMoveAndHideTheBar) {
  CUrlDialog dialog;
  runModal(dialog, [&] {
    ASSERT_TRUE(showing(dialog, "a.html"));
    // The page has loaded: its last report hides the bar.
    auto* bar = wxDynamicCast(dialog.GetDlgItem(CUrlDialog::kProgressBar), wxGauge);
    EXPECT_TRUE(yieldUntil([&] { return !bar->IsShown(); }, kLoadMs));
    dialog.onProgressChange(5, 100);
    EXPECT_TRUE(bar->IsShown());
    EXPECT_EQ(bar->GetRange(), 100);
    EXPECT_EQ(bar->GetValue(), 5);
    dialog.onProgressChange(5, 200);
    EXPECT_EQ(bar->GetRange(), 100);
    EXPECT_EQ(bar->GetValue(), 5);
    dialog.onProgressChange(0, 0);
    EXPECT_FALSE(bar->IsShown());
    EXPECT_FALSE(webProgressShown());
  });
}

// Answers the desktop's save dialog as a person does, once it is on screen: each time it shows,
// replaces the whole name with the next one given and presses Enter, or presses Escape when
// none is left. A question about replacing a file is answered No. The toolkit's own dialog
// is not among the program's windows; its modal run is seen by a hook.
class SaveDialogAnswers : public wxModalDialogHook {
 public:
  explicit SaveDialogAnswers(std::vector<std::string> names) : names_(std::move(names)) {
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
    yieldFor(200);
    if (next_ == names_.size()) {
      keys.Char(WXK_ESCAPE);
      return;
    }
    keys.Char('A', wxMOD_CONTROL);
    keys.Text(names_[next_++].c_str());
    keys.Char(WXK_RETURN);
  }
  wxTimer timer_;
  wxDialog* shown_ = nullptr;
  std::vector<std::string> names_;
  std::size_t next_ = 0;
};

TEST_F(WebDialog, FavoritesOpenAndAddedShortcutsAppear) {
  fs::create_directories(favorites() / "Work");
  ASSERT_TRUE(
      writeShortcut(u16((favorites() / "Work" / "b.url").string()), u16(server_->url("b.html"))));
  CUrlDialog dialog;
  runModal(dialog, [&] {
    ASSERT_TRUE(showing(dialog, "a.html"));
    ASSERT_EQ(dialog.favorites().urls.size(), 1u);
    dialog.openFavorite(kFirstFavoriteCommand);
    EXPECT_TRUE(showing(dialog, "b.html"));
    EXPECT_EQ(dialog.addressBox()->GetValue(), server_->url("b.html"));
    dialog.openFavorite(kFirstFavoriteCommand + 1);  // no such link: nothing happens
    EXPECT_EQ(u8(dialog.currentUrl()), server_->url("b.html"));

    // The save dialog starts in the Favorites folder with the suggested name and asks before
    // replacing a file; cancelled, it writes nothing.
    wxTEST_DIALOG(dialog.addToFavorites(), Expect<wxFileDialog>([&](wxFileDialog* save) {
                    EXPECT_EQ(save->GetMessage().utf8_string(), "Add To Favorites");
                    EXPECT_EQ(save->GetDirectory().utf8_string(), favorites().string());
                    EXPECT_EQ(save->GetFilename().utf8_string(), "Specify a name for the shortcut");
                    EXPECT_TRUE(save->HasFlag(wxFD_OVERWRITE_PROMPT));
                    return wxID_CANCEL;
                  }));
    EXPECT_EQ(std::distance(fs::directory_iterator(favorites()), fs::directory_iterator()), 1);
    // Given a name without its extension in the real dialog, it writes the shortcut there.
    {
      SaveDialogAnswers answers({"Page B"});
      dialog.addToFavorites();
      EXPECT_EQ(answers.questions, 0);
    }
    ASSERT_TRUE(fs::exists(favorites() / "Page B.url"));

    dialog.navigateTo(u16(server_->url("c.html")));
    ASSERT_TRUE(showing(dialog, "c.html"));
    // The same name again is asked about; answered No, the dialog shows again and the shortcut
    // keeps its page.
    {
      SaveDialogAnswers answers({"Page B"});
      dialog.addToFavorites();
      EXPECT_EQ(answers.questions, 1);
    }
    EXPECT_EQ(u8(readShortcutUrl(u16((favorites() / "Page B.url").string()))),
              server_->url("b.html"));
    // The menu is built again each time it opens; Escape closes it.
    wxTheApp->CallAfter([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    dialog.showFavoritesMenu();
    ASSERT_EQ(dialog.favorites().urls.size(), 2u);
    EXPECT_EQ(u8(dialog.favorites().items[1].text), "Work");
    EXPECT_EQ(u8(dialog.favorites().items[2].text), "Page B");
    dialog.openFavorite(dialog.favorites().items[2].command);
    EXPECT_TRUE(showing(dialog, "b.html"));
  });
}

}  // namespace
