// tzlinks: the hyperlinks of many drawings at once, for scripts and for people. It lists,
// checks and relinks them with the code LinkTools.tzx runs inside tzad, over libtzad.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "core/link_text.h"
#include "tzlinks/tzlinks_options.h"
#include "tzlinks/tzlinks_run.h"
#include "tzrx_module.h"

int main(int argc, char** argv) {
  // A reader that goes away (tzlinks list | head) ends the run quietly.
  std::signal(SIGPIPE, SIG_DFL);
  std::vector<std::string> args(argv + 1, argv + argc);
  linktools::TzlinksOptions options;
  bool help = false, version = false;
  std::string error;
  if (!linktools::parseTzlinksArguments(args, options, help, version, error)) {
    std::string hint =
        tzutToUtf8(linktools::linkText(u"Try 'tzlinks --help' for more information."));
    std::fprintf(stderr, "tzlinks: %s\n%s\n", error.c_str(), hint.c_str());
    return 2;
  }
  if (help) {
    std::fputs(linktools::tzlinksHelp().c_str(), stdout);
    return 0;
  }
  if (version) {
    std::printf("tzlinks %s (module interface %d)\n", TZAD_VERSION, Tzad::tzrxGetApiVersion());
    return 0;
  }
  return linktools::runTzlinks(options, stdout, stderr);
}
