// main of window tests: the toolkit starts before the first test; without a display every
// test is skipped with the reason.
#include <gtest/gtest.h>

#include <wx/debug.h>
#include <wx/string.h>

#include "tzui.h"

namespace {

// A failed wx assertion fails the running test instead of opening a box nobody answers.
void failOnAssert(const wxString& file, int line, const wxString& function, const wxString& cond,
                  const wxString& message) {
  ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion " << cond.utf8_str() << " in "
                                        << function.utf8_str() << ": " << message.utf8_str();
}

class ToolkitEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (!TwUiHasDisplay())
      GTEST_SKIP() << "no display: window tests run under Xvfb (ctest runs them with xvfb-run)";
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new ToolkitEnvironment);
  wxSetAssertHandler(failOnAssert);
  return RUN_ALL_TESTS();
}
