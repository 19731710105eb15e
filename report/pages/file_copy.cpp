// Copying one file into another byte for byte, as the report collects a page's
// drawing containers into the run's own container.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "include/holders.h"
#include "include/modal_ui.h"
#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_face.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/pages/report_file_face.h"
#include "services/file_replacement_face.h"
#include "services/language_setting_face.h"

namespace {

// A container whose drawing is missing gets an empty drawing in its place:
// a header of zero bytes, no records, no text.
constexpr DRAWING_HEADER kEmptyDrawingHeader{};

HANDLE OpenForReading(const char* path) {
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

UniqueHandle OpenForAppending(const char* path) {
  UniqueHandle file(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.valid()) SetFilePointer(file.get(), 0, nullptr, FILE_END);
  return file;
}

int32_t CannotCopy() {
  ShowMessageBox(nullptr, "Can not copy file", "K-VEM", MB_OK | MB_ICONERROR);
  return -1;
}

// The file's identity: its volume and index.
bool FileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION& info) {
  const UniqueHandle file(CreateFileA(path, 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && GetFileInformationByHandle(file.get(), &info);
}

std::string FullPath(const char* path) {
  char full[MAX_PATH * 2];
  const DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : std::string(path);
}

// A target that exists must take writing, as it would for an append.
bool CanReplace(const char* target) {
  if (GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) return true;
  return UniqueHandle(CreateFileA(target, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
      .valid();
}

// Copies at most length bytes of the source into the target in blocks; when
// whole, a source that ends before length bytes fails the copy.
int32_t CopyBlocks(HANDLE source, HANDLE target, uint64_t length, bool whole = false) {
  const DWORD block = static_cast<DWORD>(std::min<uint64_t>(length, COPY_BLOCK_SIZE));
  const std::unique_ptr<char[]> buffer(new (std::nothrow) char[block]);
  if (!buffer) return COPY_NO_MEMORY;
  for (uint64_t left = length; left > 0;) {
    DWORD got = 0;
    if (!ReadFile(source, buffer.get(), static_cast<DWORD>(std::min<uint64_t>(left, block)), &got,
                  nullptr))
      return -1;
    if (got == 0) return whole ? -1 : 0;  // the source became shorter
    if (!WriteDrawingFile(target, buffer.get(), got)) return -1;
    left -= got;
  }
  return 0;
}

// A container's bytes read through an open handle.
class HandleDrawingBytes : public DrawingBytes {
 public:
  explicit HandleDrawingBytes(HANDLE file) : file_(file) {}
  int64_t Size() override {
    LARGE_INTEGER size;
    return GetFileSizeEx(file_, &size) ? size.QuadPart : -1;
  }
  bool ReadAt(int64_t offset, void* into, std::size_t size) override {
    LARGE_INTEGER at;
    at.QuadPart = offset;
    DWORD got = 0;
    return size <= MAXDWORD && SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) &&
           ReadFile(file_, into, static_cast<DWORD>(size), &got, nullptr) && got == size;
  }

 private:
  HANDLE file_;
};

}  // namespace

int32_t AppendPageDrawing(const char* source, void* target) {
  if (!target) return -1;
  if (!source)
    return WriteDrawingFile(target, &kEmptyDrawingHeader, sizeof kEmptyDrawingHeader) ? 0 : -1;
  const UniqueHandle in(OpenForReading(source));
  if (!in.valid()) return -1;
  HandleDrawingBytes bytes(in.get());
  DRAWING_HEADER header;
  if (!ReadContainerHeader(bytes, 0, &header)) return -1;
  // The page names a container without a drawing number: its first drawing.
  const uint64_t length = sizeof header +
                          sizeof(DRAWING_RECORD) * static_cast<uint32_t>(header.record_count) +
                          static_cast<uint32_t>(header.text_bytes);
  if (!SetFilePointerEx(in.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return -1;
  return CopyBlocks(in.get(), target, length, true);
}

bool IsSameFile(const char* a, const char* b) {
  if (!a || !b) return false;
  BY_HANDLE_FILE_INFORMATION first, second;
  if (FileIdentity(a, first) && FileIdentity(b, second))
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
  return lstrcmpiA(FullPath(a).c_str(), FullPath(b).c_str()) == 0;
}

int32_t CopyFileContents(const char* source, const char* target, int32_t mode) {
  if (!target || mode < 1 || mode > 3 || (!source && mode != 3)) return -1;
  const bool has_source = source && (mode != 3 || CheckFileExists(source));
  UniqueHandle in;
  LARGE_INTEGER length{};
  if (has_source) {
    in.reset(OpenForReading(source));
    if (!in.valid() || !GetFileSizeEx(in.get(), &length)) return -1;
  }
  if (mode == 1) {
    if (IsSameFile(source, target)) return 0;
    if (!CanReplace(target)) return CannotCopy();
    // The copy takes the target's place only when it is whole.
    ReplacementFile copy(target);
    if (!copy.valid()) return CannotCopy();
    const int32_t result = CopyBlocks(in.get(), copy.get(), static_cast<uint64_t>(length.QuadPart));
    if (result != 0) return result;
    return copy.Replace() ? 0 : -1;
  }
  const UniqueHandle out = OpenForAppending(target);
  if (!out.valid()) return CannotCopy();
  if (!has_source)
    return WriteDrawingFile(out.get(), reinterpret_cast<const char*>(&kEmptyDrawingHeader),
                            sizeof kEmptyDrawingHeader)
               ? 0
               : -1;
  return CopyBlocks(in.get(), out.get(), static_cast<uint64_t>(length.QuadPart));
}
