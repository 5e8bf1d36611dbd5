// The dialog base where the module's dialogs do not reach it: the template of a language
// without one, every way out, a missing template, pictures, texts and the message window.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
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
constexpr int kNameLabel = 1003;

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

class TestDialog : public CTzUiDialog {
 public:
  TestDialog(HINSTANCE resources, unsigned id = kTestTemplate)
      : CTzUiDialog(id, nullptr, resources) {}

  TzString name = u"初始名称";
  int changesDuringInit = 0;

 protected:
  bool OnInitDialog() override {
    GetDlgItem(kName)->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ++changes_; });
    bool focus = CTzUiDialog::OnInitDialog();
    changesDuringInit = changes_;
    return focus;
  }
  void DoDataExchange(bool save) override { exchangeText(kName, name, save); }

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

// A language the library has no template for gets the Chinese one.
TEST_F(UiDialogTest, TemplateComesInTheHostLanguageOrChinese) {
  struct Case {
    const char* language;
    const char* title;
    const char* label;
  } cases[] = {{"en", "Test dialog", "&Name:"}, {"fr", "测试对话框", "名称(&N):"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    tzad::setHostLanguage(c.language);
    TestDialog dialog(resources());
    wxString title, label;
    tzt::runModal(dialog, [&](CTzUiDialog& d) {
      title = d.modalWindow()->GetTitle();
      label = d.GetDlgItem(kNameLabel)->GetLabel();
    });
    EXPECT_EQ(title.utf8_string(), c.title);
    EXPECT_EQ(label.utf8_string(), c.label);
  }
}

// Writing a field raises the edit's change event inside the write; only OK reads it back.
TEST_F(UiDialogTest, EveryWayOutGivesItsResult) {
  struct Case {
    const char* way;
    std::function<void(CTzUiDialog&)> act;
    int result;
  } cases[] = {
      {"Enter", [](CTzUiDialog& d) { tzt::pressKey(d.GetDlgItem(kName), WXK_RETURN); }, 1},
      {"close box", [](CTzUiDialog& d) { d.modalWindow()->Close(); }, 2},
      {"EndDialog", [](CTzUiDialog& d) { d.EndDialog(1044); }, 1044},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.way);
    TestDialog dialog(resources());
    int result = tzt::runModal(
        dialog,
        [&](CTzUiDialog& d) {
          dynamic_cast<wxTextCtrl*>(d.GetDlgItem(kName))->ChangeValue("edited");
          c.act(d);
        },
        -7);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(dialog.name, c.result == 1 ? u"edited" : u"初始名称");
    EXPECT_EQ(dialog.changesDuringInit, 1);
  }
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
