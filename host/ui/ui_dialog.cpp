// The dialog base: a panel built from an XRC template of a resource library. A modal run puts
// the panel into a dialog window of its own; a page is the panel alone inside another dialog.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/fs_mem.h>
#include <wx/mstream.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/textentry.h>
#include <wx/xml/xml.h>
#include <wx/xrc/xmlres.h>

#include "tzrx_module.h"
#include "tzui_dialog.h"
#include "ui/resource_library.h"

namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;

// The <title> of the template's root object: the toolkit's panel reader has no use for it.
wxString templateTitle(std::string_view bytes, unsigned id) {
  wxMemoryInputStream stream(bytes.data(), bytes.size());
  wxXmlDocument document;
  if (!document.Load(stream, "UTF-8")) return {};
  const wxString name = wxString::Format("%u", id);
  for (wxXmlNode* object = document.GetRoot()->GetChildren(); object; object = object->GetNext()) {
    if (object->GetName() != "object" || object->GetAttribute("name") != name) continue;
    for (wxXmlNode* child = object->GetChildren(); child; child = child->GetNext()) {
      if (child->GetName() == "title") return child->GetNodeContent();
    }
  }
  return {};
}

bool isEnterInOneLineEdit(const wxKeyEvent& key) {
  if (key.GetKeyCode() != WXK_RETURN && key.GetKeyCode() != WXK_NUMPAD_ENTER) return false;
  if (key.HasAnyModifiers()) return false;
  wxWindow* focus = wxWindow::FindFocus();
  if (focus == nullptr || focus->HasFlag(wxTE_PROCESS_ENTER)) return false;
  auto* text = dynamic_cast<wxTextCtrl*>(focus);
  return text ? !text->IsMultiLine() : dynamic_cast<wxTextEntry*>(focus) != nullptr;
}

// Clicks the window's default button when it can be clicked; whether it did.
bool pressDefaultButton(wxDialog* window) {
  auto* button = dynamic_cast<wxButton*>(window->GetDefaultItem());
  if (button == nullptr || !button->IsEnabled()) return false;
  wxCommandEvent click(wxEVT_BUTTON, button->GetId());
  click.SetEventObject(button);
  button->ProcessWindowEvent(click);
  return true;
}

}  // namespace

CTzUiModalWindowOwner::~CTzUiModalWindowOwner() {
  delete ownedWindow_;
}

CTzUiDialog::CTzUiDialog(unsigned templateId, CWnd* parent, HINSTANCE resources)
    : templateId_(templateId), parent_(parent), resources_(resources) {}

CTzUiDialog::~CTzUiDialog() = default;

bool CTzUiDialog::loadTemplate(CWnd* parent) {
  std::string_view bytes = tzui::templateBytes(resources_, templateId_);
  if (bytes.empty()) return false;
  // Each library, template and language gets a file name of its own: the same template id
  // of two libraries, or of two languages, must never be taken for the other.
  const wxString file =
      wxString::Format("tzres-%p-%u.%s.xrc", resources_, templateId_, tzutLanguage());
  wxMemoryFSHandler::AddFile(file, bytes.data(), bytes.size());
  wxXmlResource reader(wxXRC_NO_RELOADING);
  reader.InitAllHandlers();
  const bool loaded = reader.Load("memory:" + file) &&
                      reader.LoadPanel(this, parent, wxString::Format("%u", templateId_));
  wxMemoryFSHandler::RemoveFile(file);
  if (!loaded) return false;
  templateTitle_ = templateTitle(bytes, templateId_);
  bindPanelEvents();
  return true;
}

bool CTzUiDialog::makeModalWindow() {
  auto* window = new wxDialog(parent_, wxID_ANY, TwUiString(title_));
  if (!loadTemplate(window)) {
    delete window;
    return false;
  }
  ownedWindow_ = window;
  if (title_.empty()) window->SetTitle(templateTitle_);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(this, 1, wxEXPAND);
  window->SetSizerAndFit(sizer);
  window->SetAffirmativeId(kOk);
  window->SetEscapeId(kCancel);
  bindModalEvents();
  return true;
}

int CTzUiDialog::DoModal() {
  if (!TwUiHasDisplay()) return -1;
  if (ownedWindow_ == nullptr && !makeModalWindow()) return -1;
  modal_ = ownedWindow_;
  OnInitDialog();
  modal_->Centre();
  const int result = modal_->ShowModal();
  modal_ = nullptr;
  return result;
}

bool CTzUiDialog::Create(CWnd* parent) {
  if (!TwUiHasDisplay()) return false;
  parent_ = parent;
  Hide();
  if (!loadTemplate(parent)) return false;
  OnInitDialog();
  return true;
}

void CTzUiDialog::bindPanelEvents() {
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& key) {
    if (!PreTranslateKey(key)) key.Skip();
  });
  Bind(wxEVT_SHOW, [this](wxShowEvent& show) {
    OnShowWindow(show.IsShown());
    show.Skip();
  });
}

void CTzUiDialog::bindModalEvents() {
  ownedWindow_->Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, kOk);
  ownedWindow_->Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); }, kCancel);
  ownedWindow_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnCancel(); });
  // Escape cancels whether or not the template has a Cancel button; Enter in a one-line edit
  // presses the default button, which GTK leaves to the edit.
  ownedWindow_->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& key) {
    if (key.GetKeyCode() == WXK_ESCAPE)
      OnCancel();
    else if (!isEnterInOneLineEdit(key) || !pressDefaultButton(ownedWindow_))
      key.Skip();
  });
  ownedWindow_->Bind(wxEVT_SHOW, [this](wxShowEvent& show) {
    OnShowWindow(show.IsShown());
    show.Skip();
  });
}

void CTzUiDialog::EndDialog(int result) {
  if (modal_ && modal_->IsModal()) modal_->EndModal(result);
}

bool CTzUiDialog::UpdateData(bool save) {
  DoDataExchange(save);
  return true;
}

wxWindow* CTzUiDialog::GetDlgItem(int id) const {
  return FindWindow(id);
}

void CTzUiDialog::SetWindowText(const TzString& title) {
  title_ = title;
  if (ownedWindow_) ownedWindow_->SetTitle(TwUiString(title));
}

bool CTzUiDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CTzUiDialog::DoDataExchange(bool) {}

void CTzUiDialog::OnShowWindow(bool) {}

bool CTzUiDialog::PreTranslateKey(const wxKeyEvent&) {
  return false;
}

void CTzUiDialog::OnOK() {
  if (UpdateData(true)) EndDialog(kOk);
}

void CTzUiDialog::OnCancel() {
  EndDialog(kCancel);
}

void CTzUiDialog::exchangeText(int id, TzString& value, bool save) {
  auto* edit = dynamic_cast<wxTextEntry*>(GetDlgItem(id));
  if (edit == nullptr) return;
  if (save)
    value = TwUiText(edit->GetValue());
  else
    edit->SetValue(TwUiString(value));
}

void CTzUiDialog::exchangeCheck(int id, int& value, bool save) {
  auto* check = dynamic_cast<wxCheckBox*>(GetDlgItem(id));
  if (check == nullptr) return;
  if (save)
    value = check->GetValue() ? 1 : 0;
  else
    check->SetValue(value != 0);
}
