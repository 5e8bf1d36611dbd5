// The contract between the host and its modules: the SDK version a module is built for, the
// command table it exports, and the function of the host module cmncmds.tzx that opens
// drawings. Each is declared here once; the host, its modules and other modules' callers all
// take it from here, so the compiler holds every side to the same types.
#pragma once

#include "tz_export.h"
#include "tz_string.h"

TZAD_SDK_BEGIN

// The SDK version these headers describe. It changes whenever something that crosses between
// host and module changes shape (a type's layout, a function's arguments); the host loads only
// modules built for its own version.
inline constexpr int kTzrxApiVersion = 1;

namespace Tzad {
// The SDK version the calling code was compiled with: a module's exported tzrxGetApiVersion
// forwards to this, so it reports the headers the module was built against.
inline int tzrxGetApiVersion() {
  return kTzrxApiVersion;
}
}  // namespace Tzad

// Functions a module exports: looked up by their plain names, so without C++ decoration.
#define TZRX_EXPORT extern "C" __attribute__((visibility("default")))

// A module's command table: the commands it adds and the exported functions (taking no
// arguments) that run them.
struct TzCommandEntry {
  const char16_t* command;  // the global name, typed by users ("HYPERLINKOPEN")
  const char* exportName;   // the exported function ("hyperlinkopen")
};
typedef void (*TzCommandFunction)();

// A module exports its command table (when it adds commands), which ends with an entry whose
// command is null, and the SDK version it was built for.
TZRX_EXPORT const TzCommandEntry* tzrxCommands();
TZRX_EXPORT int tzrxGetApiVersion();
typedef decltype(&tzrxCommands) TzCommandTableFunction;
typedef decltype(&tzrxGetApiVersion) TzApiVersionFunction;
inline constexpr char kTzrxCommandsExport[] = "tzrxCommands";
inline constexpr char kTzrxApiVersionExport[] = "tzrxGetApiVersion";

// cmncmds.tzx, the host's common commands module, exports openDWGfile: it opens the drawing
// at the full path `path` as a document and makes it current, and returns 0 on success, any
// other value on failure (the reason is then on the command line). Other modules find it at
// run time through tzrxLoadedModule and tzrxModuleExport.
TZRX_EXPORT int openDWGfile(const TzString& path);
typedef decltype(&openDWGfile) TzOpenDwgFileFunction;
inline constexpr char16_t kTzrxCommonCommandsModule[] = u"cmncmds.tzx";
inline constexpr char kTzrxOpenDwgFileExport[] = "openDWGfile";

// Optionally a module also exports `tzrxCommandHelp`: the one line that HELP shows for one of
// its commands, in the language the host runs in. It copies the line into buffer (at most size
// characters including the terminator) and returns the number of characters copied, 0 when
// it has none for that command.
TZRX_EXPORT int tzrxCommandHelp(const char16_t* command, char16_t* buffer, int size);
typedef decltype(&tzrxCommandHelp) TzCommandHelpFunction;
inline constexpr char kTzrxCommandHelpExport[] = "tzrxCommandHelp";

// The language the host runs in: "en" or "zh" (resource libraries serve their texts in it).
const char* tzutLanguage();

// A module the host has loaded, by its file name ("cmncmds.tzx"), or null; and one of its
// exported functions, or null.
void* tzrxLoadedModule(const char16_t* fileName);
void* tzrxModuleExport(void* module, const char* name);

// Resource libraries (string tables) export this: it copies string `id` into buffer (at most
// size characters including the terminator) and returns the number of characters copied, 0
// when the library has no such string.
typedef int (*TzResLoadStringFunction)(unsigned id, char16_t* buffer, int size);
// Loads a library by its bare name ("tzadkwlres") from the host's library folders, or null.
void* tzrxLoadLibrary(const char16_t* bareName);

TZAD_SDK_END
