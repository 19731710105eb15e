// Jackets over the drawing routines: a drawing file converted into a
// container, a drawing rendered into a metafile file.
#include <limits>

#include "report/drawing/drawing_container_face.h"
#include "report/drawing/metafiles_face.h"
#include "services/service_jackets.h"

namespace {

bool FitsInt32(const int64_t* value) {
  return value && *value >= std::numeric_limits<int32_t>::min() &&
         *value <= std::numeric_limits<int32_t>::max();
}

}  // namespace

void CONVERT_DRAWING(const char* name, int64_t name_len) {
  if (CopyJacketText(NAME_BUFFERS.drawing_name, JACKET_NAME_MAX, name, name_len, false))
    ConvertDrawingFile(NAME_BUFFERS.drawing_name);
}

void RENDER_METAFILE(const char* drawing_name, int64_t drawing_name_len, const char* metafile_name,
                     int64_t metafile_name_len, const int64_t* width, const int64_t* height) {
  if (!FitsInt32(width) || !FitsInt32(height)) return;
  if (!CopyJacketText(NAME_BUFFERS.drawing_name, JACKET_NAME_MAX, drawing_name, drawing_name_len,
                      false) ||
      !CopyJacketText(NAME_BUFFERS.metafile_name, JACKET_NAME_MAX, metafile_name, metafile_name_len,
                      false))
    return;
  RenderDrawingMetafile(NAME_BUFFERS.drawing_name, NAME_BUFFERS.metafile_name,
                        static_cast<int32_t>(*width), static_cast<int32_t>(*height));
}
