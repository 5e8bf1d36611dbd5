// The dialog base where the module's dialogs do not reach it: the template of a language
// without one, the close box, a missing template, pictures and the message window.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <memory>
#include <string>

#include "base/language.h"
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

 protected:
  void DoDataExchange(bool save) override { exchangeText(kName, name, save); }
};

class UiDialogTest : public testing::Test {
 protected:
  void SetUp() override { tzad::setHostLanguage("zh"); }
  void TearDown() override { tzad::setHostLanguage(""); }
  HINSTANCE resources() const { return library_.get(); }

 private:
  std::unique_ptr<void, LibraryCloser> library_{dlopen(TZT_DIALOG_RESOURCES, RTLD_NOW)};
};

// A language the library has no template for gets the Chinese one; the close box cancels and
// leaves the fields as they were.
TEST_F(UiDialogTest, ALanguageWithoutATemplateGetsTheChineseOne) {
  tzad::setHostLanguage("fr");
  TestDialog dialog(resources());
  wxString title, label;
  int result = tzt::runModal(
      dialog,
      [&](CTzUiDialog& d) {
        title = d.modalWindow()->GetTitle();
        label = d.GetDlgItem(kNameLabel)->GetLabel();
        dynamic_cast<wxTextCtrl*>(d.GetDlgItem(kName))->ChangeValue("edited");
        d.modalWindow()->Close();
      },
      -7);
  EXPECT_EQ(title.utf8_string(), "测试对话框");
  EXPECT_EQ(label.utf8_string(), "名称(&N):");
  EXPECT_EQ(result, 2);
  EXPECT_EQ(dialog.name, u"初始名称");
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
