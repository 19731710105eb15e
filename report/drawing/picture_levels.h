// The levels a metafile picture saves on the context it is played on, kept
// to the picture: which of its RestoreDC records restore, and how far. The
// picture plays as on a context of its own, where its levels are the only
// ones: a level by its number counts from the picture's first, and a
// restore that would reach below the picture's own levels fails there and
// changes nothing, so it is left out. Platform-free.
#pragma once

#include <cstdint>

// How many of the picture's own levels one of its RestoreDC records takes
// back while `held` of them are saved and not yet restored: the record's
// level is a count back when negative (-1 the last saved) and the
// picture's own level by its number when positive (1 its first). 0 for a
// record that names no level or one below the picture's own.
int32_t OwnLevelsRestored(int32_t held, int32_t level);
