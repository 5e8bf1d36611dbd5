// cmncmds.tzx: the host's common commands module. Other modules open drawings through it.
#include "tz_string.h"
#include "tzap_docman.h"

// Opens the drawing at `path` (a full path) as a document and makes it current: 0 on success,
// any other value on failure (the reason is on the command line).
extern "C" __attribute__((visibility("default"))) int openDWGfile(const TzString& path) {
  return tzDocManagerPtr()->appOpenDocument(path.c_str()) == Tzad::eOk ? 0 : 1;
}
