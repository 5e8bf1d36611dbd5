// What the tzlinks command line asks for.
#pragma once

#include <string>
#include <vector>

#include "core/link_replace.h"
#include "core/web_check.h"

namespace linktools {

enum class Action { List, Check, Replace };
enum class OutputForm { Table, Json, Csv };

struct TzlinksOptions {
  Action action = Action::List;
  OutputForm form = OutputForm::Table;
  bool web = false;  // check: look web addresses up too
  WebCheckOptions webOptions;
  ReplaceRule rule;     // replace: the old and the new text and how they match
  bool dryRun = false;  // replace: say what would change, write nothing
  bool windowsPaths = false;
  std::vector<std::string> paths;  // files and folders, as given
};

// Reads the arguments after the program's name. False with `error` set when they do not make
// a run; `help` or `version` set when the user asked for that instead.
bool parseTzlinksArguments(const std::vector<std::string>& args, TzlinksOptions& options,
                           bool& help, bool& version, std::string& error);
// The text --help prints, in the host's language.
std::string tzlinksHelp();

}  // namespace linktools
