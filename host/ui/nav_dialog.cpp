// The desktop's file dialog for modules.
#include <wx/filedlg.h>
#include <wx/filename.h>

#include "tzrx_module.h"
#include "tzui_dialog.h"
#include "tzui_nav_dialog.h"
#include "ui/nav_filters.h"

CTzUiNavDialog::CTzUiNavDialog(const TzString& title, const TzString& defaultName,
                               CNavFilterArray filters, int flags, CWnd* parent)
    : title_(title),
      defaultName_(defaultName),
      filters_(std::move(filters)),
      flags_(flags),
      parent_(parent) {}

int CTzUiNavDialog::DoModal() {
  if (!TwUiHasDisplay()) return -1;
  const bool save = (flags_ & TZ_NAV_SAVE) != 0;
  long style = save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN;
  if (!save && (flags_ & TZ_NAV_OPEN_ONLY)) style |= wxFD_FILE_MUST_EXIST;
  const wxFileName name(TwUiString(defaultName_));
  // A save dialog puts the type's extension on a name typed without one; that must be a
  // plain extension, so only open dialogs match extensions in any case.
  wxFileDialog dialog(parent_, TwUiString(title_), name.GetPath(), name.GetFullName(),
                      tzui::navWildcard(filters_, !save), style);
  files_.clear();
  if (dialog.ShowModal() != wxID_OK) return 2;
  files_.push_back(TwUiText(dialog.GetPath()));
  return 1;
}

int tzedGetFileNavDialog(const char16_t* title, const char16_t* defaultName,
                         const char16_t* extensions, const char16_t*, int flags, resbuf** result) {
  if (result == nullptr) return RTERROR;
  *result = nullptr;
  CTzUiNavDialog dialog(
      title ? title : u"", defaultName ? defaultName : u"",
      tzui::navFiltersFromExtensions(extensions ? extensions : u"*", tzutLanguage()), flags);
  const int answer = dialog.DoModal();
  if (answer == -1) return RTERROR;
  if (answer != 1 || dialog.files().empty()) return RTCAN;
  resbuf* chosen = tzutNewRb(RTSTR);
  if (tzutNewString(dialog.files().front().c_str(), chosen->resval.rstring) != RTNORM) {
    tzutRelRb(chosen);
    return RTERROR;
  }
  *result = chosen;
  return RTNORM;
}
