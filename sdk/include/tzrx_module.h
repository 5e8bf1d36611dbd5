// What a module offers the host: its commands, and the SDK version it was built against.
#pragma once

#include "tz_string.h"

// The SDK's version; a module reports it through its own exported tzrxGetApiVersion.
namespace Tzad {
int tzrxGetApiVersion();
}

// A module's command table: the commands it adds and the exported functions (taking no
// arguments) that run them. The module exports `tzrxCommands`, returning the table ended by
// an entry whose command is null.
struct TzCommandEntry {
  const char16_t* command;  // the global name, typed by users ("HYPERLINKOPEN")
  const char* exportName;   // the exported function ("hyperlinkopen")
};
typedef const TzCommandEntry* (*TzCommandTableFunction)();
typedef void (*TzCommandFunction)();
// Optionally a module also exports `tzrxCommandHelp`: the one line that HELP shows for one of
// its commands, in the language the host runs in. It copies the line into buffer (at most size
// characters including the terminator) and returns the number of characters copied, 0 when
// it has none for that command.
typedef int (*TzCommandHelpFunction)(const char16_t* command, char16_t* buffer, int size);
typedef int (*TzApiVersionFunction)();

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
