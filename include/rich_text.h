// Calls into the rich-text report library (Ostrin.dll, imported by name).
//
// While the library says it is enabled, report pages, breaks and sections go
// to it instead of the text report file. Texts are NUL-terminated; every call
// answers a 32-bit integer. The library's own output is its business: of its
// answers only IsRTFEnabled's is relied on.
#pragma once

#include <cstdint>

#ifdef OSTRIN_BUILD
#define OSTRIN_API extern "C" __declspec(dllexport)
#else
#define OSTRIN_API extern "C" __declspec(dllimport)
#endif

// Nonzero when report output goes to the library.
OSTRIN_API int32_t IsRTFEnabled();
// Fills the page of the rich-text template (full path) named by the page id
// with the field values (separated by byte 3, no byte 25).
OSTRIN_API int32_t ParseRTF(const char* template_path, const char* page_id, const char* field_data);
OSTRIN_API int32_t PageBreak();
OSTRIN_API int32_t ComponentBreak();
OSTRIN_API int32_t TOCBreak();
OSTRIN_API int32_t SectionStart(const char* title);
OSTRIN_API int32_t SectionEnd();
