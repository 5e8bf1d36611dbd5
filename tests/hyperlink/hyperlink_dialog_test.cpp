// The Insert / Edit Hyperlink dialog in a real window: its modes, length checks and e-mail
// page; then HYPERLINK and the other ways into it, and what each way out does to the objects.
#include <gtk/gtk.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/timer.h>

#include <functional>

#include "commands/hyperlink_commands.h"
#include "controls/list_box_ex.h"
#include "dialog/dialog_entry_points.h"
#include "dialog/dialog_half.h"
#include "dialog/email_page.h"
#include "dialog/email_page_ids.h"
#include "dialog/hyperlink_frame_ids.h"
#include "dialog_test_support.h"
#include "filepage/file_web_page.h"
#include "filepage/file_web_page_ids.h"
#include "model/entity_hyperlinks.h"
#include "tzdb_database.h"

using namespace hyperlink;
using namespace tzt;

namespace {

// What the screen shows of a window, read from the X server.
std::vector<unsigned char> shownPixels(wxWindow* window) {
  const wxRect r = window->GetScreenRect();
  GdkPixbuf* shot =
      gdk_pixbuf_get_from_window(gdk_get_default_root_window(), r.x, r.y, r.width, r.height);
  if (shot == nullptr) return {};
  const guchar* bytes = gdk_pixbuf_get_pixels(shot);
  std::vector<unsigned char> pixels(bytes, bytes + gdk_pixbuf_get_byte_length(shot));
  g_object_unref(shot);
  return pixels;
}

std::string withCount(const std::string& format, int count) {
  std::string text = format;
  return text.replace(text.find("%d"), 2, std::to_string(count));
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
      EXPECT_EQ(labelOf(d, HyperlinkFrameIds::kSelectedLabel),
                withCount(text(text::kObjectsSelected), 3));
      EXPECT_EQ(labelOf(d, HyperlinkFrameIds::kLinkedLabel),
                withCount(text(text::kObjectsWithLinks), static_cast<int>(c.linked)));
      EXPECT_EQ(d.GetDlgItem(HyperlinkFrameIds::kRemoveLink)->IsShown(), c.linked != 0);
      EXPECT_EQ(d.GetDlgItem(HyperlinkFrameIds::kOk)->IsEnabled(), c.ok);
      EXPECT_EQ(findChild<CListBoxEx>(&d)->GetSelection(), c.page);
      EXPECT_EQ(valueOf(d, HyperlinkFrameIds::kTextToDisplay), c.shownText);
    });
  }
}

// Tab into the link-type list, and into the file page's source selector: the list with the keys
// marks its current item, and the marker leaves with the focus.
TEST_F(FrameDialog, TheSelectorsShowTheKeyboardFocus) {
  CHyperLinkFrameBaseDlg frame(nullptr);
  runModal(frame, [&](CTzUiDialog& d) {
    auto* page = findChild<CHypLnkFileWebDlg>(&frame);
    ASSERT_NE(page, nullptr);
    wxWindow* linkTypes = d.GetDlgItem(HyperlinkFrameIds::kLinkTypeList);
    wxWindow* sources = page->GetDlgItem(FileWebPageIds::kSourceSelector);
    const std::vector<unsigned char> plainLinkTypes = shownPixels(linkTypes);
    const std::vector<unsigned char> plainSources = shownPixels(sources);

    ASSERT_TRUE(pressKey(d.GetDlgItem(HyperlinkFrameIds::kTextToDisplay), WXK_TAB));
    EXPECT_EQ(wxWindow::FindFocus(), linkTypes);
    EXPECT_TRUE(yieldUntil([&] { return shownPixels(linkTypes) != plainLinkTypes; }));

    ASSERT_TRUE(pressKey(page->GetDlgItem(FileWebPageIds::kPreview), WXK_TAB));
    EXPECT_EQ(wxWindow::FindFocus(), sources);
    EXPECT_TRUE(yieldUntil([&] { return shownPixels(sources) != plainSources; }));
    EXPECT_TRUE(yieldUntil([&] { return shownPixels(linkTypes) == plainLinkTypes; }));
  });
}

// Address, text and location of 255 characters pass; of 256 each, only the last check speaks.
TEST_F(FrameDialog, OkRefusesTextsOfMoreThan255Characters) {
  for (size_t length : {255, 256}) {
    CHyperLinkFrameBaseDlg frame(nullptr);
    std::string message;
    int result = runModal(frame, [&](CTzUiDialog& d) {
      frame.address = TzString(length, u'a');
      frame.location = TzString(length, u'l');
      editOf(d, HyperlinkFrameIds::kTextToDisplay)->ChangeValue(wxString(length, 't'));
      frame.enableOk(true);
      wxTEST_DIALOG(click(d, HyperlinkFrameIds::kOk),
                    Expect<wxMessageDialog>([&](wxMessageDialog* box) {
                      message = box->GetMessage().utf8_string();
                      return wxID_OK;
                    }).Optional());
    });
    EXPECT_EQ(result, length == 255 ? 1 : 2);
    EXPECT_EQ(message, length == 255 ? "" : text(text::kLocationTooLong));
    EXPECT_EQ(frame.textToDisplay.size(), length);
  }
}

// A person types an address and a subject, erases and picks a listed target.
TEST_F(FrameDialog, EmailPageAsAPersonTypesAndPicks) {
  recentEmailLinks() = {u"mailto:old@example.com?subject=Plans", u"mailto:new@example.com"};
  CHyperLinkFrameBaseDlg frame(nullptr);
  runModal(frame, [&](CTzUiDialog&) {
    // Shown by choosing it in the link-type list.
    frame.selectPage(2);
    CHypLnkEmailDlg& page = *findChild<CHypLnkEmailDlg>(&frame);
    ASSERT_TRUE(page.IsShown());
    wxTextCtrl* address = page.addressBox();
    EXPECT_FALSE(frame.GetDlgItem(HyperlinkFrameIds::kOk)->IsEnabled());
    ASSERT_TRUE(typeText(address, "ab"));
    EXPECT_EQ(address->GetValue().utf8_string(), "mailto:ab");
    EXPECT_EQ(valueOf(frame, HyperlinkFrameIds::kTextToDisplay), "mailto:ab");
    EXPECT_TRUE(frame.GetDlgItem(HyperlinkFrameIds::kOk)->IsEnabled());
    // Backspace keeps the text to display.
    ASSERT_TRUE(pressKey(address, WXK_BACK));
    EXPECT_EQ(address->GetValue().utf8_string(), "mailto:a");
    EXPECT_EQ(frame.address, u"mailto:a");
    EXPECT_EQ(frame.textToDisplay, u"mailto:ab");
    ASSERT_TRUE(typeText(page.GetDlgItem(EmailPageIds::kSubjectBox), "Hi"));
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
    auto* recent = dynamic_cast<wxListBox*>(page.GetDlgItem(EmailPageIds::kRecentList));
    ASSERT_EQ(recent->GetCount(), 2u);
    EXPECT_EQ(recent->GetString(0).utf8_string(), "mailto:new@example.com");
    pickEntry(recent, 1);
    EXPECT_EQ(page.addressBox()->GetValue().utf8_string(), "mailto:old@example.com");
    EXPECT_EQ(valueOf(page, EmailPageIds::kSubjectBox), "Plans");
    EXPECT_EQ(frame.address, u"mailto:old@example.com?subject=Plans");
    pickEntry(recent, 0);
    EXPECT_EQ(frame.address, u"mailto:new@example.com?subject=Plans");
  });
}

// Runs call, which opens the dialog; once the dialog is on screen, act runs inside it, and the
// dialog is then cancelled unless act ended it. Whether the dialog opened.
bool whileDialogRuns(const std::function<void()>& call,
                     const std::function<void(CHyperLinkFrameBaseDlg&)>& act) {
  bool opened = false;
  wxTimer watch;
  watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    for (wxWindow* top : wxTopLevelWindows) {
      auto* window = dynamic_cast<wxDialog*>(top);
      if (window == nullptr || !window->IsModal() || !window->IsShownOnScreen()) continue;
      auto* frame = findChild<CHyperLinkFrameBaseDlg>(window);
      if (frame == nullptr) continue;
      watch.Stop();
      opened = true;
      settle();
      act(*frame);
      frame->EndDialog(2);
      return;
    }
  });
  watch.Start(10);
  call();
  watch.Stop();
  return opened;
}

class EntryPoints : public HyperlinkDialogTest {
 protected:
  void SetUp() override {
    HyperlinkDialogTest::SetUp();
    db = s.openSample()->database();
  }
  TzDbObjectId byHandle(uint64_t handle) const { return db->objectIdOf(TzDbHandle(handle)); }
  void preselect(const std::string& handles) { s.run({"SELECT", handles, ""}); }

  TzDbDatabase* db = nullptr;
};

// HYPERLINK on objects picked before it, one selection after another.
TEST_F(EntryPoints, HyperlinkOnPreselectedObjects) {
  // 91 links to docs/house-details.pdf "House details"; 95 gets the same target in capitals.
  HyperlinkData capitals;
  capitals.address = u"DOCS/House-Details.PDF";
  capitals.description = u"Street map";
  ASSERT_TRUE(applyHyperlink(TzArray<TzDbObjectId>{byHandle(0x95)}, capitals));

  // The file page shows the target, and the target becomes the text to display: confirmed at
  // once, the hyperlink is described by its target.
  preselect("91");
  ASSERT_TRUE(whileDialogRuns(hyperlink::runHyperlinkDialog, [&](CHyperLinkFrameBaseDlg& frame) {
    EXPECT_EQ(valueOf(frame, HyperlinkFrameIds::kTextToDisplay), "docs/house-details.pdf");
    click(frame, HyperlinkFrameIds::kOk);
  }));
  EXPECT_EQ(linksOf(byHandle(0x91)).at(0).description, "docs/house-details.pdf");

  // A first object without a hyperlink opens the dialog on empty fields.
  preselect("90 91");
  ASSERT_TRUE(whileDialogRuns(hyperlink::runHyperlinkDialog, [&](CHyperLinkFrameBaseDlg& frame) {
    EXPECT_EQ(frame.linkedCount, 1u);
    EXPECT_EQ(frame.address, u"");
    EXPECT_EQ(frame.textToDisplay, u"");
    EXPECT_EQ(frame.flags, 1u);
  }));

  // Targets agreeing in any case are shared and shown as the text to display, whatever the
  // descriptions; OK writes both.
  preselect("91 95");
  ASSERT_TRUE(whileDialogRuns(hyperlink::runHyperlinkDialog, [&](CHyperLinkFrameBaseDlg& frame) {
    EXPECT_EQ(frame.address, u"docs/house-details.pdf");
    EXPECT_EQ(valueOf(frame, HyperlinkFrameIds::kTextToDisplay), "docs/house-details.pdf");
    EXPECT_NE(labelOf(frame, HyperlinkFrameIds::kLinkedLabel).find('2'), std::string::npos);
    editOf(frame, HyperlinkFrameIds::kTextToDisplay)->ChangeValue("Both");
    frame.enableOk(true);
    click(frame, HyperlinkFrameIds::kOk);
  }));
  for (uint64_t handle : {0x91, 0x95})
    EXPECT_EQ(linksOf(byHandle(handle)), (std::vector<Link>{{"docs/house-details.pdf", "Both"}}));
}

TEST_F(EntryPoints, RemoveLinkKeepsTheAreaRectangles) {
  s.answer({"0,0", "10,5", "http://example.com/area", "", "Area"});
  ASSERT_EQ(insertAreaHyperlink(), RTNORM);
  TzDbObjectId area = findEntity(*db, "POLYLINE", "URLLAYER");
  ASSERT_FALSE(area.isNull());
  preselect("LAST 91");
  ASSERT_TRUE(whileDialogRuns(hyperlink::runHyperlinkDialog, [&](CHyperLinkFrameBaseDlg& frame) {
    click(frame, HyperlinkFrameIds::kRemoveLink);
  }));
  EXPECT_FALSE(area.isErased());
  EXPECT_EQ(hasAnyHyperlink(TzArray<TzDbObjectId>{area, byHandle(0x91)}), -1);
}

TEST_F(EntryPoints, ForACallersRecord) {
  recentEmailLinks() = {u"MAILTO:TEAM@example.com"};
  HyperlinkData data;
  data.address = u"mailto:team@EXAMPLE.com";
  data.description = u"Team";
  data.displayString = u"shown";
  data.flags = 0;
  data.extra = 9;
  ASSERT_TRUE(whileDialogRuns([&] { hyperlink::runBlockDialog(TzArray<TzDbObjectId>{}, data); },
                              [&](CHyperLinkFrameBaseDlg& frame) {
                                EXPECT_EQ(frame.modalWindow()->GetTitle().utf8_string(),
                                          text(text::kInsertTitle));
                                EXPECT_EQ(frame.address, u"mailto:team@EXAMPLE.com");
                                frame.enableOk(true);
                                click(frame, HyperlinkFrameIds::kOk);
                              }));
  EXPECT_EQ(data.address, u"mailto:team@EXAMPLE.com");
  EXPECT_EQ(data.displayString, u"");
  EXPECT_EQ(data.extra, 4);
  // Equal to the listed target but for letter case: not listed again.
  EXPECT_EQ(recentEmailLinks().size(), 1u);
}

TEST_F(EntryPoints, EditingForACallerReturnsTheTypedTargetOnlyAfterOk) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    TzString target = u"http://example.com", text = u"Example";
    bool result = !ok;
    ASSERT_TRUE(whileDialogRuns([&] { result = hyperlink::runTargetEditor(target, text, nullptr); },
                                [&](CHyperLinkFrameBaseDlg& frame) {
                                  frame.selectPage(2);
                                  auto* page = findChild<CHypLnkEmailDlg>(&frame);
                                  ASSERT_NE(page, nullptr);
                                  page->addressBox()->SetValue("");
                                  ASSERT_TRUE(typeText(page->addressBox(), "me@example.com"));
                                  if (ok) click(frame, HyperlinkFrameIds::kOk);
                                }));
    EXPECT_EQ(result, ok);
    EXPECT_EQ(target, ok ? u"mailto:me@example.com" : u"http://example.com");
    EXPECT_EQ(text, ok ? u"mailto:me@example.com" : u"Example");
  }
  // Nothing was written, so nothing is remembered.
  EXPECT_TRUE(recentEmailLinks().empty());
}

TEST_F(EntryPoints, EditingAnObjectWritesWithoutADialog) {
  TzString target = u"mailto:a@example.com", text = u"Mail";
  editHyperlinkInteractive(target, text, byHandle(0x94));
  EXPECT_EQ(linksOf(byHandle(0x94)), (std::vector<Link>{{"mailto:a@example.com", "Mail"}}));
  EXPECT_EQ(recentEmailLinks(), std::vector<TzString>{target});
}

}  // namespace
