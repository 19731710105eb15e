// Windows metafiles written to files, with or without a placeable header, and
// a drawing rendered into one.
#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_execution.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/drawing_numbers.h"
#include "report/drawing/metafiles_face.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"
#include "services/file_replacement_face.h"

namespace {

// The header (when there is one) and the metafile's bits, written beside the
// file and put in its place only when whole: a write that falls short leaves
// a file of that name as it was.
int32_t WriteMetafileFile(HMETAFILE metafile, const char* path, const unsigned char* header) {
  if (!metafile || !path) return 0;
  const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
  if (size == 0) return 0;
  const DrawingMemory block(AllocateDrawingMemory(size));
  if (!block) return 0;
  const LockedMemory bits(block.get());
  if (!bits.as() || GetMetaFileBitsEx(metafile, size, bits.as()) == 0) return 0;
  ReplacementFile file(path);
  if (!file.valid()) return 0;
  const bool written = (!header || WriteDrawingFile(file.get(), header, PLACEABLE_HEADER_SIZE)) &&
                       WriteDrawingFile(file.get(), bits.as(), size);
  return written && file.Replace() ? 1 : 0;
}

// Frees a loaded drawing's areas when the rendering ends; the pens stay.
struct DrawingAreasHolder {
  LOADED_DRAWING drawing{};
  ~DrawingAreasHolder() {
    FreeDrawingMemory(static_cast<HGLOBAL>(drawing.records));
    FreeDrawingMemory(static_cast<HGLOBAL>(drawing.texts));
  }
};

}  // namespace

int32_t WritePlaceableMetafile(HMETAFILE metafile, const char* path, RECT box) {
  unsigned char header[PLACEABLE_HEADER_SIZE];
  // A box the header's 16-bit sides cannot hold makes no file at all.
  if (!MakePlaceableHeader(box.left, box.top, box.right, box.bottom, header)) return 0;
  return WriteMetafileFile(metafile, path, header);
}

int32_t WriteMetafile(HMETAFILE metafile, const char* path) {
  return WriteMetafileFile(metafile, path, nullptr);
}

void RenderDrawingMetafile(const char* drawing_name, const char* metafile_name, int32_t width,
                           int32_t height) {
  char drawing_path[FOLDER_BUFFER_SIZE];
  char metafile_path[FOLDER_BUFFER_SIZE];
  if (!drawing_name || !metafile_name ||
      !JoinPathWithin(drawing_path, sizeof drawing_path, GetCaseFolder(), drawing_name) ||
      !JoinPathWithin(metafile_path, sizeof metafile_path, GetCaseFolder(), metafile_name))
    return;
  DrawingAreasHolder held;
  LOADED_DRAWING& drawing = held.drawing;
  if (!LoadDrawing(&drawing, drawing_path, 1) || !drawing.records) return;
  // The scale divides by the width; a drawing without extent draws nothing.
  const int32_t W = drawing.width;
  const int32_t H = drawing.height;
  if (W <= 0 || H <= 0) return;

  CreateDrawingPens();
  const LockedMemory records(static_cast<HGLOBAL>(drawing.records));
  const LockedMemory texts(static_cast<HGLOBAL>(drawing.texts));
  const HDC dc = CreateMetaFileA(nullptr);
  if (!dc) return;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetBkMode(dc, TRANSPARENT);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, width, height, nullptr);
  // 9800 units across; the top of the drawing near y 0.
  const float scale = 1000.0f * 9800.0f / static_cast<float>(W);
  const int32_t extent_height = TruncateToInt32((H - 1000.0) / W * 9800.0);
  ExecuteDrawing(dc, records.as<DRAWING_RECORD>(), drawing.record_count, texts.as<char>(),
                 drawing.text_size, SIZE{9800, extent_height}, POINT{80, TruncateToInt32(scale)},
                 scale);
  const HMETAFILE metafile = CloseMetaFile(dc);
  WritePlaceableMetafile(metafile, metafile_path, RECT{0, 0, 9800, extent_height});
  DeleteMetaFile(metafile);
}
