#pragma once

#include "bench/graphics/BenchFrames.h"

#include <pixman.h>

// pixman's side of the sprite rows: the sprite composited at every place of the
// frames, onto a frame of any format.
namespace benchframes
{

inline void CompositeSprites(pixman_op_t op, pixman_image_t* sprite, pixman_image_t* mask,
                             pixman_image_t* frame)
{
    for (const Placement& place : GetFrames().places)
        pixman_image_composite32(op, sprite, mask, frame, 0, 0, 0, 0, place.x, place.y, kSpriteSize,
                                 kSpriteSize);
}

// Tinting scales each colour of the source by its own share but keeps what is
// beneath by the tinted alpha alone, which one pixman operator cannot do with
// a component-alpha mask: what lies beneath is first taken down by the tinted
// alpha (OUT_REVERSE through the alpha mask), then the tinted colours are added.
inline void CompositeTintedSprites(pixman_image_t* sprite, pixman_image_t* tintMask,
                                   pixman_image_t* tintAlpha, pixman_image_t* frame)
{
    for (const Placement& place : GetFrames().places)
    {
        pixman_image_composite32(PIXMAN_OP_OUT_REVERSE, sprite, tintAlpha, frame, 0, 0, 0, 0, place.x,
                                 place.y, kSpriteSize, kSpriteSize);
        pixman_image_composite32(PIXMAN_OP_ADD, sprite, tintMask, frame, 0, 0, 0, 0, place.x, place.y,
                                 kSpriteSize, kSpriteSize);
    }
}

} // namespace benchframes
