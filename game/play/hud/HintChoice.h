#pragma once

#include "game/play/PlayfieldModel.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The items a hint shows, by index into the playfield's items: one wanted
// item, chosen by a number from `random` modulo the idle ones, while any is left on the
// list; once the list is done, every idle piece still in the picture, except
// in the first scene, where a hint then shows nothing. A found item still on
// its way to the list (`isArriving`) keeps the list open until it arrives, so
// a hint asked for meanwhile shows nothing. An empty result costs no hint.
std::vector<size_t> ChooseHintTargets(const PlayfieldModel& model, bool firstScene,
                                      const std::function<bool(size_t)>& isIdle,
                                      const std::function<bool(size_t)>& isArriving,
                                      const std::function<int32_t()>& random);
