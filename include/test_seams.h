// Failures the tests inject into the library: each call arms a countdown, so
// that the nth check of its kind from then on (1: the next one) fails once;
// 0 or less disarms it. Nothing in the library calls these.
#pragma once

#include <cstdint>

// The nth array allocation of the computational side fails as if the memory
// had run out.
void FailArrayAllocation(int64_t nth);

// The nth allocation of drawing memory fails.
void FailDrawingMemory(int64_t nth);

// The nth write of a drawing, metafile or copied file fails, as on a full disk.
void FailDrawingFileWrite(int64_t nth);

// The nth report page written fails partway, as on a full disk.
void FailReportPageWrite(int64_t nth);
