// The panel's Replace dialog: the text to replace and its replacement, where it must be, and
// which rows; below them every address that changes, before and after, as -HYPERLINKREPLACE
// would change it with these answers.
#pragma once

#include <wx/dialog.h>

#include <vector>

#include "core/link_replace.h"

class wxCheckBox;
class wxListCtrl;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace linktools {

class ReplaceDialog : public wxDialog {
 public:
  // `selected` may be empty: then only all rows can be chosen.
  ReplaceDialog(wxWindow* parent, const std::vector<DrawingLink>& all,
                const std::vector<DrawingLink>& selected);

  const ReplaceRule& rule() const { return rule_; }
  bool selectedOnly() const;

 private:
  void updatePreview();

  const std::vector<DrawingLink>& all_;
  const std::vector<DrawingLink>& selected_;
  ReplaceRule rule_;
  std::vector<LinkChange> changes_;
  wxTextCtrl* oldText_ = nullptr;
  wxTextCtrl* newText_ = nullptr;
  wxCheckBox* matchCase_ = nullptr;
  wxCheckBox* prefixOnly_ = nullptr;
  wxCheckBox* locationsToo_ = nullptr;
  wxRadioButton* selectedRows_ = nullptr;
  wxRadioButton* allRows_ = nullptr;
  wxListCtrl* preview_ = nullptr;
  wxStaticText* summary_ = nullptr;
};

}  // namespace linktools
