#pragma once

#include <pixman.h>

// The tint the tinted rows draw with, Color(255, 200, 120, 200), as a pixman mask that
// scales every channel of the source as ours does: each channel by its colour
// component times the colour's alpha, the alpha by the colour's alpha. Its
// colour channels alone cannot also scale what lies beneath (which ours keeps by
// the tinted alpha): TintAlphaMask is the colour's alpha alone, for that.
inline pixman_image_t* TintMask()
{
    const auto share = [](int component) { return uint16_t(component * 200 / 255 * 0x101); };
    const pixman_color_t tint = {share(255), share(200), share(120), 200 * 0x101};
    pixman_image_t* mask = pixman_image_create_solid_fill(&tint);
    pixman_image_set_component_alpha(mask, 1);
    return mask;
}

inline pixman_image_t* TintAlphaMask()
{
    const pixman_color_t alpha = {0, 0, 0, 200 * 0x101};
    return pixman_image_create_solid_fill(&alpha);
}
