// CWeb: the page of the web browse dialog, the desktop's web engine (wxWebView over WebKitGTK)
// in a window of its own. The dialog drives it with navigate, back, forward, stop and refresh,
// asks for the address shown and whether loading is complete, and hears three reports: which
// of back and forward are possible, a new title (each page shown reports one), and loading
// progress, whose last report of a load finds the page complete.
#pragma once

#include <wx/panel.h>

#include <functional>

#include "tz_string.h"

class wxWebView;
class wxWebViewEvent;

namespace hyperlink {

class CWeb : public wxPanel {
 public:
  // Commands of the command-state report.
  static constexpr int kCommandForward = 1;
  static constexpr int kCommandBack = 2;
  // Ready state of a page whose loading is complete.
  static constexpr int kReadyStateComplete = 4;

  CWeb() = default;
  ~CWeb() override;
  // Creates the window and its engine in rect of parent with the control id.
  bool Create(wxWindow* parent, int id, const wxRect& rect);

  // Opens url. A path without a scheme opens as a local file, any other text without one as
  // an http address; an empty text opens a blank page.
  void navigate(const TzString& url);
  void goBack();
  void goForward();
  void stop();
  // Reloads the page; a failure to reload changes nothing here.
  void refresh();
  // The address of the page shown.
  TzString locationUrl() const;
  // 4 when loading is complete, 1 while a page loads.
  int readyState() const;

  std::function<void(int command, bool enable)> onCommandStateChange;
  std::function<void(const TzString& title)> onTitleChange;
  std::function<void(int progress, int maximum)> onProgressChange;
  // Enter pressed inside the page; true when the owner took the key, which the page then never
  // sees. The page's keys go to the engine's own window, past the dialog's key filter.
  std::function<bool()> onEnterKey;

  wxWebView* engine() const { return engine_; }

 private:
  bool canGoBack() const;
  void reportCommandState();
  void reportTitle();
  void reportProgress(int progress, int maximum);
  void onNavigated(wxWebViewEvent& event);
  void onLoaded(wxWebViewEvent& event);
  void onTitleChanged(wxWebViewEvent& event);
  static void onEngineProgress(void* engine, void* property, void* self);
  static int onEngineKey(void* widget, void* event, void* self);

  wxWebView* engine_ = nullptr;
  unsigned long progressHandler_ = 0;
  unsigned long keyHandler_ = 0;
  bool navigated_ = false;
  TzString requested_;  // the address asked for, until the engine shows a page
  TzString failedUrl_;  // the address the engine could not show, until a page is shown
};

}  // namespace hyperlink
