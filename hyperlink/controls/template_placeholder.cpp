#include "controls/template_placeholder.h"

#include <wx/sizer.h>
#include <wx/window.h>

namespace hyperlink {

wxWindow* findTemplatePlaceholder(wxWindow* dialog, int id) {
  if (dialog == nullptr) return nullptr;
  return dialog->FindWindow(wxString::Format("%d_container", id));
}

// The control takes the placeholder's own place rather than living inside it (as
// wxXmlResource::AttachUnknownControl would have it), so that its rectangle is in the
// dialog's client coordinates like that of any other control of the template.
void replaceTemplatePlaceholder(wxWindow* placeholder, wxWindow* control) {
  control->SetMinSize(placeholder->GetMinSize());
  control->SetSize(placeholder->GetRect());
  control->MoveAfterInTabOrder(placeholder);
  if (wxSizer* sizer = placeholder->GetContainingSizer()) sizer->Replace(placeholder, control);
  placeholder->Destroy();
}

}  // namespace hyperlink
