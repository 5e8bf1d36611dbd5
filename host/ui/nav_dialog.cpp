// The desktop's file dialog for modules.
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "base/translation.h"
#include "platform/recent_files.h"
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

namespace {

// The extension a save dialog gives a name typed without one: the chosen type's, when that
// type is one extension rather than all files or a choice of several.
wxString typeExtension(const CNavFilterArray& filters, int index) {
  if (index < 0 || index >= static_cast<int>(filters.size())) return {};
  const std::vector<TzString>& extensions = filters[index].extensions;
  if (extensions.size() != 1 || extensions.front() == u"*") return {};
  return TwUiString(extensions.front());
}

// The toolkit's dialog asks before replacing the file whose name was typed; a name that gets
// its extension only afterwards must be asked about here.
bool confirmReplace(const wxFileName& file, wxWindow* parent) {
  const std::u16string question = tzad::trf("\"{0}\" already exists. Do you want to replace it?",
                                            {TwUiText(file.GetFullName())});
  wxMessageDialog box(parent, TwUiString(question), "tzad",
                      wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
  return box.ShowModal() == wxID_YES;
}

}  // namespace

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
  wxFileName chosen;
  for (;;) {
    if (dialog.ShowModal() != wxID_OK) return 2;
    chosen.Assign(dialog.GetPath());
    const wxString extension = typeExtension(filters_, dialog.GetFilterIndex());
    if (!save || chosen.HasExt() || extension.empty()) break;
    chosen.SetExt(extension);
    if (!chosen.FileExists() || confirmReplace(chosen, parent_)) break;
    dialog.SetFilename(chosen.GetFullName());
  }
  files_.push_back(TwUiText(chosen.GetFullPath()));
  // As in other desktop programs, a file chosen to open joins the desktop's recently used
  // files. A name chosen to save under joins them once a save has written it.
  if (!save) (void)platform::addRecentFile(files_.front());
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
