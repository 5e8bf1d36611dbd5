#include "panel/replace_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "core/link_text.h"
#include "panel/wx_text.h"

namespace linktools {

namespace {

// The preview: the object, and its address and named location before and after.
class PreviewList : public wxListCtrl {
 public:
  PreviewList(wxWindow* parent, const std::vector<LinkChange>& changes)
      : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(640, 260)),
                   wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES),
        changes_(changes) {
    SetName("replace preview");
    AppendColumn(toWx(linkText(u"Object")), wxLIST_FORMAT_LEFT, FromDIP(110));
    AppendColumn(toWx(linkText(u"Before")), wxLIST_FORMAT_LEFT, FromDIP(250));
    AppendColumn(toWx(linkText(u"After")), wxLIST_FORMAT_LEFT, FromDIP(250));
  }

 private:
  wxString OnGetItemText(long item, long column) const override {
    if (item < 0 || static_cast<size_t>(item) >= changes_.size()) return {};
    const LinkChange& change = changes_[static_cast<size_t>(item)];
    switch (column) {
      case 0:
        return toWx(change.link.objectType + u" " + change.link.handle);
      case 1:
        return toWx(addressWithLocation(change.link.address, change.link.location));
      default:
        break;
    }
    if (change.refusal == Refusal::TooLong)
      return toWx(linkText(u"(left as it is: longer than 255 characters)"));
    if (change.refusal == Refusal::LockedLayer)
      return toWx(linkText(u"(left as it is: on a locked layer)"));
    return toWx(addressWithLocation(change.newAddress, change.newLocation));
  }
  const std::vector<LinkChange>& changes_;
};

}  // namespace

ReplaceDialog::ReplaceDialog(wxWindow* parent, const std::vector<DrawingLink>& all,
                             const std::vector<DrawingLink>& selected)
    : wxDialog(parent, wxID_ANY, toWx(linkText(u"Replace in Hyperlinks")), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      all_(all),
      selected_(selected) {
  SetName("replace hyperlinks");
  oldText_ = new wxTextCtrl(this, wxID_ANY);
  oldText_->SetName("old text");
  newText_ = new wxTextCtrl(this, wxID_ANY);
  newText_->SetName("new text");
  matchCase_ = new wxCheckBox(this, wxID_ANY, toWx(linkText(u"Match &case")));
  prefixOnly_ = new wxCheckBox(this, wxID_ANY, toWx(linkText(u"Only at the &start of addresses")));
  locationsToo_ = new wxCheckBox(this, wxID_ANY, toWx(linkText(u"In named &locations too")));
  selectedRows_ =
      new wxRadioButton(this, wxID_ANY,
                        toWx(countText(static_cast<int>(selected.size()), u"S&elected row (%1)",
                                       u"S&elected rows (%1)",
                                       {numberText(static_cast<long long>(selected.size()))})),
                        wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  allRows_ = new wxRadioButton(
      this, wxID_ANY,
      toWx(linkText(u"&All rows (%1)", {numberText(static_cast<long long>(all.size()))})));
  selectedRows_->Enable(!selected.empty());
  (selected.empty() ? allRows_ : selectedRows_)->SetValue(true);
  preview_ = new PreviewList(this, changes_);
  summary_ = new wxStaticText(this, wxID_ANY, wxString());
  summary_->SetName("replace summary");

  auto* fields = new wxFlexGridSizer(2, FromDIP(wxSize(6, 6)));
  fields->AddGrowableCol(1);
  fields->Add(new wxStaticText(this, wxID_ANY, toWx(linkText(u"Replace &what:"))), 0,
              wxALIGN_CENTER_VERTICAL);
  fields->Add(oldText_, 1, wxEXPAND);
  fields->Add(new wxStaticText(this, wxID_ANY, toWx(linkText(u"With &new text:"))), 0,
              wxALIGN_CENTER_VERTICAL);
  fields->Add(newText_, 1, wxEXPAND);
  auto* rows = new wxBoxSizer(wxHORIZONTAL);
  rows->Add(selectedRows_, 0, wxRIGHT, FromDIP(12));
  rows->Add(allRows_);
  auto* column = new wxBoxSizer(wxVERTICAL);
  const int gap = FromDIP(8);
  column->Add(fields, 0, wxEXPAND | wxALL, gap);
  column->Add(matchCase_, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);
  column->Add(prefixOnly_, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);
  column->Add(locationsToo_, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);
  column->Add(rows, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);
  column->Add(preview_, 1, wxEXPAND | wxLEFT | wxRIGHT, gap);
  column->Add(summary_, 0, wxEXPAND | wxALL, gap);
  column->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, gap);
  SetSizerAndFit(column);

  for (wxTextCtrl* text : {oldText_, newText_})
    text->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { updatePreview(); });
  for (wxCheckBox* box : {matchCase_, prefixOnly_, locationsToo_})
    box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { updatePreview(); });
  for (wxRadioButton* button : {selectedRows_, allRows_})
    button->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { updatePreview(); });
  updatePreview();
  oldText_->SetFocus();
}

bool ReplaceDialog::selectedOnly() const {
  return selectedRows_->GetValue();
}

void ReplaceDialog::updatePreview() {
  rule_.oldText = fromWx(oldText_->GetValue());
  rule_.newText = fromWx(newText_->GetValue());
  rule_.matchCase = matchCase_->GetValue();
  rule_.prefixOnly = prefixOnly_->GetValue();
  rule_.locationsToo = locationsToo_->GetValue();
  const std::vector<DrawingLink>& links = selectedOnly() ? selected_ : all_;
  changes_ = rule_.oldText.empty() ? std::vector<LinkChange>{} : planReplacement(links, rule_);
  preview_->SetItemCount(static_cast<long>(changes_.size()));
  preview_->Refresh();
  // Left as they are: the links the text is not found in, and those a change is refused for.
  long long changing =
      std::count_if(changes_.begin(), changes_.end(),
                    [](const LinkChange& change) { return change.refusal == Refusal::None; });
  long long total = static_cast<long long>(links.size());
  summary_->SetLabel(
      toWx(linkText(u"%1 of %2 hyperlinks change; %3 are left as they are.",
                    {numberText(changing), numberText(total), numberText(total - changing)})));
  if (wxWindow* ok = FindWindow(wxID_OK)) ok->Enable(changing > 0);
}

}  // namespace linktools
