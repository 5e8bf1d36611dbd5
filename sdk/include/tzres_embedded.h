// The templates and pictures a resource library carries in itself: files built into the
// library by the build (cmake/EmbedFiles.cmake), found by their file names, "<id>.<language>.xrc"
// and "<id>.svg".
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include "tz_export.h"

TZAD_SDK_BEGIN

struct TzresEmbeddedFile {
  const char* name;
  const unsigned char* data;  // followed by a NUL not counted in size
  size_t size;
};

// The library's files, ending with an entry without a name.
extern const TzresEmbeddedFile kTzresEmbeddedFiles[];

// Template id in language: English for "en", Chinese, the module's own language, otherwise.
inline std::string tzresTemplateFileName(unsigned id, std::string_view language) {
  return std::to_string(id) + (language == "en" ? ".en.xrc" : ".zh.xrc");
}

inline std::string tzresImageFileName(unsigned id) {
  return std::to_string(id) + ".svg";
}

// Finds a file by name; 0 when the library has none.
inline int tzresFindEmbedded(const std::string& name, const char** data, size_t* size) {
  for (const TzresEmbeddedFile* file = kTzresEmbeddedFiles; file->name; ++file) {
    if (name != file->name) continue;
    *data = reinterpret_cast<const char*>(file->data);
    *size = file->size;
    return 1;
  }
  return 0;
}

// Defines the library's exported tzresLoadTemplate and tzresLoadImage (tzres_resource.h) over
// its embedded files, templates in the language the host runs in (tzrx_module.h's
// tzutLanguage). Used once, at namespace scope, in each resource library.
#define TZRES_EXPORT_EMBEDDED_RESOURCES()                                            \
  extern "C" __attribute__((visibility("default"))) int tzresLoadTemplate(           \
      unsigned id, const char** data, size_t* size) {                                \
    return tzresFindEmbedded(tzresTemplateFileName(id, tzutLanguage()), data, size); \
  }                                                                                  \
  extern "C" __attribute__((visibility("default"))) int tzresLoadImage(              \
      unsigned id, const char** data, size_t* size) {                                \
    return tzresFindEmbedded(tzresImageFileName(id), data, size);                    \
  }

TZAD_SDK_END
