// A resource library for the dialog base's tests: template 900 in both languages and
// picture 901, embedded the way the module's resource library embeds its own.
#include "tzres_embedded.h"
#include "tzrx_module.h"

TZRES_EXPORT_EMBEDDED_RESOURCES()
