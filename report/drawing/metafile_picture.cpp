// Metafile pictures in blocks the clipboard can own.
#include "report/drawing/metafile_picture_face.h"

#include "report/drawing/drawing_memory_face.h"

HGLOBAL MakeMetafilePicture(HMETAFILE recorded, LONG mm, LONG x, LONG y) {
  const HMETAFILE copy = recorded ? CopyMetaFileA(recorded, nullptr) : nullptr;
  if (!copy) return nullptr;
  HGLOBAL block = AllocateDrawingMemory(sizeof(METAFILEPICT));
  const LockedMemory picture(block);
  if (!picture.as()) {
    FreeDrawingMemory(block);
    DeleteMetaFile(copy);
    return nullptr;
  }
  METAFILEPICT* p = picture.as<METAFILEPICT>();
  p->mm = mm;
  p->xExt = x;
  p->yExt = y;
  p->hMF = copy;
  return block;
}

bool HandMetafilePictureToClipboard(HGLOBAL picture) {
  if (!picture) return false;
  if (SetClipboardData(CF_METAFILEPICT, picture)) {
    HandOverDrawingMemory(picture);
    return true;
  }
  FreeMetafilePicture(picture);
  return false;
}

void FreeMetafilePicture(HGLOBAL picture) {
  {
    const LockedMemory locked(picture);
    if (locked.as()) DeleteMetaFile(locked.as<METAFILEPICT>()->hMF);
  }
  FreeDrawingMemory(picture);
}
