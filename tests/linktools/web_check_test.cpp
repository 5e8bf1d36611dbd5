// Web checks against a server of the test's own on 127.0.0.1 (web_fixture.py): found, moved,
// missing, failing, refusing HEAD, never answering; nothing from outside, no proxy.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "core/link_check.h"
#include "modules/module_loader.h"
#include "session.h"
#include "web_fixture.h"

using namespace linktools;
using namespace tzt;

namespace {

class WebCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    tzad::setHostLanguage("en");
    for (const char* proxy : {"http_proxy", "https_proxy", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"})
      environment_.set(proxy, nullptr);
    environment_.set("no_proxy", "127.0.0.1");
    ASSERT_NE(server_.port(), 0) << "the fixture server did not start";
    options_.timeout = std::chrono::milliseconds(1500);
  }
  ScopedEnvironment environment_;
  WebFixture server_;
  WebCheckOptions options_;
};

TEST_F(WebCheck, WhatTheServerAnswers) {
  struct Case {
    std::string url;
    const char* status;
    const char* detail;
  };
  const Case cases[] = {
      {server_.url("ok"), "ok", ""},
      {server_.url("moved"), "ok", "Moved to http://127.0.0.1:"},
      {server_.url("missing"), "http-404", "status 404"},
      {server_.url("error"), "http-500", "status 500"},
      {server_.url("nohead"), "ok", ""},
      {server_.url("silent"), "timeout", "No answer within 1500 ms."},
      {"http://127.0.0.1:1/closed", "network-error", "did not take the connection"},
  };
  std::vector<std::string> urls;
  for (const Case& c : cases) urls.push_back(c.url);
  auto started = std::chrono::steady_clock::now();
  std::vector<CheckResult> answers = lookUpUrls(urls, options_);
  // Looked up side by side: the slow one does not hold up the rest.
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  ASSERT_EQ(answers.size(), urls.size());
  for (size_t i = 0; i < urls.size(); ++i) {
    SCOPED_TRACE(urls[i]);
    EXPECT_EQ(statusCode(answers[i]), cases[i].status);
    EXPECT_NE(u8(answers[i].detail).find(cases[i].detail), std::string::npos)
        << u8(answers[i].detail);
  }
  EXPECT_EQ(u8(answers[1].target), server_.url("ok"));
  // HEAD first; GET only where HEAD was refused or answered with an error.
  EXPECT_EQ(server_.count("HEAD /ok"), 2);  // asked for, and where /moved leads
  EXPECT_EQ(server_.count("GET /ok"), 0);
  EXPECT_EQ(server_.count("GET /nohead"), 1);
  EXPECT_EQ(server_.count("GET /missing"), 1);
}

// A checker looks each address up once, however many links name it and however many times
// it is asked.
TEST_F(WebCheck, EachAddressOncePerChecker) {
  Session s;
  s.openSample();
  DrawingLink a, b;
  a.address = u16(server_.url("ok"));
  b.address = u16(server_.url("missing"));
  LinkChecker checker;
  TzDbDatabase& db = *tzdbHostApplicationServices()->workingDatabase();
  std::vector<CheckResult> first = checker.checkDrawing(db, {a, b, a});
  std::vector<CheckResult> second = checker.checkDrawing(db, {a});
  std::vector<CheckResult*> waiting = {&first[0], &first[1], &first[2]};
  checker.checkWebAddresses(waiting, options_);
  checker.checkWebAddresses({&second[0]}, options_);
  EXPECT_EQ(statusCode(first[0]), "ok");
  EXPECT_EQ(statusCode(first[1]), "http-404");
  EXPECT_EQ(statusCode(first[2]), "ok");
  EXPECT_EQ(statusCode(second[0]), "ok");
  EXPECT_EQ(server_.count("HEAD /ok"), 1);
}

}  // namespace
