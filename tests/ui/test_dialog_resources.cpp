// A resource library for the dialog base's tests: template 900 in both languages and
// picture 901, embedded the way the module's resource library embeds its own.
#include "tzres_embedded.h"
#include "tzrx_module.h"

extern "C" __attribute__((visibility("default"))) int tzresLoadTemplate(unsigned id,
                                                                        const char** data,
                                                                        size_t* size) {
  return tzresFindEmbedded(tzresTemplateFileName(id, tzutLanguage()), data, size);
}

extern "C" __attribute__((visibility("default"))) int tzresLoadImage(unsigned id, const char** data,
                                                                     size_t* size) {
  return tzresFindEmbedded(tzresImageFileName(id), data, size);
}
