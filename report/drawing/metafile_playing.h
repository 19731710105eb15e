// Metafile pictures played record by record onto a device context, their
// own SaveDC and RestoreDC records held to the levels they save themselves:
// whatever a picture's records do, none restores a level of the context's
// from before the picture. The levels a picture saves and does not restore
// stay for the caller to put back with the level it saved before the
// picture.
#pragma once

#include <windows.h>

// As PlayEnhMetaFile: the picture's frame mapped onto the rectangle.
bool PlayEnhancedPicture(HDC dc, HENHMETAFILE metafile, const RECT& rect);
// As PlayMetaFile: the picture in the context's mapping, the context's clip
// put back after it.
bool PlayWindowsPicture(HDC dc, HMETAFILE metafile);
