// The dialog base as the module's dialogs use it: a template of a resource library in the
// host's language, data exchange, keys, results, pictures and the message window.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "modules/module_loader.h"
#include "window_test.h"

namespace {

constexpr unsigned kTestTemplate = 900;
constexpr unsigned kTestPicture = 901;
constexpr int kName = 1001;
constexpr int kEnabled = 1002;
constexpr int kNameLabel = 1003;

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

class TestDialog : public CTzUiDialog {
 public:
  TestDialog(HINSTANCE resources, unsigned id = kTestTemplate)
      : CTzUiDialog(id, nullptr, resources) {}

  TzString name = u"初始名称";
  int enabled = 1;
  std::vector<int> keys;
  std::vector<bool> shows;
  int changesDuringInit = 0;
  bool swallowKeys = false;

 protected:
  bool OnInitDialog() override {
    GetDlgItem(kName)->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ++changes_; });
    bool focus = CTzUiDialog::OnInitDialog();
    changesDuringInit = changes_;
    return focus;
  }
  void DoDataExchange(bool save) override {
    exchangeText(kName, name, save);
    exchangeCheck(kEnabled, enabled, save);
  }
  bool PreTranslateKey(const wxKeyEvent& key) override {
    keys.push_back(key.GetKeyCode());
    return swallowKeys;
  }
  void OnShowWindow(bool show) override { shows.push_back(show); }

 private:
  int changes_ = 0;
};

class UiDialogTest : public testing::Test {
 protected:
  void SetUp() override { tzad::setHostLanguage("zh"); }
  void TearDown() override { tzad::setHostLanguage(""); }
  HINSTANCE resources() const { return library_.get(); }

 private:
  std::unique_ptr<void, LibraryCloser> library_{dlopen(TZT_DIALOG_RESOURCES, RTLD_NOW)};
};

wxString textOf(CTzUiDialog& dialog, int id) {
  return dialog.GetDlgItem(id)->GetLabel();
}

TEST_F(UiDialogTest, TemplateComesInTheHostLanguage) {
  struct Case {
    const char* language;
    const char* title;
    const char* label;
  } cases[] = {{"zh", "测试对话框", "名称(&N):"},
               {"en", "Test dialog", "&Name:"},
               {"fr", "测试对话框", "名称(&N):"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    tzad::setHostLanguage(c.language);
    TestDialog dialog(resources());
    wxString title, label;
    tzt::runModal(dialog, [&](CTzUiDialog& d) {
      title = d.modalWindow()->GetTitle();
      label = textOf(d, kNameLabel);
    });
    EXPECT_EQ(title.utf8_string(), c.title);
    EXPECT_EQ(label.utf8_string(), c.label);
  }
}

TEST_F(UiDialogTest, FieldsGoIntoTheControlsAndTypedTextComesBackOnEnter) {
  TestDialog dialog(resources());
  wxString shown;
  bool checked = false;
  int result = tzt::runModal(dialog, [&](CTzUiDialog& d) {
    shown = dynamic_cast<wxTextCtrl*>(d.GetDlgItem(kName))->GetValue();
    checked = dynamic_cast<wxCheckBox*>(d.GetDlgItem(kEnabled))->GetValue();
    dynamic_cast<wxTextCtrl*>(d.GetDlgItem(kName))->ChangeValue("");
    dynamic_cast<wxCheckBox*>(d.GetDlgItem(kEnabled))->SetValue(false);
    ASSERT_TRUE(tzt::typeText(d.GetDlgItem(kName), "drawing 7"));
    ASSERT_TRUE(tzt::pressKey(d.GetDlgItem(kName), WXK_RETURN));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(shown.utf8_string(), "初始名称");
  EXPECT_TRUE(checked);
  EXPECT_EQ(dialog.name, u"drawing 7");
  EXPECT_EQ(dialog.enabled, 0);
  // Writing the field raised the edit's change event inside the write.
  EXPECT_EQ(dialog.changesDuringInit, 1);
}

TEST_F(UiDialogTest, EveryWayOutGivesItsResult) {
  struct Case {
    const char* way;
    std::function<void(CTzUiDialog&)> act;
    int result;
  } cases[] = {
      {"OK", [](CTzUiDialog& d) { tzt::click(d, 1); }, 1},
      {"Cancel", [](CTzUiDialog& d) { tzt::click(d, 2); }, 2},
      {"Escape", [](CTzUiDialog& d) { tzt::pressKey(d.GetDlgItem(kName), WXK_ESCAPE); }, 2},
      {"close box", [](CTzUiDialog& d) { d.modalWindow()->Close(); }, 2},
      {"EndDialog", [](CTzUiDialog& d) { d.EndDialog(1044); }, 1044},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.way);
    TestDialog dialog(resources());
    dialog.name = u"kept";
    int result = tzt::runModal(
        dialog,
        [&](CTzUiDialog& d) {
          dynamic_cast<wxTextCtrl*>(d.GetDlgItem(kName))->ChangeValue("edited");
          c.act(d);
        },
        -7);
    EXPECT_EQ(result, c.result);
    // Only OK reads the controls back.
    EXPECT_EQ(dialog.name, c.result == 1 ? u"edited" : u"kept");
  }
}

TEST_F(UiDialogTest, KeyFilterSeesEveryKeyAndLetsItOn) {
  struct Case {
    bool swallow;
    const char* textAfter;
  } cases[] = {{false, "ad"}, {true, "abcd"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.swallow);
    TestDialog dialog(resources());
    dialog.name = u"abcd";
    dialog.swallowKeys = c.swallow;
    wxString after;
    tzt::runModal(dialog, [&](CTzUiDialog& d) {
      auto* edit = dynamic_cast<wxTextCtrl*>(d.GetDlgItem(kName));
      tzt::focusControl(edit);
      edit->SetInsertionPoint(2);
      tzt::pressKey(edit, WXK_BACK);
      tzt::pressKey(edit, WXK_DELETE);
      after = edit->GetValue();
    });
    EXPECT_EQ(after.utf8_string(), c.textAfter);
    ASSERT_GE(dialog.keys.size(), 2u);
    EXPECT_EQ(dialog.keys[dialog.keys.size() - 2], WXK_BACK);
    EXPECT_EQ(dialog.keys.back(), WXK_DELETE);
  }
}

TEST_F(UiDialogTest, ShowAndHideReachTheDialog) {
  TestDialog modal(resources());
  tzt::runModal(modal, [](CTzUiDialog&) {});
  EXPECT_EQ(modal.shows, (std::vector<bool>{true, false}));

  wxDialog frame(nullptr, wxID_ANY, "frame");
  TestDialog page(resources());
  ASSERT_TRUE(page.Create(&frame));
  EXPECT_FALSE(page.IsShown());
  EXPECT_EQ(page.GetParent(), &frame);
  EXPECT_EQ(TwUiText(dynamic_cast<wxTextCtrl*>(page.GetDlgItem(kName))->GetValue()), page.name);
  page.Show();
  page.Hide();
  EXPECT_EQ(page.shows, (std::vector<bool>{true, false}));
}

TEST_F(UiDialogTest, MissingTemplateShowsNothing) {
  TestDialog modal(resources(), 999);
  EXPECT_EQ(modal.DoModal(), -1);
  wxDialog frame(nullptr, wxID_ANY, "frame");
  TestDialog page(resources(), 999);
  EXPECT_FALSE(page.Create(&frame));
  TestDialog noLibrary(nullptr);
  EXPECT_EQ(noLibrary.DoModal(), -1);
}

TEST_F(UiDialogTest, PicturesAreDrawnAtTheAskedSize) {
  wxBitmapBundle picture = TwUiLoadImage(resources(), kTestPicture, 24, 24);
  ASSERT_TRUE(picture.IsOk());
  EXPECT_EQ(picture.GetDefaultSize(), wxSize(24, 24));
  EXPECT_EQ(picture.GetBitmap(wxSize(24, 24)).GetSize(), wxSize(24, 24));
  EXPECT_FALSE(TwUiLoadImage(resources(), 902, 24, 24).IsOk());
  EXPECT_FALSE(TwUiLoadImage(nullptr, kTestPicture, 24, 24).IsOk());
}

TEST_F(UiDialogTest, TextCrossesIntoTheToolkitUnchanged) {
  for (const TzString& text :
       {TzString(u""), TzString(u"超链接 link"), TzString(u"a\U0001F600b")}) {
    EXPECT_EQ(TwUiText(TwUiString(text)), text);
  }
}

// The message window shows the message and its caption with the icon its style asks for.
tzt::Expect<wxMessageDialog> expectMessage(std::string message, std::string caption, long icon) {
  return tzt::Expect<wxMessageDialog>([=](wxMessageDialog* box) {
    EXPECT_EQ(box->GetMessage().utf8_string(), message);
    EXPECT_EQ(box->GetTitle().utf8_string(), caption);
    EXPECT_EQ(box->GetMessageDialogStyle() & wxICON_MASK, icon);
    return wxID_OK;
  });
}

TEST_F(UiDialogTest, MessageBoxIsAWindowWithADisplay) {
  wxTEST_DIALOG(
      EXPECT_EQ(TzUiMessageBox(u"无法打开文件。", u"超链接", TZ_MB_ICONEXCLAMATION), TZ_IDOK),
      expectMessage("无法打开文件。", "超链接", wxICON_WARNING));
  wxTEST_DIALOG(EXPECT_EQ(TzUiMessageBox(u"failed", nullptr, TZ_MB_ICONERROR), TZ_IDOK),
                expectMessage("failed", "tzad", wxICON_ERROR));
}

}  // namespace
