// What libtzad exports besides the SDK: the few host functions and classes that tzad's own
// program, window library (libtzui) and painting library (libtzpaint) call. Modules are written
// against the SDK alone and see none of it.
#pragma once

#define TZAD_HOST_API __attribute__((visibility("default")))
