// HYPERLINK and the other ways into the dialog, on the sample drawing: what the dialog opens
// with for the selected objects, and what each way out does to them.
#include <wx/dialog.h>
#include <wx/timer.h>

#include <functional>

#include "commands/hyperlink_commands.h"
#include "dialog/dialog_entry_points.h"
#include "dialog/email_page.h"
#include "dialog_test_support.h"
#include "model/entity_hyperlinks.h"
#include "tzdb_database.h"

using namespace hyperlink;
using namespace tzt;

namespace {

constexpr int kOk = 1;
constexpr int kTextToDisplay = 1043;
constexpr int kLinkedLabel = 1049;

// Runs call, which opens the dialog; once the dialog is on screen, act runs inside it, and the
// dialog then ends with endWith unless act ended it. Whether the dialog opened.
bool whileDialogRuns(const std::function<void()>& call,
                     const std::function<void(CHyperLinkFrameBaseDlg&)>& act, int endWith = 2) {
  bool opened = false;
  wxTimer watch;
  watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    for (wxWindow* top : wxTopLevelWindows) {
      auto* window = dynamic_cast<wxDialog*>(top);
      if (window == nullptr || !window->IsModal() || !window->IsShownOnScreen()) continue;
      for (wxWindow* child : window->GetChildren()) {
        auto* frame = dynamic_cast<CHyperLinkFrameBaseDlg*>(child);
        if (frame == nullptr) continue;
        watch.Stop();
        opened = true;
        yieldFor(20);
        act(*frame);
        frame->EndDialog(endWith);
        return;
      }
    }
  });
  watch.Start(10);
  call();
  watch.Stop();
  return opened;
}

HyperlinkData linkOf(TzDbObjectId id) {
  HyperlinkData data;
  readHyperlink(id, data);
  return data;
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

  // Confirmed unchanged, a hyperlink keeps its description.
  preselect("91");
  ASSERT_TRUE(whileDialogRuns(hyperlinkDlg, [&](CHyperLinkFrameBaseDlg& frame) {
    EXPECT_EQ(valueOf(frame, kTextToDisplay), "House details");
    click(frame, kOk);
  }));
  EXPECT_EQ(linkOf(byHandle(0x91)).description, u"House details");

  // A first object without a hyperlink opens the dialog on empty fields.
  preselect("90 91");
  ASSERT_TRUE(whileDialogRuns(hyperlinkDlg, [&](CHyperLinkFrameBaseDlg& frame) {
    EXPECT_EQ(frame.linkedCount, 1u);
    EXPECT_EQ(frame.address, u"");
    EXPECT_EQ(frame.textToDisplay, u"");
    EXPECT_EQ(frame.flags, 1u);
  }));

  // Targets agreeing in any case are shared; differing descriptions show an empty text; OK
  // writes both.
  preselect("91 95");
  ASSERT_TRUE(whileDialogRuns(hyperlinkDlg, [&](CHyperLinkFrameBaseDlg& frame) {
    EXPECT_EQ(frame.address, u"docs/house-details.pdf");
    EXPECT_EQ(valueOf(frame, kTextToDisplay), "");
    EXPECT_NE(labelOf(frame, kLinkedLabel).find('2'), std::string::npos);
    editOf(frame, kTextToDisplay)->ChangeValue("Both");
    frame.enableOk(true);
    click(frame, kOk);
  }));
  for (uint64_t handle : {0x91, 0x95}) {
    HyperlinkData written = linkOf(byHandle(handle));
    EXPECT_EQ(written.address, u"docs/house-details.pdf") << handle;
    EXPECT_EQ(written.description, u"Both") << handle;
  }
}

TEST_F(EntryPoints, RemoveLinkKeepsTheAreaRectangles) {
  s.answer({"0,0", "10,5", "http://example.com/area", "", "Area"});
  ASSERT_EQ(insertAreaHyperlink(), RTNORM);
  TzDbObjectId area = findEntity(*db, "POLYLINE", "URLLAYER");
  ASSERT_FALSE(area.isNull());
  preselect("LAST 91");
  ASSERT_TRUE(whileDialogRuns(hyperlinkDlg, [&](CHyperLinkFrameBaseDlg& frame) {
    click(frame, CHyperLinkFrameBaseDlg::kRemoveLink);
  }));
  EXPECT_FALSE(area.isErased());
  EXPECT_EQ(hasAnyHyperlink(TzArray<TzDbObjectId>{area, byHandle(0x91)}), -1);
}

TEST_F(EntryPoints, ForACallersRecordAndObjects) {
  recentEmailLinks() = {u"MAILTO:TEAM@example.com"};
  HyperlinkData data;
  data.address = u"mailto:team@EXAMPLE.com";
  data.description = u"Team";
  data.displayString = u"shown";
  data.flags = 0;
  data.extra = 9;
  ASSERT_TRUE(whileDialogRuns([&] { hyperlinkBlkDlg(TzArray<TzDbObjectId>{}, data); },
                              [&](CHyperLinkFrameBaseDlg& frame) {
                                EXPECT_EQ(frame.modalWindow()->GetTitle().utf8_string(),
                                          text(text::kInsertTitle));
                                EXPECT_EQ(frame.address, u"mailto:team@EXAMPLE.com");
                                frame.enableOk(true);
                                click(frame, kOk);
                              }));
  EXPECT_EQ(data.address, u"mailto:team@EXAMPLE.com");
  EXPECT_EQ(data.displayString, u"");
  EXPECT_EQ(data.extra, 4);
  // Equal to the listed target but for letter case: not listed again.
  EXPECT_EQ(recentEmailLinks().size(), 1u);

  // The caller's objects show whether any is linked, not how many.
  data.description = u"unchanged";
  TzArray<TzDbObjectId> ids{byHandle(0x91), byHandle(0x95), byHandle(0x98)};
  ASSERT_TRUE(whileDialogRuns([&] { hyperlinkBlkDlg(ids, data); },
                              [&](CHyperLinkFrameBaseDlg& frame) {
                                const std::string linked = labelOf(frame, kLinkedLabel);
                                EXPECT_NE(linked.find('1'), std::string::npos);
                                EXPECT_EQ(linked.find('3'), std::string::npos);
                              }));
  EXPECT_EQ(data.description, u"unchanged");
}

TEST_F(EntryPoints, EditingForACallerReturnsTheTypedTargetOnlyAfterOk) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    TzString target = u"http://example.com", text = u"Example";
    bool result = !ok;
    ASSERT_TRUE(whileDialogRuns(
        [&] { result = editHyperlinkInteractive(target, text, static_cast<CWnd*>(nullptr)); },
        [&](CHyperLinkFrameBaseDlg& frame) {
          frame.selectPage(2);
          auto* page = pageOf<CHypLnkEmailDlg>(frame);
          ASSERT_NE(page, nullptr);
          page->addressBox()->SetValue("");
          ASSERT_TRUE(typeText(page->addressBox(), "me@example.com"));
          if (ok) click(frame, kOk);
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
  HyperlinkData written = linkOf(byHandle(0x94));
  EXPECT_EQ(written.address, target);
  EXPECT_EQ(written.description, text);
  EXPECT_EQ(written.flags, 0);
  EXPECT_EQ(recentEmailLinks(), std::vector<TzString>{target});
}

}  // namespace
