// What a resource library carries besides its string table, and how the host reads it. A
// resource library exports these two functions (C linkage); the host finds them by name.
#pragma once

#include <cstddef>
#include "tz_export.h"

TZAD_SDK_BEGIN

typedef void* HINSTANCE;  // a loaded resource library: its handle from dlopen

extern "C" {
// The dialog template `id` in the language the host runs in: an XRC document (UTF-8) whose
// root object is a wxPanel named by the id. Controls are named by their numeric ids. The
// root's <title> element, where present, is the title of the dialog's own window. Returns 0
// when the library has no such template.
typedef int (*TzresLoadTemplateFn)(unsigned id, const char** data, size_t* size);
// The picture `id`: an SVG document. Returns 0 when the library has none.
typedef int (*TzresLoadImageFn)(unsigned id, const char** data, size_t* size);
}

// The exported names.
constexpr const char* kTzresLoadTemplate = "tzresLoadTemplate";
constexpr const char* kTzresLoadImage = "tzresLoadImage";

TZAD_SDK_END
