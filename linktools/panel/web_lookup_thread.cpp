#include "panel/web_lookup_thread.h"

#include <wx/app.h>

#include <thread>

namespace linktools {

WebLookupThread::WebLookupThread(Answers answers)
    : channel_(std::make_shared<Channel>(Channel{std::move(answers)})) {}

WebLookupThread::~WebLookupThread() {
  channel_->open = false;
}

void WebLookupThread::start(std::vector<std::string> urls, WebCheckOptions options) {
  std::thread([channel = channel_, urls = std::move(urls), options]() mutable {
    std::vector<CheckResult> answers = lookUpUrls(urls, options);
    // CallAfter queues the call for the window's thread, which is where the channel is read.
    wxTheApp->CallAfter([channel, urls = std::move(urls), answers = std::move(answers)]() mutable {
      if (channel->open) channel->answers(std::move(urls), std::move(answers));
    });
  }).detach();
}

}  // namespace linktools
