// Owners of platform resources: BSTRs, COM pointers, kernel handles, find
// handles and C files. Each releases what it holds on every path.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

// One BSTR, made from an ANSI text (code page CP_ACP).
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::string_view ansi) { reset(ansi); }
  ~Bstr() { SysFreeString(s_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& o) noexcept : s_(std::exchange(o.s_, nullptr)) {}
  Bstr& operator=(Bstr&& o) noexcept {
    if (this != &o) {
      SysFreeString(s_);
      s_ = std::exchange(o.s_, nullptr);
    }
    return *this;
  }

  void reset(std::string_view ansi) {
    SysFreeString(s_);
    s_ = nullptr;
    // Variable names and value texts are plain ASCII, which every ANSI code
    // page maps to the same characters: widened here without asking the
    // platform twice for each of the thousands of texts a run puts.
    if (IsAscii(ansi)) {
      s_ = SysAllocStringLen(nullptr, static_cast<UINT>(ansi.size()));
      if (s_)
        for (std::size_t i = 0; i < ansi.size(); ++i) s_[i] = static_cast<OLECHAR>(ansi[i]);
      return;
    }
    const int wide = ansi.empty() ? 0
                                  : MultiByteToWideChar(CP_ACP, 0, ansi.data(),
                                                        static_cast<int>(ansi.size()), nullptr, 0);
    s_ = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (s_ && wide > 0)
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), s_, wide);
  }
  BSTR get() const { return s_; }
  // For an out argument: frees what is held and hands out the slot.
  BSTR* out() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }
  // For an in-and-out argument: keeps what is held.
  BSTR* inout() { return &s_; }
  BSTR release() { return std::exchange(s_, nullptr); }

  // The text in the ANSI code page.
  std::string ansi() const { return ToAnsi(s_); }

  static std::string ToAnsi(BSTR s) {
    const int wide = static_cast<int>(SysStringLen(s));
    if (wide == 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, s, wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, s, wide, out.data(), n, nullptr, nullptr);
    return out;
  }

 private:
  static bool IsAscii(std::string_view text) {
    for (char c : text)
      if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
  }

  BSTR s_ = nullptr;
};

// One reference to a COM object.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr& operator=(const ComPtr& o) {
    if (this != &o) {
      if (o.p_) o.p_->AddRef();
      reset();
      p_ = o.p_;
    }
    return *this;
  }
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }
  // Takes over a reference the caller already owns.
  static ComPtr Adopt(T* p) {
    ComPtr c;
    c.p_ = p;
    return c;
  }
  // Adds a reference of its own.
  static ComPtr Share(T* p) {
    if (p) p->AddRef();
    return Adopt(p);
  }

  void reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** out() {
    reset();
    return &p_;
  }
  T* release() { return std::exchange(p_, nullptr); }

 private:
  T* p_ = nullptr;
};

// A kernel handle closed with CloseHandle; INVALID_HANDLE_VALUE and null are none.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  void reset(HANDLE h = nullptr) {
    if (valid()) CloseHandle(h_);
    h_ = h;
  }
  bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  HANDLE release() { return std::exchange(h_, nullptr); }

 private:
  HANDLE h_ = nullptr;
};

// A search handle from FindFirstFileA, closed with FindClose.
class UniqueFindHandle {
 public:
  explicit UniqueFindHandle(HANDLE h) : h_(h) {}
  ~UniqueFindHandle() {
    if (valid()) FindClose(h_);
  }
  UniqueFindHandle(const UniqueFindHandle&) = delete;
  UniqueFindHandle& operator=(const UniqueFindHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  // Closes the search now and answers FindClose's result.
  BOOL close() { return valid() ? FindClose(std::exchange(h_, INVALID_HANDLE_VALUE)) : FALSE; }

 private:
  HANDLE h_;
};

// A C file closed with fclose.
class UniqueFile {
 public:
  UniqueFile() = default;
  explicit UniqueFile(FILE* f) : f_(f) {}
  ~UniqueFile() { reset(); }
  UniqueFile(const UniqueFile&) = delete;
  UniqueFile& operator=(const UniqueFile&) = delete;
  UniqueFile(UniqueFile&& o) noexcept : f_(std::exchange(o.f_, nullptr)) {}
  void reset(FILE* f = nullptr) {
    if (f_) fclose(f_);
    f_ = f;
  }
  FILE* get() const { return f_; }
  explicit operator bool() const { return f_ != nullptr; }
  FILE* release() { return std::exchange(f_, nullptr); }

 private:
  FILE* f_ = nullptr;
};

// An open registry key closed with RegCloseKey.
class UniqueRegKey {
 public:
  UniqueRegKey() = default;
  ~UniqueRegKey() { reset(); }
  UniqueRegKey(const UniqueRegKey&) = delete;
  UniqueRegKey& operator=(const UniqueRegKey&) = delete;
  void reset() {
    if (k_) RegCloseKey(std::exchange(k_, nullptr));
  }
  HKEY get() const { return k_; }
  // For RegOpenKeyExA and RegCreateKeyExA: closes what is held and hands out the slot.
  HKEY* out() {
    reset();
    return &k_;
  }

 private:
  HKEY k_ = nullptr;
};

// A GDI object (pen, brush, font, bitmap, region) deleted with DeleteObject.
class UniqueGdiObject {
 public:
  UniqueGdiObject() = default;
  explicit UniqueGdiObject(HGDIOBJ o) : o_(o) {}
  ~UniqueGdiObject() { reset(); }
  UniqueGdiObject(const UniqueGdiObject&) = delete;
  UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
  UniqueGdiObject(UniqueGdiObject&& o) noexcept : o_(std::exchange(o.o_, nullptr)) {}
  void reset(HGDIOBJ o = nullptr) {
    if (o_) DeleteObject(o_);
    o_ = o;
  }
  HGDIOBJ get() const { return o_; }
  explicit operator bool() const { return o_ != nullptr; }

 private:
  HGDIOBJ o_ = nullptr;
};

// An object selected into a device context for the holder's lifetime; the
// object it replaced is selected again at the end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The state of a device context (mapping, clip, selections, modes) saved for
// the holder's lifetime and put back at its end, at the level this holder
// saved, whatever levels were saved or restored on the context meanwhile (a
// metafile played on it runs its own SaveDC and RestoreDC records). A Windows
// metafile being recorded keeps no levels (its SaveDC answers 1, and a level
// restored by number would be its player's), so there the holder counts one
// level back; nothing unbalanced is ever recorded into one.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc)
      : dc_(dc), level_(dc ? SaveDC(dc) : 0), recording_(GetObjectType(dc) == OBJ_METADC) {}
  ~SavedDcState() {
    if (level_ > 0) RestoreDC(dc_, recording_ ? -1 : level_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int level_;
  bool recording_;
};

// A device context from GetDC, released with ReleaseDC: a window's, or with
// ScreenDc the screen's. A null window gives no device context (never the
// screen's by accident).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(window ? GetDC(window) : nullptr) {}
  ~WindowDc() { release(); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  // Releases now; answers ReleaseDC's result (0 when nothing was held).
  int release() { return dc_ ? ReleaseDC(window_, std::exchange(dc_, nullptr)) : 0; }

 protected:
  struct Screen {};
  explicit WindowDc(Screen) : window_(nullptr), dc_(GetDC(nullptr)) {}

 private:
  HWND window_;
  HDC dc_;
};

class ScreenDc : public WindowDc {
 public:
  ScreenDc() : WindowDc(Screen{}) {}
};

// A window's painting between BeginPaint and EndPaint.
class WindowPaint {
 public:
  explicit WindowPaint(HWND window) : window_(window), paint_{} {
    dc_ = window ? BeginPaint(window, &paint_) : nullptr;
  }
  ~WindowPaint() {
    if (dc_) EndPaint(window_, &paint_);
  }
  WindowPaint(const WindowPaint&) = delete;
  WindowPaint& operator=(const WindowPaint&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

// A block of global memory freed with GlobalFree, unless handed on.
class GlobalMemory {
 public:
  GlobalMemory() = default;
  explicit GlobalMemory(HGLOBAL block) : block_(block) {}
  ~GlobalMemory() { reset(); }
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;
  GlobalMemory(GlobalMemory&& o) noexcept : block_(std::exchange(o.block_, nullptr)) {}
  GlobalMemory& operator=(GlobalMemory&& o) noexcept {
    if (this != &o) {
      reset();
      block_ = std::exchange(o.block_, nullptr);
    }
    return *this;
  }
  void reset(HGLOBAL block = nullptr) {
    if (block_) GlobalFree(block_);
    block_ = block;
  }
  HGLOBAL get() const { return block_; }
  HGLOBAL release() { return std::exchange(block_, nullptr); }
  explicit operator bool() const { return block_ != nullptr; }

 private:
  HGLOBAL block_ = nullptr;
};

// A Windows metafile deleted with DeleteMetaFile, unless handed on.
class UniqueMetafile {
 public:
  explicit UniqueMetafile(HMETAFILE metafile = nullptr) : metafile_(metafile) {}
  ~UniqueMetafile() {
    if (metafile_) DeleteMetaFile(metafile_);
  }
  UniqueMetafile(const UniqueMetafile&) = delete;
  UniqueMetafile& operator=(const UniqueMetafile&) = delete;
  HMETAFILE get() const { return metafile_; }
  HMETAFILE release() { return std::exchange(metafile_, nullptr); }

 private:
  HMETAFILE metafile_;
};

// A device context made with CreateCompatibleDC or CreateDCA, deleted with
// DeleteDC.
class UniqueDc {
 public:
  explicit UniqueDc(HDC dc = nullptr) : dc_(dc) {}
  ~UniqueDc() {
    if (dc_) DeleteDC(dc_);
  }
  UniqueDc(const UniqueDc&) = delete;
  UniqueDc& operator=(const UniqueDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};
