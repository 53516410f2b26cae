#pragma once

#include "game/play/PlayfieldModel.h"

#include <optional>
#include <utility>

// The first point, row by row, where a click reaches the item itself: well
// inside its shape (alpha of at least half) and not covered by an item above
// it, and so are the points up to `margin` pixels around it (a pointer scaled
// from a larger window may land a pixel off). With ignoreAlpha the rectangle
// alone counts. None when no such point exists.
std::optional<std::pair<int32_t, int32_t>> ShownPointOf(const PlayfieldModel& model, size_t index,
                                                        bool ignoreAlpha, int32_t margin = 0);
