// hyperlinkres: the HyperLink module's string table, in Chinese (the module's own wording)
// and English, made from the module's list of texts, and its dialog templates and pictures.
// It serves the language the host runs in; Chinese when that is neither.
#include "tzres_embedded.h"
#include "tzres_resource.h"
#include "tzres_string.h"
#include "tzrx_module.h"

namespace {

const TzresEntry kStrings[] = {
#define HYPERLINK_TEXT(name, id, chinese, english) {id, chinese, english},
#define HYPERLINK_LIBRARY_TEXT(name, id, chinese, english) {id, chinese, english},
#include "module/module_texts.inc"
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int tzresLoadString(unsigned id, char16_t* buffer,
                                                                      int size) {
  return tzresLoadFromTable(kStrings, id, buffer, size, tzutLanguage());
}

TZRES_EXPORT_EMBEDDED_RESOURCES()
