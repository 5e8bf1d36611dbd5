#include "web/web_browser.h"

#include <gtk/gtk.h>
#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/webview.h>

#include "platform/path_rules.h"
#include "tzui_dialog.h"

namespace hyperlink {

namespace {

// What the engine is given for a typed text: it opens only full URLs.
wxString engineUrl(const TzString& url) {
  if (url.empty()) return "about:blank";
  if (platform::pathIsUrl(url)) return TwUiString(url);
  if (url.front() == u'/') return wxFileName::FileNameToURL(wxFileName(TwUiString(url)));
  return "http://" + TwUiString(url);
}

}  // namespace

CWeb::~CWeb() {
  if (engine_ == nullptr) return;
  if (progressHandler_ != 0)
    g_signal_handler_disconnect(engine_->GetNativeBackend(), progressHandler_);
  if (keyHandler_ != 0) g_signal_handler_disconnect(engine_->GetNativeBackend(), keyHandler_);
}

bool CWeb::Create(wxWindow* parent, int id, const wxRect& rect) {
  if (!wxPanel::Create(parent, id, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE)) {
    return false;
  }
  engine_ = wxWebView::New(this, wxID_ANY, "about:blank");
  if (engine_ == nullptr) return false;
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(engine_, 1, wxEXPAND);
  SetSizer(sizer);
  engine_->Bind(wxEVT_WEBVIEW_NAVIGATED, &CWeb::onNavigated, this);
  engine_->Bind(wxEVT_WEBVIEW_LOADED, &CWeb::onLoaded, this);
  engine_->Bind(wxEVT_WEBVIEW_ERROR, &CWeb::onLoaded, this);
  engine_->Bind(wxEVT_WEBVIEW_TITLE_CHANGED, &CWeb::onTitleChanged, this);
  // WebKitGTK estimates the progress of each load; wxWebView does not pass it on.
  progressHandler_ =
      g_signal_connect(engine_->GetNativeBackend(), "notify::estimated-load-progress",
                       G_CALLBACK(&CWeb::onEngineProgress), this);
  keyHandler_ = g_signal_connect(engine_->GetNativeBackend(), "key-press-event",
                                 G_CALLBACK(&CWeb::onEngineKey), this);
  return true;
}

void CWeb::navigate(const TzString& url) {
  if (engine_ == nullptr) return;
  navigated_ = true;
  failedUrl_.clear();
  requested_ = url;
  engine_->LoadURL(engineUrl(url));
}
// The engine keeps the blank page it starts with as the oldest page of its history; that page
// is none of the user's, so back leads no further than the first page opened.
bool CWeb::canGoBack() const {
  return engine_ != nullptr && engine_->GetBackwardHistory().size() > 1;
}

void CWeb::goBack() {
  if (canGoBack()) engine_->GoBack();
}
void CWeb::goForward() {
  if (engine_ != nullptr && engine_->CanGoForward()) engine_->GoForward();
}
void CWeb::stop() {
  if (engine_ != nullptr) engine_->Stop();
}
// The engine reports a reload that fails as it reports any failed load: by its error page.
void CWeb::refresh() {
  if (engine_ != nullptr) engine_->Reload();
}

// After a failed load the engine stands on a blank page; the address asked for is the one the
// user knows, and the one to keep.
TzString CWeb::locationUrl() const {
  if (engine_ == nullptr) return {};
  if (!failedUrl_.empty()) return failedUrl_;
  return TwUiText(engine_->GetCurrentURL());
}

int CWeb::readyState() const {
  return engine_ != nullptr && engine_->IsBusy() ? 1 : kReadyStateComplete;
}

// The blank page the engine starts with is not reported: until the first navigate there is
// no page of the owner's.
void CWeb::reportCommandState() {
  if (!navigated_ || !onCommandStateChange) return;
  onCommandStateChange(kCommandForward, engine_->CanGoForward());
  onCommandStateChange(kCommandBack, canGoBack());
}

void CWeb::reportTitle() {
  if (navigated_ && onTitleChange) onTitleChange(TwUiText(engine_->GetCurrentTitle()));
}

void CWeb::reportProgress(int progress, int maximum) {
  if (navigated_ && onProgressChange) onProgressChange(progress, maximum);
}

// Every page shown reports its title, even one with the title of the page before it, so that
// the address of each page reaches the dialog. An address the engine cannot load leaves it on
// a blank page, reported as shown: that address stays the one shown.
void CWeb::onNavigated(wxWebViewEvent& event) {
  bool failed =
      event.GetURL() == "about:blank" && !requested_.empty() && requested_ != u"about:blank";
  failedUrl_ = failed ? requested_ : TzString();
  requested_.clear();
  reportCommandState();
  reportTitle();
}

void CWeb::onLoaded(wxWebViewEvent&) {
  reportCommandState();
  reportTitle();
  reportProgress(0, 0);
}

void CWeb::onTitleChanged(wxWebViewEvent&) {
  reportTitle();
}

void CWeb::onEngineProgress(void* engine, void*, void* self) {
  double progress = 0;
  g_object_get(engine, "estimated-load-progress", &progress, nullptr);
  if (progress < 1.0)
    static_cast<CWeb*>(self)->reportProgress(static_cast<int>(progress * 100), 100);
}

int CWeb::onEngineKey(void*, void* event, void* self) {
  guint key = static_cast<GdkEventKey*>(event)->keyval;
  if (key != GDK_KEY_Return && key != GDK_KEY_KP_Enter && key != GDK_KEY_ISO_Enter) return FALSE;
  auto* web = static_cast<CWeb*>(self);
  return web->onEnterKey && web->onEnterKey() ? TRUE : FALSE;
}

}  // namespace hyperlink
