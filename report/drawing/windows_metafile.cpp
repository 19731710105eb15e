// Windows metafile files read as pictures, with or without a placeable header.
#include <cstring>

#include "include/holders.h"
#include "include/modal_ui.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/metafiles_face.h"
#include "report/drawing/pictures_face.h"

HGLOBAL METAFILE_BITS = nullptr;

namespace {

// Shown without owner and caption.
void ShowMetafileMessage(const char* text) {
  ShowMessageBox(nullptr, text, nullptr, MB_OK | MB_ICONERROR);
}

void ReleaseMetafileBits() {
  FreeDrawingMemory(METAFILE_BITS);
  METAFILE_BITS = nullptr;
}

}  // namespace

HMETAFILE ReadWindowsMetafile(const char* path, unsigned char* header, PICTURE_RECORD* picture) {
  UniqueFile file(path ? std::fopen(path, "rb") : nullptr);
  if (!file) return nullptr;
  FileDrawingBytes bytes(file.get());
  unsigned char placeable[PLACEABLE_HEADER_SIZE];
  uint32_t bits_bytes = 0;
  switch (CheckPlaceableMetafile(bytes, placeable, &bits_bytes)) {
    case PlaceableCheck::plain: {
      file.reset();
      const HMETAFILE plain = GetMetaFileA(path);
      if (plain && picture) picture->kind = PICTURE_WINDOWS_METAFILE;
      return plain;
    }
    case PlaceableCheck::no_placeable_header:
      ShowMetafileMessage("Unable to read placeable header");
      return nullptr;
    case PlaceableCheck::no_metafile_header:
      ShowMetafileMessage("Unable to read metafile header");
      return nullptr;
    case PlaceableCheck::bad_size:
      ShowMetafileMessage("Unable to read metafile bits");
      return nullptr;
    case PlaceableCheck::sound:
      break;
  }
  ReleaseMetafileBits();
  METAFILE_BITS = AllocateDrawingMemory(bits_bytes);
  if (!METAFILE_BITS) {
    ShowMetafileMessage("Unable to allocate memory for metafile bits");
    return nullptr;
  }
  HMETAFILE metafile = nullptr;
  {
    const LockedMemory bits(METAFILE_BITS);
    if (bits.as() && bytes.ReadAt(PLACEABLE_HEADER_SIZE, bits.as(), bits_bytes))
      metafile = SetMetaFileBitsEx(bits_bytes, bits.as<BYTE>());
  }
  if (!metafile) {
    ShowMetafileMessage("Unable to read metafile bits");
    ReleaseMetafileBits();
    return nullptr;
  }
  if (header) std::memcpy(header, placeable, PLACEABLE_HEADER_SIZE);
  if (picture) picture->kind = PICTURE_PLACEABLE_METAFILE;
  return metafile;
}
