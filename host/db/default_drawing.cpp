// The drawing a new database starts from: default_drawing.dxf beside this file, an empty
// R2018 drawing with layer 0, model space and one paper layout, which DXF programs open as it
// is. The build embeds it (cmake/EmbedFiles.cmake).
#include <string_view>

#include "db/database_impl.h"
#include "tzres_embedded.h"

extern const TzresEmbeddedFile kDefaultDrawingFiles[] __attribute__((visibility("hidden")));

void TzDbDatabaseImpl::buildDefault() {
  const TzresEmbeddedFile& drawing = kDefaultDrawingFiles[0];
  parse(std::string_view(reinterpret_cast<const char*>(drawing.data), drawing.size), "new drawing");
  fileName.clear();
}
