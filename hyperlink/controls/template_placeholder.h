// The place a dialog template keeps for a control the template cannot describe itself: an
// XRC "unknown" object named by the control's id, which XRC loads as an empty panel named
// "<id>_container".
#pragma once

class wxWindow;

namespace hyperlink {

// The placeholder for control id among dialog's windows, or null.
wxWindow* findTemplatePlaceholder(wxWindow* dialog, int id);

// Puts control where placeholder is (same parent, position, size, minimum size, sizer slot
// and tab order) and destroys the placeholder. The control is to be created as a child of
// the placeholder's parent.
void replaceTemplatePlaceholder(wxWindow* placeholder, wxWindow* control);

}  // namespace hyperlink
