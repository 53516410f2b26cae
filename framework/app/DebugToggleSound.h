#pragma once

#include "platform/AudioBuffer.h"

#include <memory>

namespace Quib
{

// The short confirmation cue of the developer-key switch: two rising notes,
// faded in and out so that they do not click.
std::shared_ptr<const platform::AudioBuffer> DebugToggleSound();

} // namespace Quib
