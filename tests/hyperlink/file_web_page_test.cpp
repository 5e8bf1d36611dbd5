// The file and web page inside the real dialog, in both languages: the address box as a
// person types into it, what the page reports to the dialog, the preview and relative-path box
// under both path rules, the lists filled from a temporary home, and the named-location
// button's message.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <functional>

#include "controls/list_box_ex.h"
#include "dialog/hyperlink_frame_dialog.h"
#include "filepage/file_web_page.h"
#include "module/module_state.h"
#include "modules/module_loader.h"
#include "platform/path_rules.h"
#include "platform/settings_store.h"
#include "session.h"
#include "tzdb_database.h"
#include "window_test.h"

using namespace hyperlink;
using namespace tzt;
using platform::PathStyle;
namespace fs = std::filesystem;

namespace {

constexpr int kOk = 1;
constexpr int kSourceSelector = 1008;
constexpr int kAddressBox = 1030;
constexpr int kRecentFiles = 1032;
constexpr int kNamedLocation = 1035;
constexpr int kRelativeBox = 1038;
constexpr int kInsertedLinks = 1039;
constexpr int kBrowsedPages = 1041;
constexpr int kPreview = 1059;

// The page's controls and the dialog around it, while the dialog runs.
struct Page {
  CHyperLinkFrameBaseDlg& frame;
  CHypLnkFileWebDlg& page;

  wxTextCtrl* address() const { return control<wxTextCtrl>(kAddressBox); }
  std::string addressText() const { return address()->GetValue().utf8_string(); }
  std::string preview() const { return control<wxTextCtrl>(kPreview)->GetValue().utf8_string(); }
  wxCheckBox* relativeBox() const { return control<wxCheckBox>(kRelativeBox); }
  wxListBox* list(int id) const { return control<wxListBox>(id); }
  bool okEnabled() const { return frame.GetDlgItem(kOk)->IsEnabled(); }

  // Writes the box as code does; the page handles it as it handles a typed change.
  void setAddress(const std::string& text) const { address()->SetValue(wxString::FromUTF8(text)); }
  void click(int id) const {
    wxWindow* control = page.GetDlgItem(id);
    wxEventType type = wxEVT_BUTTON;
    if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
      box->SetValue(!box->GetValue());
      type = wxEVT_CHECKBOX;
    }
    wxCommandEvent event(type, id);
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
  }
  // Selects an entry of a list, or of the source selector, as a click does.
  void pick(int id, int entry) const {
    wxWindow* box = page.GetDlgItem(id);
    if (auto* selector = dynamic_cast<wxVListBox*>(box)) selector->SetSelection(entry);
    if (auto* texts = dynamic_cast<wxListBox*>(box)) texts->SetSelection(entry);
    wxCommandEvent event(wxEVT_LISTBOX, id);
    event.SetEventObject(box);
    event.SetInt(entry);
    box->ProcessWindowEvent(event);
  }

  template <typename T>
  T* control(int id) const {
    return dynamic_cast<T*>(page.GetDlgItem(id));
  }
};

CHypLnkFileWebDlg* fileWebPage(CHyperLinkFrameBaseDlg& frame) {
  for (wxWindow* child : frame.GetChildren())
    if (auto* page = dynamic_cast<CHypLnkFileWebDlg*>(child)) return page;
  return nullptr;
}

class FileWebPage : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    setHostLanguage(GetParam());
    moduleState().resources = dlopen(TZT_HYPERLINK_RESOURCES, RTLD_NOW);
    ASSERT_NE(moduleState().resources, nullptr);
    document_ = session_.openSample();
  }
  void TearDown() override {
    dlclose(moduleState().resources);
    moduleState().resources = nullptr;
    platform::setPathStyle(PathStyle::Posix);
    setHostLanguage("");
  }
  bool chinese() const { return std::string(GetParam()) == "zh"; }
  void setHyperlinkBase(const TzString& base) {
    ASSERT_EQ(document_->database()->setHyperlinkBase(base), Tzad::eOk);
  }

  // Runs the dialog on a target, as an entry point does, and acts on its file and web page.
  void withPage(const TzString& address, const std::function<void(const Page&)>& act) {
    CHyperLinkFrameBaseDlg frame(nullptr);
    frame.address = address;
    runModal(frame, [&](CTzUiDialog&) {
      CHypLnkFileWebDlg* page = fileWebPage(frame);
      ASSERT_NE(page, nullptr);
      act(Page{frame, *page});
    });
  }

  Session session_;
  TemporaryHome home_;
  Document* document_ = nullptr;
};

TEST_P(FileWebPage, TypedWebPrefixGetsItsScheme) {
  for (const char* typed : {"www.", "WWW."}) {
    withPage(u"", [&](const Page& p) {
      ASSERT_TRUE(typeText(p.address(), typed));
      ASSERT_TRUE(yieldUntil([&] { return p.address()->GetInsertionPoint() == 11; }));
      EXPECT_EQ(p.addressText(), std::string("http://") + typed);
      EXPECT_EQ(p.frame.address, u"http://" + u16(typed));
    });
  }
  withPage(u"", [&](const Page& p) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject("www.example.com"));
    wxTheClipboard->Close();
    ASSERT_TRUE(pressKey(p.address(), 'V', wxMOD_CONTROL));
    ASSERT_TRUE(yieldUntil([&] { return !p.address()->IsEmpty(); }));
    EXPECT_EQ(p.addressText(), "www.example.com");
  });
}

TEST_P(FileWebPage, OkFollowsTargetAndLocation) {
  withPage(u"", [&](const Page& p) {
    EXPECT_FALSE(p.okEnabled());
    ASSERT_TRUE(typeText(p.address(), "#View"));
    EXPECT_TRUE(p.okEnabled());
    EXPECT_EQ(p.frame.address, u"");
    EXPECT_EQ(p.frame.location, u"View");
    EXPECT_FALSE(p.relativeBox()->IsEnabled());
    p.setAddress("");
    EXPECT_FALSE(p.okEnabled());
  });
}

TEST_P(FileWebPage, ErasingKeepsTheDescription) {
  withPage(u"", [&](const Page& p) {
    ASSERT_TRUE(typeText(p.address(), "plan.dxf#V"));
    ASSERT_TRUE(pressKey(p.address(), WXK_BACK));
    EXPECT_EQ(p.frame.location, u"");
    EXPECT_EQ(p.frame.address, u"plan.dxf");
    EXPECT_EQ(p.frame.textToDisplay, u"plan.dxf#V");
    ASSERT_TRUE(typeText(p.address(), "s"));
    EXPECT_EQ(p.frame.textToDisplay, u"plan.dxf#s");
  });
}

struct PreviewCase {
  const char* address;
  bool relative;
  const char* preview;
};

TEST_P(FileWebPage, PreviewAndRelativeBoxUnderPosixRules) {
  setHyperlinkBase(u"/p");
  const PreviewCase cases[] = {
      {"docs/a.dxf", true, "/p/docs/a.dxf"},
      {"docs\\a.dwg", true, "/p/docs\\a.dwg"},
      {"/srv/a.dxf", false, "/srv/a.dxf"},
      {"http://example.com/a", false, "http://example.com/a"},
      {"mailto:someone@example.com", false, "mailto:someone@example.com"},
      {"#View", false, "#View"},
  };
  withPage(u"", [&](const Page& p) {
    EXPECT_EQ(p.page.basePath(), u"/p/");
    EXPECT_EQ(p.preview(), "/p/");
    for (const PreviewCase& c : cases) {
      p.setAddress(c.address);
      EXPECT_EQ(p.relativeBox()->GetValue(), c.relative) << c.address;
      EXPECT_EQ(p.relativeBox()->IsEnabled(), c.relative) << c.address;
      EXPECT_EQ(p.preview(), c.preview) << c.address;
    }
  });
}

TEST_P(FileWebPage, PreviewAndRelativeBoxUnderWindowsRules) {
  platform::setPathStyle(PathStyle::Windows);
  setHyperlinkBase(u"C:\\p");
  const PreviewCase cases[] = {
      {"docs\\a.dwg", true, "C:\\p\\docs\\a.dwg"},
      {"\\docs\\a.dwg", true, "C:\\p\\\\docs\\a.dwg"},
      {"C:\\", false, "C:\\"},
      {"\\\\server\\share\\a.dwg", false, "\\\\server\\share\\a.dwg"},
      {"www.example.com", false, "www.example.com"},
  };
  withPage(u"", [&](const Page& p) {
    EXPECT_EQ(p.preview(), "C:\\p\\");
    for (const PreviewCase& c : cases) {
      p.setAddress(c.address);
      EXPECT_EQ(p.relativeBox()->GetValue(), c.relative) << c.address;
      EXPECT_EQ(p.relativeBox()->IsEnabled(), c.relative) << c.address;
      EXPECT_EQ(p.preview(), c.preview) << c.address;
    }
  });
}

TEST_P(FileWebPage, RelativeBoxAndPickedFilesUnderWindowsRules) {
  platform::setPathStyle(PathStyle::Windows);
  setHyperlinkBase(u"C:\\a\\b\\");
  withPage(u".\\c\\x.dwg", [&](const Page& p) {
    ASSERT_TRUE(p.relativeBox()->GetValue());
    p.click(kRelativeBox);
    EXPECT_EQ(p.addressText(), "C:\\a\\b\\.\\c\\x.dwg");
    EXPECT_EQ(p.frame.address, u"C:\\a\\b\\.\\c\\x.dwg");
    p.click(kRelativeBox);
    EXPECT_EQ(p.addressText(), ".\\c\\x.dwg");

    wxListBox* recent = p.list(kRecentFiles);
    recent->Insert(std::vector<wxString>{"C:\\a\\b\\c\\x.dwg", "D:\\x.dwg"}, 0);
    p.pick(kRecentFiles, 0);
    EXPECT_EQ(p.addressText(), ".\\c\\x.dwg");
    p.pick(kRecentFiles, 1);
    EXPECT_EQ(p.addressText(), "D:\\x.dwg");
    EXPECT_FALSE(p.relativeBox()->IsEnabled());
    EXPECT_TRUE(p.relativeBox()->GetValue());
  });
}

TEST_P(FileWebPage, RelativeBoxUnderPosixRules) {
  setHyperlinkBase(u"/a/b/");
  withPage(u"./c/x.dxf", [&](const Page& p) {
    p.click(kRelativeBox);
    EXPECT_EQ(p.addressText(), "/a/b/./c/x.dxf");
    p.click(kRelativeBox);
    EXPECT_EQ(p.addressText(), "./c/x.dxf");
  });
}

// A Firefox profile and a Chromium history as the browsers leave them, reduced to what the
// page reads.
void writeHistory(const fs::path& file, const std::string& sql) {
  fs::create_directories(file.parent_path());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
  sqlite3_free(error);
  sqlite3_close(db);
}

void makeBrowsingHistory(const TemporaryHome& home) {
  fs::path firefox = home.path() / ".mozilla" / "firefox";
  fs::create_directories(firefox);
  writeFile((firefox / "profiles.ini").string(),
            "[Profile0]\nName=default\nIsRelative=1\nPath=p.default\nDefault=1\n\n"
            "[General]\nStartWithLastProfile=1\nVersion=2\n");
  writeHistory(firefox / "p.default" / "places.sqlite",
               "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR,"
               " title LONGVARCHAR, hidden INTEGER DEFAULT 0 NOT NULL, last_visit_date INTEGER);"
               "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, place_id INTEGER,"
               " visit_date INTEGER, visit_type INTEGER);"
               "INSERT INTO moz_places VALUES (1, 'https://example.org/plans', 'Site plans', 0,"
               " 1704153600000000);"
               "INSERT INTO moz_historyvisits VALUES (1, 1, 1704153600000000, 1);");
  // Chromium counts microseconds from 1601.
  writeHistory(home.config() / "chromium" / "Default" / "History",
               "CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR,"
               " title LONGVARCHAR, visit_count INTEGER DEFAULT 0 NOT NULL,"
               " typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL,"
               " hidden INTEGER DEFAULT 0 NOT NULL);"
               "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL,"
               " visit_time INTEGER NOT NULL, from_visit INTEGER,"
               " transition INTEGER DEFAULT 0 NOT NULL);"
               "INSERT INTO urls VALUES (1, 'https://example.com/untitled', '', 1, 0,"
               " 13348540800000000, 0);"
               "INSERT INTO visits VALUES (1, 1, 13348540800000000, 0, 0);");
}

void makeRecentFiles(const TemporaryHome& home) {
  fs::create_directories(home.data());
  writeFile((home.data() / "recently-used.xbel").string(),
            R"(<?xml version="1.0" encoding="UTF-8"?>
<xbel version="1.0" xmlns:bookmark="http://www.freedesktop.org/standards/desktop-bookmarks"
      xmlns:mime="http://www.freedesktop.org/standards/shared-mime-info">
  <bookmark href="file:///srv/old.dxf" added="2024-01-01T10:00:00Z"
            modified="2024-01-01T10:00:00Z" visited="2024-01-01T10:00:00Z"/>
  <bookmark href="file:///srv/new%20plan.dxf" added="2024-02-01T10:00:00Z"
            modified="2024-02-01T10:00:00Z" visited="2024-02-01T10:00:00Z"/>
</xbel>
)");
}

std::vector<std::string> entries(wxListBox* list) {
  std::vector<std::string> texts;
  for (const wxString& text : list->GetStrings()) texts.push_back(text.utf8_string());
  return texts;
}

TEST_P(FileWebPage, ListsComeFromTheHomeAndTheShownAddressIsRemembered) {
  makeBrowsingHistory(home_);
  makeRecentFiles(home_);
  const std::u16string_view typed = u"Software\\Microsoft\\Internet Explorer\\TypedURLs";
  for (const char16_t* name : {u"url1", u"url2", u"url3"})
    ASSERT_TRUE(platform::writeSettingsValue(typed, name, u"http://example.net/" + TzString(name)));

  withPage(u"http://example.com/new", [&](const Page& p) {
    auto* selector = p.control<CListBoxEx>(kSourceSelector);
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->GetItemCount(), 3u);
    EXPECT_EQ(selector->iconSize, TwUiGetImageDPICx() / 2);
    EXPECT_TRUE(p.list(kRecentFiles)->IsShown());
    EXPECT_FALSE(p.list(kBrowsedPages)->IsShown());
    EXPECT_EQ(entries(p.list(kRecentFiles)),
              (std::vector<std::string>{"/srv/new plan.dxf", "/srv/old.dxf"}));
    EXPECT_EQ(entries(p.list(kBrowsedPages)),
              (std::vector<std::string>{"Site plans", "https://example.com/untitled"}));
    EXPECT_EQ(entries(p.list(kInsertedLinks)),
              (std::vector<std::string>{"http://example.com/new", "http://example.net/url1",
                                        "http://example.net/url2", "http://example.net/url3"}));
  });
  auto key = platform::readSettingsKey(typed);
  ASSERT_TRUE(key);
  ASSERT_EQ(key->values.size(), 4u);
  EXPECT_EQ(key->values[3].name, u"url4");
  EXPECT_EQ(key->values[3].data, u"http://example.com/new");
}

TEST_P(FileWebPage, BrowsedPageGivesItsTitleOnce) {
  makeBrowsingHistory(home_);
  withPage(u"", [&](const Page& p) {
    wxListBox* browsed = p.list(kBrowsedPages);
    int titled = browsed->FindString("Site plans");
    ASSERT_NE(titled, wxNOT_FOUND);
    p.pick(kSourceSelector, 1);
    p.pick(kBrowsedPages, titled);
    EXPECT_EQ(p.addressText(), "https://example.org/plans");
    EXPECT_EQ(p.frame.textToDisplay, u"Site plans");
    EXPECT_EQ(p.frame.address, u"https://example.org/plans");
    ASSERT_TRUE(focusControl(p.address()));
    p.address()->SetInsertionPointEnd();
    ASSERT_TRUE(typeText(p.address(), "/"));
    EXPECT_EQ(p.frame.textToDisplay, u"https://example.org/plans/");
  });
}

class ExpectMessage : public wxExpectModal<wxMessageDialog> {
 public:
  explicit ExpectMessage(std::string message)
      : wxExpectModal<wxMessageDialog>(wxID_OK), message_(std::move(message)) {}

 protected:
  int OnInvoked(wxMessageDialog* box) const override {
    EXPECT_EQ(box->GetMessage().utf8_string(), message_);
    EXPECT_EQ(box->GetTitle().utf8_string(), "tzad");
    return wxExpectModal<wxMessageDialog>::OnInvoked(box);
  }

 private:
  std::string message_;
};

TEST_P(FileWebPage, NamedLocationsOnlyOfDrawings) {
  const std::string message = chinese() ? "tzad无法打开此文件或无法分析这种文件。"
                                        : "tzad cannot open this file, or cannot read files of "
                                          "this kind.";
  for (const char* address : {"notes.txt", "plan.dxf#View1"}) {
    withPage(u16(address), [&](const Page& p) {
      wxTEST_DIALOG(p.click(kNamedLocation), ExpectMessage(message));
      EXPECT_EQ(p.addressText(), address);
    });
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, FileWebPage, testing::Values("zh", "en"));

}  // namespace
