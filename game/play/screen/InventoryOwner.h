#pragma once

#include "game/play/PlayfieldModel.h"
#include "game/play/screen/ItemAnimation.h"

#include <cstddef>
#include <vector>

namespace Quib
{
class DDImage;
}

// What the inventory strip reads of the playfield it belongs to: the items
// with their pictures, and the flights that bring pieces into the strip.
class InventoryOwner
{
public:
    virtual ~InventoryOwner() = default;

    virtual const std::vector<PlayfieldItem>& PlayfieldItems() const = 0;
    // Null for an item whose picture did not load.
    virtual Quib::DDImage* PictureOf(size_t index) const = 0;
    virtual const ItemAnimation& AnimationOf(size_t index) const = 0;
};
