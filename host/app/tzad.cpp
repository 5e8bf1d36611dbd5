// tzad: the CAD host. With a display it opens its main window; otherwise, or with --console or
// --script, it reads commands from the terminal (with line editing and history), from a script,
// or from piped input.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/terminal_input.h"
#include "base/language.h"
#include "base/translation.h"
#include "base/window_library.h"
#include "docs/autosave.h"
#include "docs/document_manager.h"
#include "editor/editor.h"
#include "editor/input_source.h"
#include "modules/module_loader.h"
#include "platform/path_rules.h"
#include "platform/text.h"
#include "tzrx_module.h"

namespace tzad {
namespace {

struct Options {
  std::string script;
  std::vector<std::string> modules;
  std::string language;
  std::string refused;  // the first argument that is no option tzad knows, or lacks its value
  std::string pathStyle;
  std::vector<std::string> drawings;
  bool console = false;
  bool help = false;
};

void usage() {
  std::fputs(tr("usage: tzad [--console | --script FILE] [--load MODULE.tzx]... [--lang en|zh]\n"
                "            [--path-style posix|windows] [DRAWING]...\n"
                "       tzad --help | --version\n"),
             stderr);
}

void help() {
  std::fputs(
      tr("usage: tzad [OPTION]... [DRAWING]...\n"
         "\n"
         "Opens each DRAWING (a DXF file; the last one is current), or a new empty drawing.\n"
         "With a display tzad opens its main window: the drawing view, layout tabs and the\n"
         "command-line panel. Without one, or with --console or --script, it reads commands\n"
         "from the terminal (with line editing and history), from piped input, or from a\n"
         "script. Type HELP at \"Command: \" for the list of commands.\n"
         "\n"
         "Options:\n"
         "  --console            read commands from the terminal even when there is a display\n"
         "  --script FILE        answer every prompt from FILE, one line per answer: an empty\n"
         "                       line is Enter, ^C cancels, a line starting with ; is a comment\n"
         "  --load MODULE.tzx    load this module too (may be given more than once)\n"
         "  --lang en|zh         the language of tzad's and the modules' texts (also a language\n"
         "                       whose catalog is installed)\n"
         "  --path-style posix|windows\n"
         "                       the path rules hyperlink targets follow (default: posix)\n"
         "  -h, --help           show this help and exit\n"
         "  --version            show the version and exit\n"
         "\n"
         "In the terminal: Ctrl+C or Esc cancels the prompt, Ctrl+D at \"Command: \" quits (as\n"
         "QUIT, asking about unsaved changes), Up and Down recall earlier commands, or at any\n"
         "other prompt earlier answers.\n"
         "\n"
         "Environment:\n"
         "  TZAD_LANG            en or zh: the language when --lang is not given; else LC_ALL,\n"
         "                       LC_MESSAGES or LANG decide; Chinese when none names a language\n"
         "                       tzad speaks\n"
         "  TZAD_LOCALEDIR       the folder of tzad's translation catalogs\n"
         "                       (default: share/locale of the installed tree)\n"
         "  TZAD_MODULE_PATH     the folder whose .tzx modules are loaded at start\n"
         "                       (default: modules/ beside the tzad program)\n"
         "  TZAD_OPEN_COMMAND    the program HYPERLINKOPEN runs with a target (default: xdg-open)\n"
         "  TZAD_CLIPBOARD_DIR   a folder that stands in for the desktop's clipboard\n"
         "  TZAD_TRACE           1: diagnostic traces on standard error\n"
         "  TZAD_AUTOSAVE_SECONDS\n"
         "                       seconds a change waits for its automatic save, instead of\n"
         "                       SAVETIME's minutes (SAVETIME is 10 minutes unless set; 0 turns\n"
         "                       automatic saves off)\n"
         "  WAYLAND_DISPLAY, DISPLAY\n"
         "                       the desktop where the main window opens, and whose clipboard\n"
         "                       PASTEASHYPERLINK reads (wl-paste, xclip)\n"
         "  XDG_CONFIG_HOME      where tzad keeps its settings (default: ~/.config), under tzad/\n"
         "  XDG_DATA_HOME        where the desktop's recently used files are listed\n"
         "                       (default: ~/.local/share), in recently-used.xbel\n"
         "  XDG_STATE_HOME       where automatic saves are kept (default: ~/.local/state),\n"
         "                       under tzad/autosave/; RECOVER lists them\n"
         "  LC_ALL, LC_CTYPE, LANG\n"
         "                       the terminal's character set; UTF-8 when it is another\n"
         "\n"
         "Exit status: 0; 1 when the drawing of a script or of piped input cannot be read (the\n"
         "commands are then not run) or when a save failed there; 2 for wrong arguments.\n"),
      stdout);
}

void version() {
  std::printf("tzad %s (module interface %d)\n", TZAD_VERSION, Tzad::tzrxGetApiVersion());
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
    } else if (arg == "--console") {
      options.console = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      version();
      std::exit(0);
    } else if (!arg.empty() && arg[0] != '-') {
      options.drawings.push_back(arg);
    } else if (options.refused.empty()) {
      options.refused = arg;
    }
  }
  return options.refused.empty();
}

// Commands piped in or redirected from a file are read as they always were, display or not.
bool inputIsPipedIn() {
  struct stat in {};
  return fstat(STDIN_FILENO, &in) == 0 && (S_ISFIFO(in.st_mode) || S_ISREG(in.st_mode));
}

// The main window opens when a display is there and nothing asks for the command line alone;
// only then are the window's libraries loaded.
bool openWindowIfWanted(const Options& options) {
  if (options.console || !options.script.empty() || inputIsPipedIn()) return false;
  return displayNamed() && startMainWindow(TZAD_VERSION);
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
  return std::make_unique<LineInput>(LineInput::fromStream(std::cin));
}

// At the end of the input nobody can be asked any more: say what stays unsaved.
void reportUnsaved() {
  for (const auto& doc : DocumentManager::instance().documents())
    if (doc->database()->isModified())
      Editor::instance().write(trf("Changes to {0} were not saved.\n", {doc->docTitle()}));
}

// Opens the drawings named on the command line. When none can be read, an interactive session
// goes on with an empty drawing; a script stops at the first that cannot, so that it never
// saves the wrong drawing.
bool openStartDrawings(const Options& options, bool interactive) {
  DocumentManager& docs = DocumentManager::instance();
  if (options.drawings.empty()) {
    docs.create();
    return true;
  }
  for (const std::string& drawing : options.drawings) {
    if (docs.open(platform::fromFileName(drawing))) continue;
    if (!interactive) {
      Editor::instance().write(
          trf("tzad: {0} cannot be read; the commands are not run.\n", {drawing}));
      return false;
    }
  }
  if (docs.current()) return true;
  Document* doc = docs.create();
  Editor::instance().write(trf("Starting an empty drawing, {0}, instead.\n", {doc->docTitle()}));
  return true;
}

// The whole session, from the command line's arguments to the exit status.
int runSession(int argc, char** argv) {
  useUtf8CharacterLocale();
  // A closed output pipe is handled where the session writes; it must not end the session.
  std::signal(SIGPIPE, SIG_IGN);
  Options options;
  bool understood = parseArguments(argc, argv, options);
  // The language first, so that even a refusal speaks it.
  if (!options.language.empty()) {
    if (!speaksLanguage(options.language)) {
      std::fputs(tr("tzad: --lang takes en or zh\n"), stderr);
      return 2;
    }
    setHostLanguage(options.language);
  }
  if (!understood) {
    std::fputs(
        tr8("tzad: {0}: no such option, or its value is missing\n", {options.refused}).c_str(),
        stderr);
    usage();
    return 2;
  }
  if (options.help) {
    help();
    return 0;
  }
  if (options.pathStyle == "windows") {
    platform::setPathStyle(platform::PathStyle::Windows);
  } else if (!options.pathStyle.empty() && options.pathStyle != "posix") {
    std::fputs(tr("tzad: --path-style takes posix or windows\n"), stderr);
    return 2;
  }
  Editor& editor = Editor::instance();
  bool windowed = openWindowIfWanted(options);
  if (!windowed) editor.setInput(makeInput(options));
  bool interactive = windowed || (options.script.empty() && isatty(STDIN_FILENO));
  if (interactive)
    editor.write(tr("tzad - type a command; HELP lists them, QUIT ends the session.\n"));
  loadModulesIn(moduleFolder());
  for (const std::string& module : options.modules) loadModule(module);
  if (interactive) mentionCopiesOfUnsavedDrawings();
  bool started = openStartDrawings(options, interactive);
  if (started) editor.runLoop();
  if (windowed) endMainWindow();
  if (started && !editor.quitRequested()) reportUnsaved();
  // A clean exit: the automatic saves were of drawings the user has settled.
  if (editor.quitRequested())
    for (const auto& doc : DocumentManager::instance().documents()) removeAutosave(*doc);
  DocumentManager::instance().reset();
  unloadModules();
  if (!started) return 1;
  return !interactive && editor.saveFailed() ? 1 : 0;
}

}  // namespace
}  // namespace tzad

int main(int argc, char** argv) {
  return tzad::runSession(argc, argv);
}
