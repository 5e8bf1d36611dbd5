// The Insert / Edit Hyperlink dialog in a real window: its modes, its length checks and the
// e-mail page as a user types into it.
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include "controls/list_box_ex.h"
#include "dialog/email_page.h"
#include "dialog_test_support.h"
#include "filepage/file_web_page.h"
#include "locations/drawing_view_page.h"

using namespace hyperlink;
using namespace tzt;

namespace {

constexpr int kOk = 1;
constexpr int kTextToDisplay = 1043;
constexpr int kRemoveLink = 1044;
constexpr int kSelectedLabel = 1048;
constexpr int kLinkedLabel = 1049;

std::string withCount(const std::string& format, int count) {
  std::string text = format;
  return text.replace(text.find("%d"), 2, std::to_string(count));
}

int shownPage(CTzUiDialog& frame) {
  auto shown = [&](wxWindow* page) { return page != nullptr && page->IsShown(); };
  int page = -1;
  if (shown(pageOf<CHypLnkFileWebDlg>(frame))) page = 0;
  if (shown(pageOf<CHypLnkDwgViewDlg>(frame))) page = page == -1 ? 1 : -2;
  if (shown(pageOf<CHypLnkEmailDlg>(frame))) page = page == -1 ? 2 : -2;
  return page;
}

using FrameDialog = HyperlinkDialogTest;

TEST_F(FrameDialog, OpensInTheModeAndOnThePageItsFieldsCallFor) {
  struct Case {
    const char* name;
    uint32_t linked;
    TzString address, location, text;
    int page;
    bool ok;
    std::string shownText;
  } cases[] = {
      {"insert", 0, u"", u"", u"", 0, false, ""},
      {"e-mail in capitals", 1, u"MAILTO:a@b.c", u"", u"Write to us", 2, true, "Write to us"},
      {"layout of this drawing", 2, u"", u",Sheet", u"Old text", 1, true, ",Sheet"},
  };
  s.openSample();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The titles and counts in each language, once per mode.
    tzad::setHostLanguage(c.linked % 2 == 0 ? "zh" : "en");
    CHyperLinkFrameBaseDlg frame(nullptr);
    frame.selectedCount = 3;
    frame.linkedCount = c.linked;
    frame.address = c.address;
    frame.location = c.location;
    frame.setTextToDisplay(c.text);
    runModal(frame, [&](CTzUiDialog& d) {
      EXPECT_EQ(d.modalWindow()->GetTitle().utf8_string(),
                text(c.linked != 0 ? text::kEditTitle : text::kInsertTitle));
      EXPECT_EQ(labelOf(d, kSelectedLabel), withCount(text(text::kObjectsSelected), 3));
      EXPECT_EQ(labelOf(d, kLinkedLabel),
                withCount(text(text::kObjectsWithLinks), static_cast<int>(c.linked)));
      EXPECT_EQ(d.GetDlgItem(kRemoveLink)->IsShown(), c.linked != 0);
      EXPECT_EQ(d.GetDlgItem(kOk)->IsEnabled(), c.ok);
      EXPECT_EQ(shownPage(d), c.page);
      EXPECT_EQ(findChild<CListBoxEx>(&d)->GetSelection(), c.page);
      EXPECT_EQ(valueOf(d, kTextToDisplay), c.shownText);
    });
  }
}

TEST_F(FrameDialog, OkRefusesTextsOfMoreThan255Characters) {
  struct Case {
    size_t address, text, location;
    const TextId* message;  // null: OK closes the dialog
  } cases[] = {
      {255, 255, 255, nullptr},
      {256, 256, 256, &text::kLocationTooLong},  // only the last check speaks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address * 1000000 + c.text * 1000 + c.location);
    CHyperLinkFrameBaseDlg frame(nullptr);
    std::string message;
    int result = runModal(frame, [&](CTzUiDialog& d) {
      frame.address = TzString(c.address, u'a');
      frame.location = TzString(c.location, u'l');
      editOf(d, kTextToDisplay)->ChangeValue(wxString(c.text, 't'));
      frame.enableOk(true);
      // A message box may come; its text is noted.
      wxTEST_DIALOG(click(d, kOk), Expect<wxMessageDialog>([&](wxMessageDialog* box) {
                                     message = box->GetMessage().utf8_string();
                                     return wxID_OK;
                                   }).Optional());
    });
    EXPECT_EQ(result, c.message == nullptr ? 1 : 2);
    EXPECT_EQ(message, c.message == nullptr ? "" : text(*c.message));
    EXPECT_EQ(frame.textToDisplay.size(), c.text);
  }
}

// The e-mail page of a frame in insert mode, shown by choosing it in the link-type list.
template <typename Act>
void onEmailPage(CHyperLinkFrameBaseDlg& frame, Act act) {
  runModal(frame, [&](CTzUiDialog& d) {
    frame.selectPage(2);
    CHypLnkEmailDlg* page = pageOf<CHypLnkEmailDlg>(d);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->IsShown());
    act(*page);
  });
}

// A person types an address and a subject, erases and picks a listed target.
TEST_F(FrameDialog, EmailPageAsAPersonTypesAndPicks) {
  recentEmailLinks() = {u"mailto:old@example.com?subject=Plans", u"mailto:new@example.com"};
  CHyperLinkFrameBaseDlg frame(nullptr);
  onEmailPage(frame, [&](CHypLnkEmailDlg& page) {
    wxTextCtrl* address = page.addressBox();
    EXPECT_FALSE(frame.GetDlgItem(kOk)->IsEnabled());
    ASSERT_TRUE(typeText(address, "ab"));
    EXPECT_EQ(address->GetValue().utf8_string(), "mailto:ab");
    EXPECT_EQ(valueOf(frame, kTextToDisplay), "mailto:ab");
    EXPECT_TRUE(frame.GetDlgItem(kOk)->IsEnabled());
    // Backspace keeps the text to display.
    ASSERT_TRUE(pressKey(address, WXK_BACK));
    EXPECT_EQ(address->GetValue().utf8_string(), "mailto:a");
    EXPECT_EQ(frame.address, u"mailto:a");
    EXPECT_EQ(frame.textToDisplay, u"mailto:ab");
    ASSERT_TRUE(typeText(page.GetDlgItem(CHypLnkEmailDlg::kSubjectBox), "Hi"));
    EXPECT_EQ(frame.address, u"mailto:a?subject=Hi");
    EXPECT_EQ(frame.textToDisplay, u"mailto:a?subject=Hi");

    // Taking the prefix away with Delete: it stays away, the text to display stays as it was,
    // and an address with "#" splits into target and location.
    ASSERT_TRUE(focusControl(address));
    address->SetValue("mailto:x#view");
    address->SetInsertionPoint(0);
    for (int i = 0; i < 7; ++i) ASSERT_TRUE(pressKey(address, WXK_DELETE));
    EXPECT_EQ(address->GetValue().utf8_string(), "x#view");
    EXPECT_EQ(frame.address, u"x");
    EXPECT_EQ(frame.location, u"view");
    EXPECT_EQ(frame.textToDisplay, u"mailto:x#view?subject=Hi");

    // Listed newest first; an entry without a subject keeps the one in the box.
    auto* recent = dynamic_cast<wxListBox*>(page.GetDlgItem(CHypLnkEmailDlg::kRecentList));
    ASSERT_EQ(recent->GetCount(), 2u);
    EXPECT_EQ(recent->GetString(0).utf8_string(), "mailto:new@example.com");
    pickEntry(recent, 1);
    EXPECT_EQ(page.addressBox()->GetValue().utf8_string(), "mailto:old@example.com");
    EXPECT_EQ(valueOf(page, CHypLnkEmailDlg::kSubjectBox), "Plans");
    EXPECT_EQ(frame.address, u"mailto:old@example.com?subject=Plans");
    pickEntry(recent, 0);
    EXPECT_EQ(frame.address, u"mailto:new@example.com?subject=Plans");
  });
}

}  // namespace
