// The dialog's page for existing files and web pages: the address box with its preview and
// relative-path box, the three recent-item lists, the file dialog and the named-location
// button.
#pragma once

#include "filepage/address_text.h"
#include "filepage/file_web_page_ids.h"
#include "tzui_dialog.h"

class wxCheckBox;
class wxCommandEvent;
class wxImageList;
class wxListBox;
class wxTextCtrl;

namespace hyperlink {

class CHyperLinkFrameBaseDlg;
class CListBoxEx;
class CListBoxHorBar;

class CHypLnkFileWebDlg : public CTzUiDialog {
 public:
  static constexpr unsigned kTemplateId = FileWebPageIds::kTemplate;

  // Created by the frame (Create(frame)) the first time the page is shown.
  explicit CHypLnkFileWebDlg(CHyperLinkFrameBaseDlg* frame);
  ~CHypLnkFileWebDlg() override;

  // The frame's target (composed with its location); justCreated when the page window was
  // created by the same showing.
  void setAddress(const TzString& address, bool justCreated);

  int optionFlag = 0;  // its check box; the frame sets it from its flags before showing

  // The folder relative addresses are previewed against; fixed when the page starts.
  const TzString& basePath() const { return basePath_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;
  bool PreTranslateKey(const wxKeyEvent& key) override;

 private:
  void setUpSourceSelector();
  void fillLists();
  void findBasePath();
  void bindEvents();

  void showSourceList(int source);
  void onListPicked(wxListBox* list);
  void onAddressChanged();
  void onRelativeBoxClicked();
  void onFlagsBoxClicked();
  void onBrowseFile();
  void onBrowseWeb();
  void onNamedLocation();

  // Writes the address box from code: the relative-path box keeps its state meanwhile.
  void writeAddress(const TzString& address);
  // Selects the whole address shown by setAddress, the caret at its start, while that holds.
  void selectWholeAddress();
  void updatePathPreview(const TzString& address);
  void publishAddress(const TzString& address);

  CHyperLinkFrameBaseDlg* frame_;
  wxImageList* images_ = nullptr;  // owned; the selector draws from it
  CListBoxEx* sourceSelector_ = nullptr;
  CListBoxHorBar* recentFiles_ = nullptr;
  CListBoxHorBar* browsedPages_ = nullptr;
  CListBoxHorBar* insertedLinks_ = nullptr;
  wxTextCtrl* addressBox_ = nullptr;
  wxTextCtrl* preview_ = nullptr;
  wxCheckBox* relativeBox_ = nullptr;

  TzString basePath_;
  TzString addressText_;
  TzString listTitle_;
  bool titleFromList_ = false;
  bool eraseKeyPressed_ = false;
  bool relativeToggleActive_ = false;
  bool settingAddress_ = false;
  bool holdSelection_ = false;  // from setAddress until the user or the page changes it
  int useRelativePath_ = 1;
};

}  // namespace hyperlink
