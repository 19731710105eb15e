// Arrays sized at run time from the repository's counts.
//
// An allocation that fails, or whose byte size would not fit in 64 bits,
// raises NO_MEMORY_CODE through LoaderRaiseError, which does not return: its
// structured exception is caught by the entry point's guard, and the frames in
// between are left without their destructors running. A routine therefore
// keeps its arrays in static storage of its own file, never in locals: an
// array that a raised call leaves behind is freed by that routine's next
// Allocate, by its Free, or when the library is unloaded, so nothing piles up
// from call to call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

// A count below 1 is taken as 1 wherever an array is sized from a count.
inline int64_t AtLeastOne(int64_t count) { return count < 1 ? 1 : count; }

// count elements of per_element values of value_bytes each, after a 64-bit
// overflow test of the byte size; a count below 1 counts as 1. Answers null
// when the size does not fit or the memory is not there; does not raise.
void* TryAllocateArray(int64_t count, int64_t per_element, std::size_t value_bytes);
void FreeArray(void* array);

// LoaderRaiseError with NO_MEMORY_CODE (1400).
void RaiseNoMemory();

// How many arrays are held at this moment, over the whole process.
int64_t LiveArrayCount();

// One run-time sized array of T, indexed from 0, with per_element T values to
// an element (texts: their length in characters).
template <class T>
class HeapArray {
 public:
  HeapArray() = default;
  ~HeapArray() { Free(); }
  HeapArray(const HeapArray&) = delete;
  HeapArray& operator=(const HeapArray&) = delete;

  // Frees what is held, then holds count elements (at least 1), not
  // initialised. Answers false, holding nothing, when the allocation fails.
  bool Allocate(int64_t count, int64_t per_element = 1) {
    Free();
    void* p = TryAllocateArray(count, per_element, sizeof(T));
    if (!p) return false;
    p_ = static_cast<T*>(p);
    n_ = AtLeastOne(count) * AtLeastOne(per_element);
    return true;
  }
  void Free() {
    FreeArray(std::exchange(p_, nullptr));
    n_ = 0;
  }
  void Fill(const T& value) {
    for (int64_t i = 0; i < n_; ++i) p_[i] = value;
  }

  T* data() const { return p_; }
  // The number of T values held.
  int64_t size() const { return n_; }
  bool held() const { return p_ != nullptr; }
  T& operator[](int64_t i) const { return p_[i]; }

 private:
  T* p_ = nullptr;
  int64_t n_ = 0;
};

// The six arrays of one repository record, read whole: RPGETS fills the
// counts N1 to N6, Allocate sizes the arrays from them and RPGETD fills the
// arrays with the raised counts:
//   RPGETS(id, id_len, name, name_len, &r.N1, &r.N2, &r.N3, &r.N4, &r.N5, &r.N6, err);
//   if (!r.Allocate()) return;
//   RPGETD(id, id_len, name, name_len, &r.N1, r.IVALS.data(), &r.N2, r.XVALS2.data(),
//          &r.N3, r.RVALS.data(), &r.N4, r.XVALS4.data(), &r.N5, r.SVALS.data(),
//          r.TEXT_LENGTH, &r.N6, r.XVALS6.data(), err);
//   ... r.Free();
struct RecordArrays {
  explicit RecordArrays(int64_t text_length = 32) : TEXT_LENGTH(text_length) {}

  // Raises every count below 1 to 1 (the raised counts replace the counts),
  // frees what an earlier call left, then allocates IVALS, RVALS, SVALS,
  // XVALS2, XVALS4 and XVALS6 in this order, each only when the one before
  // succeeded, and fills them with 0, 0.0 and blanks. The first failure
  // raises NO_MEMORY_CODE; the arrays allocated before it stay held until the
  // next Allocate or Free. Answers true when all six are held (false only if
  // the raise came back).
  bool Allocate();
  // Frees the six arrays, in the order of their allocation.
  void Free();

  // Element k (from 1) of SVALS, TEXT_LENGTH characters.
  char* Text(int64_t k) const { return SVALS.data() + (k - 1) * TEXT_LENGTH; }

  int64_t N1 = 0, N2 = 0, N3 = 0, N4 = 0, N5 = 0, N6 = 0;
  const int64_t TEXT_LENGTH;
  HeapArray<int64_t> IVALS;
  HeapArray<int64_t> XVALS2;
  HeapArray<double> RVALS;
  HeapArray<int64_t> XVALS4;
  HeapArray<char> SVALS;
  HeapArray<int64_t> XVALS6;
};
