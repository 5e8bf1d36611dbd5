#include "tzlinks/tzlinks_options.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "core/link_text.h"

namespace linktools {

namespace {

std::string utf8Text(std::u16string_view english,
                     std::initializer_list<std::u16string_view> args = {}) {
  return tzutToUtf8(linkText(english, args));
}

std::optional<double> number(const std::string& value) {
  char* end = nullptr;
  double n = std::strtod(value.c_str(), &end);
  if (value.empty() || *end != 0 || !std::isfinite(n)) return std::nullopt;
  return n;
}

// Which action an option belongs to, when it belongs to one only.
struct OptionRule {
  const char* name;
  bool takesValue;
  std::optional<Action> only;
};
const OptionRule kOptions[] = {
    {"--json", false, std::nullopt},          {"--csv", false, std::nullopt},
    {"--path-style", true, std::nullopt},     {"--web", false, Action::Check},
    {"--timeout", true, Action::Check},       {"--jobs", true, Action::Check},
    {"--match-case", false, Action::Replace}, {"--prefix", false, Action::Replace},
    {"--locations", false, Action::Replace},  {"--dry-run", false, Action::Replace},
};

const char* actionName(Action action) {
  switch (action) {
    case Action::List:
      return "list";
    case Action::Check:
      return "check";
    case Action::Replace:
      return "replace";
  }
  return "";
}

bool applyOption(const std::string& name, const std::string& value, TzlinksOptions& options,
                 std::string& error) {
  if (name == "--json" || name == "--csv") {
    OutputForm form = name == "--json" ? OutputForm::Json : OutputForm::Csv;
    if (options.form != OutputForm::Table && options.form != form) {
      error = utf8Text(u"--json and --csv cannot be given together.");
      return false;
    }
    options.form = form;
  } else if (name == "--path-style") {
    if (value != "posix" && value != "windows") {
      error = utf8Text(u"--path-style takes posix or windows.");
      return false;
    }
    options.windowsPaths = value == "windows";
  } else if (name == "--web") {
    options.web = true;
  } else if (name == "--timeout") {
    std::optional<double> seconds = number(value);
    if (!seconds || *seconds <= 0 || *seconds > 3600) {
      error = utf8Text(u"--timeout takes a number of seconds (at most 3600).");
      return false;
    }
    options.webOptions.timeout = std::chrono::milliseconds(std::lround(*seconds * 1000));
  } else if (name == "--jobs") {
    std::optional<double> jobs = number(value);
    if (!jobs || *jobs < 1 || *jobs > 64 || *jobs != std::floor(*jobs)) {
      error = utf8Text(u"--jobs takes a whole number from 1 to 64.");
      return false;
    }
    options.webOptions.parallel = static_cast<int>(*jobs);
  } else if (name == "--match-case") {
    options.rule.matchCase = true;
  } else if (name == "--prefix") {
    options.rule.prefixOnly = true;
  } else if (name == "--locations") {
    options.rule.locationsToo = true;
  } else if (name == "--dry-run") {
    options.dryRun = true;
  }
  return true;
}

}  // namespace

bool parseTzlinksArguments(const std::vector<std::string>& args, TzlinksOptions& options,
                           bool& help, bool& version, std::string& error) {
  help = version = false;
  if (args.empty()) {
    error = utf8Text(u"Name an action: list, check or replace.");
    return false;
  }
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") return help = true;
  }
  if (args[0] == "--version") return version = true;
  if (args[0] == "list") {
    options.action = Action::List;
  } else if (args[0] == "check") {
    options.action = Action::Check;
  } else if (args[0] == "replace") {
    options.action = Action::Replace;
  } else {
    error = utf8Text(u"\"%1\" is no action: list, check or replace.", {tzutFromUtf8(args[0])});
    return false;
  }
  std::vector<std::string> positional;
  bool optionsEnd = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnd = true;
      continue;
    }
    std::string name = arg.substr(0, arg.find('='));
    const OptionRule* rule = nullptr;
    for (const OptionRule& r : kOptions)
      if (name == r.name) rule = &r;
    if (rule == nullptr) {
      error = utf8Text(u"Unknown option %1.", {tzutFromUtf8(arg)});
      return false;
    }
    if (rule->only && *rule->only != options.action) {
      error = utf8Text(u"%1 is an option of tzlinks %2.",
                       {tzutFromUtf8(name), tzutFromUtf8(actionName(*rule->only))});
      return false;
    }
    std::string value;
    if (rule->takesValue) {
      if (name.size() < arg.size()) {
        value = arg.substr(name.size() + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        error = utf8Text(u"%1 needs a value.", {tzutFromUtf8(name)});
        return false;
      }
    } else if (name.size() < arg.size()) {
      error = utf8Text(u"%1 takes no value.", {tzutFromUtf8(name)});
      return false;
    }
    if (!applyOption(name, value, options, error)) return false;
  }
  size_t first = 0;
  if (options.action == Action::Replace) {
    if (positional.size() < 2) {
      error = utf8Text(u"tzlinks replace needs the old text and the new text.");
      return false;
    }
    options.rule.oldText = tzutFromUtf8(positional[0]);
    options.rule.newText = tzutFromUtf8(positional[1]);
    if (options.rule.oldText.empty()) {
      error = utf8Text(u"The old text cannot be empty.");
      return false;
    }
    first = 2;
  }
  options.paths.assign(positional.begin() + static_cast<long>(first), positional.end());
  if (options.paths.empty()) {
    error = utf8Text(u"Name the drawings or folders to read.");
    return false;
  }
  return true;
}

std::string tzlinksHelp() {
  return utf8Text(kTzlinksHelp);
}

}  // namespace linktools
