#include "panel/web_lookup_thread.h"

#include <wx/app.h>

#include <thread>

namespace linktools {

WebLookupThread::WebLookupThread(Answers answers)
    : channel_(std::make_shared<Channel>(Channel{std::move(answers)})) {}

WebLookupThread::~WebLookupThread() {
  channel_->open = false;
  stopLookups();
}

// The window outlives this object, so the thread never posts to a window that is gone.
void WebLookupThread::stopLookups() {
  if (!worker_.joinable()) return;
  stop_ = true;
  worker_.join();
  stop_ = false;
}

// A new check replaces one still running, whose answers are then dropped.
void WebLookupThread::start(std::vector<std::string> urls, WebCheckOptions options) {
  stopLookups();
  options.stop = &stop_;
  worker_ = std::thread([this, channel = channel_, urls = std::move(urls), options]() mutable {
    std::vector<CheckResult> answers = lookUpUrls(urls, options);
    if (stop_) return;
    // CallAfter queues the call for the window's thread, which is where the channel is read.
    wxTheApp->CallAfter([channel, urls = std::move(urls), answers = std::move(answers)]() mutable {
      if (channel->open) channel->answers(std::move(urls), std::move(answers));
    });
  });
}

}  // namespace linktools
