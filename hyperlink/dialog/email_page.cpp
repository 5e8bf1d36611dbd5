#include "dialog/email_page.h"

#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <ranges>

#include "dialog/hyperlink_frame_dialog.h"
#include "model/link_targets.h"
#include "module/module_state.h"

namespace hyperlink {

namespace {

constexpr std::u16string_view kMailtoPrefix = u"mailto:";
constexpr std::u16string_view kSubjectMarker = u"?subject=";

}  // namespace

CHypLnkEmailDlg::CHypLnkEmailDlg(CHyperLinkFrameBaseDlg* frame)
    : CTzUiDialog(kTemplateId, frame, moduleState().resources), frame_(frame) {}

CHypLnkEmailDlg::~CHypLnkEmailDlg() = default;

wxTextCtrl* CHypLnkEmailDlg::addressBox() const {
  return dynamic_cast<wxTextCtrl*>(GetDlgItem(EmailPageIds::kAddressBox));
}

bool CHypLnkEmailDlg::OnInitDialog() {
  bool setFocus = CTzUiDialog::OnInitDialog();
  // Newest first: the list is kept oldest first.
  if (auto* recent = dynamic_cast<wxListBox*>(GetDlgItem(EmailPageIds::kRecentList))) {
    for (const TzString& link : recentEmailLinks() | std::views::reverse)
      recent->Append(TwUiString(link));
  }
  // Bound only now, so that the empty boxes of the first exchange write nothing into the frame.
  Bind(
      wxEVT_TEXT, [this](wxCommandEvent&) { onAddressChanged(); }, EmailPageIds::kAddressBox);
  Bind(
      wxEVT_TEXT, [this](wxCommandEvent&) { composeEmailUrl(); }, EmailPageIds::kSubjectBox);
  Bind(
      wxEVT_LISTBOX, [this](wxCommandEvent& event) { onRecentChosen(event.GetSelection()); },
      EmailPageIds::kRecentList);
  return setFocus;
}

void CHypLnkEmailDlg::DoDataExchange(bool save) {
  exchangeText(EmailPageIds::kAddressBox, emailAddress, save);
}

bool CHypLnkEmailDlg::PreTranslateKey(const wxKeyEvent& key) {
  int code = key.GetKeyCode();
  eraseKeyPressed = code == WXK_BACK || code == WXK_DELETE || code == WXK_NUMPAD_DELETE;
  return CTzUiDialog::PreTranslateKey(key);
}

void CHypLnkEmailDlg::onAddressChanged() {
  wxTextCtrl* box = addressBox();
  TzString text = TwUiText(box->GetValue());
  // After Backspace or Delete the user is taking the prefix away on purpose.
  if (!text.empty() && !eraseKeyPressed && !isMailtoLink(text)) {
    box->SetValue(TwUiString(TzString(kMailtoPrefix) + text));
    box->SetInsertionPointEnd();
  }
  composeEmailUrl();
}

void CHypLnkEmailDlg::composeEmailUrl() {
  auto* subjectBox = dynamic_cast<wxTextCtrl*>(GetDlgItem(EmailPageIds::kSubjectBox));
  TzString address = TwUiText(addressBox()->GetValue());
  TzString subject = subjectBox != nullptr ? TwUiText(subjectBox->GetValue()) : TzString();
  TzString target = address;
  TzString location;
  if (isMailtoLink(address)) {
    if (!subject.empty()) target += TzString(kSubjectMarker) + subject;
  } else if (size_t hash = address.find(u'#'); hash != TzString::npos) {
    target = address.substr(0, hash);
    location = address.substr(hash + 1);
  }
  // While the user erases, the text to display keeps what it had, so that it is not cut down
  // letter by letter along with the address.
  if (!eraseKeyPressed) {
    frame_->setTextToDisplay(target);
    frame_->enableOk(!frame_->address.empty() || !frame_->textToDisplay.empty() ||
                     !frame_->location.empty());
  }
  frame_->address = target;
  frame_->location = location;
}

void CHypLnkEmailDlg::setEmailUrl(const TzString& text) {
  size_t marker = text.find(kSubjectMarker);
  TzString subject;
  if (marker == TzString::npos || marker == 0) {
    emailAddress = text;
  } else {
    emailAddress = text.substr(0, marker);
    subject = text.substr(marker + kSubjectMarker.size());
  }
  UpdateData(false);
  if (subject.empty()) return;
  if (auto* subjectBox = dynamic_cast<wxTextCtrl*>(GetDlgItem(EmailPageIds::kSubjectBox)))
    subjectBox->SetValue(TwUiString(subject));
}

void CHypLnkEmailDlg::onRecentChosen(int index) {
  auto* recent = dynamic_cast<wxListBox*>(GetDlgItem(EmailPageIds::kRecentList));
  if (recent == nullptr || index == wxNOT_FOUND) return;
  setEmailUrl(TwUiText(recent->GetString(static_cast<unsigned>(index))));
}

}  // namespace hyperlink
