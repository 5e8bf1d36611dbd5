// Web checks for the window: the lookups wait for the network on a thread of their own, and
// their answers come back to the window's thread as an event, so the window goes on answering.
// The thread is given the URLs only; it never touches a drawing.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/web_check.h"

namespace linktools {

class WebLookupThread {
 public:
  // Called on the window's thread with the URLs and their answers, in the same order.
  using Answers = std::function<void(std::vector<std::string> urls, std::vector<CheckResult>)>;
  explicit WebLookupThread(Answers answers);
  // Stops the lookups and waits for their thread, which ends within a fraction of a second;
  // answers that come later are dropped.
  ~WebLookupThread();
  WebLookupThread(const WebLookupThread&) = delete;
  WebLookupThread& operator=(const WebLookupThread&) = delete;

  void start(std::vector<std::string> urls, WebCheckOptions options);

 private:
  // Only the window's thread reads or changes it; the lookup thread holds it to post to.
  struct Channel {
    Answers answers;
    bool open = true;
  };
  void stopLookups();

  std::shared_ptr<Channel> channel_;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

}  // namespace linktools
