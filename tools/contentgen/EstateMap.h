#pragma once

#include "tools/contentgen/Canvas.h"

namespace contentgen
{

class PaintContext;

// The estate map the level map zooms over: grounds around the house's plan,
// each scene's room drawn and named where its marker pin points.
void paintEstateMap(Canvas& canvas, PaintContext& context);

// The picture faded over the map while a level is shown: the area's name on
// a cartouche and darkened edges, the middle left clear for the map and pins.
void paintAreaPicture(Canvas& canvas, int area);

} // namespace contentgen
