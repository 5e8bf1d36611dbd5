// A file of the documents layer that includes the editor, the layer above it. It must not
// compile: the tests build it on purpose and expect the include to be refused.
#include "docs/document.h"
#include "editor/editor.h"
