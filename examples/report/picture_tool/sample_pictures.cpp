// The report samples' pictures, each made by the routine a user's program
// would call for it.
#include "examples/report/picture_tool/sample_pictures.h"

#include <windows.h>

#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/metafiles_face.h"
#include "report/pages/report_file_face.h"
#include "runenv/run_folders_face.h"

namespace sample_pictures {

namespace {

// Width and height of drawing 1 of a drawing file, in thousandths of a
// drawing unit; 0 by 0 when it holds nothing.
SIZE DrawingSize(const std::string& path) {
  LOADED_DRAWING drawing{};
  if (!LoadDrawing(&drawing, path.c_str(), 1)) return {0, 0};
  FreeDrawingMemory(static_cast<HGLOBAL>(drawing.records));
  FreeDrawingMemory(static_cast<HGLOBAL>(drawing.texts));
  return {drawing.width, drawing.height};
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::vector<std::string> MakeSamplePictures(const std::string& folder) {
  SetRunFolders("", (folder + "SAMPLE.QXN").c_str(), "1", "", "SAMPLE");
  for (const std::string& name : MADE) DeleteFileA((folder + name).c_str());

  // The channel arrangement: the drawing page 1 of the template names in
  // the case folder. A run's container takes the first drawing of it for
  // its page, and the sample report's container the same for its own: with
  // one drawing in it, both are copies of the whole file.
  ConvertDrawingFile("PLATE.DQD");
  for (const char* container : {"SAMPLE.ZFD", "expected\\ZOVK1.ZFD"})
    CopyFileContents((folder + "PLATE.ZFD").c_str(), (folder + container).c_str(), 1);

  // One plate, as a placeable metafile. The rendering lays the drawing 9800
  // units across and leaves out its lowest unit; its window is given the
  // size of the metafile's box, so that the box shows the drawing undistorted.
  const SIZE plate = DrawingSize(folder + "PLATEVW.DQD");
  if (plate.cx > 0) {
    const int32_t height = static_cast<int32_t>((plate.cy - 1000.0) / plate.cx * 9800.0);
    RenderDrawingMetafile("PLATEVW.DQD", "PLATEVW.WMF", 9800, height);
  }

  std::vector<std::string> missing;
  for (const std::string& name : MADE)
    if (!Exists(folder + name)) missing.push_back(name);
  return missing;
}

}  // namespace sample_pictures
