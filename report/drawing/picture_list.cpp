// The pictures of the current page and their release.
#include "report/drawing/drawing_execution.h"
#include "report/drawing/pictures_face.h"

PictureList PICTURE_LIST;
int32_t PICTURES_UNDER_TEXT = 1;
int32_t PAGE_PICTURE_FLAG = 0;

void FreePicture(PICTURE_RECORD* picture) {
  if (!picture) return;
  switch (picture->kind) {
    case PICTURE_ENHANCED_METAFILE:
      if (picture->metafile) DeleteEnhMetaFile(static_cast<HENHMETAFILE>(picture->metafile));
      break;
    case PICTURE_PLACEABLE_METAFILE:
    case PICTURE_WINDOWS_METAFILE:
      if (picture->metafile) DeleteMetaFile(static_cast<HMETAFILE>(picture->metafile));
      break;
    case PICTURE_DRAWING:
      FreeDrawing(&picture->drawing);
      break;
    default:
      break;
  }
  *picture = PICTURE_RECORD{};
}

int32_t FreePictures() {
  const int32_t count = PICTURE_LIST.count;
  for (int32_t i = 0; i < count && i < PICTURE_LIST_CAPACITY; ++i)
    FreePicture(&PICTURE_LIST.pictures[i]);
  PICTURE_LIST.count = 0;
  return count;
}
