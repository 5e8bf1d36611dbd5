// The web library: addresses looked up with libcurl, for lookUpUrls (core/web_check.h).
#include <curl/curl.h>

#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "core/link_text.h"
#include "core/web_check.h"

namespace linktools {

namespace {

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;
using Multi = std::unique_ptr<CURLM, MultiDeleter>;

constexpr char kProtocols[] = "http,https,ftp,ftps";

// One request on its way: which URL, and whether it is the HEAD or the GET after it.
struct Transfer {
  Easy easy;
  size_t index = 0;
  bool head = true;
  bool bodyCut = false;  // the GET was ended at its first bytes of content, on purpose
  char error[CURL_ERROR_SIZE] = {};
};

// What is wanted of a GET is its status; the content is not read.
size_t cutBody(char*, size_t, size_t, void* transfer) {
  static_cast<Transfer*>(transfer)->bodyCut = true;
  return 0;
}

std::unique_ptr<Transfer> newTransfer(const std::string& url, size_t index, bool head,
                                      const WebCheckOptions& options) {
  auto transfer = std::make_unique<Transfer>();
  transfer->easy.reset(curl_easy_init());
  transfer->index = index;
  transfer->head = head;
  CURL* easy = transfer->easy.get();
  if (easy == nullptr) return nullptr;
  long timeout = static_cast<long>(options.timeout.count());
  bool set = curl_easy_setopt(easy, CURLOPT_URL, url.c_str()) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_PRIVATE, transfer.get()) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->error) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, kProtocols) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, timeout) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, timeout) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_USERAGENT, "tzad-linkcheck/1 (libcurl)") == CURLE_OK;
  if (set && head) set = curl_easy_setopt(easy, CURLOPT_NOBODY, 1L) == CURLE_OK;
  if (set && !head)
    set = curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, cutBody) == CURLE_OK &&
          curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get()) == CURLE_OK;
  return set ? std::move(transfer) : nullptr;
}

bool isHttp(CURL* easy) {
  const char* scheme = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_SCHEME, &scheme) != CURLE_OK || scheme == nullptr)
    return false;
  std::string_view s(scheme);
  return s == "HTTP" || s == "HTTPS" || s == "http" || s == "https";
}

// A HEAD that a server refuses (405, 501), mishandles (an error status it would not give a
// GET) or answers with nothing is asked again as a GET.
bool retryAsGet(const Transfer& t, CURLcode code, long status) {
  if (!t.head || !isHttp(t.easy.get())) return false;
  if (code == CURLE_GOT_NOTHING || code == CURLE_RECV_ERROR || code == CURLE_WEIRD_SERVER_REPLY)
    return true;
  return code == CURLE_OK && status >= 400;
}

// The common failures in words of our own; the rest as curl words them.
TzString networkProblem(CURLcode code, const char* error) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
      return linkText(u"The host name is not known.");
    case CURLE_COULDNT_RESOLVE_PROXY:
      return linkText(u"The proxy's host name is not known.");
    case CURLE_COULDNT_CONNECT:
      return linkText(u"The server did not take the connection.");
    case CURLE_TOO_MANY_REDIRECTS:
      return linkText(u"The address redirects too many times.");
    case CURLE_UNSUPPORTED_PROTOCOL:
      return linkText(u"The address redirects to one that is not looked up.");
    case CURLE_PEER_FAILED_VERIFICATION:
      return linkText(u"The server's certificate is not trusted: %1", {tzutFromUtf8(error)});
    default:
      return tzutFromUtf8(error[0] ? error : curl_easy_strerror(code));
  }
}

CheckResult answerOf(const Transfer& t, CURLcode code, long status,
                     const WebCheckOptions& options) {
  CheckResult result;
  CURL* easy = t.easy.get();
  const char* effective = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
    result.target = tzutFromUtf8(effective);
  long redirects = 0;
  static_cast<void>(curl_easy_getinfo(easy, CURLINFO_REDIRECT_COUNT, &redirects));
  // A server that has answered with its status has answered, even when the rest is slow.
  bool answered = code == CURLE_OK || (t.bodyCut && code == CURLE_WRITE_ERROR) ||
                  (code == CURLE_OPERATION_TIMEDOUT && status >= 200 && isHttp(easy));
  if (answered) {
    if (isHttp(easy) && status >= 400) {
      result.status = LinkStatus::HttpError;
      result.httpStatus = static_cast<int>(status);
      result.detail = linkText(u"The server answered with status %1.", {numberText(status)});
    } else if (redirects > 0) {
      result.detail = linkText(u"Moved to %1", {result.target});
    }
    return result;
  }
  if (code == CURLE_OPERATION_TIMEDOUT) {
    result.status = LinkStatus::Timeout;
    long long ms = options.timeout.count();
    result.detail = ms % 1000 == 0 ? linkText(u"No answer within %1 s.", {numberText(ms / 1000)})
                                   : linkText(u"No answer within %1 ms.", {numberText(ms)});
    return result;
  }
  result.status = LinkStatus::NetworkError;
  result.detail = networkProblem(code, t.error);
  return result;
}

void initialiseCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::vector<CheckResult> lookUpWithCurl(const std::vector<std::string>& urls,
                                        const WebCheckOptions& options) {
  initialiseCurl();
  std::vector<CheckResult> answers(urls.size());
  Multi multi(curl_multi_init());
  auto failAll = [&](const TzString& why) {
    for (CheckResult& a : answers) {
      a.status = LinkStatus::NetworkError;
      a.detail = why;
    }
    return answers;
  };
  if (!multi) return failAll(linkText(u"The network library could not be started."));
  std::deque<std::pair<size_t, bool>> waiting;  // URL index, HEAD
  for (size_t i = 0; i < urls.size(); ++i) waiting.emplace_back(i, true);
  std::map<CURL*, std::unique_ptr<Transfer>> running;
  const size_t parallel = static_cast<size_t>(std::max(1, options.parallel));
  while (!waiting.empty() || !running.empty()) {
    if (options.stop != nullptr && options.stop->load()) {
      for (auto& [easy, transfer] : running) curl_multi_remove_handle(multi.get(), easy);
      break;
    }
    while (running.size() < parallel && !waiting.empty()) {
      auto [index, head] = waiting.front();
      waiting.pop_front();
      std::unique_ptr<Transfer> transfer = newTransfer(urls[index], index, head, options);
      if (!transfer || curl_multi_add_handle(multi.get(), transfer->easy.get()) != CURLM_OK) {
        answers[index].status = LinkStatus::NetworkError;
        answers[index].detail = linkText(u"The address could not be looked up.");
        continue;
      }
      CURL* easy = transfer->easy.get();
      running.emplace(easy, std::move(transfer));
    }
    int active = 0;
    if (curl_multi_perform(multi.get(), &active) != CURLM_OK)
      return failAll(linkText(u"The network library failed."));
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
      if (message->msg != CURLMSG_DONE) continue;
      CURL* easy = message->easy_handle;
      CURLcode code = message->data.result;
      auto found = running.find(easy);
      curl_multi_remove_handle(multi.get(), easy);
      if (found == running.end()) continue;
      std::unique_ptr<Transfer> done = std::move(found->second);
      running.erase(found);
      long status = 0;
      static_cast<void>(curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status));
      if (retryAsGet(*done, code, status))
        waiting.emplace_front(done->index, false);
      else
        answers[done->index] = answerOf(*done, code, status, options);
    }
    if (!running.empty() && curl_multi_poll(multi.get(), nullptr, 0, 200, nullptr) != CURLM_OK)
      return failAll(linkText(u"The network library failed."));
  }
  return answers;
}

}  // namespace

}  // namespace linktools

extern "C" __attribute__((visibility("default"))) void linktoolsLookUpUrls(
    const std::vector<std::string>& urls, const linktools::WebCheckOptions& options,
    std::vector<linktools::CheckResult>& answers) {
  answers = linktools::lookUpWithCurl(urls, options);
}
