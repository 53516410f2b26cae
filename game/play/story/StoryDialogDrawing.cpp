// How the story screen looks: picture, envelope, speech bubble, portraits and
// the fade, drawn in the overlay pass over whatever screen lies below.
#include "framework/foundation/Transform2D.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/play/story/StoryDialog.h"
#include "game/shell/Resources.h"

#include <algorithm>

namespace
{

constexpr int32_t kScreenWidth = 800;
constexpr int32_t kScreenHeight = 600;
constexpr int32_t kFlapAbove = 202;
constexpr int32_t kMissingPortraitSize = 50;

// Draws the image with its centre on the point, scaled (a negative factor mirrors).
void DrawScaled(Quib::Graphics* g, Quib::Image* image, float centreX, float centreY, float scaleX,
                float scaleY)
{
    Quib::Transform2D transform;
    transform.Scale(scaleX, scaleY);
    g->DrawImageWithTransform(image, transform, centreX, centreY);
}

void DrawTurned(Quib::Graphics* g, Quib::Image* image, float centreX, float centreY, float degrees)
{
    Quib::Transform2D transform;
    transform.RotateDeg(degrees);
    g->DrawImageWithTransform(image, transform, centreX, centreY);
}

} // namespace

void StoryDialog::Draw(Quib::Graphics*)
{
    if (!mLoadFailed)
        RequestOverlayDraw(kOverlayPriority);
}

void StoryDialog::DrawOverlay(Quib::Graphics* g)
{
    if (mTheEnd)
    {
        g->SetColor(Quib::Color(0, 0, 0, 255));
        g->FillRect(0, 0, kScreenWidth, kScreenHeight);
    }
    g->SetColor(Quib::Color(255, 255, 255, 255));
    if (mPicture != nullptr)
        g->DrawImage(mPicture, mPictureX, mPictureY);
    if (mWithEnvelope)
    {
        g->DrawImage(IMAGE_ENVELOPE_DOWN1, mEnvelopeX, mEnvelopeY);
        g->DrawImage(IMAGE_ENVELOPE_DOWN_2ND_PART1, mEnvelopeX, mEnvelopeY);
        g->DrawImageCell(IMAGE_ENVELOPE_UP_STRIP1, mEnvelopeX, mEnvelopeY - kFlapAbove, 0);
    }
    if (mShownText)
        DrawBubble(g, mTextX, mTextY, mTextWidth, mTextHeight, mTextAlpha);
    for (const StoryCharacter& character : mCharacters)
    {
        if (character.mPicture != nullptr)
        {
            g->SetColor(Quib::Color(255, 255, 255, 255));
            g->DrawImageMirrored(character.mPicture, character.mX, character.mY, character.mMirrored);
        }
        else
        {
            g->SetColor(Quib::Color(0, 255, 0, 255));
            g->FillRect(character.mX, character.mY, kMissingPortraitSize, kMissingPortraitSize);
        }
    }
    g->SetColor(mFadeColor);
    g->FillRect(0, 0, kScreenWidth, kScreenHeight);
}

void StoryDialog::DrawBubble(Quib::Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t alpha)
{
    const int32_t a = std::clamp(alpha, 0, 255);
    Quib::Image* corner = IMAGE_STORY_CORNERTILE;
    Quib::Image* edge = IMAGE_STORY_CENTERTILE;
    Quib::Image* fill = IMAGE_STORY_BG;
    const int32_t cw = corner->GetWidth(), ch = corner->GetHeight();
    const int32_t tw = edge->GetWidth(), th = edge->GetHeight();
    // Whole tiles that cover at least the requested size; the tile's width serves both ways.
    const int32_t bubbleW = 2 * cw + tw * ((w - 2 * cw) / tw + 1);
    const int32_t bubbleH = 2 * ch + tw * ((h - 2 * ch) / tw + 1);

    g->SetColor(Quib::Color(255, 255, 255, a));
    g->SetTintImages(true);
    g->SetLinearFiltering(true);
    DrawScaled(g, fill, float(x + 20) + float(bubbleW - 40) / 2, float(y + 10) + float(bubbleH - 20) / 2,
               float(bubbleW - 40) / float(fill->GetWidth()), float(bubbleH - 20) / float(fill->GetHeight()));
    g->SetLinearFiltering(false);

    DrawScaled(g, corner, float(x + cw / 2), float(y + ch / 2), -1, 1);
    g->DrawImage(corner, x + bubbleW - cw, y);
    DrawScaled(g, corner, float(x + cw / 2), float(y + bubbleH - ch / 2), -1, -1);
    DrawScaled(g, corner, float(x + bubbleW - cw / 2 - 1), float(y + bubbleH - ch / 2), 1, -1);

    for (int32_t left = x + cw; left < x + bubbleW - cw; left += tw)
    {
        g->DrawImage(edge, left, y + 1);
        DrawScaled(g, edge, float(left + tw / 2), float(y + bubbleH - ch / 2 - 1), 1, -1);
    }
    for (int32_t top = y + cw; top < y + bubbleH - ch; top += tw)
    {
        DrawTurned(g, edge, float(x + th / 2 + 12), float(top - tw / 2 + 1), 90);
        DrawTurned(g, edge, float(x + bubbleW - cw / 2 - 7), float(top - tw / 2 + 1), 270);
    }
    g->SetTintImages(false);

    g->SetFont(FONT_ITEM_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, a));
    g->DrawStringWrapped(*mShownText, x + 41, y + 28, bubbleW - 80, -1);
    g->SetColor(Quib::Color(255, 255, 255, a));
    g->DrawStringWrapped(*mShownText, x + 40, y + 27, bubbleW - 80, -1);
}
