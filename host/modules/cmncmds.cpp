// cmncmds.tzx: the host's common commands module. Other modules open drawings through it.
#include "tzap_docman.h"
#include "tzrx_module.h"

TZRX_EXPORT int openDWGfile(const TzString& path) {
  return tzDocManagerPtr()->appOpenDocument(path.c_str()) == Tzad::eOk ? 0 : 1;
}

TZRX_EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
