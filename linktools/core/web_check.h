// Looking web addresses up: does the server answer, and with what. Only ever when the user
// asks for it; offline checks never touch the network.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "core/link_status.h"

namespace linktools {

struct WebCheckOptions {
  int parallel = 8;                          // addresses looked up at the same time
  std::chrono::milliseconds timeout{10000};  // for each request, redirects included
  // When set and it turns true, the lookups end within a fraction of a second, leaving the
  // answers not yet had as they were (NotChecked).
  const std::atomic<bool>* stop = nullptr;
};

// Looks every URL up: HEAD, then GET when the server refuses HEAD or answers it with an error;
// redirects are followed (to http, https, ftp and ftps only); proxies are taken from the
// environment (http_proxy, https_proxy, no_proxy) as curl reads them. Each answer has the
// status (Ok, HttpError, Timeout or NetworkError), the HTTP status, and the detail in words;
// answers come in the order of the URLs.
std::vector<CheckResult> lookUpUrls(const std::vector<std::string>& urls,
                                    const WebCheckOptions& options);

// The lookups live in a library of their own, linktoolsweb.so beside linktoolscore.so: libcurl
// brings its TLS, LDAP, SSH and HTTP/2 libraries along, so the library is loaded only when web
// checks are first asked for, and a session or a run that never asks loads none of them.
inline constexpr char kWebLibrary[] = "linktoolsweb.so";
// extern "C" void linktoolsLookUpUrls(urls, options, answers), in the web library.
inline constexpr char kWebLookupSymbol[] = "linktoolsLookUpUrls";
using WebLookupFunction = void (*)(const std::vector<std::string>& urls,
                                   const WebCheckOptions& options,
                                   std::vector<CheckResult>& answers);

}  // namespace linktools
