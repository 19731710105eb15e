// A metafile picture for the clipboard: a METAFILEPICT in a counted movable
// block (drawing_memory_face.h) holding a copy of a recorded metafile. Once the
// clipboard takes the block, the block and the copy are the clipboard's.
#pragma once

#include <windows.h>

// A block holding a copy of recorded, in mapping mode mm with extents x and
// y; null, with nothing left allocated, when the copy or the block cannot be
// made.
HGLOBAL MakeMetafilePicture(HMETAFILE recorded, LONG mm, LONG x, LONG y);

// Puts the picture on the opened clipboard as CF_METAFILEPICT; on success the
// clipboard owns it, else it is freed with its copy. Answers whether the
// clipboard took it.
bool HandMetafilePictureToClipboard(HGLOBAL picture);

// Frees a picture the clipboard did not take, with its metafile copy.
void FreeMetafilePicture(HGLOBAL picture);
