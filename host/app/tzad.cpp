// tzad: the CAD host on the command line. Reads commands from the terminal (with line editing
// and history), from a script (--script FILE), or from piped input.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "docs/document_manager.h"
#include "editor/editor.h"
#include "editor/input_source.h"
#include "modules/module_loader.h"
#include "platform/path_rules.h"
#include "platform/text.h"

namespace {

struct Options {
  std::string script;
  std::vector<std::string> modules;
  std::string language;
  std::string pathStyle;
  std::string drawing;
};

void usage() {
  std::fprintf(stderr,
               "usage: tzad [--script FILE] [--load MODULE.tzx]... [--lang en|zh]\n"
               "            [--path-style posix|windows] [DRAWING]\n");
}

bool parseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--script" && hasValue) {
      options.script = argv[++i];
    } else if (arg == "--load" && hasValue) {
      options.modules.push_back(argv[++i]);
    } else if (arg == "--lang" && hasValue) {
      options.language = argv[++i];
    } else if (arg == "--path-style" && hasValue) {
      options.pathStyle = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      usage();
      std::exit(0);
    } else if (!arg.empty() && arg[0] != '-' && options.drawing.empty()) {
      options.drawing = arg;
    } else {
      return false;
    }
  }
  return true;
}

std::string moduleFolder() {
  const char* path = std::getenv("TZAD_MODULE_PATH");
  if (path && *path) return path;
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return (exe.parent_path() / "modules").string();
}

std::unique_ptr<InputSource> makeInput(const Options& options) {
  if (!options.script.empty()) {
    std::string error;
    auto script = LineInput::fromFile(options.script, error);
    if (!script) {
      std::fprintf(stderr, "tzad: %s\n", error.c_str());
      std::exit(2);
    }
    return std::make_unique<LineInput>(std::move(*script));
  }
  if (isatty(STDIN_FILENO)) return std::make_unique<TerminalInput>();
  std::vector<std::string> lines;
  char buffer[8192];
  std::string line;
  while (std::fgets(buffer, sizeof buffer, stdin)) {
    line += buffer;
    if (line.back() != '\n') continue;
    line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return std::make_unique<LineInput>(std::move(lines));
}

// At the end of the input nobody can be asked any more: say what stays unsaved.
void reportUnsaved() {
  for (const auto& doc : DocumentManager::instance().documents())
    if (doc->database()->isModified())
      Editor::instance().write(u"Changes to " + doc->docTitle() + u" were not saved.\n");
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseArguments(argc, argv, options)) {
    usage();
    return 2;
  }
  if (!options.language.empty()) {
    if (options.language != "en" && options.language != "zh") {
      std::fprintf(stderr, "tzad: --lang takes en or zh\n");
      return 2;
    }
    setHostLanguage(options.language);
  }
  if (options.pathStyle == "windows") {
    platform::setPathStyle(platform::PathStyle::Windows);
  } else if (!options.pathStyle.empty() && options.pathStyle != "posix") {
    std::fprintf(stderr, "tzad: --path-style takes posix or windows\n");
    return 2;
  }
  Editor& editor = Editor::instance();
  editor.setInput(makeInput(options));
  bool interactive = options.script.empty() && isatty(STDIN_FILENO);
  if (interactive) editor.write("tzad - type a command; QUIT ends the session.\n");
  loadModulesIn(moduleFolder());
  for (const std::string& module : options.modules) loadModule(module);
  if (options.drawing.empty()) {
    DocumentManager::instance().create();
  } else if (!DocumentManager::instance().open(platform::fromFileName(options.drawing))) {
    DocumentManager::instance().create();
  }
  editor.runLoop();
  if (!editor.quitRequested()) reportUnsaved();
  DocumentManager::instance().reset();
  unloadModules();
  return 0;
}
