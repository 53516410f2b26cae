// The rotating-tiles pictures: a room with large objects centred on the inner
// corners of the 4 x 4 tiles, so every tile shows part of an upright object
// and its neighbours continue it, which tells both its turn and its place.
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>

namespace contentgen
{

bool paintTilePicture(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    if (entry.painter != "tilepicture")
        return false;
    const std::string theme = entry.setting("theme");
    paintRoom(canvas, theme, seedOf(entry.id));
    const std::vector<char32_t> objects = codePoints(entry.setting("emoji"));
    const float w = float(canvas.width()), h = float(canvas.height());
    const float tileW = w / 4, tileH = h / 4;
    const float size = std::min(tileW, tileH) * 1.25f;
    size_t next = 0;
    for (int row = 1; row <= 3 && !objects.empty(); ++row)
        for (int column = 1; column <= 3; ++column)
        {
            // A small sideways offset per object keeps the rows from reading as a grid.
            const float dx = float((row * 3 + column * 5) % 7 - 3) * tileW * 0.04f;
            const float cx = float(column) * tileW + dx, cy = float(row) * tileH;
            context.drawEmojiWithShadow(canvas, objects[next++ % objects.size()], cx - size / 2,
                                        cy - size / 2, size, size);
        }
    return true;
}

} // namespace contentgen
