#include "game/minigames/common/PictureMask.h"

#include "framework/graphics/MemoryImage.h"

AlphaMask MaskOfPicture(Quib::Image* picture)
{
    auto* memory = dynamic_cast<Quib::MemoryImage*>(picture);
    if (memory == nullptr)
        return AlphaMask();
    return AlphaMask::FromArgb(memory->GetWidth(), memory->GetHeight(), memory->GetBits());
}
