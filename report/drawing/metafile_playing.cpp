// Metafile pictures played record by record, their SaveDC and RestoreDC
// records kept to their own levels.
#include "report/drawing/metafile_playing.h"

#include <cstdint>

#include "include/holders.h"
#include "report/drawing/picture_levels.h"

namespace {

// A picture being played: its own levels saved on the context and not yet
// restored, and whether a record without length ended it.
struct Playing {
  int32_t held = 0;
  bool cut_short = false;
};

int CALLBACK PlayEnhancedRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record,
                                int handles, LPARAM data) {
  Playing& playing = *reinterpret_cast<Playing*>(data);
  // The enumeration steps by the record's length: one without length would
  // be met again and again.
  if (record->nSize < sizeof(EMR)) {
    playing.cut_short = true;
    return 0;
  }
  if (record->iType == EMR_SAVEDC) ++playing.held;
  if (record->iType == EMR_RESTOREDC) {
    const int32_t level = record->nSize >= sizeof(EMRRESTOREDC)
                              ? reinterpret_cast<const EMRRESTOREDC*>(record)->iRelative
                              : 0;
    const int32_t restored = OwnLevelsRestored(playing.held, level);
    if (restored == 0) return 1;
    playing.held -= restored;
    // Played as a record, not restored directly: the player keeps the
    // picture's mapping of each level beside the context's.
    const EMRRESTOREDC own = {{EMR_RESTOREDC, sizeof(EMRRESTOREDC)}, -restored};
    return PlayEnhMetaFileRecord(dc, table, reinterpret_cast<const ENHMETARECORD*>(&own),
                                 static_cast<UINT>(handles));
  }
  return PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
}

int CALLBACK PlayWindowsRecord(HDC dc, HANDLETABLE* table, METARECORD* record, int handles,
                               LPARAM data) {
  Playing& playing = *reinterpret_cast<Playing*>(data);
  // PlayMetaFile ends a picture at a record shorter than a record's own
  // size and function; the enumeration would meet one without length again
  // and again.
  if (record->rdSize < 3) {
    playing.cut_short = true;
    return 0;
  }
  if (record->rdFunction == META_SAVEDC) ++playing.held;
  if (record->rdFunction == META_RESTOREDC) {
    const int32_t level = record->rdSize >= 4 ? static_cast<SHORT>(record->rdParm[0]) : 0;
    const int32_t restored = OwnLevelsRestored(playing.held, level);
    playing.held -= restored;
    // All the record itself would do; a Windows metafile keeps no mapping
    // of its own beside the context's.
    if (restored > 0) RestoreDC(dc, -restored);
    return 1;
  }
  // As PlayMetaFile, a record that fails does not end the picture.
  PlayMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
  return 1;
}

}  // namespace

bool PlayEnhancedPicture(HDC dc, HENHMETAFILE metafile, const RECT& rect) {
  Playing playing;
  return EnumEnhMetaFile(dc, metafile, PlayEnhancedRecord, &playing, &rect) != 0 ||
         playing.cut_short;
}

bool PlayWindowsPicture(HDC dc, HMETAFILE metafile) {
  // PlayMetaFile puts back the clip it found, which the enumeration leaves
  // to its caller.
  const UniqueGdiObject clip(CreateRectRgn(0, 0, 0, 0));
  const HRGN found = static_cast<HRGN>(clip.get());
  const bool clipped = found && GetClipRgn(dc, found) == 1;
  Playing playing;
  const bool played =
      EnumMetaFile(dc, metafile, PlayWindowsRecord, reinterpret_cast<LPARAM>(&playing)) != 0 ||
      playing.cut_short;
  if (found) SelectClipRgn(dc, clipped ? found : nullptr);
  return played;
}
