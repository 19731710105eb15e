// Pictures loaded from their references: the page's list from a template
// header, or one reference at a time for printing and preview.
#include <cstring>
#include <string>

#include "report/drawing/drawing_container_face.h"
#include "report/drawing/metafiles_face.h"
#include "report/drawing/picture_references_face.h"
#include "report/drawing/pictures_face.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"
#include "services/language_setting_face.h"

namespace {

// The first three characters after the path's last '.', in upper case; empty
// for a path without one.
std::string ExtensionOf(const char* path) {
  const char* dot = std::strrchr(path, '.');
  std::string extension;
  for (int i = 0; dot && i < 3 && dot[1 + i]; ++i) {
    const char c = dot[1 + i];
    extension += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return extension;
}

bool IsDrawingExtension(const std::string& extension) {
  return extension == "DQD" || extension == "ZFD";
}

}  // namespace

int32_t LoadPictureFile(PICTURE_RECORD* picture, const char* path, int32_t drawing_number) {
  if (!picture || !path) return 0;
  const std::string extension = ExtensionOf(path);
  if (extension == "EMF") {
    const HENHMETAFILE emf = GetEnhMetaFileA(path);
    if (!emf) return 0;
    picture->metafile = emf;
    picture->kind = PICTURE_ENHANCED_METAFILE;
    return 1;
  }
  if (extension == "WMF") {
    const HMETAFILE wmf = ReadWindowsMetafile(path, picture->placeable_header, picture);
    if (!wmf) return 0;
    picture->metafile = wmf;
    return 1;
  }
  if (IsDrawingExtension(extension)) {
    if (!LoadDrawing(&picture->drawing, path, drawing_number)) return 0;
    picture->kind = PICTURE_DRAWING;
    return 1;
  }
  return 0;
}

int32_t LoadPictureReference(PICTURE_RECORD* picture, const char* reference, int32_t cell_offset,
                             int32_t drawing_number) {
  PictureReference ref;
  if (!picture || !ParsePictureReference(reference, cell_offset, &ref)) return 0;
  // Drawings are looked for where the name says first (a report's own
  // container is named with its folder, so it is found from any current
  // folder); every other picture comes from the program folder.
  char path[PICTURE_PATH_LENGTH + 1];
  if (IsDrawingExtension(ExtensionOf(ref.name)) && CheckFileExists(ref.name)) {
    std::strcpy(path, ref.name);
  } else if (!JoinPathWithin(path, sizeof path, GetProgramFolder(), ref.name)) {
    return 0;
  }
  if (!CheckFileExists(path) || !LoadPictureFile(picture, path, drawing_number)) return 0;
  picture->first_cell = ref.first_cell;
  picture->last_cell = ref.last_cell;
  return 1;
}

void LoadPagePictures(const char* text) {
  // A list the caller did not empty would be lost with its count.
  FreePictures();
  if (!text) return;
  const std::string copy(text, strnlen(text, 255));
  std::size_t at = 0;
  std::string_view reference;
  int32_t under_text = 0;
  while (PICTURE_LIST.count < PICTURE_LIST_CAPACITY &&
         NextPictureReference(copy, &at, &reference, &under_text)) {
    PICTURES_UNDER_TEXT = under_text;
    // A reference holds at most 79 characters; a longer one is not a
    // reference cut short but none at all.
    if (reference.size() > PICTURE_NAME_LENGTH) continue;
    const std::string one(reference);
    if (LoadPictureReference(&PICTURE_LIST.pictures[PICTURE_LIST.count], one.c_str(), 0, 1))
      ++PICTURE_LIST.count;
  }
}
