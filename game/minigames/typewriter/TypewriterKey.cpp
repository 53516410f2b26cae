#include "game/minigames/typewriter/TypewriterKey.h"

#include "framework/graphics/Graphics.h"
#include "game/minigames/typewriter/MiniGameTypewriter.h"
#include "game/shell/Resources.h"

#include <variant>

namespace
{

Quib::Image* PictureById(int32_t id)
{
    ResourceValue value = GetResourceById(id);
    Quib::Image* const* image = std::get_if<Quib::Image*>(&value);
    return image != nullptr ? *image : nullptr;
}

} // namespace

TypewriterKey::TypewriterKey(char letter, MiniGameTypewriter* game)
    : mLetter(letter), mHoverPicture(PictureById(letter + 122)), mUpPicture(PictureById(letter + 70)),
      mDownPicture(PictureById(letter + 96)), mGame(game)
{
}

void TypewriterKey::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(11);
}

void TypewriterKey::DrawOverlay(Quib::Graphics* g)
{
    Quib::Image* picture = mIsDown ? mDownPicture : mIsOver ? mHoverPicture : mUpPicture;
    if (picture != nullptr)
        g->DrawImage(picture, 0, 0);
}

void TypewriterKey::OnMouseButtonDown(int, int, int button, int)
{
    if (button == 0)
        mGame->Type(mLetter);
}
