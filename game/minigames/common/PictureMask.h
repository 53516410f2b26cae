#pragma once

#include "game/minigames/common/AlphaMask.h"

namespace Quib
{
class Image;
}

// The visible pixels of a picture held in memory; empty for any other picture.
AlphaMask MaskOfPicture(Quib::Image* picture);
