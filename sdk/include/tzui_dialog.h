// The host's dialog base. A dialog is built from a template of a resource library (an XRC
// panel, tzres_resource.h) and is itself a window: a panel that either runs modally inside a
// dialog window of its own (DoModal) or lives as a child of another dialog (Create), the way
// a page of a tabbed or switched dialog does. GTK cannot embed a top-level window, so the
// modal window is a wrapper around the panel rather than the panel itself.
#pragma once

#include <wx/bmpbndl.h>
#include <wx/panel.h>

#include "tz_export.h"
#include "tz_string.h"
#include "tzres_resource.h"
#include "tzui.h"

TZAD_SDK_BEGIN

class wxDialog;
class wxKeyEvent;

// Owns the dialog window of a modal run. Being a base named before wxPanel, it goes after
// the panel: the window never deletes the panel it held, which its owner usually keeps on
// the stack.
class CTzUiModalWindowOwner {
 protected:
  ~CTzUiModalWindowOwner();
  wxDialog* ownedWindow_ = nullptr;
};

class CTzUiDialog : private CTzUiModalWindowOwner, public wxPanel {
 public:
  // Nothing is created until DoModal or Create. parent may be null.
  CTzUiDialog(unsigned templateId, CWnd* parent, HINSTANCE resources);
  ~CTzUiDialog() override;

  // Runs the dialog modally: 1 after OK (control 1), 2 after Cancel (control 2), Escape or the
  // close box, or the value given to EndDialog. -1 when there is no display or the template is
  // missing. The command line waits meanwhile; it carries on when the dialog closes.
  virtual int DoModal();
  // Creates the dialog hidden as a child window of parent (a page inside another dialog) and
  // runs OnInitDialog. False when the template is missing.
  bool Create(CWnd* parent);
  // Ends a modal run with result.
  void EndDialog(int result);
  // Data exchange: save reads the controls into the fields; !save writes the fields into the
  // controls, which raises the controls' change events inside the call.
  bool UpdateData(bool save = true);
  // A control of the template by its id, or null.
  wxWindow* GetDlgItem(int id) const;
  // The title of the dialog's own window (a modal run).
  void SetWindowText(const TzString& title);
  // The dialog's own window during a modal run, else null.
  wxDialog* modalWindow() const { return modal_; }
  unsigned templateId() const { return templateId_; }
  HINSTANCE resources() const { return resources_; }
  CWnd* parentWindow() const { return parent_; }

 protected:
  // After the template's controls exist; the base exchanges data into the controls. Returns
  // true when the host is to set the default focus.
  virtual bool OnInitDialog();
  // Binds fields to controls with the exchange helpers below.
  virtual void DoDataExchange(bool save);
  // Every time the dialog is shown or hidden.
  virtual void OnShowWindow(bool show);
  // Every key-down in the dialog or any of its controls, before the control handles it.
  // Returning true swallows the key.
  virtual bool PreTranslateKey(const wxKeyEvent& key);
  // Control 1 and control 2 (or Escape, or the close box) of a modal run.
  virtual void OnOK();
  virtual void OnCancel();

  // Exchange helpers for DoDataExchange: an edit control's text, a check box's state (0/1).
  void exchangeText(int id, TzString& value, bool save);
  void exchangeCheck(int id, int& value, bool save);

 private:
  bool loadTemplate(CWnd* parent);
  bool makeModalWindow();
  void bindPanelEvents();
  void bindModalEvents();

  unsigned templateId_;
  CWnd* parent_;
  HINSTANCE resources_;
  wxDialog* modal_ = nullptr;
  wxString templateTitle_;
  TzString title_;
};

// UTF-16 text to and from the toolkit's strings.
wxString TwUiString(const TzString& text);
TzString TwUiText(const wxString& text);

// A picture of a resource library (its SVG) at size pixels (before display scaling); an
// empty bundle when the library lacks it.
wxBitmapBundle TwUiLoadImage(HINSTANCE resources, unsigned id, int width, int height);

TZAD_SDK_END
