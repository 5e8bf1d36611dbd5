// The file and web page inside the real dialog: the address box as a person types into it,
// what the page reports to the dialog, the preview and relative-path box under Windows path
// rules, the lists filled from a temporary home, and the named-location button.
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <functional>

#include "browser_home.h"
#include "dialog/hyperlink_frame_ids.h"
#include "dialog_test_support.h"
#include "filepage/file_web_page.h"
#include "filepage/file_web_page_ids.h"
#include "platform/path_rules.h"
#include "platform/settings_store.h"

using namespace hyperlink;
using namespace tzt;
using platform::PathStyle;

namespace {

// The page's controls and the dialog around it, while the dialog runs.
struct Page {
  CHyperLinkFrameBaseDlg& frame;
  CHypLnkFileWebDlg& page;

  wxTextCtrl* address() const { return control<wxTextCtrl>(FileWebPageIds::kAddressBox); }
  std::string addressText() const { return valueOf(page, FileWebPageIds::kAddressBox); }
  wxCheckBox* relativeBox() const { return control<wxCheckBox>(FileWebPageIds::kRelativeBox); }
  bool okEnabled() const { return frame.GetDlgItem(HyperlinkFrameIds::kOk)->IsEnabled(); }

  // Writes the box as code does; the page handles it as it handles a typed change.
  void setAddress(const std::string& text) const { address()->SetValue(wxString::FromUTF8(text)); }
  // Ticks or clears the relative-path box as a click does.
  void toggleRelative() const {
    relativeBox()->SetValue(!relativeBox()->GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, FileWebPageIds::kRelativeBox);
    event.SetEventObject(relativeBox());
    relativeBox()->ProcessWindowEvent(event);
  }
  void pick(int id, int entry) const { pickEntry(page.GetDlgItem(id), entry); }

  template <typename T>
  T* control(int id) const {
    return dynamic_cast<T*>(page.GetDlgItem(id));
  }
};

class FileWebPage : public HyperlinkDialogTest {
 protected:
  void SetUp() override {
    HyperlinkDialogTest::SetUp();
    s.openSample();
  }
  void TearDown() override {
    platform::setPathStyle(PathStyle::Posix);
    HyperlinkDialogTest::TearDown();
  }

  // Runs the dialog on a target, as an entry point does, and acts on its file and web page.
  void withPage(const TzString& address, const std::function<void(const Page&)>& act) {
    CHyperLinkFrameBaseDlg frame(nullptr);
    frame.address = address;
    runModal(frame, [&](CTzUiDialog&) {
      auto* page = findChild<CHypLnkFileWebDlg>(&frame);
      ASSERT_NE(page, nullptr);
      act(Page{frame, *page});
    });
  }

  TemporaryHome home_;
};

// Typing and erasing in the address box, and what the dialog is told at each step.
TEST_F(FileWebPage, TheAddressBoxAsAPersonTypesIntoIt) {
  withPage(u"", [&](const Page& p) {
    EXPECT_FALSE(p.okEnabled());
    // Erasing keeps the text to display as it was; typing on changes it.
    ASSERT_TRUE(typeText(p.address(), "plan.dxf#V"));
    ASSERT_TRUE(pressKey(p.address(), WXK_BACK));
    EXPECT_EQ(p.frame.location, u"");
    EXPECT_EQ(p.frame.address, u"plan.dxf");
    EXPECT_EQ(p.frame.textToDisplay, u"plan.dxf#V");
    ASSERT_TRUE(typeText(p.address(), "s"));
    EXPECT_EQ(p.frame.textToDisplay, u"plan.dxf#s");

    p.setAddress("");
    EXPECT_FALSE(p.okEnabled());
    ASSERT_TRUE(typeText(p.address(), "#View"));
    EXPECT_TRUE(p.okEnabled());
    EXPECT_EQ(p.frame.address, u"");
    EXPECT_EQ(p.frame.location, u"View");
    EXPECT_FALSE(p.relativeBox()->IsEnabled());

    // A typed web prefix in any case gets its scheme.
    p.setAddress("");
    ASSERT_TRUE(typeText(p.address(), "WWW."));
    ASSERT_TRUE(yieldUntil([&] { return p.address()->GetInsertionPoint() == 11; }));
    EXPECT_EQ(p.addressText(), "http://WWW.");
    EXPECT_EQ(p.frame.address, u"http://WWW.");
  });
}

// Editing a link: the address shows whole and selected with the focus in its box, so that the
// first key typed replaces it, and it is the text to display; each showing of the page reports
// it again.
TEST_F(FileWebPage, AnEditedLinkOpensWithItsAddressSelected) {
  CHyperLinkFrameBaseDlg frame(nullptr);
  frame.linkedCount = 1;
  frame.address = u"http://a.example/x";
  frame.setTextToDisplay(u"Site A");
  runModal(frame, [&](CTzUiDialog&) {
    const Page p{frame, *findChild<CHypLnkFileWebDlg>(&frame)};
    EXPECT_EQ(valueOf(frame, HyperlinkFrameIds::kTextToDisplay), "http://a.example/x");
    EXPECT_EQ(wxWindow::FindFocus(), p.address());
    auto wholeWithCaretAtStart = [&] {
      long from = -1, to = -1;
      p.address()->GetSelection(&from, &to);
      return from == 0 && to == 18 && p.address()->GetInsertionPoint() == 0;
    };
    EXPECT_TRUE(wholeWithCaretAtStart());
    // The focus coming back (as when the window is activated again) selects with the caret at
    // the end; the page puts it back at the start.
    frame.GetDlgItem(HyperlinkFrameIds::kTextToDisplay)->SetFocus();
    p.address()->SetFocus();
    EXPECT_TRUE(yieldUntil(wholeWithCaretAtStart));
    ASSERT_TRUE(typeText(p.address(), "Z"));
    EXPECT_EQ(p.addressText(), "Z");
    EXPECT_EQ(frame.address, u"Z");

    p.setAddress("http://a.example/y");
    frame.selectPage(1);
    frame.setTextToDisplay(u"Typed");
    frame.selectPage(0);
    EXPECT_EQ(frame.textToDisplay, u"http://a.example/y");
  });
}

// Whether the relative-path box is ticked and enabled for an address, and the preview.
void expectRelative(const Page& p, const char* address, bool relative, const char* preview) {
  p.setAddress(address);
  EXPECT_EQ(p.relativeBox()->GetValue(), relative) << address;
  EXPECT_EQ(p.relativeBox()->IsEnabled(), relative) << address;
  EXPECT_EQ(valueOf(p.page, FileWebPageIds::kPreview), preview) << address;
}

TEST_F(FileWebPage, PreviewRelativeBoxAndPickedFilesUnderWindowsRules) {
  platform::setPathStyle(PathStyle::Windows);
  s.run({"HYPERLINKBASE", "C:\\a\\b"});
  withPage(u".\\c\\x.dwg", [&](const Page& p) {
    ASSERT_TRUE(p.relativeBox()->GetValue());
    p.toggleRelative();
    EXPECT_EQ(p.addressText(), "C:\\a\\b\\.\\c\\x.dwg");
    EXPECT_EQ(p.frame.address, u"C:\\a\\b\\.\\c\\x.dwg");
    p.toggleRelative();
    EXPECT_EQ(p.addressText(), ".\\c\\x.dwg");
    expectRelative(p, "\\docs\\x.dwg", true, "C:\\a\\b\\\\docs\\x.dwg");
    expectRelative(p, "\\\\server\\share\\x.dwg", false, "\\\\server\\share\\x.dwg");

    // A picked file under the base is shown relative to it while the box is ticked.
    p.setAddress(".\\c\\x.dwg");
    wxListBox* recent = p.control<wxListBox>(FileWebPageIds::kRecentFiles);
    recent->Insert(std::vector<wxString>{"C:\\a\\b\\c\\x.dwg", "D:\\x.dwg"}, 0);
    p.pick(FileWebPageIds::kRecentFiles, 0);
    EXPECT_EQ(p.addressText(), ".\\c\\x.dwg");
    p.pick(FileWebPageIds::kRecentFiles, 1);
    EXPECT_EQ(p.addressText(), "D:\\x.dwg");
    EXPECT_FALSE(p.relativeBox()->IsEnabled());
    EXPECT_TRUE(p.relativeBox()->GetValue());
  });
}

std::vector<std::string> entries(wxListBox* list) {
  std::vector<std::string> texts;
  for (const wxString& text : list->GetStrings()) texts.push_back(text.utf8_string());
  return texts;
}

TEST_F(FileWebPage, ListsComeFromTheHomeAndTheShownAddressIsRemembered) {
  HistoryDatabase(makeFirefoxProfile(home_), kFirefoxSchema)
      .addFirefoxPage(1, "https://example.org/plans", "Site plans", {1704153600000000});
  // Local files by their latest use, modified or visited; other programs' remote ones left out.
  writeFile((home_.data() / "recently-used.xbel").string(),
            recentFilesList(recentBookmark("file:///srv/old.dxf", "2024-01-01T10:00:00Z",
                                           "2024-03-01T10:00:00Z") +
                            recentBookmark("file:///srv/%E6%80%BB%E5%9B%BE%20plan.dxf",
                                           "2024-02-01T10:00:00Z", "2024-02-01T10:00:00Z") +
                            recentBookmark("https://example.com/remote.dxf", "2024-04-01T10:00:00Z",
                                           "2024-04-01T10:00:00Z")));
  const std::u16string_view typed = u"Software\\Microsoft\\Internet Explorer\\TypedURLs";
  ASSERT_TRUE(platform::writeSettingsValue(typed, u"url1", u"http://example.net/"));

  withPage(u"http://example.com/new", [&](const Page& p) {
    EXPECT_EQ(entries(p.control<wxListBox>(FileWebPageIds::kRecentFiles)),
              (std::vector<std::string>{"/srv/old.dxf", "/srv/总图 plan.dxf"}));
    EXPECT_EQ(entries(p.control<wxListBox>(FileWebPageIds::kBrowsedPages)),
              std::vector<std::string>{"Site plans"});
    EXPECT_EQ(entries(p.control<wxListBox>(FileWebPageIds::kInsertedLinks)),
              (std::vector<std::string>{"http://example.com/new", "http://example.net/"}));
  });
  auto key = platform::readSettingsKey(typed);
  ASSERT_TRUE(key);
  ASSERT_EQ(key->values.size(), 2u);
  EXPECT_EQ(key->values[1].name, u"url2");
  EXPECT_EQ(key->values[1].data, u"http://example.com/new");
  // Shown again in other letters' case, the address is not remembered twice. A browsed page
  // picked gives its title once: typing on makes the text to display the address.
  withPage(u"HTTP://EXAMPLE.COM/NEW", [&](const Page& p) {
    EXPECT_EQ(p.control<wxListBox>(FileWebPageIds::kInsertedLinks)->GetCount(), 2u);
    p.pick(FileWebPageIds::kSourceSelector, 1);
    p.pick(FileWebPageIds::kBrowsedPages, 0);
    EXPECT_EQ(p.addressText(), "https://example.org/plans");
    EXPECT_EQ(p.frame.textToDisplay, u"Site plans");
    EXPECT_EQ(p.frame.address, u"https://example.org/plans");
    ASSERT_TRUE(focusControl(p.address()));
    p.address()->SetInsertionPointEnd();
    ASSERT_TRUE(typeText(p.address(), "/"));
    EXPECT_EQ(p.frame.textToDisplay, u"https://example.org/plans/");
  });
  EXPECT_EQ(platform::readSettingsKey(typed)->values.size(), 2u);
}

// The extension is what follows the last dot, "#" part and all: not a drawing.
TEST_F(FileWebPage, NamedLocationsOnlyOfDrawings) {
  withPage(u"plan.dxf#View1", [&](const Page& p) {
    wxTEST_DIALOG(click(p.page, FileWebPageIds::kNamedLocation),
                  Expect<wxMessageDialog>([&](wxMessageDialog* box) {
                    EXPECT_EQ(box->GetMessage().utf8_string(),
                              "tzad cannot open this file, or cannot read files of this kind.");
                    return wxID_OK;
                  }));
    EXPECT_EQ(p.addressText(), "plan.dxf#View1");
  });
}

}  // namespace
