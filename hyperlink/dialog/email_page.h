// The dialog's page for e-mail targets: an address box that keeps the "mailto:" prefix in
// front of what the user types, a subject box, and the e-mail targets written since the module
// was loaded.
#pragma once

#include "dialog/email_page_ids.h"
#include "tzui_dialog.h"

class wxTextCtrl;

namespace hyperlink {

class CHyperLinkFrameBaseDlg;

class CHypLnkEmailDlg : public CTzUiDialog {
 public:
  static constexpr unsigned kTemplateId = EmailPageIds::kTemplate;

  // Created by the frame (Create(frame)) the first time the page is shown.
  explicit CHypLnkEmailDlg(CHyperLinkFrameBaseDlg* frame);
  ~CHypLnkEmailDlg() override;

  // Splits text at "?subject=" (letter case counts) into the address box and, when it has
  // one, the subject box. Both boxes raise their change events, which write the frame.
  void setEmailUrl(const TzString& text);
  // Builds the target from the two boxes and writes it into the frame.
  void composeEmailUrl();
  // The address box, or null before the window exists.
  wxTextCtrl* addressBox() const;

  TzString emailAddress;         // exchanged with the address box
  bool eraseKeyPressed = false;  // the last key pressed in the page was Backspace or Delete

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;
  bool PreTranslateKey(const wxKeyEvent& key) override;

 private:
  void onAddressChanged();
  void onRecentChosen(int index);

  CHyperLinkFrameBaseDlg* frame_;
};

}  // namespace hyperlink
