// The writers of drawing containers: a drawing text file converted into a
// container of its own, a drawing appended to a container, and any file
// wrapped as one drawing. A write that falls short never leaves half a
// drawing behind: a conversion is written beside its target and replaces it
// only when complete, and an append cuts the container back to its old
// length.
#include <windows.h>

#include <cstring>

#include "include/holders.h"
#include "include/modal_ui.h"
#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_memory_face.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"
#include "services/file_replacement_face.h"

namespace {

constexpr const char* kNoMemory = "Sorry, not enough memory to open more file.";

void ShowWriterMessage(const char* text, const char* caption) {
  ShowMessageBox(nullptr, text, caption, MB_OK | MB_ICONERROR);
}

using PathBuffer = char[FOLDER_BUFFER_SIZE];

// The case folder followed by the name; false when it does not fit.
bool CasePath(PathBuffer& path, const char* name) {
  return name && JoinPathWithin(path, sizeof path, GetCaseFolder(), name);
}

// The file name: what follows the path's last separator.
char* FileNameOf(char* path) {
  char* name = path;
  for (char* c = path; *c; ++c)
    if (*c == '\\' || *c == '/' || *c == ':') name = c + 1;
  return name;
}

// Replaces the file name's extension (from its last '.') by extension, or
// adds it to a name without one; false when the path would not fit.
bool SetExtension(PathBuffer& path, const char* extension, bool only_when_missing) {
  char* name = FileNameOf(path);
  char* dot = std::strrchr(name, '.');
  if (dot && only_when_missing) return true;
  char* at = dot ? dot : name + std::strlen(name);
  if (static_cast<std::size_t>(at - path) + std::strlen(extension) >= sizeof path) return false;
  std::strcpy(at, extension);
  return true;
}

// The first drawing of a drawing file, read into areas of its own.
struct DrawingAreas {
  DrawingMemory records;
  DrawingMemory texts;
  int32_t count = 0;
  int32_t text_bytes = 0;
  float width = 0.0f;
  float height = 0.0f;
};

// Reads drawing 1 of path into areas; a file with no record reads as nothing
// without a message, memory that is not there shows the message with the
// caption of the area that failed.
bool ReadFirstDrawing(const char* path, const char* text_caption, const char* record_caption,
                      DrawingAreas& areas) {
  CountDrawingData(path, &areas.count, &areas.text_bytes, 1);
  if (areas.count < 1 || areas.text_bytes < 0) return false;
  const uint64_t text_room = areas.text_bytes > 0 ? uint64_t(areas.text_bytes) + 10 : 0;
  const uint64_t record_room = uint64_t(areas.count) * sizeof(DRAWING_RECORD) + 1;
  if (text_room > 0) {
    areas.texts.reset(AllocateDrawingMemory(text_room));
    if (!areas.texts) {
      ShowWriterMessage(kNoMemory, text_caption);
      return false;
    }
  }
  areas.records.reset(AllocateDrawingMemory(record_room));
  if (!areas.records) {
    ShowWriterMessage(kNoMemory, record_caption);
    return false;
  }
  const LockedMemory records(areas.records.get());
  const LockedMemory texts(areas.texts.get());
  int32_t built = 0;
  ReadDrawingData(path, &built, records.as<DRAWING_RECORD>(), std::size_t(areas.count),
                  texts.as<char>(), std::size_t(text_room), &areas.width, &areas.height, 1);
  // The file changed between the two reads.
  if (built != areas.count) return false;
  return true;
}

// The header, the records and the text bytes of one drawing.
bool WriteDrawing(HANDLE file, const DRAWING_HEADER& header, const void* records,
                  const void* texts) {
  return WriteDrawingFile(file, &header, sizeof header) &&
         WriteDrawingFile(file, records, uint64_t(header.record_count) * sizeof(DRAWING_RECORD)) &&
         WriteDrawingFile(file, texts, uint64_t(header.text_bytes));
}

bool WriteDrawing(HANDLE file, const DRAWING_HEADER& header, const DrawingAreas& areas) {
  const LockedMemory records(areas.records.get());
  const LockedMemory texts(areas.texts.get());
  return WriteDrawing(file, header, records.as(), texts.as());
}

// Writes one drawing as the whole container at path. It is written beside
// the container, so that a container being converted in place, or one that a
// failed write would cut short, stays as it was; the side file is gone again
// before anything is said. Answers the message for what failed, or null.
const char* ReplaceContainer(const char* path, const DRAWING_HEADER& header,
                             const DrawingAreas& areas) {
  ReplacementFile file(path);
  if (!file.valid()) return "Can not create file";
  if (!WriteDrawing(file.get(), header, areas)) return "Can not write to file";
  return file.Replace() ? nullptr : "Can not create file";
}

enum class Appended { done, cannot_open, write_failed };

// Appends to the container through write(handle); when that falls short the
// container is cut back to the length it had, and one this call made is
// removed.
template <class Write>
Appended AppendToContainer(const char* path, Write write) {
  const bool existed = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
  UniqueHandle file(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Appended::cannot_open;
  LARGE_INTEGER old_length{};
  if (!GetFileSizeEx(file.get(), &old_length) ||
      !SetFilePointerEx(file.get(), old_length, nullptr, FILE_BEGIN))
    return Appended::cannot_open;
  if (write(file.get())) return Appended::done;
  SetFilePointerEx(file.get(), old_length, nullptr, FILE_BEGIN);
  SetEndOfFile(file.get());
  file.reset();
  if (!existed) DeleteFileA(path);
  return Appended::write_failed;
}

}  // namespace

void ConvertDrawingFile(const char* name) {
  PathBuffer path;
  if (!CasePath(path, name)) return;
  // Only the file name decides: a folder such as "CASES.V2" gives it no extension.
  if (!SetExtension(path, ".DQD", true)) return;
  DrawingAreas areas;
  if (!ReadFirstDrawing(path, "K-VME", "K-VEM", areas)) return;
  if (!SetExtension(path, ".ZFD", false)) return;

  const DRAWING_HEADER header =
      MakeDrawingHeader("", areas.count, areas.text_bytes, areas.width, areas.height);
  if (const char* failed = ReplaceContainer(path, header, areas))
    ShowWriterMessage(failed, "K-VEM");
}

void AppendDrawingFile(const char* source_name, const char* container_name, const char* title) {
  PathBuffer source;
  PathBuffer container;
  if (!CasePath(source, source_name) || !CasePath(container, container_name)) return;
  DrawingAreas areas;
  if (!ReadFirstDrawing(source, "K-VEM", "K-VEM", areas)) return;
  const DRAWING_HEADER header =
      MakeDrawingHeader(title, areas.count, areas.text_bytes, areas.width, areas.height);
  switch (AppendToContainer(container,
                            [&](HANDLE file) { return WriteDrawing(file, header, areas); })) {
    case Appended::cannot_open:
      ShowWriterMessage("Can not create file", "K-VEM");
      return;
    case Appended::write_failed:
      ShowWriterMessage("Can not write to file", "K-VEM");
      return;
    case Appended::done:
      return;
  }
}

void AppendFileAsDrawing(const char* source_name, const char* container_name, const char* title) {
  PathBuffer source_path;
  PathBuffer container;
  if (!CasePath(source_path, source_name) || !CasePath(container, container_name)) return;
  DrawingMemory content;
  LARGE_INTEGER size{};
  {
    UniqueHandle source(CreateFileA(source_path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source.valid() || !GetFileSizeEx(source.get(), &size)) return;
    // The text byte count of a header holds less than 2 GiB.
    if (size.QuadPart < 0 || size.QuadPart > INT32_MAX) return;
    if (size.QuadPart > 0) {
      content.reset(AllocateDrawingMemory(uint64_t(size.QuadPart)));
      if (!content) return;
      const LockedMemory bytes(content.get());
      DWORD read = 0;
      if (!ReadFile(source.get(), bytes.as(), DWORD(size.QuadPart), &read, nullptr) ||
          read != DWORD(size.QuadPart))
        return;
    }
  }
  const DRAWING_HEADER header = MakeDrawingHeader(title, 1, int32_t(size.QuadPart), 1.0f, 1.0f);
  DRAWING_RECORD move;
  std::memset(&move, 0, sizeof move);
  move.letter = 'M';
  const LockedMemory bytes(content.get());
  AppendToContainer(container,
                    [&](HANDLE file) { return WriteDrawing(file, header, &move, bytes.as()); });
}
